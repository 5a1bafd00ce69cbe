// Whole report pages compared byte for byte with pages written by hand.
#include <gtest/gtest.h>

#include <string>

#include "core/SafeFile.h"
#include "systems/PerformanceReport.h"
#include "systems/ReportOptions.h"

namespace chartorium {
namespace {

std::string Golden(std::string_view name) {
  const auto text = ReadWholeFile(std::filesystem::path(CHARTORIUM_REPORT_GOLDEN) / name);
  EXPECT_TRUE(text.ok()) << name;
  return text.value_or("");
}

constexpr std::string_view IbmStatistics =
    "IBM;Number of trades;2;Number winning trades;1;Number losing trades;1;"
    "Gross Profit;150.00 USD;Gross Loss;-50.00 USD;Largest winning trade;150.00 USD;"
    "Largest losing trade;-50.00 USD;Average winning trade;150.00 USD;"
    "Average losing trade;-50.00 USD;Average number bars by trade;4;"
    "Maximum number bars by trade;5;Minimum number bars by trade;3;"
    "Ending amount;100,100.00 USD;Return;0.10%;With buy & hold;-2.50%;"
    "Total net profit;100.00 USD;";

// A test with a margin account: fields 34..63 follow.
constexpr std::string_view MsftStatistics =
    "MSFT;Number of trades;1;Number winning trades;0;Number losing trades;1;"
    "Gross Profit;0.00 USD;Gross Loss;-200.00 USD;Largest winning trade;0.00 USD;"
    "Largest losing trade;-200.00 USD;Average winning trade;0.00 USD;"
    "Average losing trade;-200.00 USD;Average number bars by trade;6;"
    "Maximum number bars by trade;6;Minimum number bars by trade;6;"
    "Ending amount;99,800.00 USD;Return;-0.20%;With buy & hold;1.00%;"
    "Total net loss;-200.00 USD;"
    "1;1;0;300.00 USD;0.00 USD;300.00 USD;0.00 USD;300.00 USD;0.00 USD;2;2;2;"
    "50,300.00 USD;0.60%;-1.00%;2;1;1;300.00 USD;-200.00 USD;300.00 USD;-200.00 USD;"
    "300.00 USD;-200.00 USD;4;6;2;profit;150,100.00 USD;0.07%;";

TEST(ReportGoldenTest, SingleTestPage) {
  EXPECT_EQ(SingleTestPage("MA Crossover", IbmStatistics, {100000, 0, "USD"},
                           "IBM;Buy 100 share(s) at 10.00 the 01/02/2003;"
                           "Sell 100 share(s) at 11.00 the 03/02/2003\t Profit of   100.00;"),
            Golden("SingleTest.html"));
}

TEST(ReportGoldenTest, MultiTestPageWithEverySection) {
  MultiTestResults results;
  results.Add(PerformanceFragment(IbmStatistics, {100000, 0, "USD"}), TradesFragment("IBM;"), "IBM",
              0.1);
  results.Add(PerformanceFragment(MsftStatistics, {100000, 50000, "USD"}),
              TradesFragment("MSFT;Short 994 share(s) at 50.30 the 04/03/2003;"
                             "Cover 994 share(s) at 50.00 the 06/03/2003\t Profit of   298.20;"),
              "MSFT", -0.3);
  EXPECT_EQ(MultiTestPage(MultiTestKind::System, "MA Crossover", results, ReportOptions{}),
            Golden("MultiTest.html"));
}

}  // namespace
}  // namespace chartorium
