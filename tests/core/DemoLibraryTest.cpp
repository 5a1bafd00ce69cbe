#include "core/DemoLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "core/Calendar.h"
#include "core/SafeFile.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

TEST(DemoLibrary, StocksAreConsistentAndPlausible) {
  const int lastDay = LastWeekdayBefore(DayNumber(2026, 12, 10));
  EXPECT_EQ(lastDay, DayNumber(2026, 12, 9));
  EXPECT_EQ(LastWeekdayBefore(DayNumber(2026, 12, 14)), DayNumber(2026, 12, 11));  // a Monday
  std::set<std::string_view> folders;
  bool closesOnly = false, noVolume = false;
  auto quotes = std::make_unique<QuoteTable>();
  for (const DemoStock& stock : DemoStocks()) {
    folders.insert(stock.Folder);
    GenerateQuotes(stock, 42, lastDay, MaxQuotes, *quotes);
    int bigMoves = 0;
    for (int i = 1; i <= MaxQuotes; ++i) {
      const QuoteRecord& q = (*quotes)[i];
      ASSERT_GT(q.Close, 0) << stock.Name << " " << i;
      const int weekday = DayOfWeek(q.Date);
      ASSERT_TRUE(weekday >= 2 && weekday <= 6) << stock.Name << " " << i;
      if (i > 1) {
        ASSERT_GT(q.Date, (*quotes)[i - 1].Date);
        if (std::fabs(q.Close / (*quotes)[i - 1].Close - 1) > 3 * stock.Volatility) ++bigMoves;
      }
      if (stock.ClosesOnly) {
        ASSERT_EQ(q.Low, 0);
        ASSERT_EQ(q.High, 0);
        continue;
      }
      ASSERT_LE(q.Low, q.Open) << stock.Name << " " << i;
      ASSERT_LE(q.Low, q.Close) << stock.Name << " " << i;
      ASSERT_GE(q.High, q.Open) << stock.Name << " " << i;
      ASSERT_GE(q.High, q.Close) << stock.Name << " " << i;
    }
    EXPECT_EQ((*quotes)[MaxQuotes].Date, lastDay);
    // Fat tails: some days move far more than a typical day, but not most.
    EXPECT_GT(bigMoves, 5) << stock.Name;
    EXPECT_LT(bigMoves, 200) << stock.Name;
    closesOnly = closesOnly || stock.ClosesOnly;
    noVolume = noVolume || stock.BaseVolume == 0;
  }
  EXPECT_GE(DemoStocks().size(), 24u);
  EXPECT_GE(folders.size(), 3u);
  EXPECT_TRUE(closesOnly);
  EXPECT_TRUE(noVolume);
}

TEST(DemoLibrary, TheSameDayGivesTheSameLibrary) {
  const testing::TempFolder a, b;
  ASSERT_TRUE(WriteDemoLibrary(a.Path(), DayNumber(2026, 12, 10)).ok());
  ASSERT_TRUE(WriteDemoLibrary(b.Path(), DayNumber(2026, 12, 10)).ok());
  for (const char* file : {"List.ini", "Stocks.ini", "Stocks/Kestrel Software.kvx",
                           "Preferences/Kestrel Software.ini"})
    EXPECT_EQ(*ReadWholeFile(a / file), *ReadWholeFile(b / file)) << file;
  const std::string tree = *ReadWholeFile(a / "List.ini");
  EXPECT_EQ(tree.substr(0, 8), "Stocks\r\n");
  EXPECT_NE(tree.find("\r\n\tTechnology\r\n\t\tKestrel Software\r\n"), std::string::npos);
}

}  // namespace
}  // namespace chartorium
