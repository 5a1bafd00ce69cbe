// The system run shared by the tester, the chart, the signals window and GetSignal.
#include "systems/Exec.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/Workspace.h"
#include "macro/MacroHosts.h"
#include "macro/MacroLang.h"
#include "macro/MacroState.h"

namespace chartorium {

MacroStatus Exec(Workspace& workspace, std::string_view code, int beginBar, int endBar) {
  SystemRunState& run = workspace.Macros.Run;
  run.SignalArray.fill(0);
  run.BarTextArray.fill(std::string());
  run.BarColorArray.fill(0);
  for (int b = std::max(beginBar, 1); b <= std::min(endBar, MaxQuotes); ++b) {
    run.BarColorArray[b] = -1;
  }
  run.TrailingStopPercent = 0;
  run.StopLossPercent = 0;
  run.ProfitTargetPercent = 0;
  run.StopsFired = false;

  TesterHost& tester = workspace.Macros.Tester(workspace);
  vbscript::ScriptHost& host = tester.Host;
  // A system that asks GetSignal for another runs it in this same host: the
  // errors the outer run has met so far wait until the inner one is done.
  MacroStatus outer = std::exchange(tester.Object().NestedRuns(), MacroStatus());
  const auto ran = [&] {
    for (const std::string& statement :
         {std::string("CurrentBar=0"), std::string("LastBuyPrice=0"), std::string("Signal=0"),
          "BeginBar=" + std::to_string(beginBar), "EndBar=" + std::to_string(endBar)}) {
      if (!host.ExecuteStatement(statement)) return false;
    }
    return host.AddCode(code) && host.Run("Main").Ok;
  }();
  MacroStatus status = CallStatus(ran, host, tester.Object());
  tester.Object().NestedRuns() = std::move(outer);
  return status;
}

}  // namespace chartorium
