// The price overlays, the parabolic SAR and the average-based indicators.
#include "indicators/Averages.h"

#include <cmath>

#include "BarFixture.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

using testing::Bar;
using testing::BarFixture;

class AveragesTest : public BarFixture {};

TEST_F(AveragesTest, MovingAverageOverlaysOfEachType) {
  SetCloses({1, 2, 3, 4});
  Ws().Prefs.Set("EMCT", "3");
  Ws().Prefs.Set("EMLT", "2");
  struct Case {
    const char* type;
    Single shortAverage[4];  // n = 3
    Single longAverage[4];   // n = 2
  };
  const Case cases[] = {
      {"0", {0, 0, 2, 3}, {0, 1.5f, 2.5f, 3.5f}},
      // Seed 2 at place 3 (mean of 1, 2, 3), then 4 * 0.5 + 2 * 0.5.
      {"1", {0, 0, 2, 3}, {0, 1.5f, 2.5f, 3.5f}},
      // A straight line of closes: the regression ends on the close; two places give 0.
      {"2", {0, 0, 3, 4}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Ws().Prefs.Set("MAT1", c.type);
    Ws().Prefs.Set("MAT2", c.type);
    Ws().Indicators.Overlays().AveragesValid = false;
    for (int p = 1; p <= 4; ++p) {
      EXPECT_FLOAT_EQ(SeriesValue(Ws(), "sma", p, Runs()), c.shortAverage[p - 1])
          << c.type << " " << p;
      EXPECT_FLOAT_EQ(SeriesValue(Ws(), "LMA", p, Runs()), c.longAverage[p - 1])
          << c.type << " " << p;
    }
  }
}

TEST_F(AveragesTest, ExponentialOverlayFollowsItsRecursion) {
  SetCloses({1, 2, 3, 4, 10});
  Ws().Prefs.Set("EMCT", "3");
  Ws().Prefs.Set("MAT1", "1");
  // k = 0.5: place 4 is 4 * 0.5 + 2 * 0.5 = 3, place 5 is 10 * 0.5 + 3 * 0.5 = 6.5.
  EXPECT_FLOAT_EQ(SeriesValue(Ws(), "sma", 4, Runs()), 3);
  EXPECT_FLOAT_EQ(SeriesValue(Ws(), "sma", 5, Runs()), 6.5f);
}

TEST_F(AveragesTest, BandsMeasureTypicalPricesOrClosesWithoutHighAndLow) {
  Ws().Prefs.Set("EBoll", "3");
  // Closes 1, 2, 3 and no High or Low: deviations 1, 0, -1 from the mean 2.
  SetCloses({1, 2, 3});
  const Single closesOnly = static_cast<Single>(std::sqrt(2.0 / 3.0));
  EXPECT_FLOAT_EQ(SeriesValue(Ws(), "bollh", 3, Runs()), 2 + 2 * closesOnly);
  EXPECT_FLOAT_EQ(SeriesValue(Ws(), "bolll", 3, Runs()), 2 - 2 * closesOnly);
  EXPECT_EQ(SeriesValue(Ws(), "bollh", 2, Runs()), 0);

  // High = Close + 3, Low = Close: typical prices 2, 3, 4 around the close mean 2.
  SetBars({{1, 4, 1, 1, 0}, {2, 5, 2, 2, 0}, {3, 6, 3, 3, 0}});
  const Single typical = static_cast<Single>(std::sqrt(5.0 / 3.0));
  EXPECT_FLOAT_EQ(SeriesValue(Ws(), "bollh", 3, Runs()), 2 + 2 * typical);
  EXPECT_FLOAT_EQ(SeriesValue(Ws(), "bolll", 3, Runs()), 2 - 2 * typical);
}

TEST_F(AveragesTest, SarFlipsAtPlaceThreeAndFollowsTheExtremes) {
  // Four rising bars, then a fall through the stop.
  SetBars({{0, 10, 9, 9.5f, 0},
           {0, 11, 10, 10.5f, 0},
           {0, 12, 11, 11.5f, 0},
           {0, 13, 12, 12.5f, 0},
           {0, 14, 13, 13.5f, 0},
           {0, 12, 10, 10.5f, 0}});
  const ResultSeries sar = Sar(View(), 0.02f, 0.02f, 0.4f);
  EXPECT_EQ(sar.Name, "SAR");
  // Place 3: the first stop is the close, at or above the low, so it flips to
  // falling with no extreme point yet. Place 4 flips back and shows the high
  // of place 3; place 5 starts the rise at 12 + 0.02 * (14 - 12); place 6
  // falls through it and shows the extreme point 14.
  const Single expected[] = {0, 0, 0, 12, 12.04f, 14};
  for (int p = 1; p <= 6; ++p) EXPECT_FLOAT_EQ(sar.Values[p], expected[p - 1]) << p;
}

TEST_F(AveragesTest, SarHasAValueAtEveryPlaceFromFour) {
  SetWanderingBars(300);
  EXPECT_TRUE(ComputeIndicator(Ws(), "sar").Clean());
  for (int p = 1; p <= 300; ++p) EXPECT_EQ(SeriesValue(Ws(), "SAR", p, Runs()) != 0, p >= 4) << p;
}

TEST_F(AveragesTest, SineWeightedAverageOfAConstantIsTheConstant) {
  SetCloses(std::vector<Single>(8, 4.5f));
  const ResultSeries swma = SineWeightedMovingAverage(View());
  EXPECT_EQ(swma.Values[4], 0);
  for (int p = 5; p <= 8; ++p) EXPECT_FLOAT_EQ(swma.Values[p], 4.5f) << p;
}

TEST_F(AveragesTest, SineWeightsAreTakenInRadians) {
  SetCloses({1, 0, 0, 0, 0});
  // Only the oldest close counts: sin(150) / (sin 30 + ... + sin 150).
  const double weights =
      std::sin(30.0) + std::sin(60.0) + std::sin(90.0) + std::sin(120.0) + std::sin(150.0);
  EXPECT_NEAR(SineWeightedMovingAverage(View()).Values[5], std::sin(150.0) / weights, 1e-6);
}

TEST_F(AveragesTest, McGinleyDynamicStartsTwoPlacesAfterItsAverage) {
  std::vector<Single> closes;
  for (int p = 1; p <= 14; ++p) closes.push_back(static_cast<Single>(p));
  SetCloses(closes);
  const ResultSeries mcginley = McGinleyDynamic(View(), 12);
  EXPECT_EQ(mcginley.Values[13], 0);
  // The 12-bar average is 6.5 at place 12 and 6.5 + (13 - 6.5) * 2 / 13 = 7.5 at place 13.
  EXPECT_NEAR(mcginley.Values[14], 7.5 + 6.5 / ((14 / 7.5) * 125), 1e-5);
}

TEST_F(AveragesTest, DisparityIndexIsThePerCentDistanceFromTheAverage) {
  std::vector<Single> closes(13, 10);
  closes.push_back(11);
  SetCloses(closes);
  const ResultSeries disparity = DisparityIndex(View());
  EXPECT_EQ(disparity.Values[12], 0);
  EXPECT_EQ(disparity.Values[13], 0);
  const double average = 10 + (11 - 10) * 2.0 / 14;
  EXPECT_NEAR(disparity.Values[14], (11 - average) / average * 100, 1e-4);
}

TEST_F(AveragesTest, EhlersFilterWeighsMedianPricesByTheirFiveBarMove) {
  SetCloses(std::vector<Single>(25, 10));
  EXPECT_FALSE(EhlersFilter(View()).has_value());
  EXPECT_EQ(SeriesValue(Ws(), "ehlers filter", 20, Runs()), 0);
  EXPECT_EQ(Ws().Indicators.Find("Ehlers Filter"), -1);

  // Median price p + 1: every five-bar move is 5, so the filter is the mean
  // median of its 15 places.
  std::vector<Bar> bars;
  for (int p = 1; p <= 21; ++p) {
    const Single m = static_cast<Single>(p + 1);
    bars.push_back(Bar{m, m + 1, m - 1, m, 0});
  }
  SetBars(bars);
  const auto ehlers = EhlersFilter(View());
  ASSERT_TRUE(ehlers.has_value());
  EXPECT_EQ(ehlers->Values[19], 0);
  EXPECT_FLOAT_EQ(ehlers->Values[20], 14);  // mean of 7..21
  EXPECT_FLOAT_EQ(ehlers->Values[21], 15);
}

TEST_F(AveragesTest, SupportStepsToALowThatIsLowestOfTheNineAroundIt) {
  // Lows fall to 17 at place 13 and rise after it.
  std::vector<Bar> bars;
  for (int p = 1; p <= 20; ++p) {
    const Single low = static_cast<Single>(p <= 13 ? 30 - p : p + 4);
    bars.push_back(Bar{low, low + 2, low, low + 1, 0});
  }
  SetBars(bars);
  const ResultSeries support = Support(View());
  EXPECT_EQ(support.Values[16], 0);  // the low four bars back is not the lowest
  for (int p = 17; p <= 20; ++p) EXPECT_EQ(support.Values[p], 17) << p;
}

TEST_F(AveragesTest, TrendAnalysisIndexIsTheRangeOfTheAverageOverFivePlaces) {
  std::vector<Single> closes;
  for (int p = 1; p <= 33; ++p) closes.push_back(static_cast<Single>(p));
  SetCloses(closes);
  const ResultSeries tai = TrendAnalysisIndex(View());
  EXPECT_EQ(tai.Values[31], 0);
  // The 28-bar average of closes p is p - 13.5; over places 28..32 it spans 4.
  EXPECT_FLOAT_EQ(tai.Values[32], 4.0f / 32 * 100);
  EXPECT_FLOAT_EQ(tai.Values[33], 4.0f / 33 * 100);
}

TEST_F(AveragesTest, CoppockCurveNeeds273Bars) {
  std::vector<Single> closes;
  for (int p = 1; p <= 273; ++p) closes.push_back(static_cast<Single>(100 + p));
  closes.pop_back();
  SetCloses(closes);
  const ResultSeries short272 = CoppockCurve(View());
  EXPECT_TRUE(
      std::all_of(short272.Values.begin(), short272.Values.end(), [](Single v) { return v == 0; }));

  closes.push_back(373);
  SetCloses(closes);
  const ResultSeries full = CoppockCurve(View());
  EXPECT_EQ(full.Values[271], 0);
  // The 22-bar average of closes 100 + p is 89.5 + p; place 272 compares
  // 361.5 with 111.5 at place 22, and the curve starts there as rate / 100.
  const double first = (361.5 - 111.5) / 111.5;
  EXPECT_NEAR(full.Values[272], first, 1e-5);
  const double k = 2.0 / 151;
  const double rate273 = (362.5 - 112.5) / 112.5 * 100;
  EXPECT_NEAR(full.Values[273], (rate273 * k + first * 100 * (1 - k)) / 100, 1e-5);
}

}  // namespace
}  // namespace chartorium
