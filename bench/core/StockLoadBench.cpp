// Loading a full stock and condensing it to weekly bars.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/Calendar.h"
#include "core/DemoLibrary.h"
#include "core/RebuildBars.h"
#include "core/StockCommands.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

// A demo library in a temporary folder, written once for the whole run.
const std::filesystem::path& DemoHome() {
  static const std::filesystem::path home = [] {
    auto path = std::filesystem::temp_directory_path() / "chartorium-bench-home";
    std::filesystem::remove_all(path);
    static_cast<void>(WriteDemoLibrary(path, DayNumber(2026, 12, 10)));
    return path;
  }();
  return home;
}

void LoadStockQuietlyWeekly(benchmark::State& state) {
  Workspace workspace(DemoHome());
  workspace.Quotes().Period = Periodicity::Weekly;
  const auto file = StockFilePath(workspace, "Kestrel Software");
  for (auto _ : state) {
    const auto loaded = LoadStockQuietly(workspace, file);
    benchmark::DoNotOptimize(loaded.ok());
    benchmark::DoNotOptimize(workspace.Quotes().BarCount);
  }
  state.counters["bars"] = workspace.Quotes().BarCount;
}
BENCHMARK(LoadStockQuietlyWeekly)->Unit(benchmark::kMicrosecond);

void RebuildWeeklyBars(benchmark::State& state) {
  Workspace workspace(DemoHome());
  static_cast<void>(LoadStockQuietly(workspace, StockFilePath(workspace, "Kestrel Software")));
  workspace.Quotes().Period = Periodicity::Weekly;
  for (auto _ : state) {
    RebuildBars(workspace);
    benchmark::DoNotOptimize(workspace.Quotes().BarCount);
  }
}
BENCHMARK(RebuildWeeklyBars)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace chartorium
