// Everything the chart shows, computed before any paint: the price pane's
// scale, grid, bars, studies and the trading system's signals, the indicator
// panes, the date marks, and the colours and choices of the preferences.
// Renderers draw a ChartFrame and read nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartButtons.h"
#include "chart/ChartScale.h"
#include "chart/ChartStudies.h"
#include "chart/DateMarks.h"
#include "chart/IndicatorPanes.h"
#include "chart/PaneFrame.h"
#include "chart/SystemSignals.h"
#include "core/Numbers.h"

namespace chartorium {

struct DateLocale;
class Workspace;

/// The chart window's buttons, caption and system.
struct PriceChartOptions {
  ChartButtons Buttons;
  std::string Caption;  ///< the open stock's name
  std::string Ticker;
  /// The selected trading system's text; empty for "None".
  std::string SystemText;
};

/// Where the panes go on the device: the screen chart gives each pane its own
/// picture (left = top = 0), an exported picture stacks them.
struct ChartLayout {
  PaneRect Price;
  /// Indicator panes 1..3; a pane whose slot is empty is not prepared.
  std::array<PaneRect, PaneCount> Panes{};

  friend bool operator==(const ChartLayout&, const ChartLayout&) = default;
};

/// Text heights the layout leaves room for, measured by the renderer on the
/// device the chart will be drawn on.
struct ChartTextHeights {
  int Caption = 0;      ///< the chart caption in the title font "BFon"
  int MonthName = 0;    ///< a month label ("Tahoma" 8 points)
  int PaneCaption = 0;  ///< an indicator pane's legend ("Arial" 8 points)
};

struct ChartFrameOptions {
  PriceChartOptions Chart;
  ChartLayout Layout;
  ChartTextHeights Text;
};

/// The preference colours the chart paints with, 0xBBGGRR.
struct ChartPalette {
  std::uint32_t Background = 0;      ///< C5
  std::uint32_t Plot = 0;            ///< C29
  std::uint32_t Text = 0;            ///< C16
  std::uint32_t Axis = 0;            ///< C17: frame and ticks
  std::uint32_t Grid = 0;            ///< C19: dotted grid and separators
  std::uint32_t Bands = 0;           ///< C2
  std::uint32_t Studies = 0;         ///< C6: speed resistance lines and Fibonacci fans
  std::uint32_t Quadrants = 0;       ///< C8
  std::uint32_t ZigZag = 0;          ///< C9
  std::uint32_t BarsUp = 0;          ///< C10
  std::uint32_t BarsDown = 0;        ///< C11
  std::uint32_t CandlesUp = 0;       ///< C12
  std::uint32_t CandlesDown = 0;     ///< C13
  std::uint32_t LineUp = 0;          ///< C14
  std::uint32_t LineDown = 0;        ///< C15
  std::uint32_t PriceHistogram = 0;  ///< C20: support & resistance
  std::uint32_t Sar = 0;             ///< C21
  std::uint32_t Marker = 0;          ///< C22: the vertical marker line
  std::uint32_t LastCloseText = 0;   ///< C98
  std::uint32_t LastCloseBox = 0;    ///< C99
};

/// The pictures of buy and sell markers: "RS", "RB" or "RQ".
enum class MarkerStyle { Arrows, WideArrows, Triangles };

/// The preference choices the chart is drawn with.
struct ChartLook {
  bool NameInPlot = false;           ///< CCom: the title inside the plot area
  bool GridAcross = false;           ///< CBX: grid lines across the plot
  bool DatesUnderPrice = false;      ///< CBY
  bool DatesUnderPanes = false;      ///< CBY2
  bool SeparatorEveryMonth = false;  ///< CBYM
  bool HighlightLastClose = false;   ///< ChHi
  bool SignalRectangles = false;     ///< RRe
  MarkerStyle Markers = MarkerStyle::Triangles;
  int PenWidth = 1;       ///< EBW, at least 1: the bars and overlays
  std::string TitleFont;  ///< BFon, a font text such as "Arial, 11, Bold, Italic"
};

/// One visible bar, with its place on the price pane.
struct FrameBar {
  Single Open = 0;
  Single High = 0;
  Single Low = 0;
  Single Close = 0;
  /// The close is at or above the previous bar's; the first bar of the series rises.
  bool Rising = true;
  int X = 0;         ///< the centre of its slot
  int SlotLeft = 0;  ///< the left edge of its slot
  int YOpen = 0;     ///< the y of its prices
  int YHigh = 0;
  int YLow = 0;
  int YClose = 0;
};

struct PriceFrame {
  ChartType Type = ChartType::Line;
  ChartScale Scale;
  int First = 1;  ///< the first and last visible bars
  int Last = 1;
  int VisibleBarCount = 1;
  std::string Title;           ///< caption + " (" + ticker + ")"
  std::vector<FrameBar> Bars;  ///< First..Last
  int EndSlotLeft = 0;         ///< the left edge of the slot after the last bar's
  /// The grid's labels from its bottom up, one per step, the top included.
  std::vector<std::string> ValueLabels;
  std::string LastCloseText;  ///< when the last close is highlighted
  PriceStudies Studies;
  /// The trading system's marks when its signals show (one is selected and
  /// has not failed since the stock was loaded or the system chosen).
  std::optional<SystemSignals> Signals;

  const FrameBar& Bar(int bar) const { return Bars[static_cast<size_t>(bar - First)]; }
  /// The left edge of bar j's slot, First <= j <= Last + 1.
  int SlotLeft(int bar) const { return bar > Last ? EndSlotLeft : Bar(bar).SlotLeft; }
  /// The colour the system gave bar j, or -1 (also when no system shows).
  std::int32_t BarColour(int bar) const;
};

struct ChartFrame {
  /// Whether there is a chart: the stock has more than one bar.
  bool HasBars = false;
  ChartLayout Layout;
  ChartPalette Colours;
  ChartLook Look;
  std::array<std::string, 12> MonthNames;  ///< the locale's short month names
  PriceFrame Price;
  /// Indicator panes 1..3, present when shown.
  std::array<std::optional<PaneFrame>, PaneCount> Panes;
  /// Week and month changes of the visible bars, when dates show anywhere.
  std::vector<DateMark> Dates;
  /// The selected system's script error, carried by the one frame whose
  /// preparation ran it; later frames leave the system off without a new error.
  std::optional<MacroError> SystemFailure;
};

/// Prepares what the chart shows in `options.Layout`: clamps the view, takes
/// the range and grid of the visible bars, computes the overlays and studies
/// whose buttons are down, runs the selected trading system over the visible
/// bars (unless it failed since the stock was loaded or the system chosen:
/// its failure is recorded in the quote store, and carried by this frame
/// alone), and lays out the indicator panes from `panes`. A stock with
/// fewer than two bars gives a frame without bars.
ChartFrame PrepareChartFrame(Workspace& workspace, const IndicatorPaneData& panes,
                             const DateLocale& locale, const ChartFrameOptions& options);

}  // namespace chartorium
