// Every built-in indicator with both overlays on a full stock, and the
// candlestick patterns at every place.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/Workspace.h"
#include "indicators/CandlePatterns.h"
#include "indicators/Catalogue.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

// A workspace holding 2001 wandering bars with every field filled.
std::unique_ptr<Workspace> FullStock() {
  auto workspace = std::make_unique<Workspace>(std::filesystem::temp_directory_path());
  QuoteStore& store = workspace->Quotes();
  unsigned state = 2024;
  double close = 40;
  for (int p = 1; p <= MaxQuotes; ++p) {
    state = state * 1103515245u + 12345u;
    const double open = close;
    close = std::max(5.0, close + static_cast<double>((state >> 16) % 2001) / 1000.0 - 1.0);
    QuoteRecord& bar = store.BarSeries[static_cast<size_t>(p)];
    bar.Date = 40000 + p;
    bar.Open = static_cast<Single>(open);
    bar.Close = static_cast<Single>(close);
    bar.High = static_cast<Single>(std::max(open, close) + ((state >> 8) % 7) / 10.0);
    bar.Low = static_cast<Single>(std::min(open, close) - ((state >> 4) % 5) / 10.0);
    bar.Volume = static_cast<int>(1000 + (state >> 12) % 5000);
  }
  store.BarCount = MaxQuotes;
  return workspace;
}

void AllIndicatorsFromEmptyCache(benchmark::State& state) {
  const auto workspace = FullStock();
  for (auto _ : state) {
    workspace->Indicators.Clear();
    for (const CatalogueEntry& entry : IndicatorCatalogue())
      benchmark::DoNotOptimize(ComputeIndicator(*workspace, entry.Key).Clean());
    benchmark::DoNotOptimize(workspace->Indicators.ValueArray().data());
  }
  state.counters["series"] = workspace->Indicators.SeriesCount();
}
BENCHMARK(AllIndicatorsFromEmptyCache)->Unit(benchmark::kMillisecond);

// One catalogue entry at a time, to see which routine the total spends on.
void EachIndicator(benchmark::State& state) {
  const auto workspace = FullStock();
  const CatalogueEntry& entry = IndicatorCatalogue()[static_cast<size_t>(state.range(0))];
  state.SetLabel(std::string(entry.Name));
  for (auto _ : state) {
    workspace->Indicators.Clear();
    benchmark::DoNotOptimize(ComputeIndicator(*workspace, entry.Key).Clean());
  }
}
BENCHMARK(EachIndicator)
    ->DenseRange(0, static_cast<int>(IndicatorCatalogue().size()) - 1)
    ->Unit(benchmark::kMicrosecond);

void CandlePatternsAtEveryPlace(benchmark::State& state) {
  const auto workspace = FullStock();
  for (auto _ : state) {
    int found = 0;
    for (const std::string_view name : CandlePatternNames())
      for (int place = 1; place <= MaxQuotes; ++place)
        found += CandlePattern(*workspace, name, place) ? 1 : 0;
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(CandlePatternsAtEveryPlace)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace chartorium
