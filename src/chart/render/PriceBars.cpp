// The bars of the price pane: line, bar and candlestick charts.
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "chart/render/PriceDrawing.h"
#include "chart/render/PricePane.h"
#include "core/Preferences.h"
#include "core/Workspace.h"
#include "core/ui/Colours.h"

namespace chartorium {
namespace {

int PenWidth(const PriceDrawing& d) {
  return std::max(1, d.Prefs().Integer("EBW"));
}

void SetPen(const PriceDrawing& d, std::uint32_t colour) {
  d.Painter.setPen(QPen(ToQColor(colour), PenWidth(d)));
}

// Rising when the close is at or above the previous bar's; the first bar of the series rises.
bool Rising(const PriceDrawing& d, int bar) {
  return bar <= 1 || d.Bar(bar).Close >= d.Bar(bar - 1).Close;
}

void DrawLineChart(const PriceDrawing& d) {
  for (int j = d.First; j < d.Last; ++j) {
    const Single from = d.Bar(j).Close;
    const Single to = d.Bar(j + 1).Close;
    SetPen(d, d.BarColour(j + 1, d.Colour(to >= from ? "C14" : "C15")));
    d.Painter.drawLine(d.X(j), d.Y(from), d.X(j + 1), d.Y(to));
  }
}

// The body inset of a candle in a slot `width` pixels wide.
int CandleInset(Single width) {
  if (width < 5) return 0;
  if (width == 5 || width == 10) return 0;
  if (width < 10) return 1;
  return static_cast<int>(std::trunc((width - 8) / 2));
}

void DrawCandles(const PriceDrawing& d) {
  QPainter& painter = d.Painter;
  const Single bw = d.Scale.BarWidth;
  const int inset = CandleInset(bw);
  for (int j = d.First; j <= d.Last; ++j) {
    const QuoteRecord& bar = d.Bar(j);
    const Single open = bar.Open == 0 ? bar.Close : bar.Open;
    const int x1 = d.SlotLeft(j) + inset;
    const int x2 = d.Scale.PlotLeft +
                   static_cast<int>(std::trunc(static_cast<Extended>(j - d.First + 1) * bw)) -
                   inset;
    const int yClose = d.Y(bar.Close);
    const int yOpen = d.Y(open);
    const QColor colour = ToQColor(d.BarColour(j, d.Colour(Rising(d, j) ? "C12" : "C13")));
    painter.setPen(QPen(colour, PenWidth(d)));
    const int top = std::min(yClose, yOpen);
    const int bottom = std::max(yClose, yOpen);
    if (top == bottom) {
      painter.drawLine(x1, top, x2, top);
    } else {
      // A white body for a rising candle, a filled one otherwise.
      painter.setBrush(bar.Close > open ? QColor(255, 255, 255) : colour);
      // The outline covers [x1, x2) x [top, bottom), as the program's rectangles do.
      painter.drawRect(x1, top, x2 - x1 - 1, bottom - top - 1);
    }
    const int wick = x1 + static_cast<int>(std::trunc((bw - 2 * inset) * 0.5));
    const Single high = bar.High == 0 ? bar.Close : bar.High;
    const Single low = bar.Low == 0 ? bar.Close : bar.Low;
    painter.drawLine(wick, top, wick, d.Y(high));
    painter.drawLine(wick, bottom, wick, d.Y(low));
  }
  painter.setBrush(Qt::NoBrush);
}

void DrawBarChart(const PriceDrawing& d) {
  const Single bw = d.Scale.BarWidth;
  const Extended inset = bw < 5 || bw == 5 || bw == 10 ? 0 : bw < 10 ? 1 : (bw - 8) / 2.0L;
  const Extended tick = bw / 2.0L - inset;
  for (int j = d.First; j <= d.Last; ++j) {
    const QuoteRecord& bar = d.Bar(j);
    const int x = static_cast<int>(
        std::trunc(static_cast<Extended>(j - d.First) * bw + d.Scale.PlotLeft + bw / 2.0L));
    SetPen(d, d.BarColour(j, d.Colour(Rising(d, j) ? "C10" : "C11")));
    d.Painter.drawLine(x, d.Y(bar.High), x, d.Y(bar.Low));
    d.Painter.drawLine(x + static_cast<int>(std::trunc(tick)), d.Y(bar.Close), x, d.Y(bar.Close));
    d.Painter.drawLine(x, d.Y(bar.Open), x - static_cast<int>(std::trunc(tick)), d.Y(bar.Open));
  }
}

}  // namespace

void DrawPriceBars(const PriceDrawing& d) {
  switch (d.Options.Buttons.Type) {
    case ChartType::Line:
      DrawLineChart(d);
      return;
    case ChartType::Candles:
      DrawCandles(d);
      return;
    case ChartType::Bars:
      DrawBarChart(d);
      return;
    case ChartType::ZigZag:
      return;  // drawn with the overlays
  }
}

}  // namespace chartorium
