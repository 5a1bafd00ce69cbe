// Drawing an indicator pane. Values are kept in units of 1/10000 for the
// range and grid, like the price pane's.
#include "chart/render/IndicatorPane.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "chart/ChartScale.h"
#include "chart/IndicatorPanes.h"
#include "chart/render/DateAxis.h"
#include "chart/render/RenderText.h"
#include "core/DateLocale.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "core/ui/Colours.h"
#include "macro/MacroState.h"

namespace chartorium {
namespace {

struct PaneScale {
  PriceGrid Grid;
  Extended Bottom = 0;  ///< yB
  Extended Top = 0;     ///< yT
  Extended PixelsPerUnit = 0;

  int Y(Extended value) const {
    return static_cast<int>(
        std::trunc((Bottom * 10000 - (value * 10000 - Grid.Bottom) * PixelsPerUnit) / 10000));
  }
};

// What the steps of one pane share.
struct PaneDrawing {
  QPainter& Painter;
  const Workspace& Space;
  const PaneValues& Values;
  const IndicatorSlot& Lists;
  PaneScale Scale;
  int PlotLeft = 0;
  int PlotRight = 0;
  Single BarWidth = 0;
  int First = 1;
  int Last = 1;
  bool SystemShown = false;

  // The left edge of bar j's slot, and the x of its centre.
  int SlotLeft(int bar) const {
    return PlotLeft + static_cast<int>(std::trunc(static_cast<Extended>(bar - First) * BarWidth));
  }
  int X(int bar) const {
    return PlotLeft + static_cast<int>(std::trunc(static_cast<Extended>(bar - First) * BarWidth +
                                                  BarWidth / 2.0L));
  }
  // The colour a trading system gave bar j, or -1.
  std::int32_t SystemColour(int bar) const {
    return SystemShown ? Space.Macros.Run.BarColorArray[static_cast<size_t>(bar)] : -1;
  }
};

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

QString AxisLabel(Extended units, std::int64_t top) {
  if (std::llabs(top) > 1000000LL * 10000) {
    return QString::number(static_cast<long long>(std::ceil(units / 10000 / 1000))) + "k";
  }
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, static_cast<double>(units / 10000));
  return QString::fromLatin1(text, static_cast<int>(end.ptr - text));
}

int ItemCount(const std::string& list) {
  return list.empty() ? 0 : 1 + static_cast<int>(std::count(list.begin(), list.end(), ';'));
}

std::uint32_t ItemColour(const IndicatorSlot& lists, int item) {
  return static_cast<std::uint32_t>(TextToNumber(FieldOf(lists.Colours, item, ";")));
}

void DrawValueAxis(const PaneDrawing& d, const Preferences& prefs) {
  QPainter& painter = d.Painter;
  const PaneScale& scale = d.Scale;
  painter.setFont(ChartFont("Tahoma", 7));
  const int half = TextHeight(painter) / 2;
  const QPen label = ChartPen(prefs.Colour("C16"));
  const QPen tick = ChartPen(prefs.Colour("C17"));
  const QPen dotted = ChartPen(prefs.Colour("C19"), Qt::DotLine);
  const QPen small = ChartPen(prefs.Colour("C19"));
  const std::int64_t n = (scale.Grid.Top - scale.Grid.Bottom) / scale.Grid.Step;
  const Extended quarter = n * static_cast<Extended>(scale.Grid.Step) / 4;
  for (int q = 0; q <= 4; ++q) {
    const Extended units = scale.Grid.Bottom + q * quarter;
    const int y = scale.Y(units / 10000);
    painter.setPen(label);
    TextOut(painter, d.PlotRight + 8, y - half, AxisLabel(units, scale.Grid.Top), nullptr);
    if (q == 4) break;
    painter.setPen(tick);
    painter.drawLine(d.PlotRight, y, d.PlotRight + 5, y);
    painter.setPen(dotted);
    painter.drawLine(d.PlotLeft, y, d.PlotRight + 5, y);
    painter.setPen(small);
    for (int u = 1; u <= 4; ++u) {
      const int yu = scale.Y((units + u * quarter / 5) / 10000);
      DrawLineTo(painter, d.PlotRight + 2, yu, d.PlotRight - 1, yu);
    }
  }
}

// A line through the indicator's values. A bar colour of the trading system
// becomes the pen's colour from its bar on; the segment ending at that bar
// is the first one drawn in it.
void DrawSeriesLine(const PaneDrawing& d, int k, int start, std::uint32_t colour, int width) {
  QPolygon run;
  run.reserve(d.Last - start + 1);
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
  for (int bar = start; bar <= d.Last; ++bar) {
    const QPoint point(d.X(bar), d.Scale.Y(d.Values.Value(k, bar)));
    if (const std::int32_t own = d.SystemColour(bar);
        own != -1 && static_cast<std::uint32_t>(own) != colour) {
      flush();
      run.clear();
      if (bar > start) run.append(QPoint(d.X(bar - 1), d.Scale.Y(d.Values.Value(k, bar - 1))));
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
void DrawHistogram(const PaneDrawing& d, int k, int start, std::uint32_t colour) {
  QPainter& painter = d.Painter;
  const Extended bottom = d.Scale.Grid.Bottom / 10000.0L;
  const Extended top = d.Scale.Grid.Top / 10000.0L;
  // Bars grow from the pane's bottom, from 0 when the pane spans it, else from the top.
  const Extended base = bottom >= 0 ? bottom : (top > 0 ? 0 : top);
  const int yBase = d.Scale.Y(base);
  const bool masked =
      painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
  painter.save();
  if (masked) painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  std::vector<QRect> bars;
  bars.reserve(static_cast<size_t>(d.Last - start + 1));
  const auto flush = [&] {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(colour));
    painter.drawRects(bars.data(), static_cast<int>(bars.size()));
    bars.clear();
  };
  for (int bar = start; bar <= d.Last; ++bar) {
    if (const std::int32_t own = d.SystemColour(bar);
        own != -1 && static_cast<std::uint32_t>(own) != colour) {
      flush();
      colour = static_cast<std::uint32_t>(own);
    }
    int x1 = d.SlotLeft(bar);
    int x2 = d.SlotLeft(bar + 1);
    if (x2 - x1 > 3) ++x1, --x2;  // two pixels narrower, one off each side
    const int y = d.Scale.Y(d.Values.Value(k, bar));
    // The rectangle covers [x1, x2) x [top, bottom), as the program's do.
    const int y1 = std::min(y, yBase);
    const int y2 = std::max(y, yBase);
    if (x2 > x1 && y2 > y1) bars.emplace_back(x1, y1, x2 - x1, y2 - y1);
  }
  flush();
  if (bottom < 0) {
    const int zero = d.Scale.Y(0);
    painter.setPen(ChartPen(colour));
    painter.drawLine(d.PlotLeft, zero, d.PlotRight + 5, zero);
  }
  painter.restore();
}

void DrawIndicators(const PaneDrawing& d) {
  for (int k = 0; k < d.Values.IndicatorCount(); ++k) {
    const int start = FirstValue(d.Values, k, d.First, d.Last);
    if (d.Values.Value(k, start) == 0) continue;  // nothing to draw in the window
    const std::uint32_t colour = ItemColour(d.Lists, k + 1);
    if (FieldOf(d.Lists.LineFlags, k + 1, ";") == "1") {
      const int width = std::max(1, TextToInt(FieldOf(d.Lists.Widths, k + 1, ";")));
      DrawSeriesLine(d, k, start, colour, width);
    } else {
      DrawHistogram(d, k, start, colour);
    }
  }
}

void DrawLevels(const PaneDrawing& d, const Preferences& prefs) {
  d.Painter.setPen(ChartPen(prefs.Colour("C17")));
  const Extended bottom = d.Scale.Grid.Bottom / 10000.0L;
  const Extended top = d.Scale.Grid.Top / 10000.0L;
  const std::string& levels = d.Values.Levels;
  for (int i = 1; i <= ItemCount(levels); ++i) {
    const double level = TextToNumber(FieldOf(levels, i, ";"));
    if (level < bottom || level > top) continue;
    d.Painter.drawLine(d.PlotLeft, d.Scale.Y(level), d.PlotRight + 5, d.Scale.Y(level));
  }
}

// A disc in each indicator's colour and its name, in one row.
void DrawLegend(const PaneDrawing& d, const Preferences& prefs, int paneTop) {
  QPainter& painter = d.Painter;
  painter.setFont(ChartFont("Arial", 8));
  const int h = TextHeight(painter);
  const int disc = h / 2;
  const int discTop = paneTop + 3 + static_cast<int>(std::ceil(h / 4.0));
  const int discBottom = paneTop + 3 + static_cast<int>(std::ceil(3 * h / 4.0));
  const std::uint32_t background = prefs.Colour("C5");
  const QPen outline = ChartPen(prefs.Colour("C17"));
  const QPen text = ChartPen(prefs.Colour("C16"));
  int x = d.PlotLeft + 4;
  for (int k = 1; k <= ItemCount(d.Lists.Names); ++k) {
    const QString name = QString::fromStdString(FieldOf(d.Lists.Names, k, ";"));
    painter.setPen(outline);
    painter.setBrush(ToQColor(ItemColour(d.Lists, k)));
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
void DrawDates(const PaneDrawing& d, const DateLocale& locale) {
  DateAxisPlace place;
  place.PlotLeft = d.PlotLeft;
  place.PlotRight = d.PlotRight;
  place.SeparatorTop = static_cast<int>(d.Scale.Top);
  place.Bottom = static_cast<int>(d.Scale.Bottom);
  place.BarWidth = d.BarWidth;
  place.First = d.First;
  place.LastExamined = d.Last - 1;
  const int labelHeight = DrawDateAxis(d.Painter, d.Space, locale, place);
  const int boxBottom = place.Bottom + labelHeight + 2;
  d.Painter.setPen(ChartPen(d.Space.Prefs.Colour("C17")));
  d.Painter.drawLine(d.PlotLeft, place.Bottom, d.PlotLeft, boxBottom);
  d.Painter.drawLine(d.PlotRight, place.Bottom, d.PlotRight, boxBottom);
  d.Painter.drawLine(d.PlotLeft, boxBottom, d.PlotRight + 5, boxBottom);
}

}  // namespace

void DrawIndicatorPane(QPainter& painter, Workspace& workspace, const IndicatorPaneData& data,
                       const ChartScale& price, int left, int top, int slot, int width,
                       int height) {
  const DateLocale locale;
  DrawIndicatorPane(painter, workspace, data, price, locale, false, {left, top, width, height},
                    slot);
}

void DrawIndicatorPane(QPainter& painter, Workspace& workspace, const IndicatorPaneData& data,
                       const ChartScale& price, const DateLocale& locale, bool systemShown,
                       const PaneRect& pane, int slot) {
  const Preferences& prefs = workspace.Prefs;
  const QuoteStore& store = workspace.Quotes();
  if (store.BarCount < 1) return;
  PaneDrawing d{painter,
                workspace,
                data.Slots[static_cast<size_t>(slot)],
                workspace.OpenStockSettings.Slots[static_cast<size_t>(slot)],
                {}};
  d.First = std::max(1, store.FirstVisibleBar);
  d.Last = std::min(store.BarCount, d.First + store.VisibleBarCount - 1);
  d.PlotLeft = pane.Left + static_cast<int>(0.05 * pane.Width);
  d.PlotRight = pane.Left + pane.Width - 55;
  d.BarWidth = price.BarWidth;
  d.SystemShown = systemShown;
  painter.save();
  painter.fillRect(QRect(pane.Left, pane.Top, pane.Width, pane.Height),
                   ToQColor(prefs.Colour("C5")));

  PaneScale& scale = d.Scale;
  scale.Grid = PaneGrid(d.Values, d.First, d.Last);
  const bool dates = prefs.Flag("CBY2");
  painter.setFont(ChartFont("Tahoma", 8));
  const int monthHeight = TextHeight(painter);
  painter.setFont(ChartFont("Arial", 8));
  const int captionHeight = TextHeight(painter);
  scale.Bottom = pane.Top + pane.Height - 7 - (dates ? monthHeight : 0);
  scale.Top = pane.Top + captionHeight / 2 + 3;
  scale.PixelsPerUnit = (scale.Bottom - scale.Top) /
                        static_cast<Extended>(scale.Grid.Top - scale.Grid.Bottom) * 10000;
  const int yB = static_cast<int>(scale.Bottom);
  const int yT = static_cast<int>(scale.Top);
  painter.fillRect(QRect(d.PlotLeft, yT, d.PlotRight - d.PlotLeft, yB - yT),
                   ToQColor(prefs.Colour("C29")));

  DrawValueAxis(d, prefs);
  painter.setPen(ChartPen(prefs.Colour("C17")));
  painter.drawLine(d.PlotLeft, yB, d.PlotRight + 5, yB);
  painter.drawLine(d.PlotLeft, yT, d.PlotRight + 5, yT);
  painter.drawLine(d.PlotLeft, yT, d.PlotLeft, yB);
  painter.drawLine(d.PlotRight, yT, d.PlotRight, yB + 1);
  DrawIndicators(d);
  DrawLevels(d, prefs);
  DrawLegend(d, prefs, pane.Top);
  if (dates) DrawDates(d, locale);
  painter.restore();
}

}  // namespace chartorium
