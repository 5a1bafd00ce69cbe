// The overlays of the price pane: parabolic SAR, Bollinger bands, the moving
// averages with their legends, ZigZag and quadrant lines.
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/render/PriceDrawing.h"
#include "chart/render/PricePane.h"
#include "chart/render/RenderText.h"
#include "core/HautBas.h"
#include "core/Preferences.h"
#include "core/Workspace.h"
#include "core/ui/Colours.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

void DrawSar(const PriceDrawing& d) {
  Workspace& workspace = d.Space;
  static_cast<void>(ComputeIndicator(workspace, "SAR"));  // a paint shows no message
  const int series = workspace.Indicators.Find("SAR");
  if (series < 0) return;
  const Single bw = d.Scale.BarWidth;
  const int third = static_cast<int>(std::floor(bw / 3));
  const QColor colour = ToQColor(d.Colour("C21"));
  for (int j = d.First; j <= d.Last; ++j) {
    const Single sar = workspace.Indicators.Value(series, j);
    if (sar == 0) continue;
    const int left = d.SlotLeft(j) + third;
    int right = d.Scale.PlotLeft +
                static_cast<int>(std::trunc(static_cast<Extended>(j - d.First + 1) * bw)) - third;
    right = std::max(right, left + 2);
    const int y = d.Y(sar);
    int other = sar > d.Bar(j).High ? y - third : y + third;
    if (std::abs(other - y) < 2) other = sar > d.Bar(j).High ? y - 2 : y + 2;
    d.Painter.fillRect(
        QRect(QPoint(left, std::min(y, other)), QPoint(right - 1, std::max(y, other) - 1)), colour);
  }
}

void DrawBands(const PriceDrawing& d) {
  const PriceOverlays& overlays = d.Space.Indicators.Overlays();
  std::vector<QLine> lines;
  lines.reserve(2 * static_cast<size_t>(d.Last - d.First + 1));
  for (int j = d.First; j < d.Last; ++j) {
    if (overlays.UpperBand[j] == 0 || overlays.LowerBand[j] == 0) continue;
    const int x1 = d.X(j);
    const int x2 = d.X(j + 1);
    lines.emplace_back(x1, d.Y(overlays.UpperBand[j]), x2, d.Y(overlays.UpperBand[j + 1]));
    lines.emplace_back(x1, d.Y(overlays.LowerBand[j]), x2, d.Y(overlays.LowerBand[j + 1]));
  }
  d.Painter.setPen(d.LinePen(d.Colour("C2")));
  d.Painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

QString AverageLegend(int type, const std::string& period) {
  const char* kind = type == 1 ? "EMA" : type == 2 ? "LREG" : "MA";
  return QString::fromLatin1(kind) + QString::fromStdString(period);
}

void DrawAverage(const PriceDrawing& d, const SeriesValues& values, const char* colourField,
                 const char* periodField, const char* typeField, int legendWidths) {
  QPainter& painter = d.Painter;
  const std::uint32_t colour = d.Colour(colourField);
  painter.setFont(ChartFont("Arial", 7));
  const QString legend = AverageLegend(d.Prefs().Integer(typeField), d.Prefs().Text(periodField));
  const int w = TextWidth(painter, legend);
  const int h = TextHeight(painter);
  const int x = d.Scale.PlotRight - w * legendWidths;
  const int top = d.Pane.Top + 10;
  const std::uint32_t background = d.Colour("C5");
  painter.setPen(ChartPen(colour));
  TextOut(painter, x, top, legend, &background);
  const int disc = static_cast<int>(std::ceil(h / 2.0));
  painter.setPen(d.LinePen(d.Colour("C17")));
  painter.setBrush(ToQColor(colour));
  // The disc's box is [left, left + disc) on both axes.
  painter.drawEllipse(x - disc - 2, top + static_cast<int>(std::ceil(h / 4.0)), disc - 1, disc - 1);
  painter.setBrush(Qt::NoBrush);
  std::vector<QLine> lines;
  lines.reserve(static_cast<size_t>(d.Last - d.First + 1));
  for (int j = d.First; j < d.Last; ++j) {
    if (values[j] == 0) continue;
    const int x1 = d.X(j);
    lines.emplace_back(x1, d.Y(values[j]), static_cast<int>(std::trunc(x1 + d.Scale.BarWidth)),
                       d.Y(values[j + 1]));
  }
  painter.setPen(d.LinePen(colour));
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void DrawAverages(const PriceDrawing& d) {
  const ShownOverlays& shown = d.Options.Buttons.Overlays;
  const PriceOverlays& overlays = d.Space.Indicators.Overlays();
  // With both averages shown the short one's legend stands three widths to the left.
  if (shown.ShortAverage)
    DrawAverage(d, overlays.ShortAverage, "C3", "EMCT", "MAT1", shown.LongAverage ? 3 : 1);
  if (shown.LongAverage) DrawAverage(d, overlays.LongAverage, "C4", "EMLT", "MAT2", 1);
}

void DrawZigZag(const PriceDrawing& d) {
  d.Painter.setPen(d.LinePen(d.Colour("C9")));
  const Extended threshold = d.Prefs().Number("EZZ");
  QPoint at(d.X(d.First), d.Y(d.Bar(d.First).Close));
  for (int j = d.First + 1; j <= d.Last; ++j) {
    const Single close = d.Bar(j).Close;
    if (close == 0) break;
    const Extended change =
        std::fabs(static_cast<Extended>(close) - d.Bar(j - 1).Close) / close * 100;
    if (change <= threshold) continue;
    const QPoint next(d.X(j), d.Y(close));
    d.Painter.drawLine(at, next);
    at = next;
  }
  d.Painter.drawLine(at, QPoint(d.X(d.Last), d.Y(d.Bar(d.Last).Close)));
}

void DrawQuadrants(const PriceDrawing& d) {
  const int blocks = d.Space.Quotes().VisibleBarCount / 20;
  for (int k = 0; k < blocks; ++k) {
    const int from = d.First + 20 * k;
    const int to = from + 20;
    const PriceRange range = HautBas(d.Space.Quotes(), from, to, PricesOnly);
    const Extended high = range.High;
    const Extended spread = high - range.Low;
    const int x1 = d.X(from);
    const int x2 = d.X(to);
    d.Painter.setPen(d.LinePen(d.Colour("C8")));
    for (const Extended level :
         {high, static_cast<Extended>(range.Low), high - 0.75L * spread, high - 0.25L * spread})
      d.Painter.drawLine(x1, d.Y(level), x2, d.Y(level));
    d.Painter.setPen(d.LinePen(d.Colour("C8"), Qt::DotLine));
    d.Painter.drawLine(x1, d.Y(high - 0.5L * spread), x2, d.Y(high - 0.5L * spread));
  }
}

}  // namespace

void DrawPriceOverlays(const PriceDrawing& d) {
  const ChartButtons& buttons = d.Options.Buttons;
  if (buttons.ParabolicSar) DrawSar(d);
  if (buttons.SpeedResistance) DrawSpeedResistance(d);
  if (buttons.Overlays.BollingerBands) DrawBands(d);
  DrawAverages(d);
  if (buttons.Type == ChartType::ZigZag) DrawZigZag(d);
  if (buttons.Quadrant) DrawQuadrants(d);
  if (buttons.FibonacciTimeZones) DrawFibonacciTimeZones(d);
  if (buttons.FibonacciRetracements) DrawFibonacciRetracements(d);
  if (buttons.FibonacciFans) DrawFibonacciFans(d);
}

}  // namespace chartorium
