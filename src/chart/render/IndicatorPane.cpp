// Drawing an indicator pane. Values are kept in units of 1/10000 for the
// range and grid, like the price pane's.
#include "chart/render/IndicatorPane.h"

#include <QPainter>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "chart/ChartScale.h"
#include "chart/IndicatorPanes.h"
#include "chart/render/RenderText.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "core/ui/Colours.h"

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

// The first visible bar of an indicator with a value that is not 0, or 0.
int FirstValue(const PaneValues& values, int indicator, int first, int last) {
  for (int bar = first; bar <= last; ++bar)
    if (values.Value(indicator, bar) != 0) return bar;
  return 0;
}

// The pane's low and high over its indicators' visible values, leading zeros skipped.
PriceGrid PaneGrid(const PaneValues& values, int first, int last) {
  bool any = false;
  std::int64_t low = 0, high = 0;
  for (int k = 0; k < values.IndicatorCount(); ++k) {
    const int start = FirstValue(values, k, first, last);
    if (start == 0) continue;
    for (int bar = start; bar <= last; ++bar) {
      const auto units = static_cast<std::int64_t>(std::llround(values.Value(k, bar) * 10000));
      if (!any || units < low) low = units;
      if (!any || units > high) high = units;
      any = true;
    }
  }
  if (!any) high = 10000;  // an all-zero pane gets the range 0 .. 1
  if (low == high) high += 10000;
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

}  // namespace

