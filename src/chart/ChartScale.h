// The scale of the price pane: the value range of the visible bars, the
// price grid and the mappings between bars, values and pixels.
#pragma once

#include <cstdint>

#include "core/HautBas.h"
#include "core/Numbers.h"

namespace chartorium {

class Workspace;

/// Grid values in units of 1/10000, so labels and lines are exact decimal steps.
struct PriceGrid {
  std::int64_t Top = 0;
  std::int64_t Bottom = 0;
  std::int64_t Step = 1;

  friend bool operator==(const PriceGrid&, const PriceGrid&) = default;
};

/// A pane's rectangle on the device being drawn: the screen chart uses
/// left = top = 0, printing passes its own.
struct PaneRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  friend bool operator==(const PaneRect&, const PaneRect&) = default;
};

/// Which overlays the chart shows; they decide how the value range is taken.
struct ShownOverlays {
  bool BollingerBands = false;
  bool ShortAverage = false;
  bool LongAverage = false;

  friend bool operator==(const ShownOverlays&, const ShownOverlays&) = default;
};

/// Computed whenever the chart's frame is prepared and kept in it for the mouse,
/// the indicator panes and printing.
struct ChartScale {
  Single RangeHigh = 0;
  Single RangeLow = 0;
  PriceGrid Grid;
  Single GridSpan = 0;  ///< (Grid.Top - Grid.Bottom) / 10000
  int PlotLeft = 0;
  int PlotRight = 0;
  Single PlotTop = 0;
  Single PlotBottom = 0;
  Single BarWidth = 0;
  Single PixelsPerUnit = 0;
  int FirstVisibleBar = 1;  ///< the view's first bar when the scale was taken
};

/// The grid of a value range. A flat range is widened upward by 1 (so
/// `rangeHigh` may change); the step is 10^c divided by 10, 4, 2 or 1 after the
/// range is normalised to 1..10, and never below 1/10000.
PriceGrid Bornes(Single& rangeHigh, Single rangeLow);

/// The HautBas mode of the shown overlays: WithBands when the bands show,
/// PricesAfterOverlays when no average does, else WithAverages.
HautBasMode RangeModeFor(const ShownOverlays& overlays);

/// Text heights the layout leaves room for, measured by the renderer.
struct PriceTextHeights {
  Single Caption = 0;    ///< the chart caption in the title font
  Single MonthName = 0;  ///< a month name, below the plot when dates are shown
};

/// Clamps the view, takes the range of the plotted bars and the one after them,
/// and lays out the price pane in `pane`. REQUIRES: BarCount > 1.
ChartScale ComputePriceScale(Workspace& workspace, const PaneRect& pane,
                             const ShownOverlays& overlays, const PriceTextHeights& heights);

/// The x of the centre of bar j's slot.
int BarToX(const ChartScale& scale, int bar);
/// The y of a value.
int ValueToY(const ChartScale& scale, Extended value);
/// The bar under x on the screen chart (pane left 0) of width `paneWidth`.
int XToBar(const ChartScale& scale, int x, int paneWidth);
/// The value at y, in units of 1/10000.
std::int64_t YToValue(const ChartScale& scale, int y);

}  // namespace chartorium
