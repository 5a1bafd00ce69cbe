// Series by name.
#include "indicators/SeriesByName.h"

#include <algorithm>
#include <optional>
#include <span>

#include "core/TextCase.h"
#include "core/Workspace.h"
#include "indicators/Averages.h"
#include "indicators/Catalogue.h"
#include "indicators/CustomIndicatorList.h"
#include "indicators/IndicatorCache.h"

namespace chartorium {
namespace {

constexpr std::string_view PriceFields[] = {"close", "open", "low", "high", "volume", "oi"};
constexpr std::string_view OverlayNames[] = {"sma", "lma", "bollh", "bolll"};

bool IsPriceField(std::string_view key) {
  return std::find(std::begin(PriceFields), std::end(PriceFields), key) != std::end(PriceFields);
}

bool IsOverlay(std::string_view key) {
  return std::find(std::begin(OverlayNames), std::end(OverlayNames), key) != std::end(OverlayNames);
}

Single PriceField(const QuoteStore& store, std::string_view key, int place) {
  const QuoteRecord& bar = store.BarSeries[place];
  if (key == "close") return bar.Close;
  if (key == "open") return bar.Open;
  if (key == "low") return bar.Low;
  if (key == "high") return bar.High;
  if (key == "volume") return static_cast<Single>(bar.Volume);
  return static_cast<Single>(bar.OpenInterest);
}

// The overlay array of that name, computed first when its flag is clear.
const SeriesValues& Overlay(Workspace& workspace, std::string_view key) {
  PriceOverlays& overlays = workspace.Indicators.Overlays();
  if (key == "sma" || key == "lma") {
    if (!overlays.AveragesValid) ComputeAverages(workspace);
    return key == "sma" ? overlays.ShortAverage : overlays.LongAverage;
  }
  if (!overlays.BandsValid) ComputeBands(workspace);
  return key == "bollh" ? overlays.UpperBand : overlays.LowerBand;
}

// A custom indicator of the list runs under its listed name; nullopt when the
// list does not name it.
std::optional<MacroStatus> RunListedCustomIndicator(Workspace& workspace, std::string_view key) {
  IndicatorCache& cache = workspace.Indicators;
  if (!cache.RunCustomIndicator) return std::nullopt;
  const auto listName = FindCustomIndicator(workspace.AppFolder(), key);
  if (!listName) return std::nullopt;
  // Copy the runner: the run may itself change the cache.
  const CustomIndicatorRunner run = cache.RunCustomIndicator;
  // A text that cannot be read runs as an empty macro, whose missing Main the
  // host reports like any script error.
  return run(workspace, *listName,
             ReadCustomIndicatorText(workspace.AppFolder(), *listName).value_or(""));
}

// Values of places first..last of a named series, read through `at`.
template <typename At>
Single MeanOver(int first, int last, int period, At at) {
  Single sum = 0;
  for (int p = first; p <= last; ++p) sum = AddToSingle(sum, at(p));
  return ToSingle(Ext(sum) / period);
}

// Highest (or lowest) over first..last from the first place `counts`.
template <typename At, typename Counts>
Single Extreme(int first, int last, bool highest, At at, Counts counts) {
  int start = first;
  while (start <= last && !counts(at(start))) ++start;
  if (start > last) return 0;
  Single result = at(start);
  for (int p = start + 1; p <= last; ++p)
    result = highest ? std::max(result, at(p)) : std::min(result, at(p));
  return result;
}

Single SeriesExtreme(Workspace& workspace, std::string_view name, int first, int last, bool highest,
                     MacroStatus& runs) {
  const std::string key = SeriesKey(name);
  if (first < 1 || last > workspace.Quotes().BarCount || key.empty()) return 0;
  if (IsPriceField(key)) {
    const QuoteStore& store = workspace.Quotes();
    return Extreme(
        first, last, highest, [&](int p) { return PriceField(store, key, p); },
        [](Single) { return true; });
  }
  if (IsOverlay(key)) {
    const SeriesValues& values = Overlay(workspace, key);
    return Extreme(
        first, last, highest, [&](int p) { return values[p]; }, [](Single v) { return v > 0; });
  }
  runs.AddNested(ComputeIndicator(workspace, key));
  const IndicatorCache& cache = workspace.Indicators;
  const int slot = cache.FindFolded(key);
  if (slot < 0) return 0;
  return Extreme(
      first, last, highest, [&](int p) { return cache.Value(slot, p); },
      [](Single v) { return v != 0; });
}

}  // namespace

std::string SeriesKey(std::string_view name) {
  std::string key = FoldCase(name);
  if (key == "macd ma") return "macdma";
  if (key == "open interest") return "oi";
  return key;
}

bool IsNeverCached(std::string_view key) {
  return IsPriceField(key) || IsOverlay(key);
}

MacroStatus ComputeIndicator(Workspace& workspace, std::string_view name) {
  const std::string key = FoldCase(name);
  IndicatorCache& cache = workspace.Indicators;
  if (cache.FindFolded(key) >= 0 || IsNeverCached(key)) return {};
  if (std::optional<MacroStatus> ran = RunListedCustomIndicator(workspace, key)) return *ran;
  if (const CatalogueEntry* entry = FindCatalogueEntry(key)) {
    entry->Compute(workspace);
    return {};
  }
  cache.AddIndicatorSeries({}, "", key);
  return {};
}

void RemoveIndicator(Workspace& workspace, std::string_view name) {
  workspace.Indicators.RemoveIndicator(name);
}

void ComputeAverages(Workspace& workspace) {
  const Preferences& prefs = workspace.Prefs;
  ComputeAverages(BarView(workspace.Quotes()), prefs.Integer("EMCT"), prefs.Integer("MAT1"),
                  prefs.Integer("EMLT"), prefs.Integer("MAT2"), workspace.Indicators.Overlays());
}

void ComputeBands(Workspace& workspace) {
  ComputeBands(BarView(workspace.Quotes()), workspace.Prefs.Integer("EBoll"),
               workspace.Indicators.Overlays());
}

Single SeriesValue(Workspace& workspace, std::string_view name, int place, MacroStatus& runs) {
  if (place < 1 || place > MaxQuotes) return 0;
  const std::string key = SeriesKey(name);
  IndicatorCache& cache = workspace.Indicators;
  int slot = cache.FindFolded(key);
  if (slot < 0) {
    runs.AddNested(ComputeIndicator(workspace, key));
    slot = cache.FindFolded(key);
  }
  if (slot >= 0) return cache.Value(slot, place);
  if (IsOverlay(key)) return Overlay(workspace, key)[place];
  if (IsPriceField(key)) return PriceField(workspace.Quotes(), key, place);
  return 0;
}

Single SeriesAverage(Workspace& workspace, std::string_view name, int last, int period,
                     MacroStatus& runs) {
  const std::string key = SeriesKey(name);
  if (period == 0 || last + 1 < period || key.empty()) return 0;
  const int first = last - period + 1;
  // A negative period leaves an empty window.
  if (first <= 0 || last > MaxQuotes || first > last) return 0;
  if (IsPriceField(key)) {
    const QuoteStore& store = workspace.Quotes();
    if (PriceField(store, key, first) == 0) return 0;
    return MeanOver(first, last, period, [&](int p) { return PriceField(store, key, p); });
  }
  if (IsOverlay(key)) {
    const SeriesValues& values = Overlay(workspace, key);
    if (values[first] == 0) return 0;
    return MeanOver(first, last, period, [&](int p) { return values[p]; });
  }
  runs.AddNested(ComputeIndicator(workspace, key));
  const IndicatorCache& cache = workspace.Indicators;
  const int slot = cache.FindFolded(key);
  if (slot < 0 || cache.Value(slot, first) == 0) return 0;
  return MeanOver(first, last, period, [&](int p) { return cache.Value(slot, p); });
}

Single SeriesHighest(Workspace& workspace, std::string_view name, int first, int last,
                     MacroStatus& runs) {
  return SeriesExtreme(workspace, name, first, last, true, runs);
}

Single SeriesLowest(Workspace& workspace, std::string_view name, int first, int last,
                    MacroStatus& runs) {
  return SeriesExtreme(workspace, name, first, last, false, runs);
}

PriceRange HautBas(Workspace& workspace, int first, int last, HautBasMode mode) {
  if (mode != HautBasMode::PricesOnly) {
    const PriceOverlays& overlays = workspace.Indicators.Overlays();
    // Built-in names: no macro runs, so there is no script error to pass on.
    if (!overlays.AveragesValid) static_cast<void>(ComputeIndicator(workspace, " ma"));
    if (!overlays.BandsValid) static_cast<void>(ComputeIndicator(workspace, " boll"));
  }
  const PriceOverlays& overlays = workspace.Indicators.Overlays();
  const RangeOverlays spans{overlays.ShortAverage, overlays.LongAverage, overlays.UpperBand,
                            overlays.LowerBand};
  return HautBas(workspace.Quotes(), first, last, mode, spans);
}

}  // namespace chartorium
