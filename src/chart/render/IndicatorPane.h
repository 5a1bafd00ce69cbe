// One indicator pane under the price chart: its value axis, frame, lines or
// histograms, reference levels, legend and dates.
#pragma once

class QPainter;

namespace chartorium {

struct ChartFrame;

/// Draws indicator pane 1..3 of the frame into the pane's rectangle; nothing
/// when the frame does not hold that pane. A bar colour of the frame's
/// trading system recolours each line and histogram from that bar on.
void DrawIndicatorPane(QPainter& painter, const ChartFrame& frame, int pane);

}  // namespace chartorium
