// The studies of the price pane.
#include "chart/ChartStudies.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartButtons.h"
#include "chart/ChartScale.h"
#include "core/HautBas.h"
#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

// What the studies read: the bars and the window, the one bar after it included.
struct Window {
  const QuoteStore& Store;
  const ChartScale& Scale;
  int First = 1;
  int Last = 1;
  int Visible = 1;  ///< VisibleBarCount

  Single Close(int bar) const { return Store.BarSeries[static_cast<size_t>(bar)].Close; }
  // The bar one past the window, limited to the bars that exist.
  int End() const { return std::min(Store.BarCount, First + Visible); }

  // The bar with the lowest (or highest) close of from..to, the earliest on ties.
  int ExtremeClose(int from, int to, bool highest) const {
    int best = from;
    for (int j = from + 1; j <= to; ++j) {
      if (highest ? Close(j) > Close(best) : Close(j) < Close(best)) best = j;
    }
    return best;
  }
};

std::vector<SarMark> SarOf(Workspace& workspace, const Window& w) {
  ComputeIndicator(workspace, "SAR");
  const int series = workspace.Indicators.Find("SAR");
  if (series < 0) return {};
  std::vector<SarMark> marks;
  for (int j = w.First; j <= w.Last; ++j) {
    const Single sar = workspace.Indicators.Value(series, j);
    if (sar == 0) continue;
    marks.push_back(
        {j, sar, ValueToY(w.Scale, sar), sar > w.Store.BarSeries[static_cast<size_t>(j)].High});
  }
  return marks;
}

std::vector<Single> Visible(const SeriesValues& values, const Window& w) {
  return std::vector<Single>(values.begin() + w.First, values.begin() + w.Last + 1);
}

std::vector<int> YsOf(const std::vector<Single>& values, const ChartScale& scale) {
  std::vector<int> ys;
  ys.reserve(values.size());
  for (const Single value : values) ys.push_back(ValueToY(scale, value));
  return ys;
}

AverageLine AverageOf(const Preferences& prefs, const SeriesValues& values, const Window& w,
                      const char* colourField, const char* periodField, const char* typeField,
                      int legendWidths) {
  const int type = prefs.Integer(typeField);
  const char* kind = type == 1 ? "EMA" : type == 2 ? "LREG" : "MA";
  AverageLine line{kind + prefs.Text(periodField),
                   prefs.Colour(colourField),
                   legendWidths,
                   Visible(values, w),
                   {}};
  line.Ys = YsOf(line.Values, w.Scale);
  return line;
}

// The first visible bar, each bar whose close moved more than EZZ percent
// from the bar before it, and the last visible bar. A close of 0 ends the walk.
std::vector<int> ZigZagOf(const Preferences& prefs, const Window& w) {
  const Extended threshold = prefs.Number("EZZ");
  std::vector<int> points{w.First};
  for (int j = w.First + 1; j <= w.Last; ++j) {
    const Single close = w.Close(j);
    if (close == 0) break;
    const Extended change = std::fabs(static_cast<Extended>(close) - w.Close(j - 1)) / close * 100;
    if (change > threshold) points.push_back(j);
  }
  points.push_back(w.Last);
  return points;
}

// Each full block of 20 bars: its high, its low, the quarters between solid
// and the middle dotted.
std::vector<LevelSpan> QuadrantsOf(const Window& w) {
  std::vector<LevelSpan> blocks;
  for (int k = 0; k < w.Visible / 20; ++k) {
    const int from = w.First + 20 * k;
    const int to = from + 20;
    const PriceRange range = HautBas(w.Store, from, to, HautBasMode::PricesOnly);
    const Extended high = range.High;
    const Extended spread = high - range.Low;
    blocks.push_back(
        {from,
         to,
         {high, static_cast<Extended>(range.Low), high - 0.75L * spread, high - 0.25L * spread},
         {high - 0.5L * spread}});
  }
  return blocks;
}

// A ray from (w, low) rising by `r` over dx bars, extended to the grid top or
// cut at the window's right edge; none when it would be flat or vertical.
std::optional<Ray> RayOf(const Window& window, int w, Extended low, Extended r, int dx) {
  if (r == 0 || dx == 0) return std::nullopt;
  const Extended gridTop = window.Scale.Grid.Top / 10000.0L;
  Extended e = ((gridTop - low) - r) * dx / r;
  Extended rise = gridTop - low;
  if (w - window.First + dx + e > window.Visible) {
    e = window.Visible + window.First - w - dx;
    rise = r * (dx + e) / dx;
  }
  return Ray{static_cast<Extended>(w), low, w + dx + e, low + rise};
}

std::vector<Ray> SpeedLinesOf(const Window& window) {
  const int w = window.ExtremeClose(
      window.First, std::min(window.Last, window.First + (window.Visible + 1) / 2), false);
  const Extended low = window.Close(w);
  int b = window.ExtremeClose(w, window.End(), true);
  Extended high = window.Close(b);
  if (high == low) high = low + 1;
  if (b == w) b = w + 1;
  const Extended spread = high - low;
  std::vector<Ray> rays;
  for (const Extended r : {spread, spread / 3, 2 * spread / 3})
    if (const auto ray = RayOf(window, w, low, r, b - w)) rays.push_back(*ray);
  return rays;
}

