// Setting up the macro hosts, running custom indicators and reporting errors.
#include "macro/MacroHosts.h"

#include <cstdio>

#include "core/Dialogs.h"
#include "core/Workspace.h"
#include "macro/MacroCall.h"
#include "macro/MacroLang.h"

namespace chartorium {

namespace {

void SetLanguage(vbscript::ScriptHost& host) {
  static_cast<void>(host.SetLanguage("VBScript"));
}

void ReportErrorsOf(vbscript::ScriptHost& host, Workspace& workspace) {
  host.SetErrorHandler([&workspace, &host](const vbscript::ScriptErrorInfo&) {
    if (workspace.Macros.ErrorDialogs != nullptr) {
      ReportScriptError(*workspace.Macros.ErrorDialogs, host);
    }
  });
}

// Last and BarsCount are the number of bars; MaxBars is the arrays' size.
void DeclareBarConstants(vbscript::ScriptHost& host, const Workspace& workspace) {
  const std::string count = std::to_string(workspace.Quotes().BarCount);
  static_cast<void>(host.ExecuteStatement("Const Last=" + count));
  static_cast<void>(host.ExecuteStatement("Const BarsCount=" + count));
  static_cast<void>(host.ExecuteStatement("Const MaxBars=" + std::to_string(MaxQuotes)));
}

void AddMacroObject(vbscript::ScriptHost& host, std::shared_ptr<MacroLang> object) {
  static_cast<void>(host.AddObject("KVX", std::move(object), true));
}

}  // namespace

TesterHost::TesterHost(Workspace& workspace)
    : object_(std::make_shared<MacroLang>(workspace, workspace.Macros.SpareOutput)) {
  SetLanguage(Host);
  AddMacroObject(Host, object_);
  static constexpr std::string_view colours[] = {
      "const clDarkBlue=8388608", "const clYellow=65535",
      "const clGray=12632256",    "const clBlack=0",
      "const clLightGreen=65280", "const clDarkGreen=32768",
      "const clLightRed=255",     "const clDarkRed=66974",
      "const clBrown=3094137",    "const clLightBlue=16711680",
      "const clWhite=16777215"};
  for (const std::string_view statement : colours) {
    static_cast<void>(Host.ExecuteStatement(statement));
  }
  // The signal methods read CurrentBar and Signal at every call. Compiling an
  // expression for each read costs more than the rest of a bar's work, so two
  // functions compiled once return them. The variables are global before the
  // functions are compiled, as every run sets them before the system's code.
  static_cast<void>(Host.ExecuteStatement("CurrentBar=0\nSignal=0"));
  static_cast<void>(
      Host.AddCode("Function KVX_CurrentBar()\nKVX_CurrentBar = CurrentBar\nEnd Function\n"
                   "Function KVX_Signal()\nKVX_Signal = Signal\nEnd Function\n"));
  ReportErrorsOf(Host, workspace);
}

vbscript::Variant TesterHost::Variable(std::string_view name) {
  std::string_view reader;
  if (name == "CurrentBar") reader = "KVX_CurrentBar";
  if (name == "Signal") reader = "KVX_Signal";
  vbscript::ScriptResult value =
      !reader.empty() && Host.HasProcedure(reader) ? Host.Run(reader) : Host.Eval(name);
  return value.Ok ? value.Value : vbscript::Variant();
}

std::string ScriptErrorText(const vbscript::ScriptErrorInfo& error) {
  return error.Source + ":\r\n\r\n'" + error.Description +
         "'\r\n\r\nat line:" + std::to_string(error.Line) +
         ", char:" + std::to_string(error.Column) + "\r\n\r\n" + error.HelpFile;
}

void ReportScriptError(Dialogs& dialogs, const vbscript::ScriptHost& host) {
  dialogs.Error("Error", ScriptErrorText(host.LastError()));
}

void PrepareMacroHost(vbscript::ScriptHost& host, Workspace& workspace,
                      CustomIndicatorOutput& output) {
  SetLanguage(host);
  AddMacroObject(host, std::make_shared<MacroLang>(workspace, output));
  ReportErrorsOf(host, workspace);
}

void AddMacroObject(vbscript::ScriptHost& host, Workspace& workspace) {
  AddMacroObject(host, std::make_shared<MacroLang>(workspace, workspace.Macros.SpareOutput));
}

std::unique_ptr<vbscript::ScriptHost> CreateReportHost(Workspace& workspace) {
  auto host = std::make_unique<vbscript::ScriptHost>();
  PrepareMacroHost(*host, workspace, workspace.Macros.SpareOutput);
  return host;
}

void RunCustomIndicator(Workspace& workspace, const std::string& name, std::string_view text) {
  const RunningName running(workspace.Macros.RunningIndicators, name);
  if (!running.Active()) return;
  // The run's own buffer: nested runs and built-ins computed meanwhile keep theirs.
  auto output = std::make_unique<CustomIndicatorOutput>();
  bool ok = false;
  {
    vbscript::ScriptHost host;
    SetLanguage(host);
    AddMacroObject(host, std::make_shared<MacroLang>(workspace, *output));
    DeclareBarConstants(host, workspace);
    ReportErrorsOf(host, workspace);
    ok = host.AddCode(text) && host.Run("Main").Ok;
  }
  workspace.Indicators.AddIndicatorSeries(output->Values,
                                          ok ? ComposeLevelsText(*output) : output->Levels, name);
}

bool CheckIndicatorText(Workspace& workspace, std::string_view text) {
  auto output = std::make_unique<CustomIndicatorOutput>();
  vbscript::ScriptHost host;
  SetLanguage(host);
  AddMacroObject(host, std::make_shared<MacroLang>(workspace, *output));
  DeclareBarConstants(host, workspace);
  ReportErrorsOf(host, workspace);
  return host.AddCode(text);
}

}  // namespace chartorium
