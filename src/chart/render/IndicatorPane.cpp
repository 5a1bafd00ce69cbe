// Drawing an indicator pane from its prepared frame.
#include "chart/render/IndicatorPane.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "chart/ChartFrame.h"
#include "chart/render/Colours.h"
#include "chart/render/DateAxis.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

// What the steps of one pane share.
struct PaneDrawing {
  QPainter& Painter;
  const ChartFrame& Frame;
  const PaneFrame& Pane;
  const ChartPalette& Colours;

  // The colour the trading system gave bar j, or -1.
  std::int32_t SystemColour(int bar) const { return Frame.Price.BarColour(bar); }
  int Y(const PaneSeries& series, int bar) const {
    return series.Ys[static_cast<size_t>(bar - Pane.First)];
  }
};

void DrawValueAxis(const PaneDrawing& d) {
  QPainter& painter = d.Painter;
  const PaneFrame& pane = d.Pane;
  painter.setFont(ChartFont("Tahoma", 7));
  const int half = TextHeight(painter) / 2;
  const QPen label = ChartPen(d.Colours.Text);
  const QPen tick = ChartPen(d.Colours.Axis);
  const QPen dotted = ChartPen(d.Colours.Grid, Qt::DotLine);
  const QPen small = ChartPen(d.Colours.Grid);
  for (int q = 0; q <= 4; ++q) {
    const PaneAxisMark& mark = pane.Axis[static_cast<size_t>(q)];
    const int y = pane.Y(mark.Units / 10000);
    painter.setPen(label);
    TextOut(painter, pane.PlotRight + 8, y - half, QString::fromStdString(mark.Label), nullptr);
    if (q == 4) break;
    painter.setPen(tick);
    painter.drawLine(pane.PlotRight, y, pane.PlotRight + 5, y);
    painter.setPen(dotted);
    painter.drawLine(pane.PlotLeft, y, pane.PlotRight + 5, y);
    painter.setPen(small);
    for (int u = 1; u <= 4; ++u) {
      const int yu = pane.Y((mark.Units + u * pane.Quarter / 5) / 10000);
      DrawLineTo(painter, pane.PlotRight + 2, yu, pane.PlotRight - 1, yu);
    }
  }
}

// A line through the indicator's values. A bar colour of the trading system
// becomes the pen's colour from its bar on; the segment ending at that bar
// is the first one drawn in it.
void DrawSeriesLine(const PaneDrawing& d, const PaneSeries& series) {
  const PaneFrame& pane = d.Pane;
  std::uint32_t colour = series.Colour;
  const int width = series.Width;
  QPolygon run;
  run.reserve(pane.Last - series.Start + 1);
  const auto flush = [&] {
    if (run.size() < 2) return;
    d.Painter.setPen(ChartPen(colour, Qt::SolidLine, width));
    if (width <= 1) return d.Painter.drawPolyline(run);
    // A wide line goes as separate segments: their square ends close the
    // joints, and Qt strokes them many times faster than one long polyline.
    std::vector<QLine> segments;
    segments.reserve(static_cast<size_t>(run.size()));
    for (qsizetype i = 1; i < run.size(); ++i) segments.emplace_back(run[i - 1], run[i]);
    d.Painter.drawLines(segments.data(), static_cast<int>(segments.size()));
  };
  for (int bar = series.Start; bar <= pane.Last; ++bar) {
    const QPoint point(pane.X(bar), d.Y(series, bar));
    if (const std::int32_t own = d.SystemColour(bar);
        own != -1 && static_cast<std::uint32_t>(own) != colour) {
      flush();
      run.clear();
      if (bar > series.Start) run.append(QPoint(pane.X(bar - 1), d.Y(series, bar - 1)));
      colour = static_cast<std::uint32_t>(own);
    }
    run.append(point);
  }
  flush();
}

// The histogram's pen and brush are in mask mode: each pixel becomes the
// pixel under it AND the colour, so grid lines show through the bars and
// bars that overlap darken. Outline and inside are both the pen's colour,
// and masking twice with one colour changes nothing, so one masked fill of
// the rectangle's whole area gives what the outlined rectangle gives.
// Devices without raster operations (printers, recorded pictures) get
// plain bars.
void DrawHistogram(const PaneDrawing& d, const PaneSeries& series) {
  QPainter& painter = d.Painter;
  const PaneFrame& pane = d.Pane;
  std::uint32_t colour = series.Colour;
  const int yBase = pane.Y(pane.HistogramBase);
  const bool masked =
      painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
  painter.save();
  if (masked) painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  std::vector<QRect> bars;
  bars.reserve(static_cast<size_t>(pane.Last - series.Start + 1));
  const auto flush = [&] {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(colour));
    painter.drawRects(bars.data(), static_cast<int>(bars.size()));
    bars.clear();
  };
  for (int bar = series.Start; bar <= pane.Last; ++bar) {
    if (const std::int32_t own = d.SystemColour(bar);
        own != -1 && static_cast<std::uint32_t>(own) != colour) {
      flush();
      colour = static_cast<std::uint32_t>(own);
    }
    int x1 = pane.SlotLeft(bar);
    int x2 = pane.SlotLeft(bar + 1);
    if (x2 - x1 > 3) ++x1, --x2;  // two pixels narrower, one off each side
    const int y = d.Y(series, bar);
    // The rectangle covers [x1, x2) x [top, bottom), as the program's do.
    const int y1 = std::min(y, yBase);
    const int y2 = std::max(y, yBase);
    if (x2 > x1 && y2 > y1) bars.emplace_back(x1, y1, x2 - x1, y2 - y1);
  }
  flush();
  if (pane.ZeroLine) {
    const int zero = pane.Y(0);
    painter.setPen(ChartPen(colour));
    painter.drawLine(pane.PlotLeft, zero, pane.PlotRight + 5, zero);
  }
  painter.restore();
}

