// Candlestick patterns: each at a bar where it holds and at one where it just
// fails, the size classes and their thresholds.
#include "indicators/CandlePatterns.h"

#include "BarFixture.h"
#include "indicators/IndicatorCache.h"

namespace chartorium {
namespace {

using testing::Bar;
using testing::BarFixture;

constexpr Bar B(Single o, Single h, Single l, Single c) {
  return Bar{o, h, l, c, 0};
}

struct PatternCase {
  const char* name;
  std::vector<Bar> bars;  ///< the pattern is asked at the last bar
  bool expected;
  const char* why;
};

std::vector<Bar> Flat(int n, Bar bar) {
  return std::vector<Bar>(n, bar);
}

std::vector<Bar> Join(std::vector<Bar> a, const std::vector<Bar>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<PatternCase>& Cases() {
  static const std::vector<PatternCase> cases = {
      {"three line strike",
       {B(10, 11.2f, 9.9f, 11), B(10.5f, 12.2f, 10.4f, 12), B(11.5f, 13.2f, 11.4f, 13),
        B(13.5f, 13.6f, 9.4f, 9.5f)},
       true,
       "closes below the first open"},
      {"three line strike",
       {B(10, 11.2f, 9.9f, 11), B(10.5f, 12.2f, 10.4f, 12), B(11.5f, 13.2f, 11.4f, 13),
        B(13.5f, 13.6f, 9.4f, 10.2f)},
       false,
       "closes above the first open"},
      {"meeting lines",
       {B(10, 10.1f, 9.7f, 9.8f), B(9.5f, 9.9f, 9.4f, 9.82f)},
       true,
       "closes meet"},
      {"meeting lines",
       {B(10, 10.1f, 9.7f, 9.8f), B(9.5f, 9.9f, 9.4f, 9.85f)},
       false,
       "0.05 apart"},
      {"piercing line", {B(10, 10.1f, 8.9f, 9), B(8.8f, 9.7f, 8.7f, 9.6f)}, true, "above midpoint"},
      {"piercing line", {B(10, 10.1f, 8.9f, 9), B(8.8f, 9.7f, 8.7f, 9.5f)}, false, "at midpoint"},
      {"seperating lines",
       {B(10, 10.1f, 9.7f, 9.8f), B(10.02f, 10.4f, 10, 10.3f)},
       true,
       "opens meet"},
      {"seperating lines",
       {B(10, 10.1f, 9.7f, 9.8f), B(10.03f, 10.4f, 10, 10.3f)},
       false,
       "0.03 apart"},
      {"separating lines",
       {B(10, 10.1f, 9.7f, 9.8f), B(10.02f, 10.4f, 10, 10.3f)},
       false,
       "not a pattern name"},
      {"rising three",
       {B(10, 11.5f, 9.5f, 11), B(11.6f, 11.8f, 10.8f, 11), B(11, 11.4f, 10.6f, 10.9f),
        B(11, 11.3f, 10.5f, 10.7f), B(11, 12.1f, 10.9f, 12)},
       true,
       "closes above the three highs"},
      {"rising three",
       {B(10, 11.5f, 9.5f, 11), B(11.6f, 11.8f, 10.8f, 11), B(11, 11.4f, 10.6f, 10.9f),
        B(11, 11.3f, 10.5f, 10.7f), B(11, 12.1f, 10.9f, 11.7f)},
       false,
       "closes below the second high"},
      {"mat hold",
       {B(10, 11.1f, 9.9f, 11), B(11.9f, 12, 11.2f, 11.5f), B(11.6f, 11.8f, 11.3f, 11.4f),
        B(11.5f, 11.7f, 11.1f, 11.2f), B(11.3f, 12.6f, 11.2f, 12.5f)},
       true,
       "opens below the fourth open"},
      {"mat hold",
       {B(10, 11.1f, 9.9f, 11), B(11.9f, 12, 11.2f, 11.5f), B(11.6f, 11.8f, 11.3f, 11.4f),
        B(11.5f, 11.7f, 11.1f, 11.2f), B(11.6f, 12.6f, 11.2f, 12.5f)},
       false,
       "opens above the fourth open"},
      {"three white soldiers",
       Join(Flat(6, B(10, 10.5f, 9, 10)),
            {B(10, 11.1f, 9.9f, 11), B(10.5f, 11.6f, 9.5f, 11.5f), B(11, 12.1f, 9.8f, 12)}),
       true, "the first soldier has the highest low"},
      {"three white soldiers",
       Join(Flat(6, B(10, 10.5f, 9, 10)),
            {B(10, 11.1f, 9.9f, 11), B(10.5f, 11.6f, 9.5f, 11.5f), B(11, 12.1f, 10, 12)}),
       false, "the last soldier has a higher low"},
      {"three white soldiers",
       Join(Flat(5, B(10, 10.5f, 9, 10)),
            {B(10, 11.1f, 9.9f, 11), B(10.5f, 11.6f, 9.5f, 11.5f), B(11, 12.1f, 9.8f, 12)}),
       false, "place 8 is too early"},
      {"stick sandwich",
       Join(Flat(5, B(10.6f, 10.8f, 10.5f, 10.7f)),
            {B(10.8f, 11, 10, 10.6f), B(11, 11.2f, 10.4f, 10.5f), B(10.6f, 11.4f, 10.5f, 11.3f),
             B(11.5f, 11.6f, 10.3f, 10.52f)}),
       true, "closes meet"},
      {"stick sandwich",
       Join(Flat(5, B(10.6f, 10.8f, 10.5f, 10.7f)),
            {B(10.8f, 11, 10, 10.6f), B(11, 11.2f, 10.4f, 10.5f), B(10.6f, 11.4f, 10.5f, 11.3f),
             B(11.5f, 11.6f, 10.3f, 10.6f)}),
       false, "closes 0.1 apart"},
      {"breakaway",
       {B(12, 12.2f, 10.8f, 11), B(10.5f, 10.6f, 10, 10.2f), B(10.2f, 10.4f, 9.8f, 10),
        B(10, 10.3f, 9.6f, 9.8f), B(10.2f, 11.1f, 10.1f, 11)},
       true,
       "closes into the first bar"},
      {"breakaway",
       {B(12, 12.2f, 10.8f, 11), B(10.5f, 10.6f, 10, 10.2f), B(10.2f, 10.4f, 9.8f, 10),
        B(10, 10.3f, 9.6f, 9.8f), B(10.2f, 11.1f, 10.1f, 10.8f)},
       false,
       "closes at the first low"},
      {"doji", {B(100, 101, 99, 100.1f)}, true, "0.1 <= 0.1001"},
      {"doji", {B(100, 101, 99, 100.2f)}, false, "0.2 > 0.1002"},
      {"morning star",
       {B(10, 10.1f, 8.9f, 9), B(8.9f, 9, 8.7f, 8.8f), B(9, 9.6f, 8.9f, 9.5f)},
       true,
       "closes above the first close"},
      {"morning star",
       {B(10, 10.1f, 8.9f, 9), B(8.9f, 9, 8.7f, 8.8f), B(8.9f, 9.6f, 8.8f, 9)},
       false,
       "closes at the first close"},
      {"hanging man", {B(10, 10.05f, 9, 9.9f)}, true, "small body at the top"},
      {"hanging man", {B(10, 10.05f, 9.6f, 9.9f)}, false, "shadow too short"},
      {"hammer", {B(10, 10.1f, 9.4f, 9.9f)}, true, "small body at the top"},
      {"hammer", {B(10, 10.4f, 9.4f, 9.9f)}, false, "body in the middle"},
      {"hammer", {B(10, 10, 10, 10)}, false, "a flat bar has open = close"},
      {"inverted hammer", {B(9.9f, 10.6f, 9.85f, 10)}, true, "small body at the bottom"},
      {"inverted hammer", {B(9.9f, 10.2f, 9.85f, 10)}, false, "upper shadow too short"},
      {"shooting star", {B(9.9f, 11, 9.85f, 10)}, true, "small body at the bottom"},
      {"shooting star", {B(9.9f, 10.4f, 9.85f, 10)}, false, "upper shadow too short"},
      {"black spinning top", {B(10.2f, 10.5f, 9.7f, 10)}, true, "body in the middle"},
      {"black spinning top", {B(10.2f, 10.6f, 9.7f, 10)}, false, "upper shadow too long"},
      {"white spinning top", {B(10, 10.5f, 9.7f, 10.2f)}, true, "body in the middle"},
      {"white spinning top", {B(10, 10.5f, 9.6f, 10.2f)}, false, "lower shadow too long"},
      {"abandoned baby",
       {B(10, 11.2f, 9.8f, 11), B(12, 12.5f, 11.5f, 12.005f), B(11, 11.3f, 9.9f, 10)},
       true,
       "the doji stands alone"},
      {"abandoned baby",
       {B(10, 11.2f, 9.8f, 11), B(12, 12.5f, 11.5f, 12.005f), B(11, 11.6f, 9.9f, 10)},
       false,
       "the last high reaches the doji"},
      {"evening star",
       {B(10, 11.1f, 9.9f, 11), B(11.2f, 11.6f, 11.1f, 11.3f), B(11.1f, 11.2f, 10.4f, 10.5f)},
       true,
       "opens below the star"},
      {"evening star",
       {B(10, 11.1f, 9.9f, 11), B(11.2f, 11.6f, 11.1f, 11.3f), B(11.2f, 11.3f, 10.4f, 10.5f)},
       false,
       "opens at the star's open"},
      {"kicking", {B(11, 11, 10, 10), B(11.5f, 12.5f, 11.5f, 12.5f)}, true, "two marubozu"},
      {"kicking", {B(11, 11, 10, 10), B(11.5f, 12.6f, 11.5f, 12.5f)}, false, "an upper shadow"},
      {"bearish engulfing line",
       {B(10, 11.2f, 9.8f, 11), B(11.5f, 11.6f, 9.4f, 9.5f)},
       true,
       "engulfs the whole range"},
      {"bearish engulfing line",
       {B(10, 11.2f, 9.8f, 11), B(11.5f, 11.6f, 9.4f, 9.8f)},
       false,
       "closes at the low"},
      {"bullish engulfing line",
       {B(11, 11.2f, 9.8f, 10), B(9.5f, 11.6f, 9.4f, 11.5f)},
       true,
       "engulfs the whole range"},
      {"bullish engulfing line",
       {B(11, 11.2f, 9.8f, 10), B(9.8f, 11.6f, 9.4f, 11.5f)},
       false,
       "opens at the low"},
      {"gravestone doji", {B(10, 11, 10, 10)}, true, "open = close = low"},
      {"gravestone doji", {B(10, 10, 10, 10)}, false, "no range"},
      {"dark cloud cover",
       {B(10, 11.2f, 9.9f, 11), B(11.5f, 11.6f, 10.2f, 10.4f)},
       true,
       "closes below the midpoint"},
      {"dark cloud cover",
       {B(10, 11.2f, 9.9f, 11), B(11.5f, 11.6f, 10.2f, 10.5f)},
       false,
       "closes at the midpoint"},
      {"three outside down",
       {B(10, 10.6f, 9.9f, 10.5f), B(10.6f, 10.7f, 9.8f, 9.9f), B(9.8f, 9.9f, 9.4f, 9.5f)},
       true,
       "a lower close"},
      {"three outside down",
       {B(10, 10.6f, 9.9f, 10.5f), B(10.6f, 10.7f, 9.8f, 9.9f), B(10, 10.1f, 9.9f, 9.95f)},
       false,
       "closes above the engulfing close"},
      // A white last bar opening above a black bar closes above that bar's
      // close, so its close can never fall below it.
      {"blow off",
       {B(10, 12.1f, 9.9f, 12), B(11.8f, 11.9f, 11.4f, 11.5f), B(11.9f, 12, 11, 11.95f)},
       false,
       "the conditions exclude each other"},
  };
  return cases;
}

class CandlePatternsTest : public BarFixture {};

TEST_F(CandlePatternsTest, EachPatternHoldsOrJustFails) {
  for (const PatternCase& c : Cases()) {
    SetBars(c.bars);
    const int place = static_cast<int>(c.bars.size());
    EXPECT_EQ(CandlePattern(Ws(), c.name, place), c.expected) << c.name << ": " << c.why;
  }
}

TEST_F(CandlePatternsTest, NamesIgnoreCaseAndBadPlacesAreFalse) {
  SetBars({B(10, 11, 10, 10), B(100, 101, 99, 100.1f)});
  EXPECT_TRUE(CandlePattern(Ws(), "Gravestone DOJI", 1));
  EXPECT_TRUE(CandlePattern(Ws(), "DOJI", 2));
  for (const int place : {0, -3, 3, MaxQuotes + 1})
    EXPECT_FALSE(CandlePattern(Ws(), "doji", place));
  EXPECT_FALSE(CandlePattern(Ws(), "no such pattern", 2));
  EXPECT_EQ(CandlePatternNames().size(), 35u);
  EXPECT_EQ(CandlePatternNames().front(), "three line strike");
}

class CandleSizeTest : public BarFixture {
 protected:
  // Bodies 0.1 * p with no shadows.
  void SetGrowingBodies(int n) {
    std::vector<Bar> bars;
    for (int p = 1; p <= n; ++p) {
      const Single close = 10 + 0.1f * p;
      bars.push_back(B(10, close, 10, close));
    }
    SetBars(bars);
  }
  // Mean and variance of the bodies of bars first..last.
  static std::pair<double, double> Moments(int first, int last) {
    double sum = 0, squares = 0;
    const int n = last - first + 1;
    for (int p = first; p <= last; ++p) sum += 0.1 * p;
    const double mean = sum / n;
    for (int p = first; p <= last; ++p) squares += (0.1 * p - mean) * (0.1 * p - mean);
    return {mean, squares / n};
  }
  const CandleThresholds& Thresholds() { return Ws().Indicators.Thresholds; }
};

TEST_F(CandleSizeTest, ThresholdsComeFromTheFifteenBarWindow) {
  SetGrowingBodies(16);
  struct Case {
    int place;
    int first, last;  // the statistics window
    const char* size;
  };
  const Case cases[] = {
      {10, 6, 15, "small body"},  // bars 6..15 for an early place
      {15, 2, 15, "large body"},  // place 15 uses 14 bars
      {16, 2, 16, "large body"},  // the 15 bars ending at the place
      {12, 4, 15, "large body"},  // bars 4..15
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(CandlePattern(Ws(), c.size, c.place)) << c.place;
    const auto [mean, variance] = Moments(c.first, c.last);
    EXPECT_NEAR(Thresholds().BodySmall, mean - 0.5 * variance, 1e-5) << c.place;
    EXPECT_NEAR(Thresholds().BodyLarge, mean + 0.5 * variance, 1e-5) << c.place;
    EXPECT_EQ(Thresholds().UpperSmall, 0);
  }
  EXPECT_FALSE(CandlePattern(Ws(), "medium body", 10));
  EXPECT_FALSE(CandlePattern(Ws(), "small body", 16));
}

TEST_F(CandleSizeTest, ABodyWithinHalfAVarianceOfTheMeanIsMedium) {
  // Bodies 1 except 2.5 at place 8 and 1.1 at place 16: over bars 2..16 the
  // mean is 16.6 / 15 and the variance about 0.139, so 1.1 lies inside.
  std::vector<Bar> bars = Flat(16, B(10, 11, 10, 11));
  bars[7] = B(10, 12.5f, 10, 12.5f);
  bars[15] = B(10, 11.1f, 10, 11.1f);
  SetBars(bars);
  EXPECT_TRUE(CandlePattern(Ws(), "medium body", 16));
  EXPECT_FALSE(CandlePattern(Ws(), "small body", 16));
  EXPECT_FALSE(CandlePattern(Ws(), "large body", 16));
  EXPECT_NEAR(Thresholds().BodySmall, 16.6 / 15 - 0.5 * 0.139289, 1e-4);
}

TEST_F(CandleSizeTest, EqualShadowsAreSmall) {
  SetBars(Flat(16, B(10, 10.7f, 9.8f, 10.2f)));  // upper 0.5, lower 0.2, body 0.2
  EXPECT_TRUE(CandlePattern(Ws(), "small upper shadow", 16));
  EXPECT_FALSE(CandlePattern(Ws(), "medium upper shadow", 16));
  EXPECT_FALSE(CandlePattern(Ws(), "large upper shadow", 16));
  EXPECT_TRUE(CandlePattern(Ws(), "small lower shadow", 16));
  EXPECT_FALSE(CandlePattern(Ws(), "medium lower shadow", 16));
  EXPECT_FALSE(CandlePattern(Ws(), "large lower shadow", 16));
}

TEST_F(CandleSizeTest, EmptyBarsAfterTheLastKeepThePreviousThresholds) {
  SetGrowingBodies(16);
  // Before any size test the thresholds are 0, and an empty bar's body is 0.
  EXPECT_TRUE(CandlePattern(Ws(), "small body", 17));
  EXPECT_FALSE(CandlePattern(Ws(), "medium body", 17));
  EXPECT_TRUE(CandlePattern(Ws(), "large body", 16));
  const CandleThresholds before = Thresholds();
  EXPECT_TRUE(CandlePattern(Ws(), "small body", MaxQuotes));
  EXPECT_EQ(Thresholds().BodyLarge, before.BodyLarge);
  EXPECT_FALSE(CandlePattern(Ws(), "large body", 17));
  EXPECT_FALSE(CandlePattern(Ws(), "doji", 17));
}

}  // namespace
}  // namespace chartorium
