// Oscillators.
#include "indicators/Oscillators.h"

#include "BarFixture.h"

namespace chartorium {
namespace {

using testing::Bar;
using testing::BarFixture;

class OscillatorsTest : public BarFixture {};

TEST_F(OscillatorsTest, RsiIsTheUpShareOfTheWindowAndFiftyWhenFlat) {
  SetCloses({10, 11, 10, 12, 12});
  const ResultSeries rsi = Rsi(View(), 3);
  EXPECT_EQ(rsi.Values[3], 0);
  EXPECT_FLOAT_EQ(rsi.Values[4], 75);          // +1 -1 +2
  EXPECT_FLOAT_EQ(rsi.Values[5], 200.0f / 3);  // -1 +2 0

  SetCloses({5, 5, 5, 5});
  EXPECT_EQ(Rsi(View(), 3).Values[4], 50);
}

TEST_F(OscillatorsTest, StochRsiStaysBetweenZeroAndOne) {
  SetWanderingBars(300);
  const ResultSeries stoch = StochRsi(View(), 12);
  EXPECT_EQ(stoch.LevelsText, "50");
  for (int p = 1; p <= 25; ++p) EXPECT_EQ(stoch.Values[p], 0) << p;
  bool inside = false;
  for (int p = 26; p <= 300; ++p) {
    EXPECT_GE(stoch.Values[p], 0) << p;
    EXPECT_LE(stoch.Values[p], 1) << p;
    inside = inside || (stoch.Values[p] > 0 && stoch.Values[p] < 1);
  }
  EXPECT_TRUE(inside);
}

TEST_F(OscillatorsTest, StochasticsPlaceTheCloseInTheRange) {
  SetBars({{0, 10, 8, 9, 0}, {0, 11, 9, 10, 0}, {0, 12, 10, 11, 0}, {0, 13, 11, 13, 0}});
  const ResultSeries k = StochasticK(View(), 3);
  EXPECT_EQ(k.Values[2], 0);
  EXPECT_FLOAT_EQ(k.Values[3], 75);   // (11 - 8) / (12 - 8)
  EXPECT_FLOAT_EQ(k.Values[4], 100);  // (13 - 9) / (13 - 9)
  const ResultSeries d = StochasticD(View(), 3, 2);
  EXPECT_EQ(d.Values[3], 0);
  EXPECT_FLOAT_EQ(d.Values[4], 87.5f);
  EXPECT_EQ(StochasticD(View(), 3, 0).Values[4], 0);

  SetBars({{0, 10, 10, 10, 0}, {0, 10, 10, 10, 0}, {0, 10, 10, 10, 0}});
  EXPECT_EQ(StochasticK(View(), 3).Values[3], 0);
}

TEST_F(OscillatorsTest, MacdStartsAtTheFirstClose) {
  SetCloses({10, 12, 13});
  const Macd macd = ComputeMacd(View(), 26, 12, 9);
  EXPECT_EQ(macd.Line.Values[1], 0);
  EXPECT_EQ(macd.Signal.Values[1], macd.Line.Values[1]);
  const double slow = 10 + 2 * 2.0 / 27, fast = 10 + 2 * 2.0 / 13;
  EXPECT_NEAR(macd.Line.Values[2], fast - slow, 1e-5);
  EXPECT_NEAR(macd.Signal.Values[2], (fast - slow) * 0.2, 1e-5);
  EXPECT_GT(macd.Line.Values[3], macd.Line.Values[2]);
}

TEST_F(OscillatorsTest, CciOfItsWindow) {
  SetBars({{0, 1, 1, 1, 0}, {0, 2, 2, 2, 0}, {0, 3, 3, 3, 0}});
  // Typical prices 1, 2, 3: mean 2, mean deviation 2/3.
  EXPECT_FLOAT_EQ(Cci(View(), 3).Values[3], 1 / (0.015f * 2 / 3));
  SetBars({{0, 3, 1, 2, 0}, {0, 2, 2, 2, 0}, {0, 4, 0, 2, 0}});
  EXPECT_EQ(Cci(View(), 3).Values[3], 0);  // all typical prices equal
}

TEST_F(OscillatorsTest, CmoAndCenterOfGravity) {
  SetCloses({1, 2, 4, 3});
  const ResultSeries cmo = Cmo(View(), 2);
  EXPECT_EQ(cmo.Values[3], 0);
  EXPECT_FLOAT_EQ(cmo.Values[4], 100.0f / 3);  // ups 2, downs 1 over places 3..4

  SetCloses({1, 2, 3});
  EXPECT_FLOAT_EQ(CenterOfGravity(View(), 2).Values[3], -10.0f / 6);  // -(3 + 2*2 + 3*1) / 6
  EXPECT_EQ(CenterOfGravity(View(), 2).Values[2], 0);
  SetCloses({0, 0, 0});
  EXPECT_EQ(CenterOfGravity(View(), 2).Values[3], 1);
}

TEST_F(OscillatorsTest, WilliamsRNeedsHighAndLow) {
  SetBars({{0, 10, 8, 9, 0}, {0, 11, 9, 10, 0}, {0, 12, 10, 11, 0}});
  const ResultSeries r = WilliamsR(View(), 3);
  EXPECT_EQ(r.Values[2], 0);
  EXPECT_FLOAT_EQ(r.Values[3], -25);  // (12 - 11) / (12 - 8) * -100
  SetCloses({9, 10, 11});
  EXPECT_EQ(WilliamsR(View(), 3).Values[3], 0);
}

TEST_F(OscillatorsTest, UltimateOscillatorOfIdenticalBars) {
  // Close 11 in a 10..12 range: buying pressure 1 of a range 2 in every window.
  SetBars(std::vector<Bar>(31, Bar{11, 12, 10, 11, 0}));
  const ResultSeries ultimate = UltimateOscillator(View());
  EXPECT_EQ(ultimate.Values[29], 0);
  EXPECT_FLOAT_EQ(ultimate.Values[30], 50);
}

TEST_F(OscillatorsTest, ElliotAndDetrendedPriceOscillators) {
  std::vector<Bar> bars;
  for (int p = 1; p <= 35; ++p) {
    const Single m = static_cast<Single>(p);
    bars.push_back(Bar{m, m + 1, m - 1, m, 0});
  }
  SetBars(bars);
  const ResultSeries elliot = ElliotOscillator(View());
  EXPECT_EQ(elliot.Values[33], 0);
  EXPECT_FLOAT_EQ(elliot.Values[34], 14.5f);  // (p - 2) - (p - 16.5)
  const ResultSeries dpo = DetrendedPriceOscillator(View(), 4);
  EXPECT_EQ(dpo.Values[6], 0);
  EXPECT_FLOAT_EQ(dpo.Values[7], 4.5f);  // 7 minus the 4-bar average at place 4 (2.5)
}

TEST_F(OscillatorsTest, VelmoraWeighsEachSideByTheOtherSidesCount) {
  SetCloses({10, 11, 10, 12, 12});
  const ResultSeries velmora = Velmora(View(), 3);
  EXPECT_EQ(velmora.Values[3], 0);
  // Over +1, -1, +2: one down place, two up places, up sum 3, down sum -1.
  EXPECT_FLOAT_EQ(velmora.Values[4], -(1.0f / 3 * 3 + 2.0f / 3 * -1));
}

}  // namespace
}  // namespace chartorium
