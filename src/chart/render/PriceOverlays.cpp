// The overlays of the price pane: parabolic SAR, Bollinger bands, the moving
// averages with their legends, ZigZag and quadrant lines.
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/render/Colours.h"
#include "chart/render/PriceDrawing.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

void DrawSar(const PriceDrawing& d) {
  const Single bw = d.Scale.BarWidth;
  const int third = static_cast<int>(std::floor(bw / 3));
  const QColor colour = ToQColor(d.Colours.Sar);
  for (const SarMark& sar : d.Studies().Sar) {
    const int j = sar.Bar;
    const int left = d.SlotLeft(j) + third;
    int right = d.Scale.PlotLeft +
                static_cast<int>(std::trunc(static_cast<Extended>(j - d.First + 1) * bw)) - third;
    right = std::max(right, left + 2);
    const int y = sar.Y;
    int other = sar.Above ? y - third : y + third;
    if (std::abs(other - y) < 2) other = sar.Above ? y - 2 : y + 2;
    d.Painter.fillRect(
        QRect(QPoint(left, std::min(y, other)), QPoint(right - 1, std::max(y, other) - 1)), colour);
  }
}

// The value of a visible-bar series at bar j.
template <typename T>
T At(const std::vector<T>& values, const PriceDrawing& d, int bar) {
  return values[static_cast<size_t>(bar - d.First)];
}

void DrawBands(const PriceDrawing& d) {
  const PriceStudies& s = d.Studies();
  std::vector<QLine> lines;
  lines.reserve(2 * static_cast<size_t>(d.Last - d.First + 1));
  for (int j = d.First; j < d.Last; ++j) {
    if (At(s.UpperBand, d, j) == 0 || At(s.LowerBand, d, j) == 0) continue;
    const int x1 = d.Bar(j).X;
    const int x2 = d.Bar(j + 1).X;
    lines.emplace_back(x1, At(s.UpperBandY, d, j), x2, At(s.UpperBandY, d, j + 1));
    lines.emplace_back(x1, At(s.LowerBandY, d, j), x2, At(s.LowerBandY, d, j + 1));
  }
  d.Painter.setPen(d.LinePen(d.Colours.Bands));
  d.Painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void DrawAverage(const PriceDrawing& d, const AverageLine& average) {
  QPainter& painter = d.Painter;
  const std::uint32_t colour = average.Colour;
  painter.setFont(ChartFont("Arial", 7));
  const QString legend = QString::fromStdString(average.Legend);
  const int w = TextWidth(painter, legend);
  const int h = TextHeight(painter);
  const int x = d.Scale.PlotRight - w * average.LegendWidths;
  const int top = d.Pane.Top + 10;
  const std::uint32_t background = d.Colours.Background;
  painter.setPen(ChartPen(colour));
  TextOut(painter, x, top, legend, &background);
  const int disc = static_cast<int>(std::ceil(h / 2.0));
  painter.setPen(d.LinePen(d.Colours.Axis));
  painter.setBrush(ToQColor(colour));
  // The disc's box is [left, left + disc) on both axes.
  painter.drawEllipse(x - disc - 2, top + static_cast<int>(std::ceil(h / 4.0)), disc - 1, disc - 1);
  painter.setBrush(Qt::NoBrush);
  std::vector<QLine> lines;
  lines.reserve(static_cast<size_t>(d.Last - d.First + 1));
  for (int j = d.First; j < d.Last; ++j) {
    if (At(average.Values, d, j) == 0) continue;
    const int x1 = d.Bar(j).X;
    lines.emplace_back(x1, At(average.Ys, d, j),
                       static_cast<int>(std::trunc(x1 + d.Scale.BarWidth)),
                       At(average.Ys, d, j + 1));
  }
  painter.setPen(d.LinePen(colour));
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void DrawZigZag(const PriceDrawing& d) {
  d.Painter.setPen(d.LinePen(d.Colours.ZigZag));
  const std::vector<int>& points = d.Studies().ZigZag;
  for (size_t i = 1; i < points.size(); ++i) {
    const FrameBar& from = d.Bar(points[i - 1]);
    const FrameBar& to = d.Bar(points[i]);
    d.Painter.drawLine(QPoint(from.X, from.YClose), QPoint(to.X, to.YClose));
  }
}

// Solid lines, then dotted ones, from bar From to bar To.
void DrawLevels(const PriceDrawing& d, const LevelSpan& span, std::uint32_t colour) {
  const int x1 = d.X(span.From);
  const int x2 = d.X(span.To);
  d.Painter.setPen(d.LinePen(colour));
  for (const Extended level : span.Solid) d.Painter.drawLine(x1, d.Y(level), x2, d.Y(level));
  d.Painter.setPen(d.LinePen(colour, Qt::DotLine));
  for (const Extended level : span.Dotted) d.Painter.drawLine(x1, d.Y(level), x2, d.Y(level));
}

}  // namespace

void DrawPriceOverlays(const PriceDrawing& d) {
  const PriceStudies& studies = d.Studies();
  DrawSar(d);
  DrawSpeedResistance(d);
  if (!studies.UpperBand.empty()) DrawBands(d);
  if (studies.ShortAverage) DrawAverage(d, *studies.ShortAverage);
  if (studies.LongAverage) DrawAverage(d, *studies.LongAverage);
  DrawZigZag(d);
  for (const LevelSpan& block : studies.Quadrants) DrawLevels(d, block, d.Colours.Quadrants);
  if (studies.FibonacciTimeZones) DrawFibonacciTimeZones(d);
  constexpr std::uint32_t Red = 0x0000FF;
  if (studies.FibonacciRetracements) DrawLevels(d, *studies.FibonacciRetracements, Red);
  DrawFibonacciFans(d);
}

}  // namespace chartorium
