// The parts of the macro fixture that reach into the macro subsystem's state,
// kept here so that the tests built on it do not depend on MacroState.h.
#include "macro/MacroFixture.h"

#include "macro/MacroState.h"

namespace chartorium::testing {

SystemRunState& MacroFixture::Run() {
  return workspace_->Macros.Run;
}

vbscript::ScriptHost& MacroFixture::TesterScript() {
  return Ws().Macros.Tester(Ws()).Host;
}

}  // namespace chartorium::testing
