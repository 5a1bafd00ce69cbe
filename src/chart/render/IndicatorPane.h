// One indicator pane under the price chart: its own scale, value axis,
// frame, lines or histograms, reference levels and legend.
#pragma once

class QPainter;

namespace chartorium {

struct ChartScale;
struct IndicatorPaneData;
class Workspace;

/// Draws the pane of slot `slot` (0-based: 0, 2, 4 for panes 1..3) into the
/// rectangle (left, top, width, height). The bars, their slots and the bar
/// width come from `price`, the scale the price pane was drawn with.
void DrawIndicatorPane(QPainter& painter, Workspace& workspace, const IndicatorPaneData& data,
                       const ChartScale& price, int left, int top, int slot, int width, int height);

}  // namespace chartorium
