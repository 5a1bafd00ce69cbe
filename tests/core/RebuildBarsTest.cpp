#include "core/RebuildBars.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/Calendar.h"
#include "core/HautBas.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

struct Day {
  int Year, Month, DayOfMonth;
  Single Open, Low, High, Close;
  std::int32_t Volume;
};

class Bars : public ::testing::Test {
 protected:
  Bars() : workspace("/nonexistent") {}

  void Load(const std::vector<Day>& days) {
    QuoteStore& store = workspace.Quotes();
    for (size_t i = 0; i < days.size(); ++i) {
      const Day& d = days[i];
      QuoteRecord& q = store.QuoteArray[i + 1];
      q.Date = DayNumber(d.Year, d.Month, d.DayOfMonth);
      q.Open = d.Open, q.Low = d.Low, q.High = d.High, q.Close = d.Close;
      q.Volume = d.Volume;
      q.OpenInterest = 1;
    }
    store.QuoteArray[1].Reserved[0] = 'Y';
    store.QuoteCount = static_cast<int>(days.size());
    store.VisibleBarCount = 100;
  }
  void Rebuild(Periodicity period) {
    workspace.Quotes().Period = period;
    RebuildBars(workspace);
  }
  const QuoteRecord& Bar(int i) { return workspace.Quotes().BarSeries[static_cast<size_t>(i)]; }

  Workspace workspace;
};

// Monday 29 December 2025 to Tuesday 6 January 2026; 1 January is a holiday.
const std::vector<Day> NewYear = {
    {2025, 12, 29, 10, 9, 11, 10.5f, 100}, {2025, 12, 30, 10.5f, 8, 12, 11, 200},
    {2025, 12, 31, 11, 10, 13, 12, 300},   {2026, 1, 2, 12, 11, 14, 13, 400},
    {2026, 1, 5, 13, 12, 15, 14, 500},     {2026, 1, 6, 14, 7, 16, 15, 600},
};

TEST_F(Bars, WeekOfYearStartsOnSundayAndSplitsTheNewYearWeek) {
  struct Case {
    int year, month, day, week;
  };
  constexpr Case Cases[] = {
      {2023, 1, 1, 1}, {2023, 1, 7, 1}, {2023, 1, 8, 2}, {2023, 12, 31, 53}, {2025, 12, 29, 53},
      {2026, 1, 2, 1}, {2026, 1, 3, 1}, {2026, 1, 4, 2}, {2024, 3, 4, 10},   {2025, 3, 3, 10},
  };
  for (const Case& c : Cases)
    EXPECT_EQ(WeekOfYear(DayNumber(c.year, c.month, c.day)), c.week)
        << c.year << "-" << c.month << "-" << c.day;
}

TEST_F(Bars, DailyBarsAreTheQuotes) {
  Load(NewYear);
  Rebuild(Periodicity::Daily);
  ASSERT_EQ(workspace.Quotes().BarCount, 6);
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(Bar(i), workspace.Quotes().QuoteArray[i]) << i;
}

TEST_F(Bars, WeeklyBarsEndOnTheLastDayOfTheirWeek) {
  Load(NewYear);
  Rebuild(Periodicity::Weekly);
  ASSERT_EQ(workspace.Quotes().BarCount, 3);
  // The last days of 2025, then 2 January alone, then the next week.
  EXPECT_EQ(Bar(1).Date, DayNumber(2025, 12, 31));
  EXPECT_EQ(Bar(1).Open, 10.0f);
  EXPECT_EQ(Bar(1).Low, 8.0f);
  EXPECT_EQ(Bar(1).High, 13.0f);
  EXPECT_EQ(Bar(1).Close, 12.0f);
  EXPECT_EQ(Bar(1).Volume, 600);
  EXPECT_EQ(Bar(1).OpenInterest, 3);
  EXPECT_EQ(Bar(1).Reserved[0], 0);  // the file marker is not a bar's
  EXPECT_EQ(Bar(2).Date, DayNumber(2026, 1, 2));
  EXPECT_EQ(Bar(2).Volume, 400);
  EXPECT_EQ(Bar(3).Date, DayNumber(2026, 1, 6));
  EXPECT_EQ(Bar(3).Open, 13.0f);
  EXPECT_EQ(Bar(3).Low, 7.0f);
  EXPECT_EQ(Bar(3).Volume, 1100);
  EXPECT_EQ(Bar(4), QuoteRecord{});
}

TEST_F(Bars, MonthlyBarsEndOnTheLastTradingDayOfTheMonth) {
  Load(NewYear);
  Rebuild(Periodicity::Monthly);
  ASSERT_EQ(workspace.Quotes().BarCount, 2);
  EXPECT_EQ(Bar(1).Date, DayNumber(2025, 12, 31));
  EXPECT_EQ(Bar(2).Date, DayNumber(2026, 1, 6));
  EXPECT_EQ(Bar(2).Open, 12.0f);
  EXPECT_EQ(Bar(2).High, 16.0f);
}

TEST_F(Bars, TheSameWeekNumberAYearLaterFallsIntoOneBar) {
  Load({{2024, 3, 4, 1, 1, 2, 1.5f, 10}, {2025, 3, 3, 3, 2, 4, 3.5f, 20}});
  Rebuild(Periodicity::Weekly);
  ASSERT_EQ(workspace.Quotes().BarCount, 1);
  EXPECT_EQ(Bar(1).Date, DayNumber(2025, 3, 3));
  EXPECT_EQ(Bar(1).Volume, 30);
}

