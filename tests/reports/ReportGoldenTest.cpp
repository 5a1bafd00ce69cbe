// Whole report pages compared byte for byte with pages written by hand.
#include <gtest/gtest.h>

#include <string>

#include "core/SafeFile.h"
#include "systems/PerformanceReport.h"
#include "systems/ReportOptions.h"
#include "systems/TestStatistics.h"

namespace chartorium {
namespace {

std::string Golden(std::string_view name) {
  const auto text = ReadWholeFile(std::filesystem::path(CHARTORIUM_REPORT_GOLDEN) / name);
  EXPECT_TRUE(text.ok()) << name;
  return text.value_or("");
}

// A long-only test: two trades, a return of 0.10 % against -2.50 % for buy & hold.
TestStatistics IbmStatistics() {
  TestStatistics s;
  s.Name = "IBM";
  s.Long = {1, 1, 150, -50, 150, -50, 150, -50, 4, 5, 3};
  s.InitialTradingAmount = 100000;
  s.TradingAccount = 100100;
  s.BuyAndHoldAmount = 97500;
  return s;
}

// A test with a margin account: a losing long trade and a winning short one.
TestStatistics MsftStatistics() {
  TestStatistics s;
  s.Name = "MSFT";
  s.Long = {0, 1, 0, -200, 0, -200, 0, -200, 6, 6, 6};
  s.Short = {1, 0, 300, 0, 300, 0, 300, 0, 2, 2, 2};
  s.InitialTradingAmount = 100000;
  s.TradingAccount = 99800;
  s.BuyAndHoldAmount = 101000;
  s.InitialMarginAmount = 50000;
  s.MarginAccount = 50300;
  s.ShortAndHoldAmount = 49500;
  return s;
}

TEST(ReportGoldenTest, SingleTestPage) {
  EXPECT_EQ(SingleTestPage("MA Crossover", FormatStatistics(IbmStatistics()), {100000, 0, "USD"},
                           "IBM;Buy 100 share(s) at 10.00 the 01/02/2003;"
                           "Sell 100 share(s) at 11.00 the 03/02/2003\t Profit of   100.00;"),
            Golden("SingleTest.html"));
}

TEST(ReportGoldenTest, MultiTestPageWithEverySection) {
  MultiTestResults results;
  results.Add(PerformanceFragment(FormatStatistics(IbmStatistics()), {100000, 0, "USD"}),
              TradesFragment("IBM;"), "IBM", 0.1);
  results.Add(PerformanceFragment(FormatStatistics(MsftStatistics()), {100000, 50000, "USD"}),
              TradesFragment("MSFT;Short 994 share(s) at 50.30 the 04/03/2003;"
                             "Cover 994 share(s) at 50.00 the 06/03/2003\t Profit of   298.20;"),
              "MSFT", -0.3);
  EXPECT_EQ(MultiTestPage(MultiTestKind::System, "MA Crossover", results, ReportOptions{}),
            Golden("MultiTest.html"));
}

}  // namespace
}  // namespace chartorium
