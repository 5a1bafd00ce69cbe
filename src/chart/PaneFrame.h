// One indicator pane as it will be drawn: its own value grid and layout, the
// visible values of its indicators, its reference levels and its legend.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chart/ChartScale.h"
#include "core/Numbers.h"

namespace chartorium {

struct IndicatorSlot;
struct PaneValues;

/// One indicator that has a value in the window.
struct PaneSeries {
  std::uint32_t Colour = 0;
  bool Line = true;            ///< else a histogram
  int Width = 1;               ///< the line's pen width, at least 1
  int Start = 1;               ///< its first visible bar with a value that is not 0
  std::vector<double> Values;  ///< the visible bars First..Last
  std::vector<int> Ys;         ///< y of each value
};

/// A value label of the axis, at quarter steps of the grid.
struct PaneAxisMark {
  Extended Units = 0;  ///< the value in 1/10000
  std::string Label;   ///< the value, or thousands with "k" when the top passes 1,000,000
};

struct PaneLegendEntry {
  std::string Name;
  std::uint32_t Colour = 0;
};

struct PaneFrame {
  PaneRect Pane;
  int PlotLeft = 0;
  int PlotRight = 0;
  Single BarWidth = 0;  ///< the price pane's, so the bars line up
  int First = 1;        ///< the first and last visible bars
  int Last = 1;

  PriceGrid Grid;
  Extended Bottom = 0;  ///< the plot's bottom line (yB)
  Extended Top = 0;     ///< the plot's top line (yT)
  Extended PixelsPerUnit = 0;
  /// The centre of each visible bar's slot, and the slots' left edges
  /// (First..Last + 1), the price pane's columns.
  std::vector<int> Xs;
  std::vector<int> SlotLefts;

  /// Quarter steps of the grid from its bottom, in 1/10000.
  Extended Quarter = 0;
  std::array<PaneAxisMark, 5> Axis;

  std::vector<PaneSeries> Series;
  /// Histograms grow from the pane's bottom, from 0 when the grid spans it,
  /// else from its top; a pane reaching below 0 gets a zero line.
  Extended HistogramBase = 0;
  bool ZeroLine = false;
  /// The levels that lie within the grid.
  std::vector<double> Levels;
  /// Every name of the pane's list with its colour, found or not.
  std::vector<PaneLegendEntry> Legend;

  int Y(Extended value) const;
  /// The x of the centre of bar j's slot, and of its left edge (up to Last + 1).
  int X(int bar) const { return Xs[static_cast<size_t>(bar - First)]; }
  int SlotLeft(int bar) const { return SlotLefts[static_cast<size_t>(bar - First)]; }
};

/// Text heights that set a pane's plot: a month label under it and half a caption above it.
struct PaneTextHeights {
  int MonthName = 0;
  int Caption = 0;
};

/// The pane of `values` and its slot's lists in `pane`, over the visible bars
/// first..last of slots `barWidth` wide. `dates`: dates go under the plot.
/// An indicator at 0 throughout the window keeps 0 in the range but is not drawn.
PaneFrame PreparePaneFrame(const PaneValues& values, const IndicatorSlot& lists,
                           const PaneRect& pane, int first, int last, Single barWidth,
                           const PaneTextHeights& heights, bool dates);

}  // namespace chartorium
