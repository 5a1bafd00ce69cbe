#include "chart/ChartView.h"

#include <gtest/gtest.h>

#include "core/Calendar.h"
#include "core/IniFile.h"
#include "core/RebuildBars.h"
#include "core/Workspace.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

class View : public ::testing::Test {
 protected:
  View() : workspace("/nonexistent") { Bars(2001); }

  void Bars(int count) {
    QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= count; ++i) {
      store.BarSeries[static_cast<size_t>(i)].Date = DayNumber(2020, 1, 1) + i;
      store.BarSeries[static_cast<size_t>(i)].Close = 10;
    }
    store.BarCount = count;
  }
  QuoteStore& store() { return workspace.Quotes(); }
  Workspace workspace;
};

TEST_F(View, ClampKeepsTheWindowInsideTheBars) {
  struct Case {
    int bars, first, visible, expectedFirst, expectedVisible;
  };
  constexpr Case Cases[] = {
      {60, 60, 100, 1, 60},          // 100 bars on 60
      {2001, 2001, 100, 1902, 100},  // opening a stock shows the newest bars
      {2001, 1902, 100, 1902, 100}, {2001, -5, 100, 1, 100}, {1, 1, 100, 1, 1},
  };
  for (const Case& c : Cases) {
    Bars(c.bars);
    store().FirstVisibleBar = c.first;
    store().VisibleBarCount = c.visible;
    ClampView(store());
    EXPECT_EQ(store().FirstVisibleBar, c.expectedFirst) << c.bars << "/" << c.first;
    EXPECT_EQ(store().VisibleBarCount, c.expectedVisible) << c.bars << "/" << c.first;
  }
}

TEST_F(View, TheChartShowsAnOpenStockWithMoreThanOneBar) {
  struct Case {
    const char* name;
    int bars;
    bool shows;
  };
  constexpr Case Cases[] = {
      {"ABC", 2, true}, {"ABC", 1, false}, {"ABC", 0, false}, {"", 50, false}};
  for (const Case& c : Cases) {
    Bars(c.bars);
    store().StockName = c.name;
    EXPECT_EQ(ChartCanShow(store()), c.shows) << c.name << "/" << c.bars;
  }
}

TEST(PeriodToPlot, TheAnswerBecomesAWholeNumberOfBarsAndIsSaved) {
  testing::TempFolder folder;
  Workspace workspace(folder.Path());
  struct Case {
    const char* answer;
    const char* stored;
  };
  constexpr Case Cases[] = {{"150", "150"}, {"12.9", "12"},   {"abc", "1"}, {"0", "1"},
                            {"-40", "1"},   {"9999", "2001"}, {"", "12"},   {"  ", "12"}};
  for (const Case& c : Cases) {
    workspace.Prefs.Set("ENbD", "12");
    ASSERT_TRUE(ChoosePeriodToPlot(workspace, c.answer).ok()) << c.answer;
    EXPECT_EQ(workspace.Prefs.Text("ENbD"), c.stored) << c.answer;
  }
  ASSERT_TRUE(ChoosePeriodToPlot(workspace, "75").ok());
  const auto quorex = IniFile::Load(folder / "Quorex.ini");
  ASSERT_TRUE(quorex);
  EXPECT_NE(quorex->Text().find("75"), std::string::npos) << "saved with the preferences";
}

TEST_F(View, ZoomStaysWithinOneBarAndAFullStock) {
  store().FirstVisibleBar = 100;
  store().VisibleBarCount = 3;
  ZoomIn(workspace);
  EXPECT_EQ(store().VisibleBarCount, 1);
  EXPECT_EQ(store().FirstVisibleBar, 103);
  EXPECT_EQ(workspace.Prefs.Text("ENbD"), "1");
  store().VisibleBarCount = 2000;
  ZoomOut(workspace);
  EXPECT_EQ(store().VisibleBarCount, 2001);
  EXPECT_EQ(workspace.Prefs.Integer("ENbD"), 2001);
  store().VisibleBarCount = 100;
  ZoomIn(workspace);
  EXPECT_EQ(store().VisibleBarCount, 95);
}

TEST_F(View, AMarkedBarComesToTheMiddle) {
  store().VisibleBarCount = 100;
  store().MarkerBar = 500;
  CentreOnMarker(store());
  EXPECT_EQ(store().FirstVisibleBar, 450);
  ZoomIn(workspace);  // 95 bars: the marker stays in the middle
  EXPECT_EQ(store().FirstVisibleBar, 500 - 47);
  store().MarkerBar = 0;
  store().FirstVisibleBar = 7;
  ZoomOut(workspace);
  EXPECT_EQ(store().FirstVisibleBar, 7);  // no marker: the window only widens
}

