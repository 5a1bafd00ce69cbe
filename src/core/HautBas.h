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

enum HautBasMode {
  PricesOnly = 0,          ///< prices only
  WithAverages = 1,        ///< prices and the two moving averages
  WithBands = 3,           ///< prices and the Bollinger bands
  PricesAfterOverlays = 4  ///< prices only, once the overlays are computed
};

/// High and low of bars first..min(last, BarCount). A range whose first bar
/// has no Low is scaled on closes. A bar that sets a new low is not compared
/// with the high. Modes 1 and 3 also take in the overlays where positive.
/// REQUIRES: overlays hold MaxQuotes + 1 values when mode is 1 or 3.
PriceRange HautBas(const QuoteStore& store, int first, int last, int mode,
                   const RangeOverlays& overlays = {});

}  // namespace chartorium
