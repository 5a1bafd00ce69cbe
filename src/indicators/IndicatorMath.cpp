// Moving averages, mean of the closes and regression end point.
#include "indicators/IndicatorMath.h"

#include <algorithm>
#include <cstdlib>

namespace chartorium {

void SmaInPlace(WorkArray& work, int n, int barCount) {
  if (n < 1 || n > barCount) {
    work.fill(0);
    return;
  }
  const WorkArray copy = work;
  work.fill(0);
  Single sum = 0;
  for (int j = 0; j < n; ++j) sum = AddToSingle(sum, copy[j]);
  work[n - 1] = ToSingle(Ext(sum) / n);
  // A running sum, stored as a single after every step, not a fresh sum per element.
  for (int j = n; j < barCount; ++j) {
    sum = ToSingle(Ext(sum) - copy[j - n] + copy[j]);
    work[j] = ToSingle(Ext(sum) / n);
  }
}

void EmaInPlace(WorkArray& work, int n, int barCount) {
  n = std::abs(n);
  if (n == 0) return;
  const int seeded = std::min(n, MaxQuotes);
  if (n > barCount) {
    std::fill_n(work.begin(), seeded, Single{0});
    return;
  }
  const Single k = ToSingle(Extended{2} / (n + 1));
  Single sum = 0;
  for (int j = 0; j < n; ++j) {
    sum = AddToSingle(sum, work[j]);
    work[j] = 0;
  }
  work[n - 1] = ToSingle(Ext(sum) / n);
  for (int j = n; j < barCount; ++j)
    work[j] = ToSingle(Ext(work[j - 1]) * (1 - Ext(k)) + Ext(work[j]) * k);
}

Single CloseAverage(const BarView& bars, int first, int last) {
  const int count = last - first + 1;
  if (count <= 0) return 0;
  Single sum = 0;
  for (int p = first; p <= last; ++p) sum = AddToSingle(sum, bars.Close(p));
  return ToSingle(Ext(sum) / count);
}

Single LinRegEnd(const BarView& bars, int first, int last) {
  const int m = last - first + 1;
  if (m <= 2) return 0;
  Single sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int x = 1; x <= m; ++x) {
    const Extended y = bars.C(first + x - 1);
    sx = AddToSingle(sx, Extended(x));
    sy = AddToSingle(sy, y);
    sxx = AddToSingle(sxx, Extended{1} * x * x);
    sxy = AddToSingle(sxy, x * y);
  }
  const Extended denominator = m * Ext(sxx) - Ext(sx) * sx;
  // A window of equal x is impossible for m > 2, but keep the division safe.
  const Single slope =
      denominator == 0 ? Single{0} : ToSingle((m * Ext(sxy) - Ext(sx) * sy) / denominator);
  const Single intercept = ToSingle((Ext(sy) - Ext(slope) * sx) / m);
  return ToSingle(m * Ext(slope) + intercept);
}

WorkArray ClosesWork(const BarView& bars) {
  WorkArray work{};
  for (int p = 1; p <= bars.Count(); ++p) work[p - 1] = static_cast<Single>(bars.C(p));
  return work;
}

}  // namespace chartorium
