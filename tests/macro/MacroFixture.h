// Small hand-built stocks for the macro tests, with a macro host to evaluate
// expressions in and helpers to run systems and custom indicators.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/MacroStatus.h"
#include "core/Workspace.h"
#include "macro/MacroHosts.h"
#include "macro/SystemRunState.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"
#include "support/TestBars.h"
#include "systems/Exec.h"
#include "vbscript/Conversion.h"
#include "vbscript/ScriptHost.h"

namespace chartorium::testing {

using MacroBar = TestBar;

class MacroFixture : public ::testing::Test {
 protected:
  MacroFixture() : workspace_(std::make_unique<Workspace>(folder_.Path())) {
    workspace_->Quotes().StockName = "ACME";
  }

  Workspace& Ws() { return *workspace_; }
  /// The workspace's SystemRunState.
  SystemRunState& Run();
  FakeDialogs& Dialogs() { return dialogs_; }
  const std::filesystem::path& Folder() const { return folder_.Path(); }

  /// Bars 1..n; every later bar of the store is cleared.
  void SetBars(const std::vector<MacroBar>& bars) { SetTestBars(Ws(), bars); }

  /// Bars with these closes; Open = Close - 0.5, High = Close + 1, Low = Close - 1,
  /// Volume = 100 * place.
  void SetCloses(const std::vector<Single>& closes) {
    std::vector<MacroBar> bars;
    int place = 0;
    for (const Single c : closes) {
      ++place;
      bars.push_back(MacroBar{c - 0.5F, c + 1, c - 1, c, 100 * place, place});
    }
    SetBars(bars);
  }

  /// The value of an expression in a macro host with "KVX" (the custom reports' kind).
  vbscript::Variant Eval(const std::string& expression) {
    vbscript::ScriptResult result = Host().Eval(expression);
    EXPECT_TRUE(result.Ok) << expression << ": " << Host().LastError().Description;
    return result.Value;
  }
  double Number(const std::string& expression) { return vbscript::ToDouble(Eval(expression)); }
  std::string Text(const std::string& expression) { return vbscript::ToString(Eval(expression)); }
  /// Runs statements as global code of the report host (their variables stay
  /// readable through Eval); false on a script error.
  bool RunGlobal(const std::string& code) {
    Host();
    return Shown(host_->Outcome(host_->Host.AddCode(code)));
  }
  vbscript::ScriptHost& Host() {
    if (!host_) host_ = CreateReportHost(Ws());
    return host_->Host;
  }

  /// Shows the errors of a run as the windows do (error boxes, read back with
  /// Errors()); whether the run itself reached its end.
  bool Shown(const MacroStatus& status) {
    ReportScriptErrors(dialogs_, status);
    return status.ok();
  }

  /// Runs a system whose Main has this body over bars begin..end; `globals`
  /// names script variables declared at global level, read back with TesterValue.
  bool RunSystem(const std::string& body, int begin, int end, const std::string& globals = "") {
    const std::string declare = globals.empty() ? "" : "Dim " + globals + "\n";
    return Shown(Exec(Ws(), declare + "Sub Main()\n" + body + "\nEnd Sub\n", begin, end));
  }
  /// A global variable of the system tester's script.
  double TesterValue(const std::string& name) {
    return vbscript::ToDouble(TesterScript().Eval(name).Value);
  }
  vbscript::ScriptHost& TesterScript();

  void WriteFile(const std::string& relative, const std::string& text) {
    const std::filesystem::path path = Folder() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  /// Lists the custom indicators in "Indicators.dat" and writes their texts.
  void AddCustomIndicators(const std::vector<std::pair<std::string, std::string>>& indicators) {
    std::string list;
    for (const auto& [name, text] : indicators) {
      list += name + "\r\n";
      WriteFile("Indicators/" + name, text);
    }
    WriteFile("Indicators.dat", list);
  }

  /// The error messages shown so far.
  std::vector<std::string> Errors() const {
    std::vector<std::string> errors;
    for (const auto& shown : dialogs_.Messages) {
      if (shown.Kind == "error") errors.push_back(shown.Text);
    }
    return errors;
  }

 private:
  TempFolder folder_;
  FakeDialogs dialogs_;
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<MacroHost> host_;
};

}  // namespace chartorium::testing
