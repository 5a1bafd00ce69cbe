// The value range of bars.
#include "core/HautBas.h"

#include <algorithm>
#include <cassert>

namespace chartorium {
namespace {

void TakeIn(Single value, PriceRange& range) {
  if (value < range.Low) {
    range.Low = value;
  } else if (value > range.High) {
    range.High = value;
  }
}

}  // namespace

PriceRange HautBas(const QuoteStore& store, int first, int last, HautBasMode mode,
                   const RangeOverlays& overlays) {
  first = std::clamp(first, 1, MaxQuotes);
  last = std::min(last, store.BarCount);
  const QuoteRecord& start = store.BarSeries[first];
  const bool onLows = start.Low != 0;
  PriceRange range =
      onLows ? PriceRange{start.High, start.Low} : PriceRange{start.Close, start.Close};
  const bool averages = mode == HautBasMode::WithAverages;
  const bool bands = mode == HautBasMode::WithBands;
  assert((!averages || overlays.ShortAverage.size() > static_cast<size_t>(last)) &&
         "mode 1 needs the moving averages");
  assert((!bands || overlays.UpperBand.size() > static_cast<size_t>(last)) &&
         "mode 3 needs the Bollinger bands");
  for (int i = first; i <= last; ++i) {
    const QuoteRecord& bar = store.BarSeries[i];
    if (onLows) {
      if (bar.Low < range.Low) {
        range.Low = bar.Low;
      } else if (bar.High > range.High) {
        range.High = bar.High;
      }
    } else {
      TakeIn(bar.Close, range);
    }
    if (averages) {
      for (const Single value : {overlays.ShortAverage[i], overlays.LongAverage[i]})
        if (value > 0) TakeIn(value, range);
    }
    if (bands && overlays.UpperBand[i] > 0 && overlays.LowerBand[i] > 0) {
      range.High = std::max(range.High, overlays.UpperBand[i]);
      range.Low = std::min(range.Low, overlays.LowerBand[i]);
    }
  }
  return range;
}

}  // namespace chartorium
