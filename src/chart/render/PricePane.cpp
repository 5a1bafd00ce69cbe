// The price pane: background, title, value and date axes, frame and the last
// close, then the bars and overlays, in that fixed order.
#include "chart/render/PricePane.h"

#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>

#include "chart/render/Colours.h"
#include "chart/render/DateAxis.h"
#include "chart/render/PriceDrawing.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

// Fills [left, right) x [top, bottom), as the program's rectangles do.
void FillArea(QPainter& painter, int left, int top, int right, int bottom, std::uint32_t colour) {
  if (right > left && bottom > top)
    painter.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(colour));
}

void Line(QPainter& painter, int x1, int y1, int x2, int y2) {
  painter.drawLine(x1, y1, x2, y2);
}

int PlotAreaTop(const PriceDrawing& d) {
  return d.Frame.Look.NameInPlot ? d.Pane.Top + 6 : static_cast<int>(d.Scale.PlotTop);
}

void DrawBackground(const PriceDrawing& d) {
  const PaneRect& p = d.Pane;
  FillArea(d.Painter, p.Left, p.Top, p.Left + p.Width, p.Top + p.Height, d.Colours.Background);
  FillArea(d.Painter, d.Scale.PlotLeft, PlotAreaTop(d), d.Scale.PlotRight,
           static_cast<int>(d.Scale.PlotBottom), d.Colours.Plot);
}

void DrawTitle(const PriceDrawing& d) {
  d.Painter.setFont(FontOfText(d.Frame.Look.TitleFont));
  d.Painter.setPen(ChartPen(d.Colours.Text));
  const std::uint32_t background = d.Colours.Background;
  const QString title = QString::fromStdString(d.Price.Title);
  TextOut(d.Painter, d.Scale.PlotLeft + 1, d.Pane.Top + 7, title, &background);
}

void DrawValueAxis(const PriceDrawing& d) {
  QPainter& painter = d.Painter;
  painter.setFont(ChartFont("Tahoma", 8));
  const ChartScale& s = d.Scale;
  const std::uint32_t background = d.Colours.Background;
  const int half = TextHeight(painter) / 2;
  const std::int64_t n = (s.Grid.Top - s.Grid.Bottom) / s.Grid.Step;
  const int x0 = d.Frame.Look.GridAcross ? s.PlotLeft : s.PlotRight + 1;
  const auto yAt = [&](Extended units) {
    return static_cast<Extended>(s.PlotBottom) - units / 10000.0L * s.PixelsPerUnit;
  };
  for (std::int64_t k = 0; k <= n; ++k) {
    const Extended yk = yAt(static_cast<Extended>(k * s.Grid.Step));
    const int y = static_cast<int>(std::trunc(yk));
    painter.setPen(ChartPen(d.Colours.Text));
    TextOut(painter, s.PlotRight + 8, y - half,
            QString::fromStdString(d.Price.ValueLabels[static_cast<size_t>(k)]), &background);
    if (k == n) {
      if (d.Frame.Look.NameInPlot) {
        painter.setPen(ChartPen(d.Colours.Axis));
        Line(painter, s.PlotRight, y, s.PlotRight + 5, y);
      }
      break;
    }
    painter.setPen(ChartPen(d.Colours.Grid, Qt::DotLine));
    Line(painter, x0, y, s.PlotRight + 5, y);
    painter.setPen(ChartPen(d.Colours.Axis));
    Line(painter, s.PlotRight, y, s.PlotRight + 5, y);
    painter.setPen(ChartPen(d.Colours.Axis, Qt::DotLine));
    for (int u = 0; u <= 4; ++u) {
      const int yu = static_cast<int>(
          std::trunc(yAt(static_cast<Extended>(k * s.Grid.Step) + u * s.Grid.Step * 0.2L)));
      DrawLineTo(painter, s.PlotRight + 2, yu, s.PlotRight - 1, yu);
    }
  }
}