void DrawLevels(const PaneDrawing& d) {
  const PaneFrame& pane = d.Pane;
  d.Painter.setPen(ChartPen(d.Colours.Axis));
  for (const double level : pane.Levels)
    d.Painter.drawLine(pane.PlotLeft, pane.Y(level), pane.PlotRight + 5, pane.Y(level));
}

// A disc in each indicator's colour and its name, in one row.
void DrawLegend(const PaneDrawing& d) {
  QPainter& painter = d.Painter;
  const PaneFrame& pane = d.Pane;
  const int paneTop = pane.Pane.Top;
  painter.setFont(ChartFont("Arial", 8));
  const int h = TextHeight(painter);
  const int disc = h / 2;
  const int discTop = paneTop + 3 + static_cast<int>(std::ceil(h / 4.0));
  const int discBottom = paneTop + 3 + static_cast<int>(std::ceil(3 * h / 4.0));
  const std::uint32_t background = d.Colours.Background;
  const QPen outline = ChartPen(d.Colours.Axis);
  const QPen text = ChartPen(d.Colours.Text);
  int x = pane.PlotLeft + 4;
  for (const PaneLegendEntry& entry : pane.Legend) {
    const QString name = QString::fromStdString(entry.Name);
    painter.setPen(outline);
    painter.setBrush(ToQColor(entry.Colour));
    // The disc's box is [x, x + disc) x [discTop, discBottom).
    painter.drawEllipse(x, discTop, disc - 1, discBottom - discTop - 1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(text);
    TextOut(painter, x + disc + 2, paneTop + 3, name, &background);
    x += disc + TextWidth(painter, name) + 8;
  }
}

// The price pane's dates under yB, boxed by two lines below them. The walk
// stops one bar short of the last visible bar.
void DrawDates(const PaneDrawing& d) {
  const PaneFrame& pane = d.Pane;
  DateAxisPlace place;
  place.PlotLeft = pane.PlotLeft;
  place.PlotRight = pane.PlotRight;
  place.SeparatorTop = static_cast<int>(pane.Top);
  place.Bottom = static_cast<int>(pane.Bottom);
  place.BarWidth = pane.BarWidth;
  place.First = pane.First;
  place.LastExamined = pane.Last - 1;
  const int labelHeight = DrawDateAxis(d.Painter, d.Frame, place);
  const int boxBottom = place.Bottom + labelHeight + 2;
  d.Painter.setPen(ChartPen(d.Colours.Axis));
  d.Painter.drawLine(pane.PlotLeft, place.Bottom, pane.PlotLeft, boxBottom);
  d.Painter.drawLine(pane.PlotRight, place.Bottom, pane.PlotRight, boxBottom);
  d.Painter.drawLine(pane.PlotLeft, boxBottom, pane.PlotRight + 5, boxBottom);
}

}  // namespace

void DrawIndicatorPane(QPainter& painter, const ChartFrame& frame, int paneNumber) {
  if (paneNumber < 1 || paneNumber > PaneCount) return;
  const std::optional<PaneFrame>& prepared = frame.Panes[static_cast<size_t>(paneNumber - 1)];
  if (!prepared) return;
  const PaneFrame& pane = *prepared;
  const PaneDrawing d{painter, frame, pane, frame.Colours};
  const PaneRect& rect = pane.Pane;
  painter.save();
  painter.fillRect(QRect(rect.Left, rect.Top, rect.Width, rect.Height),
                   ToQColor(frame.Colours.Background));
  const int yB = static_cast<int>(pane.Bottom);
  const int yT = static_cast<int>(pane.Top);
  painter.fillRect(QRect(pane.PlotLeft, yT, pane.PlotRight - pane.PlotLeft, yB - yT),
                   ToQColor(frame.Colours.Plot));

  DrawValueAxis(d);
  painter.setPen(ChartPen(frame.Colours.Axis));
  painter.drawLine(pane.PlotLeft, yB, pane.PlotRight + 5, yB);
  painter.drawLine(pane.PlotLeft, yT, pane.PlotRight + 5, yT);
  painter.drawLine(pane.PlotLeft, yT, pane.PlotLeft, yB);
  painter.drawLine(pane.PlotRight, yT, pane.PlotRight, yB + 1);
  for (const PaneSeries& series : pane.Series) {
    if (series.Line) {
      DrawSeriesLine(d, series);
    } else {
      DrawHistogram(d, series);
    }
  }
  DrawLevels(d);
  DrawLegend(d);
  if (frame.Look.DatesUnderPanes) DrawDates(d);
  painter.restore();
}

}  // namespace chartorium
