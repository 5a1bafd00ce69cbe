// The test range of the system tester.
#include <algorithm>

#include "core/Clock.h"
#include "core/DateTexts.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "systems/Tester.h"

namespace chartorium {

namespace {

// The first bar of first..last dated on or after `date`; 0 when there is none.
int FirstBarFrom(const QuoteStore& store, int first, int last, double date) {
  for (int b = first; b <= last; ++b) {
    if (store.BarSeries[static_cast<size_t>(b)].Date >= date) return b;
  }
  return 0;
}

}  // namespace

TestRange GiveDate(const TesterOptions& options, const Workspace& workspace) {
  return GiveDate(options, workspace.Quotes(), workspace.Locale, workspace.Today());
}

TestRange GiveDate(const TesterOptions& options, const QuoteStore& store, const DateLocale& locale,
                   const Clock& clock) {
  const int count = std::clamp(store.BarCount, 0, MaxQuotes);
  TestRange range;
  if (options.LastQuotes) {
    // "Last 0 quotes" still tests the last bar rather than an empty range.
    const int n = std::max(TextToInt(options.QuoteCount), 1);
    range.From = std::max(count - n + 1, 1);
    range.To = count;
    return range;
  }
  // A text that is no date reads as NoDate, earlier than every bar: an empty
  // "From:" starts at bar 1 and an empty "to:" ends at the "From:" bar.
  const double from = TextToDate(options.FromDate, locale, clock);
  const double to = TextToDate(options.ToDate, locale, clock);
  range.From = std::max(FirstBarFrom(store, 1, count, from), 1);
  const int last = FirstBarFrom(store, range.From, count, to);
  range.To = last == 0 ? count : last;
  if (range.To < range.From) range.To = count;
  return range;
}

}  // namespace chartorium
