// "Test s&elected stocks" end to end: the demo crossover system on 500
// generated stocks of 2001 bars, with the multi-test page written.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Calendar.h"
#include "core/DemoLibrary.h"
#include "core/DemoMacros.h"
#include "core/Dialogs.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/StockObserver.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "systems/ReportOptions.h"
#include "systems/TestCommands.h"
#include "systems/TesterOptions.h"

namespace chartorium {
namespace {

constexpr int StockCount = 500;

std::string BenchStockName(int i) {
  return "Stock " + std::to_string(i);
}

std::string Crossover() {
  for (const DemoMacroFile& file : DemoMacroFiles()) {
    if (file.Path == "Signals/MA Crossover") return std::string(file.Text);
  }
  return {};
}

// 500 generated stocks in a temporary data folder, written once for the run.
const std::filesystem::path& CommandsHome() {
  static const std::filesystem::path home = [] {
    auto path = std::filesystem::temp_directory_path() / "chartorium-test-commands-bench";
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path / "Stocks");
    Workspace workspace(path);
    QuoteStore& store = workspace.Quotes();
    for (int i = 0; i < StockCount; ++i) {
      const DemoStock& kind = DemoStocks()[static_cast<size_t>(i) % DemoStocks().size()];
      GenerateQuotes(kind, 2000 + static_cast<unsigned long long>(i), DayNumber(2026, 12, 9),
                     MaxQuotes, store.QuoteArray);
      store.QuoteCount = MaxQuotes;
      store.StockName = BenchStockName(i);
      store.OpenFileStock = store.StockName;
      store.OpenFile = path / "Stocks" / (store.StockName + ".kvx");
      static_cast<void>(SauveFich(workspace));
    }
    return path;
  }();
  return home;
}

// A Dialogs that shows nothing: the progress box costs nothing here.
class SilentDialogs final : public Dialogs {
 public:
  void Warning(std::string_view) override {}
  void Information(std::string_view) override {}
  void Error(std::string_view, std::string_view) override {}
  bool Confirm(std::string_view) override { return false; }
  std::string Input(std::string_view, std::string_view) override { return {}; }
  void Beep() override {}
  void ShowProgress(std::string_view) override {}
  void HideProgress() override {}
  bool ProgressVisible() const override { return false; }
  bool ProgressCancelled() const override { return false; }
};

// state.range(0): the "last quotes" count of the options.
void TestSelectedStocksCrossover500(benchmark::State& state) {
  Workspace workspace(CommandsHome());
  InstallMacroSupport(workspace);
  SilentDialogs dialogs;
  NoStockObserver observer;
  TesterOptions options;
  options.QuoteCount = std::to_string(state.range(0));
  const ReportOptions report;
  StockSelection stocks;
  for (int i = 0; i < StockCount; ++i) stocks.CheckedStocks.push_back(BenchStockName(i));
  const SystemEditor editor{"MA Crossover", Crossover(), false};
  const TestContext context{workspace, dialogs, observer, options, report, {}};
  size_t pageBytes = 0;
  for (auto _ : state) {
    const TestRun run = TestSelectedStocks(context, stocks, editor);
    if (run.Outcome != TestOutcome::PageWritten) state.SkipWithError("no page written");
    pageBytes = ReadWholeFile(run.Page).value_or("").size();
  }
  state.counters["page_kB"] = static_cast<double>(pageBytes) / 1024;
}
BENCHMARK(TestSelectedStocksCrossover500)
    ->Arg(500)
    ->Arg(MaxQuotes)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

}  // namespace
}  // namespace chartorium
