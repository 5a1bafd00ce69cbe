// Range and position measures.
#include "indicators/VolatilityIndicators.h"

#include <algorithm>
#include <cmath>

#include "indicators/IndicatorMath.h"

namespace chartorium {

ResultSeries AverageTrueRange(const BarView& bars, int n) {
  ResultSeries result{"Average True Range", ""};
  const int count = bars.Count();
  if (n < 1) return result;
  SeriesValues range{};
  for (int p = 2; p <= count; ++p) {
    const Extended previous = bars.C(p - 1);
    range[p] = ToSingle(std::max({std::fabs(bars.H(p) - bars.L(p)), std::fabs(bars.H(p) - previous),
                                  std::fabs(bars.L(p) - previous)}));
  }
  for (int p = n + 2; p <= count; ++p) {
    Single sum = 0;
    for (int i = p - n + 1; i <= p; ++i) sum = AddToSingle(sum, range[i]);
    result.Values[p] = ToSingle(Ext(sum) / n);
  }
  return result;
}

ResultSeries IntradayVolatility(const BarView& bars, int n) {
  ResultSeries result{"Intraday Volatility", "0"};
  const int count = bars.Count();
  if (n < 1 || bars.L(1) == 0) return result;
  SeriesValues volatility{};
  for (int p = 1; p <= count; ++p)
    if (bars.L(p) != 0) volatility[p] = ToSingle((bars.H(p) - bars.L(p)) / bars.L(p) * 100);
  for (int p = n; p <= count; ++p) {
    Single sum = 0;
    for (int i = p - n + 1; i <= p; ++i) sum = AddToSingle(sum, volatility[i]);
    result.Values[p] = ToSingle(Ext(sum) / n);
  }
  return result;
}

ResultSeries Irm(const BarView& bars) {
  ResultSeries result{"IRM", ""};
  const int count = bars.Count();
  WorkArray ratio = ClosesWork(bars);
  SmaInPlace(ratio, 15, count);
  Single high = 0, low = 100000000;
  for (int p = 15; p <= count; ++p) {
    // A zero average stays 0 and takes part in the range as 0.
    if (ratio[p - 1] != 0) ratio[p - 1] = ToSingle(std::fabs(bars.C(p) / ratio[p - 1]));
    high = std::max(high, ratio[p - 1]);
    low = std::min(low, ratio[p - 1]);
  }
  if (high == low) return result;
  for (int p = 15; p <= count; ++p)
    result.Values[p] = ToSingle(std::trunc((Ext(ratio[p - 1]) - low) * 50 / (Ext(high) - low)));
  return result;
}

ResultSeries BalanceOfPower(const BarView& bars) {
  ResultSeries result{"Balance of Power", ""};
  for (int p = 1; p <= bars.Count(); ++p) {
    const Extended o = bars.O(p), h = bars.H(p), l = bars.L(p), c = bars.C(p);
    const Extended range = h - l;
    if (range == 0) continue;
    // Each of the six terms is divided by the range on its own.
    const Single up =
        ToSingle(((h - o) / range + (c - l) / range + (c > o ? (c - o) / range : 0)) / 3);
    const Single down =
        ToSingle(((o - l) / range + (h - c) / range + (c > o ? 0 : (o - c) / range)) / 3);
    result.Values[p] = ToSingle(Ext(up) - down);
  }
  return result;
}

}  // namespace chartorium
