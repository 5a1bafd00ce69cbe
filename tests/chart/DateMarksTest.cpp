#include "chart/DateMarks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/Calendar.h"
#include "core/QuoteStore.h"

namespace chartorium {
namespace {

TEST(DateMarks, MarkTheBarsThatStartAWeekOrAMonth) {
  // Thursday 26 January 2023 to Monday 6 February, trading days only.
  const auto owned = std::make_unique<QuoteStore>();
  QuoteStore& store = *owned;
  const int days[] = {26, 27, 30, 31, 32, 33, 34, 37};  // day of January
  int bar = 0;
  for (const int day : days)
    store.BarSeries[static_cast<size_t>(++bar)].Date = DayNumber(2023, 1, 1) + day - 1;
  store.BarCount = bar;
  struct Mark {
    int bar;
    bool week, month;
  };
  struct Case {
    int first, last;
    std::vector<Mark> marks;
  };
  const Case Cases[] = {
      {1, 8, {{3, true, false}, {5, false, true}, {8, true, false}}},
      {4, 8, {{5, false, true}, {8, true, false}}},  // the first bar is the current week and month
      {5, 7, {}},
      {1, 7, {{3, true, false}, {5, false, true}}},
  };
  for (const Case& c : Cases) {
    const std::vector<DateMark> marks = DateMarksOf(store, c.first, c.last);
    ASSERT_EQ(marks.size(), c.marks.size()) << c.first << ".." << c.last;
    for (size_t i = 0; i < marks.size(); ++i) {
      EXPECT_EQ(marks[i].Bar, c.marks[i].bar) << c.first << ".." << c.last;
      EXPECT_EQ(marks[i].NewWeek, c.marks[i].week) << marks[i].Bar;
      EXPECT_EQ(marks[i].NewMonth, c.marks[i].month) << marks[i].Bar;
      if (marks[i].NewMonth) {
        EXPECT_EQ(marks[i].Month, 2);
        EXPECT_EQ(marks[i].Year, 2023);
      }
    }
  }
}

}  // namespace
}  // namespace chartorium
