// The mouse over the chart.
#include "chart/ChartPointer.h"

#include <cmath>
#include <cstdlib>

#include "chart/BarData.h"
#include "chart/ChartScale.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

constexpr int TooltipDistance = 10;
constexpr int ValueLabelWidth = 55;

}  // namespace

PointerReading ReadPointer(const Workspace& workspace, const ChartScale& scale, int x, int y,
                           int paneWidth, bool overPricePane, bool markerOn, int shownBar) {
  const QuoteStore& store = workspace.Quotes();
  PointerReading reading;
  reading.Bar = store.FirstVisibleBar + BarOffsetAt(workspace, scale, x, paneWidth);
  if (reading.Bar > store.BarCount) reading.Bar = store.BarCount;
  if (overPricePane)
    reading.ValueText = "Y: " + PriceText(static_cast<double>(YToValue(scale, y)) / 10000.0);
  if (markerOn) return reading;
  reading.ShowData = reading.Bar != shownBar;
  if (overPricePane && reading.Bar >= 1) {
    const int closeY = ValueToY(scale, store.BarSeries[static_cast<size_t>(reading.Bar)].Close);
    reading.NearClose = std::abs(y - closeY) <= TooltipDistance;
  }
  return reading;
}

int SetMarkerAt(Workspace& workspace, const ChartScale& scale, int x, int paneWidth) {
  QuoteStore& store = workspace.Quotes();
  store.MarkerBar = store.FirstVisibleBar + BarOffsetAt(workspace, scale, x, paneWidth);
  if (store.MarkerBar > store.BarCount) store.MarkerBar = store.BarCount;
  return store.MarkerBar;
}

std::optional<int> MarkerLineXOf(const Workspace& workspace, const ChartScale& scale,
                                 int paneWidth) {
  const QuoteStore& store = workspace.Quotes();
  const int offset = store.MarkerBar - store.FirstVisibleBar;
  if (store.MarkerBar == 0 || offset < 0 || offset >= store.VisibleBarCount) return std::nullopt;
  return MarkerLineX(scale, offset, paneWidth);
}

bool InPlot(const ChartScale& scale, int x, int y, int paneWidth) {
  const int left = static_cast<int>(std::trunc(0.05 * paneWidth));
  return x >= left && x <= paneWidth - ValueLabelWidth && y >= scale.PlotTop &&
         y <= scale.PlotBottom;
}

}  // namespace chartorium
