// Price grid, pane layout and pixel mappings of the price pane.
#include "chart/ChartScale.h"

#include <cmath>

#include "chart/ChartView.h"
#include "core/Workspace.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

constexpr Extended Units = 10000;
constexpr int ValueLabelWidth = 55;

}  // namespace

PriceGrid Bornes(Single& rangeHigh, Single rangeLow) {
  Extended r = static_cast<Extended>(rangeHigh) - rangeLow;
  if (r == 0) {
    rangeHigh = ToSingle(static_cast<Extended>(rangeHigh) + 1);
    r = 1;
  }
  int c = 0;
  while (r > 10) r /= 10, ++c;
  while (r < 1) r *= 10, --c;
  const Extended ceiling = std::ceil(r);
  const int divisor = ceiling <= 1 ? 10 : ceiling <= 2 ? 4 : ceiling <= 4 ? 2 : 1;
  PriceGrid grid;
  grid.Step = static_cast<std::int64_t>(std::nearbyint(std::pow(10.0L, c) / divisor * Units));
  if (grid.Step == 0) grid.Step = 1;
  grid.Bottom = static_cast<std::int64_t>(std::floor(rangeLow * Units / grid.Step)) * grid.Step;
  const Extended high = rangeHigh * Units;
  std::int64_t n = static_cast<std::int64_t>(std::ceil((high - grid.Bottom) / grid.Step));
  if (n < 1) n = 1;
  // Guard the division against rounding: n is the smallest count that reaches the high.
  while (n > 1 && static_cast<Extended>((n - 1) * grid.Step + grid.Bottom) >= high) --n;
  while (static_cast<Extended>(n * grid.Step + grid.Bottom) < high) ++n;
  grid.Top = n * grid.Step + grid.Bottom;
  return grid;
}

HautBasMode RangeModeFor(const ShownOverlays& overlays) {
  if (overlays.BollingerBands) return HautBasMode::WithBands;
  if (!overlays.ShortAverage && !overlays.LongAverage) return HautBasMode::PricesAfterOverlays;
  return HautBasMode::WithAverages;
}

ChartScale ComputePriceScale(Workspace& workspace, const PaneRect& pane,
                             const ShownOverlays& overlays, const PriceTextHeights& heights) {
  ClampView(workspace.Quotes());
  const QuoteStore& store = workspace.Quotes();
  ChartScale scale;
  scale.FirstVisibleBar = store.FirstVisibleBar;
  // The range covers the plotted bars and the one after them, when it exists.
  const PriceRange range =
      HautBas(workspace, store.FirstVisibleBar, store.FirstVisibleBar + store.VisibleBarCount,
              RangeModeFor(overlays));
  scale.RangeHigh = range.High;
  scale.RangeLow = range.Low;
  scale.Grid = Bornes(scale.RangeHigh, scale.RangeLow);
  scale.GridSpan = ToSingle(static_cast<Extended>(scale.Grid.Top - scale.Grid.Bottom) / Units);

  scale.PlotLeft = pane.Left + static_cast<int>(0.05L * pane.Width);
  scale.PlotRight = pane.Left + pane.Width - ValueLabelWidth;
  scale.PlotTop = ToSingle(static_cast<Extended>(pane.Top) + 10 + heights.Caption);
  Extended bottom = static_cast<Extended>(pane.Top) + pane.Height - 7;
  if (workspace.Prefs.Flag("CBY")) bottom -= heights.MonthName;
  scale.PlotBottom = ToSingle(bottom);
  const bool atTheEnd = store.FirstVisibleBar + store.VisibleBarCount >= store.BarCount;
  const int extra = atTheEnd ? workspace.Prefs.Integer("EAdd") : 0;
  const int slots = store.VisibleBarCount + extra;
  scale.BarWidth =
      slots > 0 ? ToSingle(static_cast<Extended>(scale.PlotRight - scale.PlotLeft) / slots) : 0;
  scale.PixelsPerUnit =
      ToSingle((static_cast<Extended>(scale.PlotBottom) - scale.PlotTop) / scale.GridSpan);
  return scale;
}

int BarToX(const ChartScale& scale, int bar) {
  const Extended offset =
      static_cast<Extended>(bar - scale.FirstVisibleBar) * scale.BarWidth + scale.BarWidth / 2.0L;
  return scale.PlotLeft + static_cast<int>(std::trunc(offset));
}

int ValueToY(const ChartScale& scale, Extended value) {
  const Extended y = (static_cast<Extended>(scale.PlotBottom) * Units -
                      (value * Units - scale.Grid.Bottom) * scale.PixelsPerUnit) /
                     Units;
  return static_cast<int>(std::trunc(y));
}

int XToBar(const ChartScale& scale, int x, int paneWidth) {
  if (scale.BarWidth <= 0) return scale.FirstVisibleBar;
  const Extended offset = (x - 0.05L * paneWidth) / scale.BarWidth;
  return scale.FirstVisibleBar + static_cast<int>(std::floor(offset));
}

std::int64_t YToValue(const ChartScale& scale, int y) {
  if (scale.PixelsPerUnit == 0) return scale.Grid.Bottom;
  const Extended value =
      (static_cast<Extended>(scale.PixelsPerUnit) * scale.Grid.Bottom +
       static_cast<Extended>(scale.PlotBottom) * Units - static_cast<Extended>(y) * Units) /
      scale.PixelsPerUnit;
  return static_cast<std::int64_t>(std::nearbyint(value));
}

}  // namespace chartorium
