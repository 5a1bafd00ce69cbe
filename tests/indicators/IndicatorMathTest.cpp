// The shared helpers: simple and exponential averages in place, mean of the
// closes and regression end point.
#include "indicators/IndicatorMath.h"

#include <cmath>

#include "BarFixture.h"

namespace chartorium {
namespace {

using testing::BarFixture;

WorkArray Work(std::initializer_list<Single> values) {
  WorkArray work{};
  std::copy(values.begin(), values.end(), work.begin());
  return work;
}

TEST(SmaInPlaceTest, AveragesTheWindowEndingAtEachElement) {
  WorkArray work = Work({1, 2, 3, 4, 5});
  SmaInPlace(work, 3, 5);
  const Single expected[] = {0, 0, 2, 3, 4, 0};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(work[j], expected[j]) << j;
}

TEST(SmaInPlaceTest, PeriodOfAllBarsGivesOneValueAndOneMoreGivesNone) {
  WorkArray work = Work({2, 4, 6, 8});
  SmaInPlace(work, 4, 4);
  EXPECT_EQ(std::count_if(work.begin(), work.end(), [](Single v) { return v != 0; }), 1);
  EXPECT_EQ(work[3], 5);

  work = Work({2, 4, 6, 8});
  SmaInPlace(work, 5, 4);
  EXPECT_TRUE(std::all_of(work.begin(), work.end(), [](Single v) { return v == 0; }));
  work = Work({2, 4, 6, 8});
  SmaInPlace(work, 0, 4);
  EXPECT_TRUE(std::all_of(work.begin(), work.end(), [](Single v) { return v == 0; }));
}

TEST(SmaInPlaceTest, KeepsARunningSumInSinglePrecision) {
  // 2^24 + 1 is not a single: the running sum loses the 1 and keeps losing it
  // after 2^24 leaves the window, where a fresh sum per element would give 1.
  WorkArray work = Work({16777216, 1, 1, 1});
  SmaInPlace(work, 2, 4);
  EXPECT_EQ(work[1], 8388608);
  EXPECT_EQ(work[2], 0.5f);
  EXPECT_EQ(work[3], 0.5f);
}

TEST(EmaInPlaceTest, SeedsWithTheMeanThenSmooths) {
  WorkArray work = Work({2, 4, 6, 8, 10});
  EmaInPlace(work, 2, 5);
  // Seed (2 + 4) / 2 = 3, then each value is a third of the last plus two thirds of the new.
  const Single expected[] = {0, 3, 5, 7, 9};
  for (int j = 0; j < 5; ++j) EXPECT_FLOAT_EQ(work[j], expected[j]) << j;
}

TEST(EmaInPlaceTest, NegativePeriodCountsAsPositiveAndZeroLeavesTheInput) {
  WorkArray work = Work({2, 4, 6, 8, 10});
  EmaInPlace(work, -2, 5);
  EXPECT_FLOAT_EQ(work[1], 3);
  EXPECT_EQ(work[0], 0);

  work = Work({2, 4, 6});
  EmaInPlace(work, 0, 3);
  EXPECT_EQ(work[0], 2);
  EXPECT_EQ(work[2], 6);
}

TEST(EmaInPlaceTest, SeedBeyondTheLastBarLeavesZeros) {
  WorkArray work = Work({2, 4, 6});
  EmaInPlace(work, 5, 3);
  EXPECT_TRUE(std::all_of(work.begin(), work.end(), [](Single v) { return v == 0; }));
}

TEST(AddToSingleTest, RoundsLikeTheExtendedSum) {
  // Sums of singles taken in single precision must round exactly as the
  // extended sum rounded to a single, for terms that are singles and terms
  // that are not, across far-apart magnitudes.
  unsigned state = 7;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state;
  };
  for (int i = 0; i < 200000; ++i) {
    const Single sum =
        std::ldexp(static_cast<Single>(next() % 100000) - 50000, -(int(next() % 40)));
    const Single a = std::ldexp(static_cast<Single>(next() % 100000), -(int(next() % 40)));
    const Single b = std::ldexp(static_cast<Single>(next() % 100000), -(int(next() % 40)));
    for (const Extended term : {Ext(a), Ext(a) - b, Ext(a) * b, Ext(a) / 3}) {
      const Single expected = static_cast<Single>(static_cast<Extended>(sum) + term);
      ASSERT_EQ(AddToSingle(sum, term), expected) << sum << " + " << static_cast<double>(term);
    }
  }
}

class MeanAndRegressionTest : public BarFixture {};

TEST_F(MeanAndRegressionTest, CloseAverageOfARangeAndOfAnEmptyOne) {
  SetCloses({1, 2, 3, 10});
  EXPECT_EQ(CloseAverage(View(), 2, 4), 5);
  EXPECT_EQ(CloseAverage(View(), 3, 2), 0);
}

TEST_F(MeanAndRegressionTest, LinRegEndOfALineIsItsLastPointAndShortWindowsGiveZero) {
  SetCloses({3, 5, 7, 9, 4});
  EXPECT_FLOAT_EQ(LinRegEnd(View(), 1, 4), 9);
  // Closes 5, 7, 9, 4 at x = 1..4: slope -0.1 and intercept 6.5, so the line ends at 6.1.
  EXPECT_FLOAT_EQ(LinRegEnd(View(), 2, 5), 6.1f);
  EXPECT_EQ(LinRegEnd(View(), 1, 2), 0);
}

}  // namespace
}  // namespace chartorium
