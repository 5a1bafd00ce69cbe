// The macro subsystem's process-wide state.
#include "macro/MacroState.h"

#include "core/Workspace.h"
#include "macro/MacroHosts.h"

namespace chartorium {

MacroState::MacroState() = default;

MacroState::~MacroState() = default;

TesterHost& MacroState::Tester(Workspace& workspace) {
  if (!tester_) tester_ = std::make_unique<TesterHost>(workspace);
  return *tester_;
}

}  // namespace chartorium
