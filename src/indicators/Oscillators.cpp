// Oscillators.
#include "indicators/Oscillators.h"

#include <algorithm>
#include <cmath>

#include "indicators/IndicatorMath.h"

namespace chartorium {
namespace {

// RSI values by place, shared by RSI and StochRSI.
SeriesValues RsiValues(const BarView& bars, int n) {
  SeriesValues value{};
  if (n < 1) return value;
  CloseChanges changes;
  FillCloseChanges(bars, changes);
  for (int p = n + 1; p <= bars.Count(); ++p) {
    Single up = 0, down = 0;
    for (int j = p - n + 1; j <= p; ++j) {
      const SumTerm& change = changes[j];
      if (change.AsSingle > 0) up = AddToSingle(up, change);
      if (change.AsSingle < 0) down = AddToSingle(down, Magnitude(change));
    }
    const Extended total = Ext(up) + down;
    value[p] = total == 0 ? Single{50} : ToSingle(Ext(up) * 100 / total);
  }
  return value;
}

SeriesValues StochasticKValues(const BarView& bars, int n) {
  SeriesValues value{};
  if (n < 1) return value;
  for (int p = n; p <= bars.Count(); ++p) {
    Single low = bars.Low(p - n + 1), high = bars.High(p - n + 1);
    for (int i = p - n + 1; i <= p; ++i) {
      low = std::min(low, bars.Low(i));
      high = std::max(high, bars.High(i));
    }
    if (high != low) value[p] = ToSingle((bars.C(p) - low) / (Ext(high) - low) * 100);
  }
  return value;
}

}  // namespace

ResultSeries Rsi(const BarView& bars, int n) {
  return ResultSeries{"RSI", "20;80", RsiValues(bars, n)};
}

ResultSeries StochRsi(const BarView& bars, int n) {
  ResultSeries result{"StochRSI", "50"};
  if (n < 1) return result;
  const SeriesValues rsi = RsiValues(bars, n);
  for (int p = 2 * n + 2; p <= bars.Count(); ++p) {
    Single low = rsi[p], high = rsi[p];
    for (int i = p - n + 1; i <= p; ++i) {
      low = std::min(low, rsi[i]);
      high = std::max(high, rsi[i]);
    }
    if (high == low) high = AddToSingle(high, 0.0001L);
    result.Values[p] = ToSingle((Ext(rsi[p]) - low) / (Ext(high) - low));
  }
  return result;
}

ResultSeries StochasticK(const BarView& bars, int n) {
  return ResultSeries{"Stochastic %K", "20;80", StochasticKValues(bars, n)};
}

ResultSeries StochasticD(const BarView& bars, int n, int m) {
  ResultSeries result{"Stochastic %D", "20;80"};
  if (m < 1 || n < 1) return result;
  const SeriesValues k = StochasticKValues(bars, n);
  for (int p = n + m - 1; p <= bars.Count(); ++p) {
    Single sum = 0;
    for (int i = p - m + 1; i <= p; ++i) sum = AddToSingle(sum, k[i]);
    result.Values[p] = ToSingle(Ext(sum) / m);
  }
  return result;
}

Macd ComputeMacd(const BarView& bars, int slow, int fast, int signal) {
  Macd result;
  const int count = bars.Count();
  if (count < 1) return result;
  const Single ks = ToSingle(Extended{2} / (slow + 1));
  const Single kf = ToSingle(Extended{2} / (fast + 1));
  const Single kg = ToSingle(Extended{2} / (signal + 1));
  // Both averages start at the first close, without a warm-up.
  Single slowAverage = ToSingle(bars.C(1)), fastAverage = slowAverage;
  result.Line.Values[1] = ToSingle(Ext(fastAverage) - slowAverage);
  result.Signal.Values[1] = result.Line.Values[1];
  for (int p = 2; p <= count; ++p) {
    slowAverage = ToSingle((1 - Ext(ks)) * slowAverage + bars.C(p) * ks);
    fastAverage = ToSingle((1 - Ext(kf)) * fastAverage + bars.C(p) * kf);
    const Single line = ToSingle(Ext(fastAverage) - slowAverage);
    result.Line.Values[p] = line;
    result.Signal.Values[p] =
        ToSingle((1 - Ext(kg)) * result.Signal.Values[p - 1] + Ext(line) * kg);
  }
  return result;
}

ResultSeries Cci(const BarView& bars, int n) {
  ResultSeries result{"CCI", "0;-100;100"};
  const int count = bars.Count();
  if (n < 1) return result;
  WorkArray typical{};
  for (int p = 1; p <= count; ++p) typical[p - 1] = bars.TypicalPrice(p);
  WorkArray mean = typical;
  SmaInPlace(mean, n, count);
  for (int p = n; p <= count; ++p) {
    // The mean deviation is taken from the current average, not from each window's own.
    Single sum = 0;
    for (int i = p - n + 1; i <= p; ++i)
      sum = AddToSingle(sum, std::fabs(Ext(mean[p - 1]) - typical[i - 1]));
    const Single deviation = ToSingle(Ext(sum) / n);
    if (deviation != 0)
      result.Values[p] = ToSingle((Ext(typical[p - 1]) - mean[p - 1]) / (0.015L * deviation));
  }
  return result;
}

ResultSeries Cmo(const BarView& bars, int n) {
  ResultSeries result{"CMO", "0"};
  const int count = bars.Count();
  if (n < 1) return result;
  SeriesValues up{}, down{};
  for (int p = 2; p <= count; ++p) {
    const Single change = ToSingle(bars.C(p) - bars.C(p - 1));
    if (change >= 0) up[p] = change;
    if (change < 0) down[p] = -change;
  }
  for (int p = n + 2; p <= count; ++p) {
    Single upSum = 0, downSum = 0;
    for (int i = p - n + 1; i <= p; ++i) {
      upSum = AddToSingle(upSum, up[i]);
      downSum = AddToSingle(downSum, down[i]);
    }
    const Extended total = Ext(upSum) + downSum;
    if (total != 0) result.Values[p] = ToSingle((Ext(upSum) - downSum) / total * 100);
  }
  return result;
}

ResultSeries CenterOfGravity(const BarView& bars, int n) {
  ResultSeries result{"Center of Gravity", ""};
  if (n < 0) return result;
  for (int p = n + 1; p <= bars.Count(); ++p) {
    Single weighted = 0, sum = 0;
    for (int d = 0; d <= n; ++d) {
      weighted = AddToSingle(weighted, (d + 1) * bars.C(p - d));
      sum = AddToSingle(sum, bars.Close(p - d));
    }
    result.Values[p] = sum == 0 ? Single{1} : ToSingle(-Ext(weighted) / sum);
  }
  return result;
}

ResultSeries WilliamsR(const BarView& bars, int n) {
  ResultSeries result{"William's %R", "-20;-80"};
  if (n < 1 || bars.L(1) == 0 || bars.H(1) == 0) return result;
  for (int p = n; p <= bars.Count(); ++p) {
    Single low = bars.Low(p), high = bars.High(p);
    for (int i = p - n + 1; i <= p; ++i) {
      low = std::min(low, bars.Low(i));
      high = std::max(high, bars.High(i));
    }
    if (high != low)
      result.Values[p] = ToSingle((Ext(high) - bars.C(p)) / (Ext(high) - low) * -100);
  }
  return result;
}

ResultSeries UltimateOscillator(const BarView& bars) {
  ResultSeries result{"Ultimate Oscillator", ""};
  const int count = bars.Count();
  SeriesValues pressure{}, range{};
  for (int p = 2; p <= count; ++p) {
    // The previous bar's Low and High, not its Close, widen the range.
    const Extended low = bars.L(p), high = bars.H(p);
    const Extended previousLow = bars.L(p - 1), previousHigh = bars.H(p - 1);
    pressure[p] = ToSingle(std::max(bars.C(p) - low, bars.C(p) - previousLow));
    range[p] = ToSingle(
        std::max({high - low, high - previousLow, previousHigh - low, previousHigh - previousLow}));
  }
  constexpr int Windows[] = {7, 14, 28};
  SeriesValues ratio[3]{};
  for (int w = 0; w < 3; ++w) {
    const int width = Windows[w];
    for (int p = width + 1; p <= count; ++p) {
      Single pressureSum = 0, rangeSum = 0;
      for (int i = p - width + 1; i <= p; ++i) {
        pressureSum = AddToSingle(pressureSum, pressure[i]);
        rangeSum = AddToSingle(rangeSum, range[i]);
      }
      if (rangeSum != 0) ratio[w][p] = ToSingle(Ext(pressureSum) / rangeSum);
    }
  }
  for (int p = 30; p <= count; ++p)
    result.Values[p] =
        ToSingle((4 * Ext(ratio[0][p]) + 2 * Ext(ratio[1][p]) + ratio[2][p]) / 7 * 100);
  return result;
}

ResultSeries ElliotOscillator(const BarView& bars) {
  ResultSeries result{"Elliot Oscillator", ""};
  const int count = bars.Count();
  SeriesValues median{};
  for (int p = 1; p <= count; ++p) median[p] = bars.MedianPrice(p);
  for (int p = 34; p <= count; ++p) {
    Single shortSum = 0, longSum = 0;
    for (int i = p - 4; i <= p; ++i) shortSum = AddToSingle(shortSum, median[i]);
    for (int i = p - 33; i <= p; ++i) longSum = AddToSingle(longSum, median[i]);
    const Single shortMean = ToSingle(Ext(shortSum) / 5);
    const Single longMean = ToSingle(Ext(longSum) / 34);
    result.Values[p] = ToSingle(Ext(shortMean) - longMean);
  }
  return result;
}

ResultSeries DetrendedPriceOscillator(const BarView& bars, int n) {
  ResultSeries result{"Detrended Price Oscillator", "0"};
  if (n < 1) return result;
  WorkArray average = ClosesWork(bars);
  SmaInPlace(average, n, bars.Count());
  const int back = n / 2 + 1;
  // The close minus the n-bar average as it stood `back` bars earlier.
  for (int p = n + back; p <= bars.Count(); ++p)
    result.Values[p] = ToSingle(bars.C(p) - average[p - back - 1]);
  return result;
}

ResultSeries Velmora(const BarView& bars, int n) {
  ResultSeries result{"Velmora", "0"};
  if (n < 1) return result;
  CloseChanges changes;
  FillCloseChanges(bars, changes);
  // Place n is left at 0: its window would need the change into place 1.
  for (int p = n + 1; p <= bars.Count(); ++p) {
    int downPlaces = 0, upPlaces = 0;
    Single downSum = 0, upSum = 0;
    for (int k = p - n + 1; k <= p; ++k) {
      const SumTerm& change = changes[k];
      if (change.AsSingle < 0) {
        ++downPlaces;
        downSum = AddToSingle(downSum, change);
      } else if (change.AsSingle > 0) {
        ++upPlaces;
        upSum = AddToSingle(upSum, change);
      }
    }
    result.Values[p] = ToSingle(
        -((Extended{1} * downPlaces / n) * upSum + (Extended{1} * upPlaces / n) * downSum));
  }
  return result;
}

}  // namespace chartorium
