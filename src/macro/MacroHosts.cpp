// Setting up the macro hosts, running custom indicators and reporting errors.
#include "macro/MacroHosts.h"

#include <utility>

#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "macro/MacroCall.h"
#include "macro/MacroLang.h"
#include "macro/MacroState.h"

namespace chartorium {

namespace {

void SetLanguage(vbscript::ScriptHost& host) {
  static_cast<void>(host.SetLanguage("VBScript"));
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

// In the order of TesterGlobal.
constexpr std::array<std::string_view, 2> TesterGlobalNames = {"CurrentBar", "Signal"};

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
  // The signal methods read CurrentBar and Signal at nearly every call and set
  // Signal at every signal: they read the variables through handles, and
  // setters compiled once spare a statement compiled (and kept) per signal.
  // The variables are global before the setters are compiled, as every run
  // sets them before the system's code.
  static_cast<void>(Host.ExecuteStatement("CurrentBar=0\nSignal=0"));
  static_cast<void>(
      Host.AddCode("Sub KVX_SetBuy()\nSignal = 1\nEnd Sub\n"
                   "Sub KVX_SetSell()\nSignal = -1\nEnd Sub\n"
                   "Sub KVX_SetShort()\nSignal = 2\nEnd Sub\n"
                   "Sub KVX_SetCover()\nSignal = -2\nEnd Sub\n"
                   "KVX_Prepared = True\n"));
  for (std::size_t i = 0; i < globals_.size(); ++i) {
    globals_[i] = Host.FindGlobal(TesterGlobalNames[i]);
  }
  prepared_ = Host.FindGlobal("KVX_Prepared");
}

const vbscript::Variant& TesterHost::Value(TesterGlobal global) {
  const std::size_t index = static_cast<std::size_t>(global);
  vbscript::GlobalHandle& handle = globals_[index];
  const vbscript::Variant& value = Host.GlobalValue(handle);
  if (!value.IsEmpty()) return value;
  // Unset, or stale since a Reset of the host: the name is looked up again.
  handle = Host.FindGlobal(TesterGlobalNames[index]);
  return Host.GlobalValue(handle);
}

vbscript::Variant TesterHost::Variable(std::string_view name) {
  vbscript::ScriptResult value = Host.Eval(name);
  return value.Ok ? value.Value : vbscript::Variant();
}

bool TesterHost::Prepared() const {
  return !Host.GlobalValue(prepared_).IsEmpty();
}

void TesterHost::SetSignal(SignalCode code) {
  struct Setter {
    SignalCode Code;
    std::string_view Procedure;
    std::string_view Statement;
  };
  static constexpr Setter setters[] = {{SignalBuy, "KVX_SetBuy", "Signal=1"},
                                       {SignalSell, "KVX_SetSell", "Signal=-1"},
                                       {SignalShort, "KVX_SetShort", "Signal=2"},
                                       {SignalCover, "KVX_SetCover", "Signal=-2"}};
  for (const Setter& setter : setters) {
    if (setter.Code != code) continue;
    // After a Reset the setters are gone; the statement still does it.
    static_cast<void>(Prepared() ? Host.Run(setter.Procedure).Ok
                                 : Host.ExecuteStatement(setter.Statement));
    return;
  }
}

MacroError LastMacroError(const vbscript::ScriptHost& host) {
  const vbscript::ScriptErrorInfo& error = host.LastError();
  return {error.Number, error.Source, error.Description, error.Line, error.Column, error.HelpFile};
}

MacroStatus CallStatus(bool ran, const vbscript::ScriptHost& host, MacroLang& object) {
  MacroStatus status = std::exchange(object.NestedRuns(), MacroStatus());
  if (!ran) status.Fail(LastMacroError(host));
  return status;
}

MacroHost::MacroHost(Workspace& workspace, CustomIndicatorOutput& output)
    : Object(std::make_shared<MacroLang>(workspace, output)) {
  SetLanguage(Host);
  AddMacroObject(Host, Object);
}

std::shared_ptr<MacroLang> AddMacroObject(vbscript::ScriptHost& host, Workspace& workspace) {
  auto object = std::make_shared<MacroLang>(workspace, workspace.Macros.SpareOutput);
  AddMacroObject(host, object);
  return object;
}

std::unique_ptr<MacroHost> CreateReportHost(Workspace& workspace) {
  return std::make_unique<MacroHost>(workspace, workspace.Macros.SpareOutput);
}

MacroStatus RunCustomIndicator(Workspace& workspace, const std::string& name,
                               std::string_view text) {
  const RunningName running(workspace.Macros.RunningIndicators, name);
  if (!running.Active()) return {};
  // The run's own buffer: nested runs and built-ins computed meanwhile keep theirs.
  auto output = std::make_unique<CustomIndicatorOutput>();
  MacroStatus status;
  {
    MacroHost host(workspace, *output);
    DeclareBarConstants(host.Host, workspace);
    status = host.Outcome(host.Host.AddCode(text) && host.Host.Run("Main").Ok);
  }
  workspace.Indicators.AddIndicatorSeries(
      output->Values, status.ok() ? ComposeLevelsText(*output) : output->Levels, name);
  return status;
}

MacroStatus CheckIndicatorText(Workspace& workspace, std::string_view text) {
  auto output = std::make_unique<CustomIndicatorOutput>();
  MacroHost host(workspace, *output);
  DeclareBarConstants(host.Host, workspace);
  return host.Outcome(host.Host.AddCode(text));
}

}  // namespace chartorium
