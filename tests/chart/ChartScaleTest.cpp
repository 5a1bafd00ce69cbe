#include "chart/ChartScale.h"

#include <gtest/gtest.h>

#include "core/Workspace.h"

namespace chartorium {
namespace {

TEST(Bornes, StepsAreDecimalFractionsOfTheRange) {
  struct Case {
    Single low, high;
    std::int64_t step, bottom, top;
  };
  constexpr Case Cases[] = {
      {10, 17.3f, 10000, 100000, 180000},  // 7.3 -> 1
      {10, 12.5f, 5000, 100000, 125000},   // 2.5 -> 0.5
      {10, 11.5f, 2500, 100000, 115000},   // 1.5 -> 0.25
      {10, 11, 1000, 100000, 110000},      // 1.0 -> 0.1
      {10, 10.5f, 1000, 100000, 105000},   // 0.5 -> 0.1
      {10, 20, 10000, 100000, 200000},     // 10 -> 1
      {98.7f, 101.2f, 5000, 985000, 1015000},
      {1234, 5678, 10000000, 10000000, 60000000},  // 4444 -> 1000
      {0.0012f, 0.0013f, 1, 12, 14},  // the smallest step is 1/10000; 0.0013f is above 0.0013
  };
  for (const Case& c : Cases) {
    Single high = c.high;
    const PriceGrid grid = Bornes(high, c.low);
    EXPECT_EQ(grid.Step, c.step) << c.low << ".." << c.high;
    EXPECT_EQ(grid.Bottom, c.bottom) << c.low << ".." << c.high;
    EXPECT_EQ(grid.Top, c.top) << c.low << ".." << c.high;
  }
}

TEST(Bornes, AFlatRangeIsWidenedUpward) {
  Single high = 50;
  const PriceGrid grid = Bornes(high, 50);
  EXPECT_EQ(high, 51.0f);
  EXPECT_EQ(grid.Step, 1000);
  EXPECT_EQ(grid.Bottom, 500000);
  EXPECT_EQ(grid.Top, 510000);
}

TEST(ChartScale, ChoosesTheRangeModeFromTheOverlays) {
  EXPECT_EQ(RangeModeFor({}), HautBasMode::PricesAfterOverlays);
  EXPECT_EQ(RangeModeFor({false, true, false}), HautBasMode::WithAverages);
  EXPECT_EQ(RangeModeFor({false, false, true}), HautBasMode::WithAverages);
  EXPECT_EQ(RangeModeFor({true, true, true}), HautBasMode::WithBands);
}

class PriceScale : public ::testing::Test {
 protected:
  PriceScale() : workspace("/nonexistent") {
    QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= 60; ++i) {
      QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
      bar.Date = 45000 + i;
      bar.Close = 100 + i * 0.5f;
      bar.Low = bar.Close - 1;
      bar.High = bar.Close + 1;
      bar.Open = bar.Close;
    }
    store.BarCount = 60;
  }
  Workspace workspace;
};

TEST_F(PriceScale, LaysOutThePaneAndMapsBarsAndValues) {
  QuoteStore& store = workspace.Quotes();
  store.FirstVisibleBar = 60;
  store.VisibleBarCount = 100;
  const ChartScale scale = ComputePriceScale(workspace, {0, 0, 1000, 400}, {}, {12, 14});
  EXPECT_EQ(store.VisibleBarCount, 60);  // 100 bars on 60: all 60 from bar 1
  EXPECT_EQ(store.FirstVisibleBar, 1);
  EXPECT_EQ(scale.RangeLow, 99.5f);
  EXPECT_EQ(scale.RangeHigh, 131.0f);
  EXPECT_EQ(scale.Grid, (PriceGrid{1350000, 950000, 50000}));
  EXPECT_EQ(scale.PlotLeft, 50);
  EXPECT_EQ(scale.PlotRight, 945);
  EXPECT_EQ(scale.PlotTop, 22.0f);
  EXPECT_EQ(scale.PlotBottom, 393.0f);  // no room for dates unless they are shown
  EXPECT_FLOAT_EQ(scale.BarWidth, 895.0f / 60);
  EXPECT_FLOAT_EQ(scale.PixelsPerUnit, 371.0f / 40);
  EXPECT_EQ(BarToX(scale, 1), 50 + 7);
  EXPECT_EQ(BarToX(scale, 60), 50 + static_cast<int>(59 * (895.0 / 60) + 895.0 / 120));
  EXPECT_EQ(ValueToY(scale, 95), 393);  // the grid bottom sits on the plot bottom
  EXPECT_EQ(ValueToY(scale, 135), 22);  // the grid top on the plot top
  EXPECT_EQ(XToBar(scale, BarToX(scale, 17), 1000), 17);
  EXPECT_EQ(YToValue(scale, 393), 950000);
  EXPECT_EQ(YToValue(scale, 22), 1350000);

  workspace.Prefs.SetFlag("CBY", true);
  workspace.Prefs.Set("EAdd", "5");
  const ChartScale withDates = ComputePriceScale(workspace, {0, 0, 1000, 400}, {}, {12, 14});
  EXPECT_EQ(withDates.PlotBottom, 379.0f);
  EXPECT_FLOAT_EQ(withDates.BarWidth, 895.0f / 65);  // empty slots at the right
}

TEST_F(PriceScale, AddedSpacesAppearOnlyAtTheEndOfTheBars) {
  QuoteStore& store = workspace.Quotes();
  workspace.Prefs.Set("EAdd", "4");
  store.VisibleBarCount = 20;
  store.FirstVisibleBar = 10;
  EXPECT_FLOAT_EQ(ComputePriceScale(workspace, {0, 0, 1000, 400}, {}, {}).BarWidth, 895.0f / 20);
  store.FirstVisibleBar = 41;
  EXPECT_FLOAT_EQ(ComputePriceScale(workspace, {0, 0, 1000, 400}, {}, {}).BarWidth, 895.0f / 24);
}

TEST_F(PriceScale, APrintedPaneUsesItsOwnRectangle) {
  QuoteStore& store = workspace.Quotes();
  store.FirstVisibleBar = 1;
  store.VisibleBarCount = 60;
  const ChartScale scale = ComputePriceScale(workspace, {200, 300, 2000, 1000}, {}, {20, 0});
  EXPECT_EQ(scale.PlotLeft, 300);
  EXPECT_EQ(scale.PlotRight, 2145);
  EXPECT_EQ(scale.PlotTop, 330.0f);
  EXPECT_EQ(scale.PlotBottom, 1293.0f);
}

}  // namespace
}  // namespace chartorium
