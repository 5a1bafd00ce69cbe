// The four test commands of the system tester. Each runs its tests, builds
// its page and writes it; any failure stops the whole command without a page.
#include "systems/TestCommands.h"

#include <functional>
#include <optional>
#include <system_error>
#include <utility>

#include "core/Cp1252.h"
#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "systems/PerformanceReport.h"
#include "systems/TestStatistics.h"
#include "systems/Tester.h"

namespace chartorium {

std::string SaveSystemQuestion(std::string_view name) {
  return "Do you want to save the " + std::string(name) + " system?";
}

namespace {

constexpr std::string_view ErrorCaption = "Error";

// The progress box is closed however the command ends.
class ProgressScope {
 public:
  explicit ProgressScope(Dialogs& dialogs) : dialogs_(dialogs) {}
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
  ~ProgressScope() { dialogs_.HideProgress(); }

 private:
  Dialogs& dialogs_;
};

// One test's results, taken right after it while the statistics still belong to it.
struct TestResult {
  TestStatistics Statistics;
  TestAmounts Amounts;
  std::string TradeText;
  double Return = 0;
};

// Reads the options into the run state and tests `code` over `range`; the
// trades are named `name`, and so are the statistics when `renameStatistics`.
// The script errors are kept in `run`; nullopt when one ended the test.
std::optional<TestResult> RunTest(const TestContext& context, TestRun& run, std::string_view code,
                                  TestRange range, std::string_view name, bool renameStatistics) {
  Workspace& workspace = context.Space;
  ReadTesterOptions(context.Options, workspace);
  const MacroStatus tested = Tester(workspace, context.Options, range, code);
  run.Script.Append(tested);
  if (!tested.ok()) return std::nullopt;
  const SystemRunState& state = workspace.Macros.Run;
  TestResult result;
  result.Statistics = Lister(workspace);
  if (renameStatistics) result.Statistics.Name = std::string(name);
  result.Amounts = {state.InitialTradingAmount, state.InitialMarginAmount,
                    OpenStockCurrency(workspace)};
  result.TradeText = std::string(name) + ";" + state.TradeLog;
  result.Return = OverallReturn(state);
  return result;
}

void Report(const TestContext& context, const Status& status) {
  context.Messages.Error(ErrorCaption, status.message());
}

// Writes the page, or reports why it could not be written.
TestRun Finish(const TestContext& context, TestRun run, std::string_view page) {
  const std::filesystem::path file =
      context.PageFile.empty() ? context.Space.AppFolder() / ReportPageFileName : context.PageFile;
  if (const Status written = WriteReportPage(file, page); !written.ok()) {
    Report(context, written);
    run.Outcome = TestOutcome::Failed;
    return run;
  }
  run.Outcome = TestOutcome::PageWritten;
  run.Page = file;
  return run;
}

TestRun Failed(TestRun run) {
  run.Outcome = TestOutcome::Failed;
  return run;
}

// Asks whether to save a modified system, and saves it on Yes.
Status OfferToSave(const TestContext& context, const SystemEditor& editor) {
  if (!editor.Modified || editor.SystemName.empty()) return Status::Ok();
  if (!context.Messages.Confirm(SaveSystemQuestion(editor.SystemName))) return Status::Ok();
  const std::filesystem::path folder = context.Space.AppFolder() / "Signals";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  const std::filesystem::path file = ResolveFileName(folder, editor.SystemName);
  if (!WriteFileAtomically(file, Utf8ToCp1252(editor.Text)).ok()) {
    return Status::IoError("Cannot create file " + file.string());
  }
  return Status::Ok();
}

Result<std::string> ReadSystem(const Workspace& workspace, std::string_view name) {
  const std::filesystem::path file = ResolveFileName(workspace.AppFolder() / "Signals", name);
  const Result<std::string> text = ReadWholeFile(file);
  if (!text) return Status::IoError("Cannot open file " + file.string());
  return Cp1252ToUtf8(*text);
}

// The texts of the checked systems, in list order.
Result<std::vector<std::string>> ReadSystems(const Workspace& workspace,
                                             std::span<const std::string> systems) {
  std::vector<std::string> texts;
  for (const std::string& system : systems) {
    Result<std::string> text = ReadSystem(workspace, system);
    if (!text) return text.status();
    texts.push_back(std::move(*text));
  }
  return texts;
}

void ClearConsole(Workspace& workspace) {
  workspace.Macros.Console.Lines.clear();
}

void ProcessPendingMessages(Workspace& workspace) {
  if (workspace.ProcessPendingMessages) workspace.ProcessPendingMessages();
}

// Loads one stock of a batch; false when it has no file (it is then skipped).
Result<bool> LoadBatchStock(Workspace& workspace, std::string_view name) {
  const Result<LoadOutcome> loaded = LoadStockQuietly(workspace, StockFilePath(workspace, name));
  if (!loaded) return loaded.status();
  return *loaded != LoadOutcome::Missing;
}

// The user's stock is opened again at the end of a batch, also after a failed
// test: the windows still show that stock, and a later command must not work
// on the one that was being tested. The tested stocks were only read, so
// none of them is written back first.
void GiveStockBack(const TestContext& context, const std::string& userStock) {
  Workspace& workspace = context.Space;
  CloseStockFile(workspace);
  if (userStock.empty()) {
    workspace.Quotes().StockName.clear();
    ClearQuoteStore(workspace.Quotes());
    return;
  }
  const Status opened =
      Ouvre(workspace, context.Messages, context.Observer, StockFilePath(workspace, userStock));
  if (!opened.ok()) Report(context, opened);
}

// Loads each selected stock in turn, names it in the progress box and tests it
// with `test`; a stock without a file is skipped. False when a stock cannot be
// read (reported here) or a test failed: the user's stock is then open again.
bool TestEachStock(const TestContext& context, const StockSelection& stocks,
                   const std::string& userStock,
                   const std::function<bool(const std::string& stock, TestRange range)>& test) {
  Workspace& workspace = context.Space;
  for (const std::string& name : ListeAct(workspace, stocks)) {
    const Result<bool> loaded = LoadBatchStock(workspace, name);
    if (!loaded) {
      Report(context, loaded.status());
      GiveStockBack(context, userStock);
      return false;
    }
    if (!*loaded) continue;
    const TestRange range = GiveDate(context.Options, workspace);
    context.Messages.ShowProgress(name);
    ProcessPendingMessages(workspace);
    const std::string stock = workspace.Quotes().StockName;
    if (!test(stock, range)) {
      GiveStockBack(context, userStock);
      return false;
    }
  }
  return true;
}

std::string SystemTitle(const SystemEditor& editor) {
  return editor.SystemName.empty() ? std::string(UnsavedSystemName) : editor.SystemName;
}

}  // namespace

TestRun TestTheStock(const TestContext& context, const SystemEditor& editor) {
  Workspace& workspace = context.Space;
  ClearConsole(workspace);
  TestRun run;
  const std::string stock = workspace.Quotes().StockName;
  if (stock.empty()) return run;
  const TestRange range = GiveDate(context.Options, workspace);
  const auto result = RunTest(context, run, editor.Text, range, stock, false);
  if (!result) return Failed(std::move(run));
  run.Tests.push_back({stock, editor.SystemName, result->Statistics});
  return Finish(context, std::move(run),
                SingleTestPage(SystemTitle(editor), FormatStatistics(result->Statistics),
                               result->Amounts, result->TradeText));
}

TestRun TestSelectedStocks(const TestContext& context, const StockSelection& stocks,
                           const SystemEditor& editor) {
  Workspace& workspace = context.Space;
  const ProgressScope progress(context.Messages);
  ClearConsole(workspace);
  TestRun run;
  const std::string userStock = workspace.Quotes().StockName;
  if (const Status saved = SauveFich(workspace); !saved.ok()) {
    Report(context, saved);
    return Failed(std::move(run));
  }
  MultiTestResults results;
  const bool tested =
      TestEachStock(context, stocks, userStock, [&](const std::string& stock, TestRange range) {
        const auto result = RunTest(context, run, editor.Text, range, stock, false);
        if (!result) return false;
        run.Tests.push_back({stock, editor.SystemName, result->Statistics});
        results.Add(PerformanceFragment(FormatStatistics(result->Statistics), result->Amounts),
                    TradesFragment(result->TradeText), stock, result->Return);
        return true;
      });
  if (!tested) return Failed(std::move(run));
  const std::string page =
      MultiTestPage(MultiTestKind::System, SystemTitle(editor), results, context.Report);
  run = Finish(context, std::move(run), page);
  GiveStockBack(context, userStock);
  return run;
}

TestRun TestSelectedSystems(const TestContext& context, const StockSelection& stocks,
                            std::span<const std::string> systems, const SystemEditor& editor) {
  Workspace& workspace = context.Space;
  const ProgressScope progress(context.Messages);
  TestRun run;
  if (const Status saved = OfferToSave(context, editor); !saved.ok()) {
    Report(context, saved);
    return Failed(std::move(run));
  }
  ClearConsole(workspace);
  if (workspace.Quotes().StockName.empty() && !stocks.CheckedStocks.empty()) {
    if (const Result<bool> loaded = LoadBatchStock(workspace, stocks.CheckedStocks.front());
        !loaded) {
      Report(context, loaded.status());
      return Failed(std::move(run));
    }
  }
  const std::string stock = workspace.Quotes().StockName;
  if (stock.empty()) return run;
  const auto texts = ReadSystems(workspace, systems);
  if (!texts) {
    Report(context, texts.status());
    return Failed(std::move(run));
  }
  MultiTestResults results;
  for (size_t i = 0; i < systems.size(); ++i) {
    const TestRange range = GiveDate(context.Options, workspace);
    context.Messages.ShowProgress(systems[i]);
    const auto result = RunTest(context, run, (*texts)[i], range, systems[i], true);
    if (!result) return Failed(std::move(run));
    run.Tests.push_back({stock, systems[i], result->Statistics});
    results.Add(PerformanceFragment(FormatStatistics(result->Statistics), result->Amounts),
                TradesFragment(result->TradeText), systems[i], result->Return);
  }
  return Finish(context, std::move(run),
                MultiTestPage(MultiTestKind::Stock, stock, results, context.Report));
}

TestRun TestStocksAndSystems(const TestContext& context, const StockSelection& stocks,
                             std::span<const std::string> systems, const SystemEditor& editor) {
  Workspace& workspace = context.Space;
  const ProgressScope progress(context.Messages);
  TestRun run;
  if (const Status saved = OfferToSave(context, editor); !saved.ok()) {
    Report(context, saved);
    return Failed(std::move(run));
  }
  ClearConsole(workspace);
  const auto texts = ReadSystems(workspace, systems);
  if (!texts) {
    Report(context, texts.status());
    return Failed(std::move(run));
  }
  const std::string userStock = workspace.Quotes().StockName;
  if (const Status saved = SauveFich(workspace); !saved.ok()) {
    Report(context, saved);
    return Failed(std::move(run));
  }
  std::vector<std::string> tested;
  std::vector<double> returns;
  const bool done =
      TestEachStock(context, stocks, userStock, [&](const std::string& stock, TestRange range) {
        for (size_t i = 0; i < systems.size(); ++i) {
          const auto result = RunTest(context, run, (*texts)[i], range, stock, false);
          if (!result) return false;
          run.Tests.push_back({stock, systems[i], result->Statistics});
          returns.push_back(result->Return);
        }
        tested.push_back(stock);
        return true;
      });
  if (!done) return Failed(std::move(run));
  const std::vector<std::string> systemNames(systems.begin(), systems.end());
  run = Finish(context, std::move(run), MatrixPage(tested, systemNames, returns));
  GiveStockBack(context, userStock);
  return run;
}

}  // namespace chartorium