void DrawDates(const PriceDrawing& d) {
  DateAxisPlace place;
  place.PlotLeft = d.Scale.PlotLeft;
  place.PlotRight = d.Scale.PlotRight;
  place.SeparatorTop = static_cast<int>(d.Scale.PlotTop);
  place.Bottom = static_cast<int>(d.Scale.PlotBottom);
  place.BarWidth = d.Scale.BarWidth;
  place.First = d.First;
  place.LastExamined = d.Last;
  DrawDateAxis(d.Painter, d.Frame, place);
}

void DrawFrame(const PriceDrawing& d) {
  QPainter& painter = d.Painter;
  const ChartScale& s = d.Scale;
  painter.setFont(ChartFont("Arial", 8));
  painter.setPen(ChartPen(d.Colours.Axis));
  const bool named = d.Frame.Look.NameInPlot;
  const bool dates = d.Frame.Look.DatesUnderPrice;
  const int bottom = static_cast<int>(s.PlotBottom);
  const int top = PlotAreaTop(d);
  Line(painter, s.PlotLeft, bottom, s.PlotRight + 6, bottom);
  Line(painter, s.PlotLeft, top, named ? s.PlotRight : s.PlotRight + 5, top);
  painter.setFont(ChartFont("Tahoma", 8));
  const int sideBottom = dates ? bottom + TextHeight(painter) + 2 : bottom;
  Line(painter, s.PlotLeft, top, s.PlotLeft, sideBottom);
  Line(painter, s.PlotRight, top, s.PlotRight, sideBottom);
  if (dates) Line(painter, s.PlotLeft, sideBottom, s.PlotRight + 6, sideBottom);
  painter.setFont(ChartFont("Arial", 8));
}

void DrawLastClose(const PriceDrawing& d) {
  QPainter& painter = d.Painter;
  const ChartScale& s = d.Scale;
  const int h = TextHeight(painter);
  const Extended yv = d.Bar(d.Last).YClose;
  const int top = static_cast<int>(std::trunc(yv - h / 2.0L)) - 2;
  const int bottom = static_cast<int>(std::trunc(yv + h / 2.0L)) + 2;
  painter.setPen(ChartPen(d.Colours.Axis));
  painter.setBrush(ToQColor(d.Colours.LastCloseBox));
  // The box covers [PlotRight, PlotRight + 50) x [top, bottom), as the program's rectangles do.
  painter.drawRect(s.PlotRight, top, 49, bottom - top - 1);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(ChartPen(d.Colours.LastCloseText));
  TextOut(painter, s.PlotRight + 2, static_cast<int>(std::trunc(yv - h / 2.0L)),
          QString::fromStdString(d.Price.LastCloseText), nullptr);
}

}  // namespace

PriceDrawing::PriceDrawing(QPainter& painter, const ChartFrame& frame)
    : Painter(painter),
      Frame(frame),
      Price(frame.Price),
      Scale(frame.Price.Scale),
      Colours(frame.Colours),
      Pane(frame.Layout.Price),
      First(frame.Price.First),
      Last(frame.Price.Last),
      PenWidth(frame.Look.PenWidth) {}

std::uint32_t PriceDrawing::BarColour(int bar, std::uint32_t own) const {
  const std::int32_t colour = Price.BarColour(bar);
  return colour == -1 ? own : static_cast<std::uint32_t>(colour);
}

QPen PriceDrawing::LinePen(std::uint32_t colour, Qt::PenStyle style) const {
  return ChartPen(colour, style, PenWidth);
}

int PriceDrawing::SlotLeft(int bar) const {
  return Price.SlotLeft(bar);
}

void DrawPricePane(QPainter& painter, const ChartFrame& frame) {
  if (!frame.HasBars) return;
  painter.save();
  const PriceDrawing drawing(painter, frame);
  const ChartLook& look = frame.Look;
  DrawBackground(drawing);
  DrawTitle(drawing);
  DrawValueAxis(drawing);
  if (look.DatesUnderPrice) DrawDates(drawing);
  DrawFrame(drawing);
  if (look.HighlightLastClose) DrawLastClose(drawing);
  if (frame.Price.Studies.SupportResistance) DrawSupportResistance(drawing);
  DrawSystemSignals(drawing);
  DrawPriceBars(drawing);
  DrawPriceOverlays(drawing);
  painter.restore();
}

}  // namespace chartorium
