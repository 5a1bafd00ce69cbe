// The value range of a range of bars, for scaling the chart and the summary.
#pragma once

#include <span>

#include "core/Numbers.h"
#include "core/QuoteStore.h"

namespace chartorium {

struct PriceRange {
  Single High = 0;
  Single Low = 0;

  friend bool operator==(const PriceRange&, const PriceRange&) = default;
};

/// The overlays a range may take in: bar-indexed like BarSeries (element 0 unused).
struct RangeOverlays {
  std::span<const Single> ShortAverage;
  std::span<const Single> LongAverage;
  std::span<const Single> UpperBand;
  std::span<const Single> LowerBand;
};

/// What a value range takes in besides the prices. The numbers are the
/// modes' numbers in the program's own terms.
enum class HautBasMode {
  PricesOnly = 0,          ///< prices only
  WithAverages = 1,        ///< prices and the two moving averages
  WithBands = 3,           ///< prices and the Bollinger bands
  PricesAfterOverlays = 4  ///< prices only, once the overlays are computed
};

/// High and low of bars first..min(last, BarCount). A range whose first bar
/// has no Low is scaled on closes. A bar that sets a new low is not compared
/// with the high. WithAverages and WithBands also take in those overlays where
/// positive. REQUIRES: overlays hold MaxQuotes + 1 values in those two modes.
PriceRange HautBas(const QuoteStore& store, int first, int last, HautBasMode mode,
                   const RangeOverlays& overlays = {});

}  // namespace chartorium
