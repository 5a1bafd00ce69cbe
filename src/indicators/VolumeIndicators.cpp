// Volume-based indicators.
#include "indicators/VolumeIndicators.h"

#include <algorithm>

#include "indicators/IndicatorMath.h"

namespace chartorium {
namespace {

// Change of the close in per cent of `base`; 0 when the base close is 0.
Extended ChangeRatio(Extended change, Extended base) {
  return base == 0 ? Extended{0} : change / base;
}

// The volume index that moves with the close on the bars whose volume
// `moves` against the bar before, from place `first`.
template <typename Moves>
ResultSeries VolumeIndex(const BarView& bars, std::string_view name, int first, Moves moves) {
  ResultSeries result{name, ""};
  if (bars.Count() < first) return result;
  Single index = 1000;
  for (int p = first; p <= bars.Count(); ++p) {
    if (moves(bars.V(p), bars.V(p - 1)))
      index = AddToSingle(index, ChangeRatio(bars.C(p) - bars.C(p - 1), bars.C(p - 1)) * index);
    result.Values[p] = index;
  }
  return result;
}

}  // namespace

ResultSeries WilliamsAccumulation(const BarView& bars) {
  ResultSeries result{"William's A/D", ""};
  if (bars.Count() < 2) return result;
  Single line = 0;
  for (int p = 2; p <= bars.Count(); ++p) {
    const Extended close = bars.C(p), previous = bars.C(p - 1);
    if (close > previous) {
      line = ToSingle(Ext(line) + close - std::min(bars.L(p), previous));
    } else if (close < previous) {
      line = ToSingle(Ext(line) + close - std::max(bars.H(p), previous));
    }
    result.Values[p] = line;
  }
  return result;
}

ResultSeries PriceVolumeRank(const BarView& bars) {
  ResultSeries result{"Price-Volume Rank", ""};
  for (int p = 2; p <= bars.Count(); ++p) {
    const Extended close = bars.C(p), previous = bars.C(p - 1);
    const Extended volume = bars.V(p), previousVolume = bars.V(p - 1);
    int rank = 0;
    if (close > previous) {
      rank = volume > previousVolume ? 1 : volume < previousVolume ? 2 : 0;
    } else if (close < previous) {
      rank = volume < previousVolume ? 3 : volume > previousVolume ? 4 : 0;
    }
    result.Values[p] = static_cast<Single>(rank);
  }
  return result;
}

ResultSeries OnBalanceVolume(const BarView& bars) {
  ResultSeries result{"On Balance Volume", ""};
  Single balance = ToSingle(bars.V(1));
  for (int p = 2; p <= bars.Count(); ++p) {
    // An unchanged close counts as a down day.
    balance = bars.C(p) > bars.C(p - 1) ? ToSingle(Ext(balance) + bars.V(p))
                                        : ToSingle(Ext(balance) - bars.V(p));
    result.Values[p] = balance;
  }
  return result;
}

ResultSeries MoneyFlowIndex(const BarView& bars, int n) {
  ResultSeries result{"Money Flow Index", ""};
  const int count = bars.Count();
  if (n < 1 || bars.V(1) == 0) return result;
  SeriesValues typical{}, flow{};
  for (int p = 1; p <= count; ++p) {
    typical[p] = bars.TypicalPrice(p);
    flow[p] = ToSingle(bars.V(p) * typical[p]);
  }
  for (int p = n; p <= count; ++p) {
    Single positive = 0, negative = 0;
    for (int j = p - n + 1; j <= p; ++j) {
      if (j == 1) {
        positive = flow[1];
      } else if (typical[j] >= typical[j - 1]) {
        positive = AddToSingle(positive, flow[j]);
      } else {
        negative = AddToSingle(negative, flow[j]);
      }
    }
    if (negative != 0) result.Values[p] = ToSingle(100 - 100 / (1 + Ext(positive) / negative));
  }
  return result;
}

ResultSeries PositiveVolumeIndex(const BarView& bars) {
  // The first comparison is bar 3 against bar 2.
  return VolumeIndex(bars, "Positive Volume Index", 3,
                     [](Extended volume, Extended previous) { return volume > previous; });
}

ResultSeries NegativeVolumeIndex(const BarView& bars) {
  return VolumeIndex(bars, "Negative Volume Index", 2,
                     [](Extended volume, Extended previous) { return volume < previous; });
}

ResultSeries Tvi(const BarView& bars) {
  ResultSeries result{"TVI", "0"};
  if (bars.V(1) == 0) return result;
  Single total = 0;
  for (int p = 2; p <= bars.Count(); ++p) {
    const Extended close = bars.C(p), previous = bars.C(p - 1);
    if (ChangeRatio(close - previous, previous) * 100 > 4) {
      total = AddToSingle(total, bars.V(p));
    } else if (!(ChangeRatio(previous - close, close) * 100 >= 4)) {
      total = ToSingle(Ext(total) - bars.V(p));
    }
    result.Values[p] = total;
  }
  return result;
}

ResultSeries ArmsEaseOfMovement(const BarView& bars) {
  ResultSeries result{"Arms Ease of Movement", "0"};
  for (int p = 2; p <= bars.Count(); ++p) {
    const Extended range = bars.H(p) - bars.L(p);
    const Extended volume = bars.V(p);
    if (range == 0 || volume == 0) continue;
    result.Values[p] = ToSingle((Ext(bars.MedianPrice(p)) - bars.MedianPrice(p - 1)) /
                                ((volume / 1000000) / range));
  }
  return result;
}

ResultSeries EldersForceIndex(const BarView& bars) {
  ResultSeries result{"Elder's Force Index", "0"};
  const int count = bars.Count();
  if (bars.V(1) == 0) return result;
  WorkArray force{};
  for (int p = 2; p <= count; ++p) force[p - 1] = ToSingle((bars.C(p) - bars.C(p - 1)) * bars.V(p));
  EmaInPlace(force, 2, count);
  for (int p = 1; p <= count; ++p) result.Values[p] = force[p - 1];
  return result;
}

}  // namespace chartorium
