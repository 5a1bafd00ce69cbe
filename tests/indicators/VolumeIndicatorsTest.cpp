// Volume indicators, accumulation / distribution and the range measures.
#include "indicators/VolumeIndicators.h"

#include <cmath>

#include "BarFixture.h"
#include "indicators/VolatilityIndicators.h"

namespace chartorium {
namespace {

using testing::Bar;
using testing::BarFixture;

class VolumeIndicatorsTest : public BarFixture {};

std::vector<Bar> ClosesAndVolumes(const std::vector<Single>& closes,
                                  const std::vector<int>& volumes) {
  std::vector<Bar> bars;
  for (size_t i = 0; i < closes.size(); ++i)
    bars.push_back(Bar{closes[i], closes[i], closes[i], closes[i], volumes[i]});
  return bars;
}

TEST_F(VolumeIndicatorsTest, OnBalanceVolumeCountsAnUnchangedCloseAsDown) {
  SetBars(ClosesAndVolumes({10, 11, 11, 10}, {100, 200, 300, 400}));
  const ResultSeries obv = OnBalanceVolume(View());
  const Single expected[] = {0, 300, 0, -400};
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(obv.Values[p], expected[p - 1]) << p;

  // Without volume on the first bar the balance starts from 0.
  SetBars(ClosesAndVolumes({10, 11}, {0, 200}));
  EXPECT_EQ(OnBalanceVolume(View()).Values[2], 200);
}

TEST_F(VolumeIndicatorsTest, VolumeIndicesMoveOnRisingOrFallingVolume) {
  SetBars(ClosesAndVolumes({10, 11, 12, 6}, {100, 50, 60, 70}));
  const ResultSeries positive = PositiveVolumeIndex(View());
  EXPECT_EQ(positive.Values[2], 0);
  EXPECT_FLOAT_EQ(positive.Values[3], 1000 + 1000.0f / 11);
  EXPECT_FLOAT_EQ(positive.Values[4], (1000 + 1000.0f / 11) / 2);  // the close halves
  const ResultSeries negative = NegativeVolumeIndex(View());
  EXPECT_EQ(negative.Values[1], 0);
  for (int p = 2; p <= 4; ++p) EXPECT_FLOAT_EQ(negative.Values[p], 1100) << p;
}

TEST_F(VolumeIndicatorsTest, PriceVolumeRankOfEachCombination) {
  SetBars(ClosesAndVolumes({10, 11, 12, 12, 11, 10}, {5, 6, 4, 4, 3, 9}));
  const ResultSeries rank = PriceVolumeRank(View());
  const Single expected[] = {0, 1, 2, 0, 3, 4};
  for (int p = 1; p <= 6; ++p) EXPECT_EQ(rank.Values[p], expected[p - 1]) << p;
}

TEST_F(VolumeIndicatorsTest, MoneyFlowIndexSplitsTheFlowByTypicalPrice) {
  SetBars(ClosesAndVolumes({10, 11, 10}, {1, 2, 3}));
  const ResultSeries mfi = MoneyFlowIndex(View(), 2);
  EXPECT_EQ(mfi.Values[2], 0);  // no negative flow yet
  EXPECT_FLOAT_EQ(mfi.Values[3], 100 - 100 / (1 + 22.0f / 30));
}

TEST_F(VolumeIndicatorsTest, TviAddsAboveFourPerCentAndHoldsOnAFourPerCentFall) {
  SetBars(ClosesAndVolumes({100, 105, 102, 98}, {10, 20, 30, 40}));
  const ResultSeries tvi = Tvi(View());
  const Single expected[] = {0, 20, -10, -10};
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(tvi.Values[p], expected[p - 1]) << p;
}

TEST_F(VolumeIndicatorsTest, WithoutVolumeSomeIndicatorsAreAllZero) {
  SetBars(ClosesAndVolumes({10, 12, 11, 15}, {0, 5, 6, 7}));
  for (const ResultSeries& series :
       {MoneyFlowIndex(View(), 2), Tvi(View()), EldersForceIndex(View())}) {
    EXPECT_TRUE(std::all_of(series.Values.begin(), series.Values.end(), [](Single v) {
      return v == 0;
    })) << series.Name;
  }
}

TEST_F(VolumeIndicatorsTest, EldersForceIndexIsATwoBarAverageOfTheForce) {
  SetBars(ClosesAndVolumes({10, 12, 11}, {1, 2, 3}));
  const ResultSeries force = EldersForceIndex(View());
  // Forces 0, 4, -3: seed (0 + 4) / 2, then 2 / 3 + -3 * 2 / 3.
  EXPECT_EQ(force.Values[1], 0);
  EXPECT_FLOAT_EQ(force.Values[2], 2);
  EXPECT_FLOAT_EQ(force.Values[3], 2.0f / 3 - 2);
}

TEST_F(VolumeIndicatorsTest, EaseOfMovementAndAccumulation) {
  SetBars({{11, 12, 10, 11, 1000000}, {13, 14, 12, 13, 2000000}, {13, 14, 14, 13, 5}});
  const ResultSeries ease = ArmsEaseOfMovement(View());
  EXPECT_FLOAT_EQ(ease.Values[2], 2);  // median 11 -> 13 over (2 / 2)
  EXPECT_EQ(ease.Values[3], 0);        // no range

  SetBars({{0, 11, 9, 10, 0}, {0, 13, 11, 12, 0}, {0, 12, 10, 11, 0}, {0, 12, 10, 11, 0}});
  const ResultSeries ad = WilliamsAccumulation(View());
  EXPECT_EQ(ad.Values[2], 2);  // 12 - min(11, 10)
  EXPECT_EQ(ad.Values[3], 1);  // + 11 - max(12, 12)
  EXPECT_EQ(ad.Values[4], 1);  // unchanged close
}

TEST_F(VolumeIndicatorsTest, TrueRangeAndIntradayVolatility) {
  SetBars({{0, 11, 9, 10, 0}, {0, 12, 10, 11, 0}, {0, 14, 11, 13, 0}, {0, 13, 12, 12, 0}});
  const ResultSeries atr = AverageTrueRange(View(), 2);
  EXPECT_EQ(atr.Values[3], 0);
  EXPECT_FLOAT_EQ(atr.Values[4], 2);  // true ranges 3 and 1

  SetBars({{0, 11, 10, 10, 0}, {0, 12, 10, 11, 0}});
  EXPECT_FLOAT_EQ(IntradayVolatility(View(), 2).Values[2], 15);  // 10 % and 20 %
  SetCloses({10, 11});
  EXPECT_EQ(IntradayVolatility(View(), 2).Values[2], 0);
}

TEST_F(VolumeIndicatorsTest, IrmRanksFromZeroToFifty) {
  SetWanderingBars(120);
  const ResultSeries irm = Irm(View());
  EXPECT_EQ(irm.Values[14], 0);
  Single lowest = 50, highest = 0;
  for (int p = 15; p <= 120; ++p) {
    EXPECT_EQ(irm.Values[p], std::trunc(irm.Values[p])) << p;
    lowest = std::min(lowest, irm.Values[p]);
    highest = std::max(highest, irm.Values[p]);
  }
  EXPECT_EQ(lowest, 0);
  EXPECT_EQ(highest, 50);
}

TEST_F(VolumeIndicatorsTest, BalanceOfPowerOfOneBar) {
  SetBars({{10, 12, 8, 11, 0}, {10, 10, 10, 10, 0}});
  const ResultSeries power = BalanceOfPower(View());
  EXPECT_FLOAT_EQ(power.Values[1], 0.25f);  // (2 + 3 + 1) / 12 - (2 + 1 + 0) / 12
  EXPECT_EQ(power.Values[2], 0);
}

}  // namespace
}  // namespace chartorium
