// The price pane: background, title, value and date axes, frame and the last
// close, then the bars and overlays, in that fixed order.
#include "chart/render/PricePane.h"

#include <QPainter>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "chart/ChartView.h"
#include "chart/render/DateAxis.h"
#include "chart/render/PriceDrawing.h"
#include "chart/render/RenderText.h"
#include "core/DateLocale.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "core/ui/Colours.h"
#include "macro/MacroState.h"

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

// The shortest decimal text of a grid value.
QString GridLabel(std::int64_t units) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, static_cast<double>(units) / 10000.0);
  return QString::fromLatin1(text, static_cast<int>(end.ptr - text));
}

int PlotAreaTop(const PriceDrawing& d) {
  return d.Prefs().Flag("CCom") ? d.Pane.Top + 6 : static_cast<int>(d.Scale.PlotTop);
}

void DrawBackground(const PriceDrawing& d) {
  const PaneRect& p = d.Pane;
  FillArea(d.Painter, p.Left, p.Top, p.Left + p.Width, p.Top + p.Height, d.Colour("C5"));
  FillArea(d.Painter, d.Scale.PlotLeft, PlotAreaTop(d), d.Scale.PlotRight,
           static_cast<int>(d.Scale.PlotBottom), d.Colour("C29"));
}

void DrawTitle(const PriceDrawing& d) {
  d.Painter.setFont(FontOfText(d.Prefs().Text("BFon")));
  d.Painter.setPen(ChartPen(d.Colour("C16")));
  const std::uint32_t background = d.Colour("C5");
  const QString title = QString::fromStdString(d.Options.Caption + " (" + d.Options.Ticker + ")");
  TextOut(d.Painter, d.Scale.PlotLeft + 1, d.Pane.Top + 7, title, &background);
}

void DrawValueAxis(const PriceDrawing& d) {
  QPainter& painter = d.Painter;
  painter.setFont(ChartFont("Tahoma", 8));
  const ChartScale& s = d.Scale;
  const std::uint32_t background = d.Colour("C5");
  const int half = TextHeight(painter) / 2;
  const std::int64_t n = (s.Grid.Top - s.Grid.Bottom) / s.Grid.Step;
  const int x0 = d.Prefs().Flag("CBX") ? s.PlotLeft : s.PlotRight + 1;
  const auto yAt = [&](Extended units) {
    return static_cast<Extended>(s.PlotBottom) - units / 10000.0L * s.PixelsPerUnit;
  };
  for (std::int64_t k = 0; k <= n; ++k) {
    const Extended yk = yAt(static_cast<Extended>(k * s.Grid.Step));
    const int y = static_cast<int>(std::trunc(yk));
    painter.setPen(ChartPen(d.Colour("C16")));
    TextOut(painter, s.PlotRight + 8, y - half, GridLabel(k * s.Grid.Step + s.Grid.Bottom),
            &background);
    if (k == n) {
      if (d.Prefs().Flag("CCom")) {
        painter.setPen(ChartPen(d.Colour("C17")));
        Line(painter, s.PlotRight, y, s.PlotRight + 5, y);
      }
      break;
    }
    painter.setPen(ChartPen(d.Colour("C19"), Qt::DotLine));
    Line(painter, x0, y, s.PlotRight + 5, y);
    painter.setPen(ChartPen(d.Colour("C17")));
    Line(painter, s.PlotRight, y, s.PlotRight + 5, y);
    painter.setPen(ChartPen(d.Colour("C17"), Qt::DotLine));
    for (int u = 0; u <= 4; ++u) {
      const int yu = static_cast<int>(
          std::trunc(yAt(static_cast<Extended>(k * s.Grid.Step) + u * s.Grid.Step * 0.2L)));
      DrawLineTo(painter, s.PlotRight + 2, yu, s.PlotRight - 1, yu);
    }
  }
}

void DrawDates(const PriceDrawing& d, const DateLocale& locale) {
  DateAxisPlace place;
  place.PlotLeft = d.Scale.PlotLeft;
  place.PlotRight = d.Scale.PlotRight;
  place.SeparatorTop = static_cast<int>(d.Scale.PlotTop);
  place.Bottom = static_cast<int>(d.Scale.PlotBottom);
  place.BarWidth = d.Scale.BarWidth;
  place.First = d.First;
  place.LastExamined = d.Last;
  DrawDateAxis(d.Painter, d.Space, locale, place);
}