void DrawIndicatorPane(QPainter& painter, Workspace& workspace, const IndicatorPaneData& data,
                       const ChartScale& price, int left, int top, int slot, int width,
                       int height) {
  const Preferences& prefs = workspace.Prefs;
  const QuoteStore& store = workspace.Quotes();
  const PaneValues& values = data.Slots[static_cast<size_t>(slot)];
  const IndicatorSlot& lists = workspace.OpenStockSettings.Slots[static_cast<size_t>(slot)];
  const int first = store.FirstVisibleBar;
  const int last = std::min(store.BarCount, first + store.VisibleBarCount - 1);
  const int plotLeft = left + static_cast<int>(0.05 * width);
  const int plotRight = left + width - 55;
  painter.save();
  painter.fillRect(QRect(left, top, width, height), ToQColor(prefs.Colour("C5")));

  PaneScale scale;
  scale.Grid = PaneGrid(values, first, last);
  painter.setFont(ChartFont("Tahoma", 8));
  const int monthHeight = TextHeight(painter);
  painter.setFont(ChartFont("Arial", 8));
  const int captionHeight = TextHeight(painter);
  scale.Bottom = top + height - 7 - (prefs.Flag("CBY2") ? monthHeight : 0);
  scale.Top = top + captionHeight / 2 + 3;
  scale.PixelsPerUnit = (scale.Bottom - scale.Top) /
                        static_cast<Extended>(scale.Grid.Top - scale.Grid.Bottom) * 10000;
  const int yB = static_cast<int>(scale.Bottom);
  const int yT = static_cast<int>(scale.Top);
  painter.fillRect(QRect(plotLeft, yT, plotRight - plotLeft, yB - yT),
                   ToQColor(prefs.Colour("C29")));

  // Value axis at quarter steps.
  painter.setFont(ChartFont("Tahoma", 7));
  const int half = TextHeight(painter) / 2;
  const std::int64_t n = (scale.Grid.Top - scale.Grid.Bottom) / scale.Grid.Step;
  for (int q = 0; q <= 4; ++q) {
    const Extended units = scale.Grid.Bottom + q * n * static_cast<Extended>(scale.Grid.Step) / 4;
    const int y = scale.Y(units / 10000);
    painter.setPen(ChartPen(prefs.Colour("C16")));
    TextOut(painter, plotRight + 8, y - half, AxisLabel(units, scale.Grid.Top), nullptr);
    if (q == 4) break;
    painter.setPen(ChartPen(prefs.Colour("C17")));
    painter.drawLine(plotRight, y, plotRight + 5, y);
    painter.setPen(ChartPen(prefs.Colour("C19"), Qt::DotLine));
    painter.drawLine(plotLeft, y, plotRight + 5, y);
    painter.setPen(ChartPen(prefs.Colour("C19")));
    for (int u = 1; u <= 4; ++u) {
      const int yu = scale.Y((units + u * n * static_cast<Extended>(scale.Grid.Step) / 20) / 10000);
      painter.drawLine(plotRight + 2, yu, plotRight - 1, yu);
    }
  }

  painter.setPen(ChartPen(prefs.Colour("C17")));
  painter.drawLine(plotLeft, yB, plotRight + 5, yB);
  painter.drawLine(plotLeft, yT, plotRight + 5, yT);
  painter.drawLine(plotLeft, yT, plotLeft, yB);
  painter.drawLine(plotRight, yT, plotRight, yB + 1);

  const Extended gridBottom = scale.Grid.Bottom / 10000.0L;
  const Extended gridTop = scale.Grid.Top / 10000.0L;
  for (int k = 0; k < values.IndicatorCount(); ++k) {
    const int start = FirstValue(values, k, first, last);
    if (start == 0) continue;
    const std::uint32_t colour =
        static_cast<std::uint32_t>(TextToNumber(FieldOf(lists.Colours, k + 1, ";")));
    const int penWidth = std::max(1, TextToInt(FieldOf(lists.Widths, k + 1, ";")));
    const auto x = [&](int bar) { return BarToX(price, bar); };
    if (FieldOf(lists.LineFlags, k + 1, ";") == "1") {
      painter.setPen(ChartPen(colour, Qt::SolidLine, penWidth));
      for (int bar = start; bar < last; ++bar)
        painter.drawLine(x(bar), scale.Y(values.Value(k, bar)), x(bar + 1),
                         scale.Y(values.Value(k, bar + 1)));
      continue;
    }
    // A histogram grows from the pane's bottom, from 0 when the pane spans it, else from the top.
    const Extended base = gridBottom >= 0 ? gridBottom : (gridTop > 0 ? 0 : gridTop);
    painter.setPen(ChartPen(colour));
    painter.setBrush(ToQColor(colour));
    for (int bar = start; bar <= last; ++bar) {
      int x1 = plotLeft +
               static_cast<int>(std::trunc((bar - first) * static_cast<Extended>(price.BarWidth)));
      int x2 =
          plotLeft +
          static_cast<int>(std::trunc((bar - first + 1) * static_cast<Extended>(price.BarWidth)));
      if (x2 - x1 > 3) --x2, ++x1;
      const int y1 = scale.Y(values.Value(k, bar));
      const int y2 = scale.Y(base);
      painter.drawRect(x1, std::min(y1, y2), std::max(0, x2 - x1 - 1), std::abs(y2 - y1));
    }
    painter.setBrush(Qt::NoBrush);
    if (gridBottom < 0) painter.drawLine(plotLeft, scale.Y(0), plotRight + 5, scale.Y(0));
  }

  // Reference levels within the grid.
  painter.setPen(ChartPen(prefs.Colour("C17")));
  for (int i = 1; i <= ItemCount(values.Levels); ++i) {
    const double level = TextToNumber(FieldOf(values.Levels, i, ";"));
    if (level < gridBottom || level > gridTop) continue;
    painter.drawLine(plotLeft, scale.Y(level), plotRight + 5, scale.Y(level));
  }

  // Legend: a disc in each indicator's colour and its name, in one row.
  painter.setFont(ChartFont("Arial", 8));
  const int h = TextHeight(painter);
  const std::uint32_t background = prefs.Colour("C5");
  int legendX = plotLeft + 4;
  for (int k = 1; k <= ItemCount(lists.Names); ++k) {
    const QString name = QString::fromStdString(FieldOf(lists.Names, k, ";"));
    const std::uint32_t colour =
        static_cast<std::uint32_t>(TextToNumber(FieldOf(lists.Colours, k, ";")));
    const int disc = h / 2;
    painter.setPen(ChartPen(prefs.Colour("C17")));
    painter.setBrush(ToQColor(colour));
    const int discTop = top + 3 + static_cast<int>(std::ceil(h / 4.0));
    painter.drawEllipse(
        legendX, discTop, disc,
        static_cast<int>(std::ceil(3 * h / 4.0)) - static_cast<int>(std::ceil(h / 4.0)));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ChartPen(prefs.Colour("C16")));
    TextOut(painter, legendX + disc + 2, top + 3, name, &background);
    legendX += disc + TextWidth(painter, name) + 8;
  }
  painter.restore();
}

}  // namespace chartorium
