// The bars of the price pane: line, bar and candlestick charts.
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "chart/render/Colours.h"
#include "chart/render/PriceDrawing.h"
#include "chart/render/RenderText.h"

namespace chartorium {
namespace {

// The two pens of rising and falling bars, made once per chart; a system's
// bar colour gets its own pen.
class BarPens {
 public:
  BarPens(const PriceDrawing& d, std::uint32_t rising, std::uint32_t falling)
      : d_(d),
        rising_(rising),
        falling_(falling),
        risingPen_(d.LinePen(rising_)),
        fallingPen_(d.LinePen(falling_)) {}

  // The colour of bar j.
  std::uint32_t Colour(int bar, bool rising) const {
    return d_.BarColour(bar, rising ? rising_ : falling_);
  }

  // Sets the pen of bar j on the painter and returns its colour.
  std::uint32_t Use(int bar, bool rising) {
    const std::uint32_t own = rising ? rising_ : falling_;
    const std::uint32_t colour = d_.BarColour(bar, own);
    if (colour == own) {
      d_.Painter.setPen(rising ? risingPen_ : fallingPen_);
    } else {
      d_.Painter.setPen(d_.LinePen(colour));
    }
    return colour;
  }

 private:
  const PriceDrawing& d_;
  std::uint32_t rising_, falling_;
  QPen risingPen_, fallingPen_;
};

void DrawLineChart(const PriceDrawing& d) {
  BarPens pens(d, d.Colours.LineUp, d.Colours.LineDown);
  for (int j = d.First; j < d.Last; ++j) {
    const FrameBar& from = d.Bar(j);
    const FrameBar& to = d.Bar(j + 1);
    pens.Use(j + 1, to.Rising);
    d.Painter.drawLine(from.X, from.YClose, to.X, to.YClose);
  }
}

// The body inset of a candle in a slot `width` pixels wide.
int CandleInset(Single width) {
  if (width < 5) return 0;
  if (width == 5 || width == 10) return 0;
  if (width < 10) return 1;
  return static_cast<int>(std::trunc((width - 8) / 2));
}

// Fills the pixels a thin vertical line from (x, from) to (x, to) covers,
// leaving out (x, to).
void VerticalLine(QPainter& painter, int x, int from, int to, const QColor& colour) {
  if (to > from) painter.fillRect(x, from, 1, to - from, colour);
  if (to < from) painter.fillRect(x, to + 1, 1, from - to, colour);
}

// With a thin pen a candle is only rectangles of one colour, filled directly,
// which is many times faster than stroking them: the body's outline and
// inside cover [x1, x2) x [top, bottom), a flat body the row at the close.
// A body narrower than a pixel (many bars to a pixel) still gets its column.
void DrawThinCandle(QPainter& painter, int x1, int x2, int top, int bottom, int wick, int yHigh,
                    int yLow, const QColor& colour, bool hollow) {
  const int width = std::max(1, x2 - x1);
  const int height = std::max(1, bottom - top);
  painter.fillRect(x1, top, width, height, colour);
  if (hollow && width > 2 && height > 2)
    painter.fillRect(x1 + 1, top + 1, width - 2, height - 2, QColor(255, 255, 255));
  VerticalLine(painter, wick, top, yHigh, colour);
  VerticalLine(painter, wick, bottom, yLow, colour);
}

void DrawCandles(const PriceDrawing& d) {
  QPainter& painter = d.Painter;
  const Single bw = d.Scale.BarWidth;
  const int inset = CandleInset(bw);
  const int wickOffset = static_cast<int>(std::trunc((bw - 2 * inset) * 0.5));
  BarPens pens(d, d.Colours.CandlesUp, d.Colours.CandlesDown);
  const bool thin = d.PenWidth <= 1;
  const QBrush white(QColor(255, 255, 255));
  int x1 = d.SlotLeft(d.First) + inset;
  for (int j = d.First; j <= d.Last; ++j) {
    const FrameBar& bar = d.Bar(j);
    const Single open = bar.Open == 0 ? bar.Close : bar.Open;
    const int nextSlot = d.SlotLeft(j + 1);
    const int x2 = nextSlot - inset;
    const int yClose = bar.YClose;
    const int yOpen = bar.Open == 0 ? bar.YClose : bar.YOpen;
    const int top = std::min(yClose, yOpen);
    const int bottom = std::max(yClose, yOpen);
    const int wick = x1 + wickOffset;
    // A missing high or low is taken as the close.
    const int yHigh = bar.High == 0 ? bar.YClose : bar.YHigh;
    const int yLow = bar.Low == 0 ? bar.YClose : bar.YLow;
    // A white body for a rising candle, a filled one otherwise.
    const bool hollow = bar.Close > open;
    if (thin) {
      const QColor colour = ToQColor(pens.Colour(j, bar.Rising));
      DrawThinCandle(painter, x1, x2, top, bottom, wick, yHigh, yLow, colour, hollow);
      x1 = nextSlot + inset;
      continue;
    }
    const std::uint32_t colour = pens.Use(j, bar.Rising);
    if (top == bottom) {
      painter.drawLine(x1, top, x2, top);
    } else {
      if (hollow) {
        painter.setBrush(white);
      } else {
        painter.setBrush(ToQColor(colour));
      }
      painter.drawRect(x1, top, x2 - x1 - 1, bottom - top - 1);
    }
    const QLine wicks[] = {QLine(wick, top, wick, yHigh), QLine(wick, bottom, wick, yLow)};
    painter.drawLines(wicks, 2);
    x1 = nextSlot + inset;
  }
  painter.setBrush(Qt::NoBrush);
}

void DrawBarChart(const PriceDrawing& d) {
  const Single bw = d.Scale.BarWidth;
  const Extended inset = bw < 5 || bw == 5 || bw == 10 ? 0 : bw < 10 ? 1 : (bw - 8) / 2.0L;
  const int tick = static_cast<int>(std::trunc(bw / 2.0L - inset));
  BarPens pens(d, d.Colours.BarsUp, d.Colours.BarsDown);
  const bool thin = d.PenWidth <= 1;
  for (int j = d.First; j <= d.Last; ++j) {
    const FrameBar& bar = d.Bar(j);
    const int x = bar.X;
    pens.Use(j, bar.Rising);
    const int yClose = bar.YClose;
    const int yOpen = bar.YOpen;
    const QLine lines[] = {
        {x, bar.YHigh, x, bar.YLow},
        {x + tick, yClose, x, yClose},
        thin ? ThinLineTo(x, yOpen, x - tick, yOpen) : QLine(x, yOpen, x - tick, yOpen)};
    d.Painter.drawLines(lines, 3);
  }
}

}  // namespace

void DrawPriceBars(const PriceDrawing& d) {
  switch (d.Price.Type) {
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
