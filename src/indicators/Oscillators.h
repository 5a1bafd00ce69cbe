// Oscillators: RSI and its stochastic, the stochastics, MACD, CCI, CMO,
// centre of gravity, Williams %R, the ultimate, Elliot and detrended price
// oscillators and Velmora.
#pragma once

#include "indicators/SeriesTypes.h"

namespace chartorium {

/// "RSI": share of the up moves in the n close changes up to each place, per
/// cent, from place n + 1; 50 over a window without change. n < 1 gives zeros.
ResultSeries Rsi(const BarView& bars, int n);
/// "StochRSI": position of the RSI within its n-place range, 0..1, from place 2n + 2.
ResultSeries StochRsi(const BarView& bars, int n);
/// "Stochastic %K": close within the n-bar high-low range, per cent, from place n.
ResultSeries StochasticK(const BarView& bars, int n);
/// "Stochastic %D": m-place mean of %K(n), from place n + m - 1. m < 1 gives zeros.
ResultSeries StochasticD(const BarView& bars, int n, int m);

/// "MACD" (fast minus slow exponential average of the closes, seeded with the
/// first close) and "MACDMA", its signal line; both from place 1.
struct Macd {
  ResultSeries Line{"MACD", "0"};
  ResultSeries Signal{"MACDMA", ""};
};
Macd ComputeMacd(const BarView& bars, int slow, int fast, int signal);

/// "CCI": typical price's distance from its n-bar mean over 0.015 mean deviations.
ResultSeries Cci(const BarView& bars, int n);
/// "CMO": (up - down) / (up + down) * 100 of the n changes up to each place, from place n + 2.
ResultSeries Cmo(const BarView& bars, int n);
/// "Center of Gravity" over n + 1 closes, from place n + 1; 1 when the closes sum to 0.
ResultSeries CenterOfGravity(const BarView& bars, int n);
/// "William's %R", from place n; zeros for a stock without Low and High data.
ResultSeries WilliamsR(const BarView& bars, int n);
/// "Ultimate Oscillator" of the 7, 14 and 28-bar buying-pressure ratios, from place 30.
ResultSeries UltimateOscillator(const BarView& bars);
/// "Elliot Oscillator": 5-bar minus 34-bar mean of the median price, from place 34.
ResultSeries ElliotOscillator(const BarView& bars);
/// "Detrended Price Oscillator": close minus the n-bar average n div 2 + 1 bars back.
ResultSeries DetrendedPriceOscillator(const BarView& bars, int n);
/// "Velmora" over the n close changes up to each place, from place n + 1.
ResultSeries Velmora(const BarView& bars, int n);

}  // namespace chartorium
