#include "chart/PaneFrame.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/IndicatorPanes.h"
#include "core/StockSettingsFile.h"

namespace chartorium {
namespace {

constexpr PaneRect Rect{0, 0, 800, 200};
constexpr PaneTextHeights Heights{12, 14};

// One indicator per function, over bars 1..50 (later places 0).
PaneValues Values(const std::vector<std::function<double(int)>>& indicators,
                  const std::string& levels = "") {
  PaneValues values;
  values.Levels = levels;
  for (const auto& value : indicators)
    for (int bar = 1; bar <= 2001; ++bar) values.Values.push_back(bar <= 50 ? value(bar) : 0);
  return values;
}

TEST(PaneFrame, HistogramsGrowFromTheBottomFromZeroOrFromTheTop) {
  struct Case {
    double low, high;
    std::string levels;
    double base;
    bool zeroLine;
    std::vector<double> kept;
  };
  const Case Cases[] = {
      {1, 10, "5;50", 1, false, {5}},   // above 0: from the bottom; 50 is off the grid
      {-3, 2, "0;x", 0, true, {0, 0}},  // across 0: from 0; a level that is no number is 0
      {-5, -1, "-2", -1, true, {-2}},   // below 0: from the top
      {0, 0, "", 0, false, {}},         // all zero: the range 0 .. 1
  };
  for (const Case& c : Cases) {
    const PaneValues values = Values({[&](int bar) { return bar % 2 ? c.low : c.high; }}, c.levels);
    const PaneFrame pane =
        PreparePaneFrame(values, {"X", "0", "255", "1"}, Rect, 1, 50, 14, Heights, false);
    EXPECT_EQ(pane.HistogramBase, c.base) << c.low << ".." << c.high;
    EXPECT_EQ(pane.ZeroLine, c.zeroLine) << c.low << ".." << c.high;
    EXPECT_EQ(pane.Levels, c.kept) << c.low << ".." << c.high;
    EXPECT_LE(pane.Grid.Bottom, c.low * 10000);
    EXPECT_GT(pane.Grid.Top, pane.Grid.Bottom);
  }
}

TEST(PaneFrame, AxisLabelsAreQuartersWithThousandsPastAMillion) {
  struct Case {
    double high;
    std::vector<std::string> labels;
  };
  const Case Cases[] = {
      {4, {"0", "1", "2", "3", "4"}},
      {4000000, {"0k", "1000k", "2000k", "3000k", "4000k"}},
  };
  for (const Case& c : Cases) {
    const PaneValues values = Values({[&](int bar) { return bar == 1 ? 0.0 : c.high * bar / 50; }});
    const PaneFrame pane =
        PreparePaneFrame(values, {"X", "1", "255", "1"}, Rect, 1, 50, 14, Heights, false);
    std::vector<std::string> labels;
    for (const PaneAxisMark& mark : pane.Axis) labels.push_back(mark.Label);
    EXPECT_EQ(labels, c.labels) << c.high;
  }
}

TEST(PaneFrame, SeriesStartAtTheirFirstValueAndTakeTheirItemsLooks) {
  const PaneValues values = Values({
      [](int bar) { return bar < 20 ? 0.0 : bar; },  // warming up until bar 20
      [](int) { return 0.0; },                       // nothing in the window
      [](int bar) { return -bar; },
  });
  const IndicatorSlot lists{"A;B;C", "1;1;0", "10;20;30", "3;1;x"};
  const PaneFrame pane = PreparePaneFrame(values, lists, Rect, 11, 50, 14, Heights, false);
  ASSERT_EQ(pane.Series.size(), 2u) << "the series at 0 throughout is not drawn";
  EXPECT_EQ(pane.Series[0].Start, 20);
  EXPECT_EQ(pane.Series[0].Values.size(), 40u);
  EXPECT_EQ(pane.Series[0].Width, 3);
  EXPECT_TRUE(pane.Series[0].Line);
  EXPECT_EQ(pane.Series[1].Start, 11);
  EXPECT_EQ(pane.Series[1].Colour, 30u);
  EXPECT_FALSE(pane.Series[1].Line);
  EXPECT_EQ(pane.Series[1].Width, 1) << "a width that is no number draws 1 pixel wide";
  ASSERT_EQ(pane.Legend.size(), 3u) << "every name has its legend";
  EXPECT_EQ(pane.Legend[1].Name, "B");
  EXPECT_EQ(pane.Legend[1].Colour, 20u);
  EXPECT_EQ(pane.Grid.Bottom, -500000) << "the zeros of B are in the range";
}

TEST(PaneFrame, DatesUnderThePaneRaiseItsBottom) {
  const PaneValues values = Values({[](int bar) { return bar; }});
  for (const bool dates : {false, true}) {
    const PaneFrame pane = PreparePaneFrame(values, {"X", "1", "0", "1"}, {0, 300, 800, 200}, 1, 50,
                                            14, Heights, dates);
    EXPECT_EQ(pane.Bottom, 300 + 200 - 7 - (dates ? Heights.MonthName : 0)) << dates;
    EXPECT_EQ(pane.Top, 300 + Heights.Caption / 2 + 3);
    EXPECT_EQ(pane.PlotLeft, 40);
    EXPECT_EQ(pane.PlotRight, 745);
    EXPECT_EQ(pane.Y(pane.Grid.Bottom / 10000.0L), static_cast<int>(pane.Bottom));
  }
}

}  // namespace
}  // namespace chartorium
