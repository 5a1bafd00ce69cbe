// The dates under a plot: week ticks, month separators and month labels,
// shared by the price pane and the indicator panes.
#pragma once

#include "core/Numbers.h"

class QPainter;

namespace chartorium {

struct ChartFrame;

/// Where the dates of one plot go.
struct DateAxisPlace {
  int PlotLeft = 0;
  int PlotRight = 0;
  int SeparatorTop = 0;  ///< the month separators run from here down to `Bottom`
  int Bottom = 0;        ///< the plot's bottom line: ticks and labels hang below it
  Single BarWidth = 0;
  int First = 1;         ///< the first visible bar
  int LastExamined = 1;  ///< the last bar whose marks are drawn
};

/// Draws the frame's date marks in "Tahoma" 8 points and leaves that font on
/// the painter. A month label is drawn only where it does not overwrite the
/// previous one, and only when it ends left of the plot's right edge. Every
/// January gets a dotted separator up the plot; with "CBYM" every labelled
/// month does. Returns the height of a month label.
int DrawDateAxis(QPainter& painter, const ChartFrame& frame, const DateAxisPlace& place);

}  // namespace chartorium
