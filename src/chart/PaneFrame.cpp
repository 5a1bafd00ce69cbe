// Preparing an indicator pane. Values are kept in units of 1/10000 for the
// range and grid, like the price pane's.
#include "chart/PaneFrame.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "chart/IndicatorPanes.h"
#include "core/StockSettingsFile.h"
#include "core/TextHelpers.h"

namespace chartorium {
namespace {

// The first visible bar of an indicator with a value that is not 0; the last
// visible bar when there is none.
int FirstValue(const PaneValues& values, int indicator, int first, int last) {
  for (int bar = first; bar < last; ++bar)
    if (values.Value(indicator, bar) != 0) return bar;
  return last;
}

// The pane's low and high over its indicators' visible values, leading zeros
// skipped (an indicator that is 0 throughout still brings its 0).
PriceGrid PaneGrid(const PaneValues& values, int first, int last) {
  bool any = false;
  std::int64_t low = 0, high = 0;
  for (int k = 0; k < values.IndicatorCount(); ++k) {
    for (int bar = FirstValue(values, k, first, last); bar <= last; ++bar) {
      const auto units = static_cast<std::int64_t>(std::llround(values.Value(k, bar) * 10000));
      if (!any || units < low) low = units;
      if (!any || units > high) high = units;
      any = true;
    }
  }
  if (low == high) high += 10000;  // an all-zero pane gets the range 0 .. 1
  Single rangeHigh = static_cast<Single>(high / 10000.0L);
  PriceGrid grid = Bornes(rangeHigh, static_cast<Single>(low / 10000.0L));
  if (grid.Top == grid.Bottom) grid.Top += 1;
  if (grid.Step == 0) grid.Step = 10000;
  return grid;
}

std::string AxisLabel(Extended units, std::int64_t top) {
  if (std::llabs(top) > 1000000LL * 10000)
    return std::to_string(static_cast<long long>(std::ceil(units / 10000 / 1000))) + "k";
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, static_cast<double>(units / 10000));
  return std::string(text, end.ptr);
}

int ItemCount(const std::string& list) {
  return list.empty() ? 0 : 1 + static_cast<int>(std::count(list.begin(), list.end(), ';'));
}

std::uint32_t ItemColour(const IndicatorSlot& lists, int item) {
  return static_cast<std::uint32_t>(TextToNumber(FieldOf(lists.Colours, item, ";")));
}

// Indicator k of the values takes item k + 1 of the lists, so when a name gave
// no values the later indicators take the looks of the items before them.
std::vector<PaneSeries> SeriesOf(const PaneValues& values, const IndicatorSlot& lists, int first,
                                 int last) {
  std::vector<PaneSeries> series;
  for (int k = 0; k < values.IndicatorCount(); ++k) {
    const int start = FirstValue(values, k, first, last);
    if (values.Value(k, start) == 0) continue;  // nothing to draw in the window
    PaneSeries one;
    one.Colour = ItemColour(lists, k + 1);
    one.Line = FieldOf(lists.LineFlags, k + 1, ";") == "1";
    one.Width = std::max(1, TextToInt(FieldOf(lists.Widths, k + 1, ";")));
    one.Start = start;
    for (int bar = first; bar <= last; ++bar) one.Values.push_back(values.Value(k, bar));
    series.push_back(std::move(one));
  }
  return series;
}

}  // namespace

int PaneFrame::Y(Extended value) const {
  return static_cast<int>(
      std::trunc((Bottom * 10000 - (value * 10000 - Grid.Bottom) * PixelsPerUnit) / 10000));
}

PaneFrame PreparePaneFrame(const PaneValues& values, const IndicatorSlot& lists,
                           const PaneRect& pane, int first, int last, Single barWidth,
                           const PaneTextHeights& heights, bool dates) {
  PaneFrame frame;
  frame.Pane = pane;
  frame.First = first;
  frame.Last = last;
  frame.PlotLeft = pane.Left + static_cast<int>(0.05 * pane.Width);
  frame.PlotRight = pane.Left + pane.Width - 55;
  frame.BarWidth = barWidth;

  frame.Grid = PaneGrid(values, first, last);
  frame.Bottom = pane.Top + pane.Height - 7 - (dates ? heights.MonthName : 0);
  frame.Top = pane.Top + heights.Caption / 2 + 3;
  frame.PixelsPerUnit = (frame.Bottom - frame.Top) /
                        static_cast<Extended>(frame.Grid.Top - frame.Grid.Bottom) * 10000;

  const std::int64_t n = (frame.Grid.Top - frame.Grid.Bottom) / frame.Grid.Step;
  frame.Quarter = n * static_cast<Extended>(frame.Grid.Step) / 4;
  for (int q = 0; q <= 4; ++q) {
    const Extended units = frame.Grid.Bottom + q * frame.Quarter;
    frame.Axis[static_cast<size_t>(q)] = {units, AxisLabel(units, frame.Grid.Top)};
  }

  for (int bar = first; bar <= last + 1; ++bar) {
    const Extended offset = static_cast<Extended>(bar - first) * barWidth;
    frame.SlotLefts.push_back(frame.PlotLeft + static_cast<int>(std::trunc(offset)));
    if (bar <= last)
      frame.Xs.push_back(frame.PlotLeft + static_cast<int>(std::trunc(offset + barWidth / 2.0L)));
  }
  frame.Series = SeriesOf(values, lists, first, last);
  for (PaneSeries& series : frame.Series)
    for (const double value : series.Values) series.Ys.push_back(frame.Y(value));
  const Extended bottom = frame.Grid.Bottom / 10000.0L;
  const Extended top = frame.Grid.Top / 10000.0L;
  frame.HistogramBase = bottom >= 0 ? bottom : (top > 0 ? 0 : top);
  frame.ZeroLine = bottom < 0;
  for (int i = 1; i <= ItemCount(values.Levels); ++i) {
    const double level = TextToNumber(FieldOf(values.Levels, i, ";"));
    if (level >= bottom && level <= top) frame.Levels.push_back(level);
  }
  for (int k = 1; k <= ItemCount(lists.Names); ++k)
    frame.Legend.push_back({FieldOf(lists.Names, k, ";"), ItemColour(lists, k)});
  return frame;
}

}  // namespace chartorium
