// "Test s&elected stocks" end to end: the demo crossover system on 500
// generated stocks of 2001 bars, with the multi-test page written.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/NullDialogs.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/StockObserver.h"
#include "core/Workspace.h"
#include "support/BenchLibrary.h"
#include "systems/ReportOptions.h"
#include "systems/TestCommands.h"
#include "systems/TesterOptions.h"

namespace chartorium {
namespace {

constexpr int StockCount = 500;

// 500 generated stocks in a temporary data folder, written once for the run.
const std::filesystem::path& CommandsHome() {
  static const std::filesystem::path home =
      WriteGeneratedLibrary("chartorium-test-commands-bench", StockCount, 2000);
  return home;
}

// state.range(0): the "last quotes" count of the options.
void TestSelectedStocksCrossover500(benchmark::State& state) {
  Workspace workspace(CommandsHome());
  NullDialogs dialogs;
  NoStockObserver observer;
  TesterOptions options;
  options.QuoteCount = std::to_string(state.range(0));
  const ReportOptions report;
  StockSelection stocks;
  for (int i = 0; i < StockCount; ++i) stocks.CheckedStocks.push_back(GeneratedStockName(i));
  const SystemEditor editor{"MA Crossover", DemoMacroText("Signals/MA Crossover"), false};
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
