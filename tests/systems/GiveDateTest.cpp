// The test range: the last N bars, or the bars between two typed dates.
#include "systems/Tester.h"

#include <vector>

#include "core/Clock.h"
#include "systems/TesterFixture.h"

namespace chartorium::testing {
namespace {

struct RangeCase {
  const char* Name;
  bool LastQuotes;
  std::string First;   ///< the count, or the "From:" text
  std::string Second;  ///< the "to:" text
  int From;
  int To;
};

// Ten bars, two days apart: 07/07/2009, 09/07/2009, ..., 25/07/2009.
const std::vector<RangeCase>& RangeCases() {
  static const std::vector<RangeCase> cases = {
      {"LastFive", true, "5", "", 6, 10},
      {"MoreThanTheStockHolds", true, "500", "", 1, 10},
      {"LastZeroIsTheLastBar", true, "0", "", 10, 10},
      {"ACountThatIsNoNumber", true, "many", "", 10, 10},
      {"ANegativeCount", true, "-4", "", 10, 10},
      {"ACountWithDecimals", true, "3.9", "", 8, 10},
      {"DatesOfBars", false, "09/07/2009", "17/07/2009", 2, 6},
      {"DatesBetweenBarsTakeTheNextBar", false, "10/07/2009", "18/07/2009", 3, 7},
      {"FromBeforeTheFirstBar", false, "01/01/2000", "11/07/2009", 1, 3},
      {"ToAfterTheLastBar", false, "13/07/2009", "31/12/2010", 4, 10},
      {"FromAfterTheLastBarStartsAtBarOne", false, "01/01/2011", "11/07/2009", 1, 3},
      {"BothAfterTheLastBar", false, "01/01/2011", "02/01/2011", 1, 10},
      {"AnEmptyToIsTheFromBarAlone", false, "13/07/2009", "", 4, 4},
      {"BothEmptyIsBarOne", false, "", "", 1, 1},
      {"UnreadableDatesReadAsEmpty", false, "soon", "later", 1, 1},
      {"AnUnreadableFromStartsAtBarOne", false, "32/13/2009", "11/07/2009", 1, 3},
      {"ToBeforeFromEndsAtTheFromBar", false, "19/07/2009", "09/07/2009", 7, 7},
  };
  return cases;
}

class GiveDateTest : public TesterFixture, public ::testing::WithParamInterface<RangeCase> {
 protected:
  GiveDateTest() {
    QuoteStore& store = Ws().Quotes();
    for (int b = 1; b <= store.BarCount; ++b) {
      store.BarSeries[static_cast<size_t>(b)].Date = 40001 + 2 * (b - 1);
    }
  }
};

TEST_P(GiveDateTest, Range) {
  const RangeCase& c = GetParam();
  options.LastQuotes = c.LastQuotes;
  if (c.LastQuotes) {
    options.QuoteCount = c.First;
  } else {
    options.FromDate = c.First;
    options.ToDate = c.Second;
  }
  const FixedClock clock(40020);
  const TestRange range = GiveDate(options, Ws().Quotes(), Ws().Locale, clock);
  EXPECT_EQ(range.From, c.From);
  EXPECT_EQ(range.To, c.To);
}

INSTANTIATE_TEST_SUITE_P(Options, GiveDateTest, ::testing::ValuesIn(RangeCases()),
                         [](const auto& info) { return std::string(info.param.Name); });

// Partial dates are completed with today's month and year.
TEST_F(TesterFixture, APartialDateTakesTodaysMonth) {
  options.LastQuotes = false;
  options.FromDate = "12";
  options.ToDate = "14";
  const FixedClock clock(40010);  // 16/07/2009
  const TestRange range = GiveDate(options, Ws().Quotes(), Ws().Locale, clock);
  EXPECT_EQ(range.From, 6);
  EXPECT_EQ(range.To, 8);
}

TEST_F(TesterFixture, AStockWithoutBarsHasAnEmptyRange) {
  SetBars({});
  const TestRange range = GiveDate(options, Ws());
  EXPECT_EQ(range.From, 1);
  EXPECT_EQ(range.To, 0);
  ASSERT_TRUE(Test("Buy 1", range.From, range.To));
  EXPECT_EQ(Run().TradeLog, "");
  EXPECT_EQ(Texts().Long[Row::Return], "0.00%");
}

}  // namespace
}  // namespace chartorium::testing