TEST_F(View, ScrollingStopsWithTheLastBarInView) {
  store().VisibleBarCount = 100;
  store().FirstVisibleBar = 1900;
  ScrollResult step = ScrollView(store(), 1);
  EXPECT_TRUE(step.Moved);
  EXPECT_FALSE(step.ReachedEnd);
  EXPECT_EQ(store().FirstVisibleBar, 1901);
  step = ScrollView(store(), 3);  // the arrow key moves by three
  EXPECT_TRUE(step.Moved);
  EXPECT_TRUE(step.ReachedEnd);
  EXPECT_EQ(store().FirstVisibleBar, 1902);
  step = ScrollView(store(), 1);
  EXPECT_FALSE(step.Moved);
  EXPECT_TRUE(step.ReachedEnd);
  store().FirstVisibleBar = 2;
  EXPECT_TRUE(ScrollView(store(), -1).Moved);
  EXPECT_TRUE(ScrollView(store(), -1).ReachedEnd);
  EXPECT_EQ(store().FirstVisibleBar, 1);
}

TEST_F(View, TheDateSeekerThumbShowsTheWindow) {
  Bars(1000);
  store().VisibleBarCount = 100;
  store().FirstVisibleBar = 500;
  const DateSeekerLayout layout = LayOutDateSeeker(store(), 516);
  EXPECT_EQ(layout.ThumbWidth, 50);  // 500 / 1000 * 100
  EXPECT_EQ(layout.ThumbLeft, 258);  // ceil(500 * 500 / 1000 + 8)
  ASSERT_GE(layout.YearMarks.size(), 3u);
  EXPECT_EQ(layout.YearMarks.front().X, 8);
  EXPECT_EQ(layout.YearMarks.front().Label, "20");
  EXPECT_EQ(layout.YearMarks.back().X, 508);
  // Day 366 after 1 January 2020 is the first bar of 2021.
  EXPECT_EQ(layout.YearMarks[1].Label, "21");
  EXPECT_EQ(layout.YearMarks[1].X, static_cast<int>(366 * 500.0 / 1000 + 8));
  EXPECT_TRUE(layout.YearMarks[1].Tick);

  EXPECT_EQ(FirstBarForThumb(store(), 258, 50, 516), 500);
  EXPECT_EQ(FirstBarForThumb(store(), 5, 50, 516), 1);
  EXPECT_EQ(FirstBarForThumb(store(), 470, 50, 516), 901);  // snaps to the last window
}

}  // namespace
}  // namespace chartorium

namespace chartorium {
namespace {

// Daily quotes of 2024 from 1 January, five a week.
void LoadWorkingDays(Workspace& workspace, int count) {
  QuoteStore& store = workspace.Quotes();
  int day = DayNumber(2024, 1, 1);
  for (int i = 1; i <= count; ++i, ++day) {
    while (DayOfWeek(day) == 1 || DayOfWeek(day) == 7) ++day;
    QuoteRecord& q = store.QuoteArray[static_cast<size_t>(i)];
    q.Date = day;
    q.Open = q.Low = q.High = q.Close = 10 + i % 7;
  }
  store.QuoteCount = count;
  store.Period = Periodicity::Daily;
  RebuildBars(workspace);
}

TEST(Periodicity, ASwitchKeepsTheMarkedDayAndCentresOnIt) {
  Workspace workspace("/nonexistent");
  LoadWorkingDays(workspace, 400);
  QuoteStore& store = workspace.Quotes();
  // 80 weeks are fewer than the 100 bars asked for: the weekly bars narrow
  // the window, which must not stay narrow once the bars are daily again.
  workspace.Prefs.Set("ENbD", "100");
  store.VisibleBarCount = 100;
  store.ChartVisible = true;
  store.MarkerBar = 203;
  const double markedDay = store.BarSeries[203].Date;

  ChangePeriodicity(workspace, Periodicity::Weekly);
  ASSERT_EQ(store.Period, Periodicity::Weekly);
  const QuoteRecord& week = store.BarSeries[static_cast<size_t>(store.MarkerBar)];
  const QuoteRecord& weekBefore = store.BarSeries[static_cast<size_t>(store.MarkerBar - 1)];
  EXPECT_GE(week.Date, markedDay) << "the marked week holds the day";
  EXPECT_LT(weekBefore.Date, markedDay);
  EXPECT_EQ(store.FirstVisibleBar, store.MarkerBar - 50);

  const double weekEnd = week.Date;
  ChangePeriodicity(workspace, Periodicity::Daily);
  EXPECT_EQ(store.BarSeries[static_cast<size_t>(store.MarkerBar)].Date, weekEnd);
  EXPECT_EQ(store.VisibleBarCount, 100);
  EXPECT_EQ(store.FirstVisibleBar, store.MarkerBar - 50);
}

}  // namespace
}  // namespace chartorium