TEST_F(Bars, TheMarkerStaysOnTheBarHoldingItsDay) {
  Load(NewYear);
  QuoteStore& store = workspace.Quotes();
  struct Case {
    int dailyMarker;
    Periodicity period;
    int expected;
  };
  constexpr Case Cases[] = {{2, Periodicity::Weekly, 1},
                            {4, Periodicity::Weekly, 2},
                            {6, Periodicity::Weekly, 3},
                            {5, Periodicity::Monthly, 2},
                            {3, Periodicity::Monthly, 1}};
  for (const Case& c : Cases) {
    Rebuild(Periodicity::Daily);
    store.MarkerBar = c.dailyMarker;
    Rebuild(c.period);
    EXPECT_EQ(store.MarkerBar, c.expected) << "daily bar " << c.dailyMarker;
  }
  // Back to daily bars, the marker goes to the day that dates its bar.
  store.MarkerBar = 1;
  Rebuild(Periodicity::Weekly);
  Rebuild(Periodicity::Daily);
  EXPECT_EQ(store.MarkerBar, 3);
}

TEST_F(Bars, TheFirstVisibleBarFollowsItsDayOnlyWhenTheChartShows) {
  Load(NewYear);
  Rebuild(Periodicity::Daily);
  QuoteStore& store = workspace.Quotes();
  store.VisibleBarCount = 1;
  store.FirstVisibleBar = 5;
  store.ChartVisible = true;
  Rebuild(Periodicity::Weekly);
  EXPECT_EQ(store.FirstVisibleBar, 3);

  Rebuild(Periodicity::Daily);
  store.FirstVisibleBar = 2;
  store.ChartVisible = false;
  Rebuild(Periodicity::Weekly);
  EXPECT_EQ(store.FirstVisibleBar, 2);  // unchanged, then kept inside the bars
}

TEST_F(Bars, ReclampsTheVisibleWindow) {
  Load(NewYear);
  QuoteStore& store = workspace.Quotes();
  struct Case {
    int first, visible, expectedFirst, expectedVisible;
  };
  constexpr Case Cases[] = {{1, 100, 1, 3}, {3, 2, 2, 2}, {-4, 1, 1, 1}, {2, 1, 2, 1}};
  for (const Case& c : Cases) {
    store.FirstVisibleBar = c.first;
    store.VisibleBarCount = c.visible;
    Rebuild(Periodicity::Weekly);
    EXPECT_EQ(store.FirstVisibleBar, c.expectedFirst) << c.first << "," << c.visible;
    EXPECT_EQ(store.VisibleBarCount, c.expectedVisible) << c.first << "," << c.visible;
  }
}

TEST_F(Bars, NoQuotesLeaveTheBarsAlone) {
  QuoteStore& store = workspace.Quotes();
  store.BarSeries[1].Close = 5;
  store.BarCount = 1;
  RebuildBars(workspace);
  EXPECT_EQ(store.BarCount, 1);
  EXPECT_EQ(store.BarSeries[1].Close, 5.0f);
}

TEST_F(Bars, HautBasScalesOnLowsOrOnCloses) {
  // A bar that makes a new low is not compared with the high.
  Load({{2026, 1, 5, 11, 10, 12, 11, 1},
        {2026, 1, 6, 11, 9, 15, 11, 1},
        {2026, 1, 7, 12, 11, 13, 12, 1}});
  Rebuild(Periodicity::Daily);
  EXPECT_EQ(HautBas(workspace.Quotes(), 1, 3, HautBasMode::PricesOnly), (PriceRange{13, 9}));
  EXPECT_EQ(HautBas(workspace.Quotes(), 2, 99, HautBasMode::PricesOnly), (PriceRange{15, 9}));

  Load({{2026, 1, 5, 0, 0, 0, 5, 1}, {2026, 1, 6, 0, 0, 0, 7, 1}, {2026, 1, 7, 0, 0, 0, 3, 1}});
  Rebuild(Periodicity::Daily);
  EXPECT_EQ(HautBas(workspace.Quotes(), 1, 3, HautBasMode::PricesOnly), (PriceRange{7, 3}));
}

TEST_F(Bars, HautBasTakesInPositiveOverlays) {
  Load({{2026, 1, 5, 11, 10, 12, 11, 1}, {2026, 1, 6, 11, 10, 12, 11, 1}});
  Rebuild(Periodicity::Daily);
  std::vector<Single> shortAverage(MaxQuotes + 1), longAverage(MaxQuotes + 1);
  std::vector<Single> upper(MaxQuotes + 1), lower(MaxQuotes + 1);
  shortAverage[1] = 20;  // raises the high
  longAverage[2] = 0;    // warm-up zeros are ignored
  shortAverage[2] = 5;   // lowers the low
  upper[1] = 30, lower[1] = 2;
  upper[2] = 40, lower[2] = 0;  // a band pair with a zero is skipped
  const RangeOverlays overlays{shortAverage, longAverage, upper, lower};
  EXPECT_EQ(HautBas(workspace.Quotes(), 1, 2, HautBasMode::WithAverages, overlays),
            (PriceRange{20, 5}));
  EXPECT_EQ(HautBas(workspace.Quotes(), 1, 2, HautBasMode::WithBands, overlays),
            (PriceRange{30, 2}));
  EXPECT_EQ(HautBas(workspace.Quotes(), 1, 2, HautBasMode::PricesAfterOverlays, overlays),
            (PriceRange{12, 10}));
}

}  // namespace
}  // namespace chartorium