std::vector<Ray> FansOf(const Window& window) {
  int w = window.ExtremeClose(
      window.First, std::min(window.Last, window.First + (window.Visible + 1) / 2), false);
  Extended low = window.Close(w);
  int b = window.ExtremeClose(w, window.End(), true);
  const Extended high = window.Close(b);
  if (high == low) {
    // A falling window: the lowest close moves right and the rays point back to the left.
    for (int j = w; j <= window.End(); ++j) {
      if (window.Close(j) >= low) continue;
      low = window.Close(j);
      b = w;
      w = j;
    }
  }
  if (high == low) return {};
  std::vector<Ray> rays;
  for (const Extended ratio : {1.0L, 0.5L, 0.382L, 0.618L})
    if (const auto ray = RayOf(window, w, low, (high - low) * ratio, b - w)) rays.push_back(*ray);
  return rays;
}

TimeZones TimeZonesOf(const Window& window) {
  TimeZones zones;
  zones.Start = window.ExtremeClose(
      window.First, std::min(window.Last, window.First + window.Visible / 4), false);
  // f runs 1, 2, 3, 5, 8, ...; g is the number two places before it (0, 1, 1, 2, 3, ...).
  long long g = 0, previous = 1, f = 1;
  while (true) {
    zones.Offsets.push_back(f);
    if (window.First + window.Visible < zones.Start + f + g) break;
    const long long next = f + previous;
    g = previous;
    previous = f;
    f = next;
    if (f > 4 * MaxQuotes) break;
  }
  return zones;
}

LevelSpan RetracementsOf(const Window& window) {
  const int w = window.ExtremeClose(
      window.First, std::min(window.Last, window.First + window.Visible / 2), false);
  const Extended low = window.Close(w);
  const Extended high = window.Close(window.ExtremeClose(w, window.End(), true));
  const Extended spread = high - low;
  return {w,
          window.First + window.Visible,
          {high, low},
          {low + 0.5L * spread, high - 0.236L * spread, high - 0.382L * spread,
           high - 0.618L * spread}};
}

// Bins of a 25th of the grid's span; each visible close counts in its bin.
std::optional<PriceHistogram> HistogramOf(const Window& w) {
  const PriceGrid& grid = w.Scale.Grid;
  PriceHistogram histogram;
  histogram.BinHeight =
      static_cast<std::int64_t>(std::nearbyint((grid.Top - grid.Bottom) * 400.0L / 10000));
  if (histogram.BinHeight <= 0) return std::nullopt;
  const std::int64_t bins = (grid.Top - grid.Bottom) / histogram.BinHeight;
  if (bins <= 0) return std::nullopt;
  histogram.Counts.assign(static_cast<size_t>(bins), 0);
  for (int j = w.First; j <= w.Last; ++j) {
    const auto bin = static_cast<std::int64_t>(
        std::floor((w.Close(j) * 10000.0L - grid.Bottom) / histogram.BinHeight));
    ++histogram.Counts[static_cast<size_t>(std::clamp<std::int64_t>(bin, 0, bins - 1))];
  }
  histogram.Most = *std::max_element(histogram.Counts.begin(), histogram.Counts.end());
  return histogram;
}

}  // namespace

PriceStudies PrepareStudies(Workspace& workspace, const ChartButtons& buttons,
                            const ChartScale& scale, int first, int last) {
  const Window w{workspace.Quotes(), scale, first, last, workspace.Quotes().VisibleBarCount};
  const Preferences& prefs = workspace.Prefs;
  PriceStudies studies;
  if (buttons.SupportResistance) studies.SupportResistance = HistogramOf(w);
  if (buttons.ParabolicSar) studies.Sar = SarOf(workspace, w);
  if (buttons.SpeedResistance) studies.SpeedLines = SpeedLinesOf(w);
  const PriceOverlays& overlays = workspace.Indicators.Overlays();
  if (buttons.Overlays.BollingerBands) {
    studies.UpperBand = Visible(overlays.UpperBand, w);
    studies.LowerBand = Visible(overlays.LowerBand, w);
    studies.UpperBandY = YsOf(studies.UpperBand, scale);
    studies.LowerBandY = YsOf(studies.LowerBand, scale);
  }
  // With both averages shown the short one's legend stands three widths to the left.
  if (buttons.Overlays.ShortAverage)
    studies.ShortAverage = AverageOf(prefs, overlays.ShortAverage, w, "C3", "EMCT", "MAT1",
                                     buttons.Overlays.LongAverage ? 3 : 1);
  if (buttons.Overlays.LongAverage)
    studies.LongAverage = AverageOf(prefs, overlays.LongAverage, w, "C4", "EMLT", "MAT2", 1);
  if (buttons.Type == ChartType::ZigZag) studies.ZigZag = ZigZagOf(prefs, w);
  if (buttons.Quadrant) studies.Quadrants = QuadrantsOf(w);
  if (buttons.FibonacciTimeZones) studies.FibonacciTimeZones = TimeZonesOf(w);
  if (buttons.FibonacciRetracements) studies.FibonacciRetracements = RetracementsOf(w);
  if (buttons.FibonacciFans) studies.FibonacciFans = FansOf(w);
  return studies;
}

}  // namespace chartorium
