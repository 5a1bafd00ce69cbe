// Bit-exact agreement with the plain storage rule: every running sum is taken
// in extended precision and stored back as a single after each addition.
// The references below follow that rule literally, term by term.
#include <gtest/gtest.h>

#include "BarFixture.h"
#include "core/HautBas.h"
#include "indicators/Averages.h"
#include "indicators/Oscillators.h"
#include "indicators/TrendIndicators.h"

namespace chartorium {
namespace {

using testing::BarFixture;

// s := s + term, stored as a single.
Single Stored(Single sum, long double term) {
  return static_cast<float>(static_cast<long double>(sum) + term);
}

class SinglePrecisionTest : public BarFixture {
 protected:
  void SetUp() override {
    SetWanderingBars(MaxQuotes);
    // Closes near 10^4 next to ones near 1 make the sums round on most additions.
    for (int p = 1; p <= MaxQuotes; p += 7) Store().BarSeries[p].Close *= 317.3f;
  }
  long double C(int p) { return Store().BarSeries[p].Close; }
};

TEST_F(SinglePrecisionTest, RsiAndVelmoraSumTheirChangesAsStoredSingles) {
  const int n = 12;
  const ResultSeries rsi = Rsi(View(), n);
  const ResultSeries velmora = Velmora(View(), n);
  for (int p = n + 1; p <= MaxQuotes; ++p) {
    Single up = 0, down = 0;
    int ups = 0, downs = 0;
    for (int j = p - n + 1; j <= p; ++j) {
      const long double change = C(j) - C(j - 1);
      if (change > 0) {
        up = Stored(up, change);
        ++ups;
      }
      if (change < 0) {
        down = Stored(down, -change);
        ++downs;
      }
    }
    const long double total = static_cast<long double>(up) + down;
    const Single expectedRsi = total == 0 ? 50.0f : static_cast<float>(up * 100.0L / total);
    ASSERT_EQ(rsi.Values[p], expectedRsi) << p;
    // Velmora keeps its down sum negative.
    const long double value = -((1.0L * downs / n) * up + (1.0L * ups / n) * -down);
    ASSERT_EQ(velmora.Values[p], static_cast<float>(value)) << p;
  }
}

TEST_F(SinglePrecisionTest, VerticalHorizontalFilterSumsAbsoluteChanges) {
  const int n = 28;
  const ResultSeries vhf = VerticalHorizontalFilter(Store(), n);
  for (int p = n + 1; p <= MaxQuotes; ++p) {
    Single denominator = 0;
    for (int i = p - n + 1; i <= p; ++i) {
      const long double change = C(i) - C(i - 1);
      denominator = Stored(denominator, change < 0 ? -change : change);
    }
    const PriceRange range = HautBas(Store(), p - n + 1, p, HautBasMode::PricesOnly);
    const Single numerator = static_cast<float>(static_cast<long double>(range.High) - range.Low);
    ASSERT_EQ(vhf.Values[p], static_cast<float>(numerator / static_cast<long double>(denominator)))
        << p;
  }
}

TEST_F(SinglePrecisionTest, SimpleAverageOverlayIsAFreshSumPerPlace) {
  const int n = 21;
  const SeriesValues average = CloseMovingAverage(View(), n, SimpleAverage);
  for (int p = n; p <= MaxQuotes; ++p) {
    Single sum = 0;
    for (int i = p - n + 1; i <= p; ++i) sum = Stored(sum, C(i));
    ASSERT_EQ(average[p], static_cast<float>(sum / static_cast<long double>(n))) << p;
  }
}

}  // namespace
}  // namespace chartorium
