// The overlays and studies of the price pane, computed for the visible bars:
// parabolic SAR, Bollinger bands, moving averages, ZigZag, quadrant lines,
// speed resistance lines, the Fibonacci studies and the price histogram.
// Each is present only while its button is down.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Numbers.h"

namespace chartorium {

struct ChartButtons;
struct ChartScale;
class Workspace;

/// A SAR value that is not 0, and whether it stands above the bar's high.
struct SarMark {
  int Bar = 0;
  Single Value = 0;
  int Y = 0;  ///< of the value
  bool Above = false;
};

/// A moving average with its legend ("MA21", "EMA50", "LREG10").
struct AverageLine {
  std::string Legend;
  std::uint32_t Colour = 0;
  /// The legend ends this many legend widths left of the plot's right edge.
  int LegendWidths = 1;
  std::vector<Single> Values;  ///< the visible bars; 0 where there is no value
  std::vector<int> Ys;         ///< y of each value
};

/// A straight line between two fractional bar positions.
struct Ray {
  Extended From = 0;
  Extended FromValue = 0;
  Extended To = 0;
  Extended ToValue = 0;
};

/// Horizontal lines from bar From to bar To, solid ones then dotted ones.
struct LevelSpan {
  int From = 0;
  int To = 0;
  std::vector<Extended> Solid;
  std::vector<Extended> Dotted;
};

/// Fibonacci time zones: a dotted line at bar Start, then solid lines at the
/// fractional positions Start + f.
struct TimeZones {
  int Start = 0;
  std::vector<long long> Offsets;
};

/// The price histogram of the visible closes: bins of BinHeight (1/10000
/// units) from the grid's bottom up, with their counts.
struct PriceHistogram {
  std::int64_t BinHeight = 0;
  std::vector<int> Counts;
  int Most = 0;  ///< the largest count, > 0 whenever there are bins
};

struct PriceStudies {
  std::vector<SarMark> Sar;
  std::vector<Ray> SpeedLines;
  /// The visible bars' bands and their y; empty when the bands are off.
  std::vector<Single> UpperBand;
  std::vector<Single> LowerBand;
  std::vector<int> UpperBandY;
  std::vector<int> LowerBandY;
  std::optional<AverageLine> ShortAverage;
  std::optional<AverageLine> LongAverage;
  /// The bars the ZigZag line joins: the first visible bar, each turn and the
  /// last visible bar. Empty when ZigZag is not the chart type.
  std::vector<int> ZigZag;
  std::vector<LevelSpan> Quadrants;
  std::optional<TimeZones> FibonacciTimeZones;
  std::optional<LevelSpan> FibonacciRetracements;
  std::vector<Ray> FibonacciFans;
  std::optional<PriceHistogram> SupportResistance;
};

/// The studies whose buttons are down, over the visible bars first..last of
/// the scale. Reads the moving averages and bands from the cache (the scale
/// has computed them) and computes the SAR into it.
/// REQUIRES: BarCount > 1 and the view clamped.
PriceStudies PrepareStudies(Workspace& workspace, const ChartButtons& buttons,
                            const ChartScale& scale, int first, int last);

}  // namespace chartorium
