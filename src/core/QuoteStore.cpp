// Clearing the store and making room in it.
#include "core/QuoteStore.h"

#include <algorithm>

namespace chartorium {

void ClearQuoteStore(QuoteStore& store) {
  store.QuoteArray.fill(QuoteRecord{});
  store.BarSeries.fill(QuoteRecord{});
  store.QuoteCount = 0;
  store.BarCount = 0;
}

void DropOldestQuotes(QuoteStore& store, int n) {
  n = std::clamp(n, 0, MaxQuotes);
  if (n == 0) return;
  const int kept = std::max(0, store.QuoteCount - n);
  auto& quotes = store.QuoteArray;
  std::copy(quotes.begin() + 1 + n, quotes.begin() + 1 + n + kept, quotes.begin() + 1);
  std::fill(quotes.begin() + 1 + kept, quotes.end(), QuoteRecord{});
  store.QuoteCount = kept;
}

}  // namespace chartorium
