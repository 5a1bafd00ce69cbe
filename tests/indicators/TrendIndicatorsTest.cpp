// Trend indicators: vertical horizontal filter, Aroon, directional movement,
// direction indicator, TRIX and mass index.
#include "indicators/TrendIndicators.h"

#include <cmath>

#include "BarFixture.h"

namespace chartorium {
namespace {

using testing::Bar;
using testing::BarFixture;

class TrendIndicatorsTest : public BarFixture {};

bool AllZero(const SeriesValues& values) {
  return std::all_of(values.begin(), values.end(), [](Single v) { return v == 0; });
}

TEST_F(TrendIndicatorsTest, VerticalHorizontalFilterOnCloses) {
  SetCloses({1, 2, 4, 3});
  const ResultSeries vhf = VerticalHorizontalFilter(Store(), 3);
  EXPECT_EQ(vhf.LevelsText, "0.35");
  EXPECT_EQ(vhf.Values[3], 0);  // would need the change into place 1
  // Closes 2, 4, 3 span 2; the changes into places 2..4 sum to 1 + 2 + 1.
  EXPECT_FLOAT_EQ(vhf.Values[4], 0.5f);
  EXPECT_TRUE(AllZero(VerticalHorizontalFilter(Store(), 0).Values));
}

TEST_F(TrendIndicatorsTest, AroonTakesTheLatestOfEqualExtremes) {
  struct Case {
    std::vector<Single> closes;
    Single up;  // at place 4 with n = 3
    Single down;
  };
  const Case cases[] = {
      {{1, 5, 2, 5}, 100, 0},  // highest twice: the later, 0 bars back; lowest 3 back
      {{5, 1, 5, 2}, Single{200} / 3, Single{100} / 3},
      {{3, 3, 3, 3}, 100, 100},
      {{9, 2, 2, 4}, 0, Single{200} / 3},  // lowest twice: the later, 1 bar back
  };
  for (const Case& c : cases) {
    SetCloses(c.closes);
    const ResultSeries up = AroonUp(View(), 3);
    const ResultSeries down = AroonDown(View(), 3);
    EXPECT_EQ(up.Values[3], 0);
    EXPECT_FLOAT_EQ(up.Values[4], c.up) << c.closes[0];
    EXPECT_FLOAT_EQ(down.Values[4], c.down) << c.closes[0];
    EXPECT_FLOAT_EQ(AroonOscillator(View(), 3).Values[4], c.up - c.down) << c.closes[0];
  }
  EXPECT_TRUE(AllZero(AroonUp(View(), 0).Values));
}

TEST_F(TrendIndicatorsTest, DirectionalMovementOfASteadyRise) {
  // Every bar moves up by 1 with a range of 2: true range 2, +DM 1, -DM 0, so
  // the smoothed +DM stays exactly half the smoothed true range.
  SetRisingBars(60);
  const DirectionalMovement dm = ComputeDirectionalMovement(View());
  EXPECT_EQ(dm.PlusDi.Values[14], 0);
  EXPECT_EQ(dm.Adx.Values[27], 0);
  EXPECT_EQ(dm.Adxr.Values[42], 0);
  for (int p = 15; p <= 60; ++p) {
    EXPECT_EQ(dm.PlusDi.Values[p], 50) << p;
    EXPECT_EQ(dm.MinusDi.Values[p], 0) << p;
  }
  for (int p = 28; p <= 60; ++p) EXPECT_EQ(dm.Adx.Values[p], 100) << p;
  for (int p = 43; p <= 60; ++p) EXPECT_EQ(dm.Adxr.Values[p], 100) << p;
}

TEST_F(TrendIndicatorsTest, AdxIsWholeAndDiIsNot) {
  SetWanderingBars(200);
  const DirectionalMovement dm = ComputeDirectionalMovement(View());
  bool fractionalDi = false;
  for (int p = 1; p <= 200; ++p) {
    EXPECT_EQ(dm.Adx.Values[p], std::trunc(dm.Adx.Values[p])) << p;
    fractionalDi = fractionalDi || dm.PlusDi.Values[p] != std::trunc(dm.PlusDi.Values[p]);
  }
  EXPECT_TRUE(fractionalDi);
  EXPECT_NE(dm.Adx.Values[28], 0);
  EXPECT_NE(dm.Adxr.Values[43], 0);
}

TEST_F(TrendIndicatorsTest, DirectionAndTrendDetectionOfCloses) {
  std::vector<Single> closes;
  for (int p = 1; p <= 61; ++p) closes.push_back(static_cast<Single>(p));
  SetCloses(closes);
  const DirectionTrend pair = ComputeDirectionTrend(View());
  // The 19-bar momentum is 19 from place 20; 21 of them up to place 40.
  EXPECT_EQ(pair.Direction.Values[39], 0);
  EXPECT_EQ(pair.Direction.Values[40], 21 * 19);
  EXPECT_EQ(pair.Direction.Values[60], 40 * 19);
  EXPECT_EQ(pair.TrendDetection.Values[59], 0);
  EXPECT_EQ(pair.TrendDetection.Values[60], 40 * 19 + 20 * 19 - 40 * 19);
}

TEST_F(TrendIndicatorsTest, TrixWarmsUpForThreeTimesItsPeriod) {
  SetCloses({1, 2, 3, 4, 5, 6, 7});
  // n = 2, k = 2/3. E1 = p - 0.5 from place 2, E2 = p - 1 from place 3, E3
  // seeded at place 5 with the mean of E2 at places 3 and 4 (2.5).
  const double e3at6 = 5 * 2.0 / 3 + 2.5 / 3;
  const double e3at7 = 6 * 2.0 / 3 + e3at6 / 3;
  const ResultSeries trix = Trix(View(), 2);
  EXPECT_EQ(trix.Values[5], 0);
  EXPECT_NEAR(trix.Values[6], (e3at6 - 2.5) * 100 / 2.5, 1e-4);
  EXPECT_NEAR(trix.Values[7], (e3at7 - e3at6) * 100 / e3at6, 1e-4);
  EXPECT_TRUE(AllZero(Trix(View(), 3).Values));  // 9 places needed
  EXPECT_TRUE(AllZero(Trix(View(), 0).Values));
}

TEST_F(TrendIndicatorsTest, MassIndexOfAConstantRangeTendsToTwentyFive) {
  std::vector<Bar> bars;
  for (int p = 1; p <= 300; ++p) bars.push_back(Bar{10, 11, 9, 10, 0});
  SetBars(bars);
  const ResultSeries mass = MassIndex(View());
  EXPECT_EQ(mass.Values[25], 0);
  EXPECT_GT(mass.Values[26], 25);  // the double average still lags below the single one
  EXPECT_NEAR(mass.Values[300], 25, 1e-3);
}

}  // namespace
}  // namespace chartorium
