// Daily, weekly and monthly bars.
#include "core/RebuildBars.h"

#include <cstdint>

#include "core/Calendar.h"
#include "core/DerivedSeries.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

// The period key of a date: its week of the year or its month; the year is
// not part of it, so records of the same week or month number a year apart
// fall into one bar. The bounds of the current year or month are kept, so a
// rebuild converts a day to a calendar date only when a new one begins.
class PeriodKeys {
 public:
  explicit PeriodKeys(Periodicity period) : weekly_(period == Periodicity::Weekly) {}

  int Of(double date) {
    const int day = static_cast<int>(date);
    if (day < start_ || day >= end_) Enter(day);
    if (!weekly_) return month_;
    return day < secondWeek_ ? 1 : 2 + (SundayOf(day) - secondWeek_) / 7;
  }

 private:
  static int SundayOf(int day) { return day - DayOfWeek(day) + 1; }

  void Enter(int day) {
    const CivilDate date = DateOf(day);
    if (weekly_) {
      start_ = DayNumber(date.Year, 1, 1);
      end_ = DayNumber(date.Year + 1, 1, 1);
      secondWeek_ = SundayOf(start_) + 7;
      return;
    }
    month_ = date.Month;
    start_ = DayNumber(date.Year, date.Month, 1);
    end_ =
        date.Month == 12 ? DayNumber(date.Year + 1, 1, 1) : DayNumber(date.Year, date.Month + 1, 1);
  }

  bool weekly_;
  int start_ = 1;
  int end_ = 0;
  int secondWeek_ = 0;
  int month_ = 0;
};

std::int32_t AddWrapping(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

QuoteRecord StartBar(const QuoteRecord& quote) {
  QuoteRecord bar = quote;
  bar.Reserved = {};
  return bar;
}

// Builds weekly or monthly bars. For each remembered date, *bar receives the
// index of the bar whose period holds the quote of that date.
void CondenseQuotes(QuoteStore& store, double firstVisibleDate, int* firstVisibleBar,
                    double markerDate, int* markerBar) {
  const auto note = [&](int recordIndex, int barIndex) {
    const double date = store.QuoteArray[recordIndex].Date;
    if (firstVisibleBar && date == firstVisibleDate) *firstVisibleBar = barIndex;
    if (markerBar && date == markerDate) *markerBar = barIndex;
  };
  int barCount = 0;
  PeriodKeys keys(store.Period);
  QuoteRecord running = StartBar(store.QuoteArray[1]);
  int runningKey = keys.Of(running.Date);
  note(1, 1);
  for (int k = 2; k <= store.QuoteCount; ++k) {
    const QuoteRecord& quote = store.QuoteArray[k];
    const int key = keys.Of(quote.Date);
    if (key == runningKey) {
      if (quote.High > running.High) running.High = quote.High;
      if (quote.Low < running.Low) running.Low = quote.Low;
      running.Close = quote.Close;
      running.Volume = AddWrapping(running.Volume, quote.Volume);
      running.OpenInterest = AddWrapping(running.OpenInterest, quote.OpenInterest);
    } else {
      // A bar is dated by the last day of its period.
      running.Date = store.QuoteArray[k - 1].Date;
      store.BarSeries[++barCount] = running;
      running = StartBar(quote);
      runningKey = key;
    }
    note(k, barCount + 1);
  }
  running.Date = store.QuoteArray[store.QuoteCount].Date;
  store.BarSeries[++barCount] = running;
  store.BarCount = barCount;
}

}  // namespace

int WeekOfYear(double date) {
  return PeriodKeys(Periodicity::Weekly).Of(date);
}

void ClampVisibleBars(Workspace& workspace) {
  QuoteStore& store = workspace.Quotes();
  if (store.FirstVisibleBar + store.VisibleBarCount > store.BarCount + 1)
    store.FirstVisibleBar = store.BarCount - store.VisibleBarCount + 1;
  if (store.FirstVisibleBar < 1) store.FirstVisibleBar = 1;
  if (store.BarCount < store.VisibleBarCount) store.VisibleBarCount = store.BarCount;
}

void RebuildBars(Workspace& workspace) {
  QuoteStore& store = workspace.Quotes();
  if (store.QuoteCount == 0) return;
  const auto inBars = [&](int bar) { return bar >= 1 && bar <= store.BarCount; };
  const bool keepFirstVisible = store.ChartVisible && inBars(store.FirstVisibleBar);
  const bool keepMarker = store.MarkerBar >= 1 && inBars(store.MarkerBar);
  const double firstVisibleDate =
      keepFirstVisible ? store.BarSeries[store.FirstVisibleBar].Date : 0;
  const double markerDate = keepMarker ? store.BarSeries[store.MarkerBar].Date : 0;

  store.BarSeries.fill(QuoteRecord{});
  store.BarCount = 0;
  ResetDerivedSeries(workspace);

  if (store.Period == Periodicity::Daily) {
    for (int k = 1; k <= store.QuoteCount; ++k) {
      store.BarSeries[k] = store.QuoteArray[k];
      const double date = store.QuoteArray[k].Date;
      if (keepFirstVisible && date == firstVisibleDate) store.FirstVisibleBar = k;
      if (keepMarker && date == markerDate) store.MarkerBar = k;
    }
    store.BarCount = store.QuoteCount;
  } else {
    CondenseQuotes(store, firstVisibleDate, keepFirstVisible ? &store.FirstVisibleBar : nullptr,
                   markerDate, keepMarker ? &store.MarkerBar : nullptr);
  }
  ClampVisibleBars(workspace);
}

}  // namespace chartorium
