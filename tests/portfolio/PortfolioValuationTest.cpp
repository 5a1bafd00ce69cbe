#include "portfolio/PortfolioValuation.h"

#include <gtest/gtest.h>

#include "portfolio/PortfolioFixture.h"
#include "portfolio/PortfolioQuotes.h"

namespace chartorium {
namespace {

using testing::PortfolioTest;

class PortfolioValuation : public PortfolioTest {};

// A position not valued yet.
PositionRow Held(std::string stock, std::string qty, std::string price, std::string total) {
  return {std::move(stock), "", std::move(qty), std::move(price), std::move(total), "", ""};
}

TEST_F(PortfolioValuation, TheChangeIsRelativeToWhatThePositionsAreWorthNow) {
  struct Case {
    const char* why;
    std::vector<PositionRow> rows;
    std::string_view totalAssets;
    std::string_view change;
    bool negative;
  };
  WriteStock("Double", {150.0f, 200.0f});
  WriteStock("Half", {50.0f});
  WriteStock("Odd", {12.345f});
  const Case cases[] = {
      {"bought at 100, worth 200",
       {Held("Double", "1", "100", "100")},
       " 1200.00",
       " 50.00%",
       false},
      {"bought at 100, worth 50", {Held("Half", "2", "100", "200")}, " 1100.00", " -100.00%", true},
      {"no position", {}, " 1000.00", " 0.00%", false},
      // The value uses the close to four places, the change the close shown.
      {"a close of three decimals", {Held("Odd", "3", "12", "36")}, " 1037.04", " 2.83%", false},
      {"a stock without a quote file",
       {{"Gone", "", "4", "10", "40", "   12.00", "+1.00%"}},
       " 1000.00",
       " 16.67%",
       false},
  };
  for (const Case& c : cases) {
    Portfolio portfolio = WithCash("1000");
    portfolio.Rows = c.rows;
    ValuePortfolio(portfolio, folder.Path());
    EXPECT_EQ(portfolio.TotalAssets, c.totalAssets) << c.why;
    EXPECT_EQ(portfolio.PortfolioChange, c.change) << c.why;
    EXPECT_EQ(portfolio.ChangeIsNegative, c.negative) << c.why;
  }
}

TEST_F(PortfolioValuation, EachRowShowsItsLastCloseAndChangeAgainstItsUnitCost) {
  WriteStock("Acme", {4.0f, 6.0f});
  WriteStock("Small", {0.125f});
  Portfolio portfolio = WithCash("0");
  portfolio.Rows = {
      Held("Acme", "10", "5", "50"),  Held("Acme", "-10", "7.5", "-75"),
      Held("Acme", "0", "5", "0"),    Held("Small", "1000", "0.1", "100"),
      Held("Acme", "abc", "5", "50"), {"", "", "1", "1", "1", "old", "old"},
  };
  ValuePortfolio(portfolio, folder.Path());
  const std::pair<std::string_view, std::string_view> shown[] = {
      {"    6.00", "+20.00%"}, {"    6.00", "+20.00%"}, {"    6.00", "+0.00%"},
      {"    0.13", "+30.00%"}, {"    6.00", "+0.00%"},  {"old", "old"},
  };
  ASSERT_EQ(portfolio.Rows.size(), std::size(shown));
  for (size_t i = 0; i < std::size(shown); ++i) {
    EXPECT_EQ(portfolio.Rows[i].LastClose, shown[i].first) << i;
    EXPECT_EQ(portfolio.Rows[i].Change, shown[i].second) << i;
  }
  // 10 x 6 - 10 x 6 + 1000 x 0.125
  EXPECT_EQ(portfolio.TotalAssets, " 125.00");
}

TEST_F(PortfolioValuation, AnOldStockFileIsConvertedBeforeItsLastCloseIsRead) {
  const auto file = folder / "Stocks" / "Old.kvx";
  ASSERT_TRUE(WriteFileAtomically(file, testing::OldFormat({testing::Quote(44986, 3.0f),
                                                            testing::Quote(44987, 4.0f)}))
                  .ok());
  Portfolio portfolio = WithCash("0");
  portfolio.Rows = {Held("Old", "1", "2", "2")};
  ValuePortfolio(portfolio, folder.Path());
  EXPECT_EQ(portfolio.Rows[0].LastClose, "    4.00");
  EXPECT_EQ(std::filesystem::file_size(file), 2u * QuoteRecordSize);
}

TEST_F(PortfolioValuation, ThePriceProposedIsTheCloseOfTheOperationDate) {
  WriteStock("Acme", {4.0f, 5.0f, 6.125f});  // 1, 2 and 3 March 2023
  struct Case {
    double date;
    std::string_view price;
  };
  constexpr Case Cases[] = {
      {44987, "5.00"}, {44986, "4.00"}, {44990, "6.13"}, {44900, "6.13"}, {-32000, "6.13"}};
  for (const Case& c : Cases)
    EXPECT_EQ(ProposedPrice(folder.Path(), "acme", c.date), c.price) << c.date;
  EXPECT_EQ(ProposedPrice(folder.Path(), "Missing", 44987), "");
}

TEST_F(PortfolioValuation, TheStockListHoldsTheQuoteFilesSortedWithoutCase) {
  WriteStock("beta", {1.0f});
  WriteStock("Alpha", {1.0f});
  ASSERT_TRUE(WriteFileAtomically(folder / "Stocks" / "Gamma.KVX", "").ok());
  ASSERT_TRUE(WriteFileAtomically(folder / "Stocks" / "notes.txt", "").ok());
  EXPECT_EQ(PortfolioStockList(folder.Path()),
            (std::vector<std::string>{"Alpha", "beta", "Gamma"}));
}

}  // namespace
}  // namespace chartorium
