// Where the dates under a plot change: the bars that start a new week or a
// new month, found once when the chart is prepared.
#pragma once

#include <vector>

namespace chartorium {

struct QuoteStore;

/// A bar whose week or month differs from the bar before it in the walk.
struct DateMark {
  int Bar = 0;
  bool NewWeek = false;
  bool NewMonth = false;
  int Month = 1;  ///< 1..12, of the bar's date
  int Year = 0;
};

/// The marks of bars first..last: the first bar sets the current week and
/// month, so it is never marked. REQUIRES: 1 <= first <= last <= MaxQuotes.
std::vector<DateMark> DateMarksOf(const QuoteStore& store, int first, int last);

}  // namespace chartorium
