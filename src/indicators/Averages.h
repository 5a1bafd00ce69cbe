// The price overlays (moving averages, Bollinger bands, parabolic SAR) and the
// indicators built on averages of the closes.
#pragma once

#include <optional>

#include "indicators/IndicatorCache.h"
#include "indicators/SeriesTypes.h"

namespace chartorium {

/// Kind of a moving-average overlay, as the item index of its choice list.
enum MovingAverageType { SimpleAverage = 0, ExponentialAverage = 1, RegressionAverage = 2 };

/// One moving average of the closes over n bars, from place n on. An unknown
/// type or n < 1 yields zeros.
SeriesValues CloseMovingAverage(const BarView& bars, int n, int type);

/// Fills ShortAverage (n1, type1) and LongAverage (n2, type2) and sets their flag.
void ComputeAverages(const BarView& bars, int n1, int type1, int n2, int type2,
                     PriceOverlays& overlays);

/// Fills UpperBand and LowerBand: the mean of the n closes up to each place
/// plus and minus twice the deviation of the window's typical prices (closes
/// for bars without High and Low) from that mean. Sets their flag.
void ComputeBands(const BarView& bars, int n, PriceOverlays& overlays);

/// "SAR": parabolic stop and reverse with start factor f0, step and maximum
/// factor fmax. Place 3 holds 0, values start at place 4.
ResultSeries Sar(const BarView& bars, Single f0, Single step, Single fmax);

/// "Sine Weighted Moving Average" of the last 5 closes, from place 5.
ResultSeries SineWeightedMovingAverage(const BarView& bars);
/// "McGinley Dynamic" with an n-bar exponential average, from place n + 2.
ResultSeries McGinleyDynamic(const BarView& bars, int n);
/// "Disparity Index": per cent distance of the close from its 13-bar exponential average.
ResultSeries DisparityIndex(const BarView& bars);
/// "Ehlers Filter"; none for a stock without intraday data (Low of bar 1 is 0).
std::optional<ResultSeries> EhlersFilter(const BarView& bars);
/// "Support": the low of the bar four bars back whenever it is the lowest of
/// the nine bars centred on it, from place 16.
ResultSeries Support(const BarView& bars);
/// "Trend Analysis Index": range of the 28-bar average over 5 places, per cent of the close.
ResultSeries TrendAnalysisIndex(const BarView& bars);
/// "Coppock Curve": smoothed 250-bar rate of change of the 22-bar average;
/// all zeros below 273 bars.
ResultSeries CoppockCurve(const BarView& bars);

}  // namespace chartorium
