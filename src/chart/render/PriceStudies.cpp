// The drawn studies of the price pane: support and resistance histogram,
// speed resistance lines, Fibonacci time zones and fans.
#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <vector>

#include "chart/render/Colours.h"
#include "chart/render/PriceDrawing.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

// x of a fractional bar position, centred in its slot.
int XAt(const PriceDrawing& d, Extended position) {
  return d.Scale.PlotLeft + static_cast<int>(std::trunc((position - d.First) * d.Scale.BarWidth +
                                                        d.Scale.BarWidth / 2.0L));
}

void DrawRays(const PriceDrawing& d, const std::vector<Ray>& rays) {
  d.Painter.setPen(d.LinePen(d.Colours.Studies));
  for (const Ray& ray : rays)
    d.Painter.drawLine(XAt(d, ray.From), d.Y(ray.FromValue), XAt(d, ray.To), d.Y(ray.ToValue));
}

}  // namespace

void DrawSupportResistance(const PriceDrawing& d) {
  const PriceHistogram& histogram = *d.Studies().SupportResistance;
  const PriceGrid& grid = d.Scale.Grid;
  const std::int64_t q = histogram.BinHeight;
  if (histogram.Most == 0) return;
  QPainter& painter = d.Painter;
  const int width = d.Scale.PlotRight - d.Scale.PlotLeft;
  int previousTop = static_cast<int>(d.Scale.PlotBottom);
  // In mask mode both the black outline and the inside are ANDed with what
  // lies under them, so the grid shows through the bars. Devices without
  // raster operations (printers, recorded pictures) get plain bars.
  painter.save();
  if (painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  painter.setPen(ChartPen(0));
  painter.setBrush(ToQColor(d.Colours.PriceHistogram));
  for (size_t i = 0; i < histogram.Counts.size(); ++i) {
    const int top = d.Y((grid.Bottom + static_cast<std::int64_t>(i + 1) * q) / 10000.0L);
    const int right = d.Scale.PlotLeft + histogram.Counts[i] * width / histogram.Most;
    const QRect bar(d.Scale.PlotLeft, top, right - d.Scale.PlotLeft, previousTop - top);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    previousTop = top;
  }
  painter.restore();
}

void DrawSpeedResistance(const PriceDrawing& d) {
  if (!d.Studies().SpeedLines.empty()) DrawRays(d, d.Studies().SpeedLines);
}

void DrawFibonacciFans(const PriceDrawing& d) {
  if (!d.Studies().FibonacciFans.empty()) DrawRays(d, d.Studies().FibonacciFans);
}

void DrawFibonacciTimeZones(const PriceDrawing& d) {
  const TimeZones& zones = *d.Studies().FibonacciTimeZones;
  const int top = static_cast<int>(d.Scale.PlotTop);
  const int bottom = static_cast<int>(d.Scale.PlotBottom);
  d.Painter.setPen(d.LinePen(0, Qt::DotLine));
  DrawLineTo(d.Painter, d.X(zones.Start), bottom, d.X(zones.Start), top);
  d.Painter.setPen(d.LinePen(0));
  for (const long long f : zones.Offsets) {
    const int x = XAt(d, static_cast<Extended>(zones.Start) + f);
    DrawLineTo(d.Painter, x, bottom, x, top);
  }
}

}  // namespace chartorium
