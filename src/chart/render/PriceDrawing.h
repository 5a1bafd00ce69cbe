// What the steps of the price pane share while one picture is drawn.
#pragma once

#include <cstdint>

#include <QPainter>
#include <QPen>

#include "chart/ChartFrame.h"
#include "core/Numbers.h"

namespace chartorium {

struct PriceDrawing {
  QPainter& Painter;
  const ChartFrame& Frame;
  const PriceFrame& Price;
  const ChartScale& Scale;
  const ChartPalette& Colours;
  PaneRect Pane;
  int First = 1;  ///< first visible bar
  int Last = 1;   ///< last visible bar
  /// The bar width preference "EBW": the pen of the bars and overlays.
  int PenWidth = 1;

  PriceDrawing(QPainter& painter, const ChartFrame& frame);

  const FrameBar& Bar(int bar) const { return Price.Bar(bar); }
  const PriceStudies& Studies() const { return Price.Studies; }
  /// The places of the studies' few lines; the bars' own places are in the frame.
  int X(int bar) const { return BarToX(Scale, bar); }
  int Y(Extended value) const { return ValueToY(Scale, value); }
  /// A pen of the bars and overlays, `PenWidth` wide.
  QPen LinePen(std::uint32_t colour, Qt::PenStyle style = Qt::SolidLine) const;
  /// Left edge of bar j's slot.
  int SlotLeft(int bar) const;
  /// The colour of bar j: the system's bar colour when one is set, else `own`.
  std::uint32_t BarColour(int bar, std::uint32_t own) const;
};

/// Line, bar and candlestick charts (the chart type buttons other than ZigZag).
void DrawPriceBars(const PriceDrawing& drawing);
/// Parabolic SAR, speed resistance lines, Bollinger bands, moving averages
/// with their legends, ZigZag, quadrant lines and the Fibonacci studies, in
/// that order, each when the frame holds it.
void DrawPriceOverlays(const PriceDrawing& drawing);

/// The system's markers, bar labels and bottom rectangles.
void DrawSystemSignals(const PriceDrawing& drawing);

/// The price histogram of the visible closes, drawn under the bars.
/// REQUIRES: the frame holds it.
void DrawSupportResistance(const PriceDrawing& drawing);
/// Speed resistance lines and Fibonacci fans, when the frame holds them.
void DrawSpeedResistance(const PriceDrawing& drawing);
void DrawFibonacciFans(const PriceDrawing& drawing);
/// REQUIRES: the frame holds the time zones.
void DrawFibonacciTimeZones(const PriceDrawing& drawing);

}  // namespace chartorium
