// The price pane: the visible bars as a line, bar or candlestick chart over
// the price grid, with dates, title, last close, signals and the overlays.
#pragma once

class QPainter;

namespace chartorium {

struct ChartFrame;

/// Draws the frame's price pane into its rectangle on any paint device.
/// Draws nothing for a frame without bars.
void DrawPricePane(QPainter& painter, const ChartFrame& frame);

}  // namespace chartorium
