// One indicator pane under the price chart: its own scale, value axis,
// frame, lines or histograms, reference levels, legend and dates.
#pragma once

class QPainter;

namespace chartorium {

struct ChartScale;
struct DateLocale;
struct IndicatorPaneData;
struct PaneRect;
class Workspace;

/// Draws the pane of slot `slot` (0-based: 0, 2, 4 for panes 1..3) into the
/// rectangle (left, top, width, height). The bars, their slots and the bar
/// width come from `price`, the scale the price pane was drawn with. The dates
/// under the pane (preference "CBY2") take the default locale's month names,
/// and no trading system's bar colours are shown.
void DrawIndicatorPane(QPainter& painter, Workspace& workspace, const IndicatorPaneData& data,
                       const ChartScale& price, int left, int top, int slot, int width, int height);

/// The same, with the month names of `locale`. With `systemShown` (the price
/// pane ran a trading system for this picture, see `SystemSignalsShown`) a
/// bar colour the system set recolours each line and histogram from that bar on.
void DrawIndicatorPane(QPainter& painter, Workspace& workspace, const IndicatorPaneData& data,
                       const ChartScale& price, const DateLocale& locale, bool systemShown,
                       const PaneRect& pane, int slot);

}  // namespace chartorium
