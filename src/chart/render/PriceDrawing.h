// What the steps of the price pane share while one picture is drawn.
#pragma once

#include <cstdint>

#include <QPainter>
#include <QPen>

#include "chart/ChartScale.h"
#include "core/Numbers.h"

namespace chartorium {

class Preferences;
struct PriceChartOptions;
struct QuoteRecord;
class Workspace;

struct PriceDrawing {
  QPainter& Painter;
  Workspace& Space;
  const PriceChartOptions& Options;
  const ChartScale& Scale;
  PaneRect Pane;
  int First = 1;  ///< first visible bar
  int Last = 1;   ///< last visible bar
  /// A trading system ran for this picture: its signals and bar colours show.
  bool SystemShown = false;
  /// The bar width preference "EBW": the pen of the bars and overlays.
  int PenWidth = 1;

  const Preferences& Prefs() const;
  const QuoteRecord& Bar(int bar) const;
  std::uint32_t Colour(const char* field) const;
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
/// that order, each when its button is down.
void DrawPriceOverlays(const PriceDrawing& drawing);

/// Runs the selected trading system over the visible bars; false when none is
/// selected or it failed (its signals then stay off until the next load).
bool RunChartSystem(const PriceDrawing& drawing);
/// The system's markers, bar labels and bottom rectangles.
void DrawSystemSignals(const PriceDrawing& drawing);

/// The price histogram of the visible closes, drawn under the bars.
void DrawSupportResistance(const PriceDrawing& drawing);
void DrawSpeedResistance(const PriceDrawing& drawing);
void DrawFibonacciTimeZones(const PriceDrawing& drawing);
void DrawFibonacciRetracements(const PriceDrawing& drawing);
void DrawFibonacciFans(const PriceDrawing& drawing);

}  // namespace chartorium
