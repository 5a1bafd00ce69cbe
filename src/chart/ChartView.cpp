// Moving the window of visible bars.
#include "chart/ChartView.h"

#include <algorithm>
#include <cmath>

#include "core/Calendar.h"
#include "core/PreferencesCommands.h"
#include "core/QuoteStore.h"
#include "core/RebuildBars.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

// After a zoom the count stays within one bar and a full stock, and the
// preference "Plot on ... bars" follows it.
void FinishZoom(Workspace& workspace) {
  QuoteStore& store = workspace.Quotes();
  store.VisibleBarCount = std::clamp(store.VisibleBarCount, 1, MaxQuotes);
  workspace.Prefs.Set("ENbD", std::to_string(store.VisibleBarCount));
  CentreOnMarker(store);
}

std::string TwoDigitYear(double date) {
  const int year = DateOf(date).Year % 100;
  return (year < 10 ? "0" : "") + std::to_string(year);
}

}  // namespace

bool ChartCanShow(const QuoteStore& store) {
  return !store.StockName.empty() && store.BarCount > 1;
}

void ClampView(QuoteStore& store) {
  if (store.FirstVisibleBar + store.VisibleBarCount > store.BarCount + 1)
    store.FirstVisibleBar = store.BarCount - store.VisibleBarCount + 1;
  if (store.FirstVisibleBar < 1) store.FirstVisibleBar = 1;
  if (store.VisibleBarCount > store.BarCount) store.VisibleBarCount = store.BarCount;
}

int LastFirstVisibleBar(const QuoteStore& store) {
  return std::max(1, store.BarCount - store.VisibleBarCount + 1);
}

ScrollResult ScrollView(QuoteStore& store, int delta) {
  const int wanted = store.FirstVisibleBar + delta;
  const int clamped = std::clamp(wanted, 1, LastFirstVisibleBar(store));
  const ScrollResult result{clamped != store.FirstVisibleBar, clamped != wanted};
  store.FirstVisibleBar = clamped;
  return result;
}

Status ChoosePeriodToPlot(Workspace& workspace, std::string_view answer) {
  if (Trim(answer).empty()) return Status::Ok();
  // A negative count or one above the bars a stock can hold would leave the
  // chart without a window to draw.
  const int bars = std::clamp(TextToInt(answer), 1, MaxQuotes);
  return SetBarsToPlot(workspace, std::to_string(bars));
}

void ZoomIn(Workspace& workspace) {
  QuoteStore& store = workspace.Quotes();
  store.VisibleBarCount -= 5;
  store.FirstVisibleBar += 3;
  FinishZoom(workspace);
}

void ZoomOut(Workspace& workspace) {
  workspace.Quotes().VisibleBarCount += 5;
  FinishZoom(workspace);
}

void CentreOnMarker(QuoteStore& store) {
  if (store.MarkerBar != 0) store.FirstVisibleBar = store.MarkerBar - store.VisibleBarCount / 2;
}

void ChangePeriodicity(Workspace& workspace, Periodicity period) {
  QuoteStore& store = workspace.Quotes();
  store.Period = period;
  RebuildBars(workspace);
  // The rebuild may have narrowed the window to fewer bars; the marker is
  // centred in the window the preference asks for, clamped when the next frame is prepared.
  store.VisibleBarCount = std::max(1, workspace.Prefs.Integer("ENbD"));
  CentreOnMarker(store);
}

DateSeekerLayout LayOutDateSeeker(const QuoteStore& store, int stripWidth) {
  DateSeekerLayout layout;
  const int track = stripWidth - 16;
  const int bars = std::max(1, store.BarCount);
  layout.ThumbWidth =
      std::min(track, static_cast<int>(static_cast<double>(track) / bars * store.VisibleBarCount));
  layout.ThumbLeft =
      static_cast<int>(std::ceil(static_cast<double>(store.FirstVisibleBar) * track / bars + 8));
  if (store.BarCount < 1) return layout;
  layout.YearMarks.push_back({8, TwoDigitYear(store.BarSeries[1].Date), false});
  int year = DateOf(store.BarSeries[1].Date).Year;
  for (int i = 2; i <= store.BarCount; ++i) {
    const int barYear = DateOf(store.BarSeries[static_cast<size_t>(i)].Date).Year;
    if (barYear == year) continue;
    year = barYear;
    const int x = static_cast<int>(static_cast<double>(i) * track / bars + 8);
    layout.YearMarks.push_back(
        {x, TwoDigitYear(store.BarSeries[static_cast<size_t>(i)].Date), true});
  }
  layout.YearMarks.push_back(
      {stripWidth - 8, TwoDigitYear(store.BarSeries[static_cast<size_t>(store.BarCount)].Date),
       false});
  return layout;
}

int FirstBarForThumb(const QuoteStore& store, int thumbLeft, int thumbWidth, int stripWidth) {
  const int last = LastFirstVisibleBar(store);
  if (thumbLeft <= 8) return 1;
  if (thumbLeft + thumbWidth >= stripWidth - 8) return last;
  const double track = stripWidth - 16;
  const int bar = static_cast<int>(std::ceil(store.BarCount / track * (thumbLeft - 8)));
  return std::clamp(bar, 1, last);
}

}  // namespace chartorium
