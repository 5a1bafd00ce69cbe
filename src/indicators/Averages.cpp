// Overlays and average-based indicators.
#include "indicators/Averages.h"

#include <algorithm>
#include <cmath>

#include "indicators/IndicatorMath.h"

namespace chartorium {
namespace {

// The mean of the first n closes, 0 when the first bar has no close.
Single FirstClosesAverage(const BarView& bars, int n) {
  if (bars.C(1) == 0) return 0;
  Single sum = 0;
  for (int p = 1; p <= n; ++p) sum = AddToSingle(sum, bars.Close(p));
  return ToSingle(Ext(sum) / n);
}

}  // namespace

SeriesValues CloseMovingAverage(const BarView& bars, int n, int type) {
  SeriesValues value{};
  const int count = bars.Count();
  if (n < 1) return value;
  switch (type) {
    case SimpleAverage:
      for (int p = n; p <= count; ++p) value[p] = CloseAverage(bars, p - n + 1, p);
      break;
    case ExponentialAverage: {
      if (n > count) break;
      const Single k = ToSingle(Extended{2} / (n + 1));
      value[n] = FirstClosesAverage(bars, n);
      for (int p = n + 1; p <= count; ++p)
        value[p] = ToSingle(bars.C(p) * k + Ext(value[p - 1]) * (1 - Ext(k)));
      break;
    }
    case RegressionAverage:
      for (int p = n; p <= count; ++p) value[p] = LinRegEnd(bars, p - n + 1, p);
      break;
    default:
      break;
  }
  return value;
}

void ComputeAverages(const BarView& bars, int n1, int type1, int n2, int type2,
                     PriceOverlays& overlays) {
  overlays.ShortAverage = CloseMovingAverage(bars, n1, type1);
  overlays.LongAverage = CloseMovingAverage(bars, n2, type2);
  overlays.AveragesValid = true;
}

void ComputeBands(const BarView& bars, int n, PriceOverlays& overlays) {
  overlays.UpperBand.fill(0);
  overlays.LowerBand.fill(0);
  const int count = bars.Count();
  if (n >= 1) {
    WorkArray mid{};
    WorkArray dev{};
    SeriesValues sample{};
    for (int i = 1; i <= count; ++i)
      sample[i] = bars.H(i) != 0 && bars.L(i) != 0 ? bars.TypicalPrice(i) : ToSingle(bars.C(i));
    for (int p = n; p <= count; ++p) mid[p - 1] = CloseAverage(bars, p - n + 1, p);
    for (int p = n; p <= count; ++p) {
      // The deviation is measured from the mean of the closes, with each bar's
      // typical price as the sample.
      Single sum = 0;
      for (int i = p - n + 1; i <= p; ++i) {
        const Single d = ToSingle(Ext(mid[p - 1]) - sample[i]);
        sum = AddToSingle(sum, Ext(d) * d);
      }
      dev[p - 1] = ToSingle(std::sqrt(Ext(sum) / n));
    }
    for (int p = 1; p <= count; ++p) {
      overlays.UpperBand[p] = ToSingle(Ext(mid[p - 1]) + 2 * Ext(dev[p - 1]));
      overlays.LowerBand[p] = ToSingle(Ext(mid[p - 1]) - 2 * Ext(dev[p - 1]));
    }
  }
  overlays.BandsValid = true;
}

ResultSeries Sar(const BarView& bars, Single f0, Single step, Single fmax) {
  ResultSeries result{"SAR", ""};
  bool falling = false, previousFalling = false;
  Single ep = 0, pep = 0, af = 0, paf = 0, sar = 0, psar = 0;
  for (int p = 3; p <= bars.Count(); ++p) {
    const bool same = falling == previousFalling;
    pep = ep;
    if (!same) {
      ep = ToSingle(falling ? bars.L(p) : bars.H(p));
    } else if (falling && bars.L(p) < ep) {
      ep = ToSingle(bars.L(p));
    } else if (!falling && bars.H(p) > ep) {
      ep = ToSingle(bars.H(p));
    }
    paf = af;
    if (!same) {
      af = f0;
    } else if (ep != pep) {
      af = paf < fmax ? ToSingle(Ext(paf) + step) : fmax;
    }
    psar = sar;
    if (psar == 0) {
      sar = ToSingle(bars.C(p));
    } else if (same) {
      sar = ToSingle(Ext(psar) + Ext(af) * (Ext(ep) - psar));
    } else {
      sar = ToSingle(Ext(pep) + Ext(af) * (Ext(ep) - pep));
    }
    previousFalling = falling;
    falling = falling ? sar > bars.H(p) : sar >= bars.L(p);
    // On the bar where the direction flips the value is the previous extreme point.
    result.Values[p] = falling == previousFalling ? sar : pep;
  }
  return result;
}

ResultSeries SineWeightedMovingAverage(const BarView& bars) {
  ResultSeries result{"Sine Weighted Moving Average", ""};
  // Weights sin(30), sin(60), ... with the arguments in radians; w[0] weighs the newest close.
  Extended w[5];
  Extended weightSum = 0;
  for (int i = 0; i < 5; ++i) {
    w[i] = std::sin(Extended{30} * (i + 1));
    weightSum += w[i];
  }
  for (int p = 5; p <= bars.Count(); ++p) {
    Extended sum = 0;
    for (int i = 0; i < 5; ++i) sum += ToSingle(w[i] * bars.C(p - i));
    result.Values[p] = ToSingle(sum / weightSum);
  }
  return result;
}

ResultSeries McGinleyDynamic(const BarView& bars, int n) {
  ResultSeries result{"McGinley Dynamic", ""};
  WorkArray work = ClosesWork(bars);
  EmaInPlace(work, n, bars.Count());
  for (int p = std::max(n + 2, 2); p <= bars.Count(); ++p) {
    const Single e = work[p - 2];  // the average at place p - 1
    const Extended c = bars.C(p);
    if (e == 0 || c == 0) continue;
    result.Values[p] = ToSingle(e + (c - e) / ((c / e) * 125));
  }
  return result;
}

ResultSeries DisparityIndex(const BarView& bars) {
  ResultSeries result{"Disparity Index", ""};
  WorkArray work = ClosesWork(bars);
  EmaInPlace(work, 13, bars.Count());
  for (int p = 1; p <= bars.Count(); ++p) {
    const Single e = work[p - 1];
    if (e != 0) result.Values[p] = ToSingle((bars.C(p) - e) / e * 100);
  }
  return result;
}

std::optional<ResultSeries> EhlersFilter(const BarView& bars) {
  if (bars.L(1) == 0) return std::nullopt;
  ResultSeries result{"Ehlers Filter", ""};
  WorkArray a{};  // element p - 1 holds place p
  WorkArray b{};
  for (int p = 6; p <= bars.Count(); ++p) {
    const Single median = bars.MedianPrice(p);
    a[p - 1] = ToSingle(std::fabs(Ext(median) - bars.MedianPrice(p - 5)));
    b[p - 1] = ToSingle(Ext(median) * a[p - 1]);
  }
  for (int p = 20; p <= bars.Count(); ++p) {
    Single sumA = 0, sumB = 0;
    for (int i = p - 14; i <= p; ++i) {
      sumA = AddToSingle(sumA, a[i - 1]);
      sumB = AddToSingle(sumB, b[i - 1]);
    }
    if (sumA != 0) result.Values[p] = ToSingle(Ext(sumB) / sumA);
  }
  return result;
}

ResultSeries Support(const BarView& bars) {
  ResultSeries result{"Support", ""};
  Single support = 0;
  for (int p = 16; p <= bars.Count(); ++p) {
    Single lowest = bars.Low(p - 8);
    for (int i = p - 7; i <= p; ++i) lowest = std::min(lowest, bars.Low(i));
    if (bars.L(p - 4) - lowest < 0.001L) support = ToSingle(bars.L(p - 4));
    result.Values[p] = support;
  }
  return result;
}

ResultSeries TrendAnalysisIndex(const BarView& bars) {
  ResultSeries result{"Trend Analysis Index", ""};
  WorkArray a = ClosesWork(bars);
  SmaInPlace(a, 28, bars.Count());
  for (int p = 32; p <= bars.Count(); ++p) {
    Single high = a[p - 1], low = a[p - 1];
    for (int i = p - 5; i <= p - 1; ++i) {
      high = std::max(high, a[i]);
      low = std::min(low, a[i]);
    }
    const Extended c = bars.C(p);
    if (c != 0) result.Values[p] = ToSingle((Ext(high) - low) / c * 100);
  }
  return result;
}

ResultSeries CoppockCurve(const BarView& bars) {
  ResultSeries result{"Coppock Curve", ""};
  const int count = bars.Count();
  if (count < 273) return result;
  WorkArray a = ClosesWork(bars);
  SmaInPlace(a, 22, count);
  WorkArray rate{};
  for (int p = 272; p <= count; ++p) {
    const Single before = a[p - 251];
    if (before != 0) rate[p - 1] = ToSingle((Ext(a[p - 1]) - before) / before * 100);
  }
  const Single k = ToSingle(Extended{2} / 151);
  WorkArray smooth{};
  smooth[271] = rate[271];
  for (int j = 272; j <= count - 1; ++j)
    smooth[j] = ToSingle(Ext(rate[j]) * k + Ext(smooth[j - 1]) * (1 - Ext(k)));
  for (int p = 272; p <= count; ++p) result.Values[p] = ToSingle(Ext(smooth[p - 1]) / 100);
  return result;
}

}  // namespace chartorium
