// The demo crossover system run by Exec over a full stock, and the demo's
// 20-line custom indicator computed over it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/DemoLibrary.h"
#include "core/DemoMacros.h"
#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "macro/MacroHosts.h"
#include "macro/MacroState.h"
#include "systems/Exec.h"

namespace chartorium {
namespace {

std::unique_ptr<Workspace> DemoStock() {
  auto workspace = std::make_unique<Workspace>(std::filesystem::temp_directory_path());
  QuoteStore& store = workspace->Quotes();
  GenerateQuotes(DemoStocks()[0], 7, 45000, MaxQuotes, store.BarSeries);
  store.BarCount = MaxQuotes;
  return workspace;
}

std::string DemoText(std::string_view path) {
  for (const DemoMacroFile& file : DemoMacroFiles()) {
    if (file.Path == path) return std::string(file.Text);
  }
  return {};
}

void ExecDemoCrossover(benchmark::State& state) {
  const auto workspace = DemoStock();
  const std::string code = DemoText("Signals/MA Crossover");
  int signals = 0;
  for (auto _ : state) {
    if (!Exec(*workspace, code, 1, MaxQuotes)) state.SkipWithError("script error");
    benchmark::DoNotOptimize(workspace->Macros.Run.SignalArray.data());
  }
  for (int p = 1; p <= MaxQuotes; ++p) signals += workspace->Macros.Run.SignalArray[p] != 0;
  state.counters["signals"] = signals;
}
BENCHMARK(ExecDemoCrossover)->Unit(benchmark::kMillisecond);

void CustomIndicatorRangePosition(benchmark::State& state) {
  const auto workspace = DemoStock();
  const std::string code = DemoText("Indicators/Range Position");
  for (auto _ : state) {
    workspace->Indicators.Clear();
    benchmark::DoNotOptimize(RunCustomIndicator(*workspace, "Range Position", code).ok());
    benchmark::DoNotOptimize(workspace->Indicators.ValueArray().data());
  }
}
BENCHMARK(CustomIndicatorRangePosition)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chartorium
