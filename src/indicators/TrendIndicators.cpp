// Trend indicators.
#include "indicators/TrendIndicators.h"

#include <algorithm>
#include <cmath>

#include "core/HautBas.h"
#include "indicators/IndicatorMath.h"

namespace chartorium {
namespace {

// Aroon over the n + 1 closes up to each place; `better` says whether a close
// replaces the current best (ties replace, so the latest of equal closes wins).
template <typename Better>
ResultSeries Aroon(const BarView& bars, int n, std::string_view name, Better better) {
  ResultSeries result{name, ""};
  if (n < 1) return result;
  for (int p = n + 1; p <= bars.Count(); ++p) {
    int best = p - n;
    for (int j = p - n + 1; j <= p; ++j)
      if (better(bars.C(j), bars.C(best))) best = j;
    result.Values[p] = ToSingle(Extended{1} * (n - (p - best)) * 100 / n);
  }
  return result;
}

Single Truncated(Extended value) {
  return ToSingle(std::trunc(value));
}

}  // namespace

ResultSeries VerticalHorizontalFilter(const QuoteStore& store, int n) {
  ResultSeries result{"Vertical Horizontal Filter", "0.35"};
  if (n < 1) return result;
  const BarView bars(store);
  CloseChanges changes;
  FillCloseChanges(bars, changes);
  // Place n is left at 0: its window would need the change into place 1.
  for (int p = n + 1; p <= bars.Count(); ++p) {
    const PriceRange range = HautBas(store, p - n + 1, p, HautBasMode::PricesOnly);
    const Single numerator = ToSingle(Ext(range.High) - range.Low);
    Single denominator = 0;
    for (int i = p - n + 1; i <= p; ++i)
      denominator = AddToSingle(denominator, Magnitude(changes[i]));
    if (denominator != 0) result.Values[p] = ToSingle(Ext(numerator) / denominator);
  }
  return result;
}

ResultSeries AroonUp(const BarView& bars, int n) {
  return Aroon(bars, n, "Aroon Up", [](Extended c, Extended best) { return c >= best; });
}

ResultSeries AroonDown(const BarView& bars, int n) {
  return Aroon(bars, n, "Aroon Down", [](Extended c, Extended best) { return c <= best; });
}

ResultSeries AroonOscillator(const BarView& bars, int n) {
  const ResultSeries up = AroonUp(bars, n);
  const ResultSeries down = AroonDown(bars, n);
  ResultSeries result{"Aroon Oscillator", ""};
  for (int p = 1; p <= bars.Count(); ++p)
    result.Values[p] = ToSingle(Ext(up.Values[p]) - down.Values[p]);
  return result;
}

DirectionalMovement ComputeDirectionalMovement(const BarView& bars) {
  DirectionalMovement result;
  const int count = bars.Count();
  SeriesValues tr{}, plusDm{}, minusDm{};
  for (int p = 2; p <= count; ++p) {
    const Extended close = bars.C(p - 1);
    tr[p] = ToSingle(std::max({std::fabs(bars.H(p) - bars.L(p)), std::fabs(bars.H(p) - close),
                               std::fabs(bars.L(p) - close)}));
    // Both movements are kept on every bar; neither is zeroed when the other is larger.
    plusDm[p] = ToSingle(std::max(bars.H(p) - bars.H(p - 1), Extended{0}));
    minusDm[p] = ToSingle(std::max(bars.L(p - 1) - bars.L(p), Extended{0}));
  }
  Single tr14 = 0, plus14 = 0, minus14 = 0;
  for (int p = 2; p <= 14; ++p) {
    tr14 = AddToSingle(tr14, tr[p]);
    plus14 = AddToSingle(plus14, plusDm[p]);
    minus14 = AddToSingle(minus14, minusDm[p]);
  }
  SeriesValues dx{};
  for (int p = 15; p <= count; ++p) {
    tr14 = ToSingle(Ext(tr14) - Ext(tr14) / 14 + tr[p]);
    plus14 = ToSingle(Ext(plus14) - Ext(plus14) / 14 + plusDm[p]);
    minus14 = ToSingle(Ext(minus14) - Ext(minus14) / 14 + minusDm[p]);
    const Single plusDi = tr14 == 0 ? Single{0} : ToSingle(Ext(plus14) / tr14 * 100);
    const Single minusDi = tr14 == 0 ? Single{0} : ToSingle(Ext(minus14) / tr14 * 100);
    result.PlusDi.Values[p] = plusDi;
    result.MinusDi.Values[p] = minusDi;
    const Extended diSum = Ext(plusDi) + minusDi;
    if (diSum != 0) dx[p] = Truncated(std::fabs(Ext(plusDi) - minusDi) / diSum * 100);
  }
  if (count < 28) return result;
  SeriesValues& adx = result.Adx.Values;
  Single dxSum = 0;
  for (int p = 15; p <= 28; ++p) dxSum = AddToSingle(dxSum, dx[p]);
  adx[28] = Truncated(Ext(dxSum) / 14);
  for (int p = 29; p <= count; ++p) adx[p] = Truncated((Ext(adx[p - 1]) * 13 + dx[p]) / 14);
  for (int p = 43; p <= count; ++p)
    result.Adxr.Values[p] = ToSingle((Ext(adx[p]) + adx[p - 13]) / 2);
  return result;
}

DirectionTrend ComputeDirectionTrend(const BarView& bars) {
  DirectionTrend result;
  const int count = bars.Count();
  SeriesValues momentum{};
  for (int p = 20; p <= count; ++p) momentum[p] = ToSingle(bars.C(p) - bars.C(p - 19));
  for (int p = 40; p <= count; ++p) {
    Single sum = 0;
    for (int i = p - 39; i <= p; ++i) sum = AddToSingle(sum, momentum[i]);
    result.Direction.Values[p] = sum;
  }
  for (int p = 60; p <= count; ++p) {
    Single recent = 0, whole = 0;
    for (int i = p - 19; i <= p; ++i) recent = AddToSingle(recent, std::fabs(momentum[i]));
    for (int i = p - 39; i <= p; ++i) whole = AddToSingle(whole, std::fabs(momentum[i]));
    result.TrendDetection.Values[p] =
        ToSingle(std::fabs(Ext(result.Direction.Values[p])) + recent - whole);
  }
  return result;
}

ResultSeries Trix(const BarView& bars, int n) {
  ResultSeries result{"TRIX", "0"};
  const int count = bars.Count();
  // The first value lies at place 3n; with fewer bars every seed is out of reach.
  if (n < 1 || 3 * n > count) return result;
  const Single k = ToSingle(Extended{2} / (n + 1));
  const Extended keep = 1 - Ext(k);
  SeriesValues e1{}, e2{}, e3{};
  e1[n] = CloseAverage(bars, 1, n);
  for (int p = n + 1; p <= count; ++p) e1[p] = ToSingle(bars.C(p) * k + Ext(e1[p - 1]) * keep);
  Single sum = 0;
  for (int p = n; p <= 2 * n - 1; ++p) sum = AddToSingle(sum, e1[p]);
  e2[2 * n - 1] = ToSingle(Ext(sum) / n);
  for (int p = 2 * n; p <= count; ++p) e2[p] = ToSingle(Ext(e1[p]) * k + Ext(e2[p - 1]) * keep);
  sum = 0;
  for (int p = 2 * n - 1; p <= 3 * n - 2; ++p) sum = AddToSingle(sum, e2[p]);
  e3[3 * n - 1] = ToSingle(Ext(sum) / n);
  for (int p = 3 * n; p <= count; ++p) e3[p] = ToSingle(Ext(e2[p]) * k + Ext(e3[p - 1]) * keep);
  for (int p = 3 * n; p <= count; ++p)
    if (e3[p - 1] != 0) result.Values[p] = ToSingle((Ext(e3[p]) - e3[p - 1]) * 100 / e3[p - 1]);
  return result;
}

ResultSeries MassIndex(const BarView& bars) {
  ResultSeries result{"Mass Index", "26.5;27"};
  const int count = bars.Count();
  WorkArray single{};
  for (int p = 1; p <= count; ++p) single[p - 1] = ToSingle(bars.H(p) - bars.L(p));
  EmaInPlace(single, 9, count);
  WorkArray twice = single;
  EmaInPlace(twice, 9, count);
  WorkArray ratio{};
  for (int j = 0; j < count; ++j)
    if (twice[j] != 0) ratio[j] = ToSingle(Ext(single[j]) / twice[j]);
  for (int p = 26; p <= count; ++p) {
    Single sum = 0;
    for (int i = p - 24; i <= p; ++i) sum = AddToSingle(sum, ratio[i - 1]);
    result.Values[p] = sum;
  }
  return result;
}

}  // namespace chartorium
