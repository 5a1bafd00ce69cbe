// The week and month changes of the visible bars.
#include "chart/DateMarks.h"

#include "core/Calendar.h"
#include "core/QuoteStore.h"
#include "core/RebuildBars.h"

namespace chartorium {

std::vector<DateMark> DateMarksOf(const QuoteStore& store, int first, int last) {
  std::vector<DateMark> marks;
  const double firstDate = store.BarSeries[static_cast<size_t>(first)].Date;
  int month = DateOf(firstDate).Month;
  int week = WeekOfYear(firstDate);
  for (int bar = first; bar <= last; ++bar) {
    const double date = store.BarSeries[static_cast<size_t>(bar)].Date;
    DateMark mark;
    mark.Bar = bar;
    if (const int w = WeekOfYear(date); w != week) {
      week = w;
      mark.NewWeek = true;
    }
    const CivilDate civil = DateOf(date);
    if (civil.Month != month) {
      month = civil.Month;
      mark.NewMonth = true;
      mark.Month = civil.Month;
      mark.Year = civil.Year;
    }
    if (mark.NewWeek || mark.NewMonth) marks.push_back(mark);
  }
  return marks;
}

}  // namespace chartorium
