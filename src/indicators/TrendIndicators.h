// Trend indicators: vertical horizontal filter, Aroon, directional movement,
// direction indicator with trend detection index, TRIX and mass index.
#pragma once

#include "core/QuoteStore.h"
#include "indicators/SeriesTypes.h"

namespace chartorium {

/// "Vertical Horizontal Filter": price range of the n bars up to each place
/// over the sum of the n close changes, from place n + 1. n < 1 gives zeros.
ResultSeries VerticalHorizontalFilter(const QuoteStore& store, int n);

/// "Aroon Up": (n - bars since the highest close of the last n + 1) * 100 / n,
/// from place n + 1; the latest of equal closes counts. n < 1 gives zeros.
ResultSeries AroonUp(const BarView& bars, int n);
/// "Aroon Down": the same with the lowest close.
ResultSeries AroonDown(const BarView& bars, int n);
/// "Aroon Oscillator": Aroon Up minus Aroon Down, from place n + 1.
ResultSeries AroonOscillator(const BarView& bars, int n);

/// The directional movement family over 14 bars.
struct DirectionalMovement {
  ResultSeries PlusDi{"DI+", "0"};   ///< from place 15
  ResultSeries MinusDi{"DI-", "0"};  ///< from place 15
  ResultSeries Adx{"ADX", "23"};     ///< whole numbers, from place 28
  ResultSeries Adxr{"ADXR", "23"};   ///< from place 43
};
DirectionalMovement ComputeDirectionalMovement(const BarView& bars);

/// "Direction Indicator" (sum of 40 19-bar momenta, from place 40) and
/// "Trend Detection Index" (from place 60).
struct DirectionTrend {
  ResultSeries Direction{"Direction Indicator", "0"};
  ResultSeries TrendDetection{"Trend Detection Index", "0"};
};
DirectionTrend ComputeDirectionTrend(const BarView& bars);

/// "TRIX": per cent change of the triple n-bar exponential average, from place 3n.
/// n < 1 gives zeros.
ResultSeries Trix(const BarView& bars, int n);

/// "Mass Index": 25-bar sum of the ratio of the single and double 9-bar
/// exponential averages of the range, from place 26.
ResultSeries MassIndex(const BarView& bars);

}  // namespace chartorium
