// The chart's trading system run.
#include "chart/ChartSystem.h"

#include <cassert>

#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "systems/Exec.h"

namespace chartorium {

ChartSystemRun RunChartSystem(Workspace& workspace, std::string_view text, int first, int last) {
  assert(1 <= first && first <= last && last <= MaxQuotes && "a range of bars that exist");
  ChartSystemRun run;
  // The error comes back to the caller, who shows it once.
  const MacroStatus status = Exec(workspace, text, first, last);
  if (!status.ok()) {
    run.Error = status.Errors().back();
    return run;
  }
  const SystemRunState& state = workspace.Macros.Run;
  SystemSignals& signals = run.Signals;
  signals.First = first;
  for (int bar = first; bar <= last; ++bar) {
    const auto i = static_cast<size_t>(bar);
    signals.Codes.push_back(state.SignalArray[i]);
    signals.Labels.push_back(state.BarTextArray[i]);
    signals.BarColours.push_back(state.BarColorArray[i]);
  }
  return run;
}

}  // namespace chartorium
