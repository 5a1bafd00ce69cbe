// The system run shared by the tester, the chart, the signals window and GetSignal.
#include "systems/Exec.h"

#include <algorithm>
#include <string>

#include "core/Workspace.h"
#include "macro/MacroHosts.h"

namespace chartorium {

bool Exec(Workspace& workspace, std::string_view code, int beginBar, int endBar) {
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

  vbscript::ScriptHost& host = workspace.Macros.Tester(workspace).Host;
  for (const std::string& statement :
       {std::string("CurrentBar=0"), std::string("LastBuyPrice=0"), std::string("Signal=0"),
        "BeginBar=" + std::to_string(beginBar), "EndBar=" + std::to_string(endBar)}) {
    if (!host.ExecuteStatement(statement)) return false;
  }
  return host.AddCode(code) && host.Run("Main").Ok;
}

bool ExecQuietly(Workspace& workspace, std::string_view code, int beginBar, int endBar) {
  Dialogs* const dialogs = workspace.Macros.ErrorDialogs;
  workspace.Macros.ErrorDialogs = nullptr;
  const bool ran = Exec(workspace, code, beginBar, endBar);
  workspace.Macros.ErrorDialogs = dialogs;
  return ran;
}

}  // namespace chartorium
