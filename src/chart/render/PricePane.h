// The price pane: the visible bars as a line, bar or candlestick chart over
// the price grid, with dates, title, last close and the overlays.
#pragma once

#include <string>

#include "chart/ChartButtons.h"
#include "chart/ChartScale.h"

class QPainter;

namespace chartorium {

struct DateLocale;
class Workspace;

/// The chart window's buttons and caption, read at drawing time.
struct PriceChartOptions {
  ChartButtons Buttons;
  std::string Caption;  ///< the open stock's name
  std::string Ticker;
  /// The selected trading system's text; empty for "None".
  std::string SystemText;
};

/// Draws the price pane into the rectangle (left, top, width, height) of any
/// paint device and returns the scale it drew with (kept for the mouse, the
/// indicator panes and printing). Draws nothing when there are fewer than two
/// bars; the returned scale is then `previous`.
ChartScale DrawPricePane(QPainter& painter, Workspace& workspace, const PriceChartOptions& options,
                         const DateLocale& locale, const PaneRect& pane,
                         const ChartScale& previous = {});

/// After `DrawPricePane`: whether it showed the selected trading system's
/// signals (one is selected and has not failed since the stock was loaded).
bool SystemSignalsShown(const Workspace& workspace, const PriceChartOptions& options);

}  // namespace chartorium
