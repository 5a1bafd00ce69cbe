#include "portfolio/PortfolioPage.h"

#include <gtest/gtest.h>

#include "portfolio/PortfolioFixture.h"

namespace chartorium {
namespace {

using testing::PortfolioTest;

class PortfolioExport : public PortfolioTest {
 protected:
  PortfolioExport() {
    portfolio.PortfolioName = " R\u00e9serve <A&B>";
    portfolio.Cash = " 120.5";
    portfolio.TotalAssets = " 1320.50";
    portfolio.PortfolioChange = " -4.17%";
    portfolio.ChangeIsNegative = true;
    portfolio.Rows = {
        {"AT&T", "02/01/2024", "100", "12.5", "1250", "   12.00", "-4.00%"},
        {"<Beta>", "03/01/2024", "-10", "3", "-30", "    3.00", "+0.00%"},
    };
  }
  Portfolio portfolio;
};

// The page as the reviewed file in tests/portfolio/data shows it.
TEST_F(PortfolioExport, IsWrittenAsTheReviewedPageWithItsTextsEscaped) {
  const auto file = folder / std::string(PortfolioPageFile);
  ASSERT_TRUE(WritePortfolioPage(portfolio, file).ok());
  EXPECT_EQ(Bytes(file), Bytes(std::filesystem::path(CHARTORIUM_PORTFOLIO_DATA) / "Page.html"));
  const std::string page = PortfolioPage(portfolio);
  EXPECT_EQ(page.find("AT&T"), std::string::npos);
  EXPECT_EQ(page.find("<Beta>"), std::string::npos);
}

TEST_F(PortfolioExport, ThePrintedPageListsThePositionsAndTheFunds) {
  const PortfolioPrintout printout = PrintPortfolio(portfolio);
  EXPECT_EQ(printout.Header, "Portfolio R\u00e9serve <A&B>");
  EXPECT_EQ(printout.Footer, "Chartorium");
  EXPECT_EQ(printout.Lines, (std::vector<std::string>{
                                "AT&T|02/01/2024|100|12.5|1250|   12.00|-4.00%",
                                "<Beta>|03/01/2024|-10|3|-30|    3.00|+0.00%",
                                "",
                                "Funds: 120.5",
                                "1320.50",
                            }));
}

}  // namespace
}  // namespace chartorium
