// The drawn studies of the price pane: support and resistance histogram,
// speed resistance lines, Fibonacci time zones, retracements and fans.
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/render/Colours.h"
#include "chart/render/PriceDrawing.h"
#include "chart/render/RenderText.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

int VisibleCount(const PriceDrawing& d) {
  return d.Space.Quotes().VisibleBarCount;
}

// The bar one past the window, limited to the bars that exist.
int WindowEnd(const PriceDrawing& d) {
  return std::min(d.Space.Quotes().BarCount, d.First + VisibleCount(d));
}

// The bar with the lowest (or highest) close of first..last, the earliest on ties.
int ExtremeClose(const PriceDrawing& d, int first, int last, bool highest) {
  int best = first;
  for (int j = first + 1; j <= last; ++j) {
    const Single close = d.Bar(j).Close;
    if (highest ? close > d.Bar(best).Close : close < d.Bar(best).Close) best = j;
  }
  return best;
}

// x of a fractional bar position, centred in its slot.
int XAt(const PriceDrawing& d, Extended position) {
  return d.Scale.PlotLeft + static_cast<int>(std::trunc((position - d.First) * d.Scale.BarWidth +
                                                        d.Scale.BarWidth / 2.0L));
}

// A ray from (w, low) rising by `r` over dx bars, extended to the grid top or
// cut at the window's right edge.
void DrawRay(const PriceDrawing& d, int w, Extended low, Extended r, int dx) {
  if (r == 0 || dx == 0) return;
  const Extended gridTop = d.Scale.Grid.Top / 10000.0L;
  Extended e = ((gridTop - low) - r) * dx / r;
  Extended rise = gridTop - low;
  if (w - d.First + dx + e > VisibleCount(d)) {
    e = VisibleCount(d) + d.First - w - dx;
    rise = r * (dx + e) / dx;
  }
  d.Painter.drawLine(XAt(d, w), d.Y(low), XAt(d, w + dx + e), d.Y(low + rise));
}

}  // namespace

void DrawSupportResistance(const PriceDrawing& d) {
  const PriceGrid& grid = d.Scale.Grid;
  const std::int64_t q =
      static_cast<std::int64_t>(std::nearbyint((grid.Top - grid.Bottom) * 400.0L / 10000));
  if (q <= 0) return;
  const std::int64_t bins = (grid.Top - grid.Bottom) / q;
  if (bins <= 0) return;
  std::vector<int> counts(static_cast<size_t>(bins), 0);
  for (int j = d.First; j <= d.Last; ++j) {
    const auto bin =
        static_cast<std::int64_t>(std::floor((d.Bar(j).Close * 10000.0L - grid.Bottom) / q));
    ++counts[static_cast<size_t>(std::clamp<std::int64_t>(bin, 0, bins - 1))];
  }
  const int most = *std::max_element(counts.begin(), counts.end());
  if (most == 0) return;
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
  painter.setBrush(ToQColor(d.Colour("C20")));
  for (std::int64_t i = 0; i < bins; ++i) {
    const int top = d.Y((grid.Bottom + (i + 1) * q) / 10000.0L);
    const int right = d.Scale.PlotLeft + counts[static_cast<size_t>(i)] * width / most;
    const QRect bar(d.Scale.PlotLeft, top, right - d.Scale.PlotLeft, previousTop - top);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    previousTop = top;
  }
  painter.restore();
}

void DrawSpeedResistance(const PriceDrawing& d) {
  const int visible = VisibleCount(d);
  const int w = ExtremeClose(d, d.First, std::min(d.Last, d.First + (visible + 1) / 2), false);
  const Extended low = d.Bar(w).Close;
  int b = ExtremeClose(d, w, WindowEnd(d), true);
  Extended high = d.Bar(b).Close;
  if (high == low) high = low + 1;
  if (b == w) b = w + 1;
  d.Painter.setPen(d.LinePen(d.Colour("C6")));
  const Extended spread = high - low;
  for (const Extended r : {spread, spread / 3, 2 * spread / 3}) DrawRay(d, w, low, r, b - w);
}

void DrawFibonacciFans(const PriceDrawing& d) {
  const int visible = VisibleCount(d);
  int w = ExtremeClose(d, d.First, std::min(d.Last, d.First + (visible + 1) / 2), false);
  Extended low = d.Bar(w).Close;
  int b = ExtremeClose(d, w, WindowEnd(d), true);
  const Extended high = d.Bar(b).Close;
  if (high == low) {
    // A falling window: the lowest close moves right and the rays point back to the left.
    for (int j = w; j <= WindowEnd(d); ++j) {
      if (d.Bar(j).Close >= low) continue;
      low = d.Bar(j).Close;
      b = w;
      w = j;
    }
  }
  if (high == low) return;
  d.Painter.setPen(d.LinePen(d.Colour("C6")));
  for (const Extended ratio : {1.0L, 0.5L, 0.382L, 0.618L})
    DrawRay(d, w, low, (high - low) * ratio, b - w);
}

void DrawFibonacciTimeZones(const PriceDrawing& d) {
  const int visible = VisibleCount(d);
  const int w = ExtremeClose(d, d.First, std::min(d.Last, d.First + visible / 4), false);
  const int top = static_cast<int>(d.Scale.PlotTop);
  const int bottom = static_cast<int>(d.Scale.PlotBottom);
  d.Painter.setPen(d.LinePen(0, Qt::DotLine));
  DrawLineTo(d.Painter, d.X(w), bottom, d.X(w), top);
  d.Painter.setPen(d.LinePen(0));
  // f runs 1, 2, 3, 5, 8, ...; g is the number two places before it (0, 1, 1, 2, 3, ...).
  long long g = 0, previous = 1, f = 1;
  while (true) {
    const int x = XAt(d, static_cast<Extended>(w) + f);
    DrawLineTo(d.Painter, x, bottom, x, top);
    if (d.First + visible < w + f + g) break;
    const long long next = f + previous;
    g = previous;
    previous = f;
    f = next;
    if (f > 4 * MaxQuotes) break;
  }
}

void DrawFibonacciRetracements(const PriceDrawing& d) {
  const int visible = VisibleCount(d);
  const int w = ExtremeClose(d, d.First, std::min(d.Last, d.First + visible / 2), false);
  const Extended low = d.Bar(w).Close;
  const Extended high = d.Bar(ExtremeClose(d, w, WindowEnd(d), true)).Close;
  const Extended spread = high - low;
  const int x1 = d.X(w);
  const int x2 = d.X(d.First + visible);
  constexpr std::uint32_t Red = 0x0000FF;
  d.Painter.setPen(d.LinePen(Red));
  for (const Extended level : {high, low}) d.Painter.drawLine(x1, d.Y(level), x2, d.Y(level));
  d.Painter.setPen(d.LinePen(Red, Qt::DotLine));
  for (const Extended level : {low + 0.5L * spread, high - 0.236L * spread, high - 0.382L * spread,
                               high - 0.618L * spread})
    d.Painter.drawLine(x1, d.Y(level), x2, d.Y(level));
}

}  // namespace chartorium