void DrawFrame(const PriceDrawing& d) {
  QPainter& painter = d.Painter;
  const ChartScale& s = d.Scale;
  painter.setFont(ChartFont("Arial", 8));
  painter.setPen(ChartPen(d.Colour("C17")));
  const bool named = d.Prefs().Flag("CCom");
  const bool dates = d.Prefs().Flag("CBY");
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
  const Single close = d.Bar(d.Last).Close;
  const int h = TextHeight(painter);
  const Extended yv = d.Y(close);
  const int top = static_cast<int>(std::trunc(yv - h / 2.0L)) - 2;
  const int bottom = static_cast<int>(std::trunc(yv + h / 2.0L)) + 2;
  painter.setPen(ChartPen(d.Colour("C17")));
  painter.setBrush(ToQColor(d.Colour("C99")));
  // The box covers [PlotRight, PlotRight + 50) x [top, bottom), as the program's rectangles do.
  painter.drawRect(s.PlotRight, top, 49, bottom - top - 1);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(ChartPen(d.Colour("C98")));
  TextOut(painter, s.PlotRight + 2, static_cast<int>(std::trunc(yv - h / 2.0L)),
          QString::fromStdString(PriceText(close)), nullptr);
}

}  // namespace

const Preferences& PriceDrawing::Prefs() const {
  return Space.Prefs;
}

const QuoteRecord& PriceDrawing::Bar(int bar) const {
  return Space.Quotes().BarSeries[static_cast<size_t>(bar)];
}

std::uint32_t PriceDrawing::Colour(const char* field) const {
  return Space.Prefs.Colour(field);
}

std::uint32_t PriceDrawing::BarColour(int bar, std::uint32_t own) const {
  if (!SystemShown) return own;
  const std::int32_t colour = Space.Macros.Run.BarColorArray[static_cast<size_t>(bar)];
  return colour == -1 ? own : static_cast<std::uint32_t>(colour);
}

QPen PriceDrawing::LinePen(std::uint32_t colour, Qt::PenStyle style) const {
  return ChartPen(colour, style, PenWidth);
}

int PriceDrawing::SlotLeft(int bar) const {
  return Scale.PlotLeft +
         static_cast<int>(std::trunc(static_cast<Extended>(bar - First) * Scale.BarWidth));
}

ChartScale DrawPricePane(QPainter& painter, Workspace& workspace, const PriceChartOptions& options,
                         const DateLocale& locale, const PaneRect& pane,
                         const ChartScale& previous) {
  if (workspace.Quotes().BarCount <= 1) return previous;
  painter.save();
  painter.setFont(FontOfText(workspace.Prefs.Text("BFon")));
  PriceTextHeights heights;
  heights.Caption = static_cast<Single>(TextHeight(painter));
  painter.setFont(ChartFont("Tahoma", 8));
  heights.MonthName = static_cast<Single>(TextHeight(painter));
  const ChartScale scale = ComputePriceScale(workspace, pane, options.Buttons.Overlays, heights);
  const QuoteStore& store = workspace.Quotes();
  const int first = store.FirstVisibleBar;
  const int last = std::min(store.BarCount, first + store.VisibleBarCount - 1);
  PriceDrawing drawing{painter, workspace, options, scale, pane, first, last};
  drawing.SystemShown = RunChartSystem(drawing);
  drawing.PenWidth = std::max(1, workspace.Prefs.Integer("EBW"));

  DrawBackground(drawing);
  DrawTitle(drawing);
  DrawValueAxis(drawing);
  if (workspace.Prefs.Flag("CBY")) DrawDates(drawing, locale);
  DrawFrame(drawing);
  if (workspace.Prefs.Flag("ChHi")) DrawLastClose(drawing);
  if (options.Buttons.SupportResistance) DrawSupportResistance(drawing);
  DrawSystemSignals(drawing);
  DrawPriceBars(drawing);
  DrawPriceOverlays(drawing);
  painter.restore();
  return scale;
}

bool SystemSignalsShown(const Workspace& workspace, const PriceChartOptions& options) {
  return !options.SystemText.empty() && !workspace.Quotes().SystemError;
}

}  // namespace chartorium
