// The demo crossover system tested on 500 stocks of 2001 bars, as "Test
// selected stocks" does it: load, range, options, simulation and statistics.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/StockCommands.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "support/BenchLibrary.h"
#include "systems/TestStatistics.h"
#include "systems/Tester.h"

namespace chartorium {
namespace {

constexpr int StockCount = 500;

// 500 generated stocks in a temporary data folder, written once for the run.
const std::filesystem::path& TesterHome() {
  static const std::filesystem::path home =
      WriteGeneratedLibrary("chartorium-tester-bench", StockCount, 1000);
  return home;
}

// state.range(0): the "last quotes" count of the options.
void TestCrossoverOn500Stocks(benchmark::State& state) {
  Workspace workspace(TesterHome());
  const std::string code = DemoMacroText("Signals/MA Crossover");
  TesterOptions options;
  options.QuoteCount = std::to_string(state.range(0));
  long long trades = 0;
  // Where one pass over the stocks spends its time, in ms.
  using Clock = std::chrono::steady_clock;
  std::chrono::duration<double, std::milli> load{}, test{}, list{};
  for (auto _ : state) {
    trades = 0;
    for (int i = 0; i < StockCount; ++i) {
      const auto t0 = Clock::now();
      const auto loaded =
          LoadStockQuietly(workspace, StockFilePath(workspace, GeneratedStockName(i)));
      if (!loaded.ok()) state.SkipWithError("stock not loaded");
      workspace.Quotes().StockName = GeneratedStockName(i);
      const TestRange range = GiveDate(options, workspace);
      ReadTesterOptions(options, workspace);
      const auto t1 = Clock::now();
      if (!Tester(workspace, options, range, code)) state.SkipWithError("script error");
      const auto t2 = Clock::now();
      const std::vector<StatisticsLine> lines =
          StatisticsLines(FormatStatistics(Lister(workspace)));
      benchmark::DoNotOptimize(lines.data());
      list += Clock::now() - t2;
      test += t2 - t1;
      load += t1 - t0;
      trades += workspace.Macros.Run.LongStats.Wins + workspace.Macros.Run.LongStats.Losses;
    }
  }
  const double passes = static_cast<double>(state.iterations());
  state.counters["trades"] = static_cast<double>(trades);
  state.counters["load_ms"] = load.count() / passes;
  state.counters["tester_ms"] = test.count() / passes;
  state.counters["lister_ms"] = list.count() / passes;
}
BENCHMARK(TestCrossoverOn500Stocks)->Arg(500)->Arg(MaxQuotes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chartorium
