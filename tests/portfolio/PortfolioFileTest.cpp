#include "portfolio/PortfolioFile.h"

#include <gtest/gtest.h>

#include "portfolio/PortfolioFixture.h"
#include "portfolio/PortfolioValuation.h"

namespace chartorium {
namespace {

using testing::PortfolioTest;

class PortfolioFile : public PortfolioTest {
 protected:
  std::filesystem::path Fixture(const std::string& name) const {
    return std::filesystem::path(CHARTORIUM_PORTFOLIO_DATA) / name;
  }
};

TEST_F(PortfolioFile, AFileWrittenByHandReadsAndIsWrittenBackByteForByte) {
  WriteStock("Acme", {6.0f});
  WriteStock("Beta", {8.0f});
  const std::string bytes = Bytes(Fixture("Epargne.por"));
  auto read = ReadPortfolioBytes(bytes);
  ASSERT_TRUE(read.ok()) << read.status().message();
  Portfolio& portfolio = *read;
  EXPECT_EQ(portfolio.Cash, " 1234.5");
  EXPECT_EQ(portfolio.PortfolioName, " \u00c9pargne & Co");
  ASSERT_EQ(portfolio.Rows.size(), 2u);
  // The change is not read: the valuation computes it.
  EXPECT_EQ(portfolio.Rows[0],
            (PositionRow{"Acme", "02/01/2024", "100", "5.25", "525", "    6.00", ""}));
  EXPECT_EQ(portfolio.Rows[1],
            (PositionRow{"Beta", "15/02/2024", "-20", "10.4", "-208", "    8.00", ""}));
  EXPECT_EQ(portfolio.Journal, (std::vector<std::string>{
                                   "02/01/2024 Add 2000 in cash",
                                   "02/01/2024 Buy 100 stocks of Acme for 535",
                                   "15/02/2024 Sell 20 stocks of Beta for 198",
                               }));
  ValuePortfolio(portfolio, folder.Path());
  EXPECT_EQ(PortfolioFileBytes(portfolio), bytes);
}

TEST_F(PortfolioFile, LinesAfterTheThirdArePositionsUpToTheSeparatorOrTheEnd) {
  struct Case {
    const char* why;
    std::string_view bytes;
    size_t rows;
    std::vector<std::string> journal;
  };
  const Case cases[] = {
      {"no separator", " 10\r\nX\r\nUSD\r\nA;1;2;3;4;5\r\nB;1;2;3;4\r\n", 2, {}},
      {"no separator, no last line break", " 10\r\nX\r\nUSD\r\nA;1;2;3;4;5", 1, {}},
      {"LF line ends",
       " 10\nX\nUSD\nA;1;2;3;4;5\n$^\xA8\nday one\nday two\n",
       1,
       {"day one", "day two"}},
      {"a separator in the journal is a journal line",
       " 10\r\nX\r\nUSD\r\n$^\xA8\r\n$^\xA8\r\n",
       0,
       {"$^\u00a8"}},
      {"the separator followed by a blank is a position",
       " 10\r\nX\r\nUSD\r\n$^\xA8 ;2;3;4;5\r\n",
       1,
       {}},
      {"only the three first lines", "10\r\nX\r\nUSD\r\n", 0, {}},
  };
  for (const Case& c : cases) {
    const auto read = ReadPortfolioBytes(c.bytes);
    ASSERT_TRUE(read.ok()) << c.why << ": " << read.status().message();
    EXPECT_EQ(read->Cash, " 10") << c.why;
    EXPECT_EQ(read->PortfolioName, " X") << c.why;
    EXPECT_EQ(read->Rows.size(), c.rows) << c.why;
    EXPECT_EQ(read->Journal, c.journal) << c.why;
  }
}

TEST_F(PortfolioFile, ADamagedFileIsRefusedAndNeverOverwritten) {
  struct Case {
    const char* why;
    std::string bytes;
  };
  const Case cases[] = {
      {"a stock file", std::string("Y\0\0\0\0\0\0\0", 8) + std::string(32, '\0')},
      {"cut after the name", " 10\r\nX\r\n"},
      {"a table of quotes", "Date,Open,Close\r\n2024-01-02,1,2\r\n2024-01-03,2,3\r\n"},
      {"a position without its total", " 10\r\nX\r\nUSD\r\nAcme;02/01/2024;10;5\r\n"},
  };
  Portfolio portfolio = WithCash("5");
  for (const Case& c : cases) {
    const auto file = folder / "damaged.por";
    ASSERT_TRUE(WriteFileAtomically(file, c.bytes).ok());
    const auto read = ReadPortfolioFile(file);
    ASSERT_FALSE(read.ok()) << c.why;
    EXPECT_EQ(read.status().code(), StatusCode::Corruption) << c.why;
    const Status written = WritePortfolioFile(portfolio, file);
    EXPECT_EQ(written.code(), StatusCode::Corruption) << c.why;
    EXPECT_NE(written.message().find("is left as it is"), std::string_view::npos) << c.why;
    EXPECT_EQ(Bytes(file), c.bytes) << c.why;
  }
}

TEST_F(PortfolioFile, WritesANewFileAndReplacesAPortfolio) {
  Portfolio portfolio = WithCash("5");
  portfolio.Rows = {{"Caf\u00e9", "01/02/2024", "1", "2", "2", "", ""}};
  portfolio.Journal = {"01/02/2024 Buy 1 stocks of Caf\u00e9 for 2"};
  // An empty file holds nothing to lose.
  const auto file = folder / "new.por";
  ASSERT_TRUE(WriteFileAtomically(file, "").ok());
  EXPECT_FALSE(ReadPortfolioFile(file).ok());
  ASSERT_TRUE(WritePortfolioFile(portfolio, file).ok());
  EXPECT_EQ(Bytes(file),
            " 5\r\nGrowth\r\nUSD\r\nCaf\xE9;01/02/2024;1;2;2;;;USD\r\n$^\xA8\r\n"
            "01/02/2024 Buy 1 stocks of Caf\xE9 for 2\r\n");
  portfolio.Cash = " 7";
  ASSERT_TRUE(WritePortfolioFile(portfolio, file).ok());
  const auto read = ReadPortfolioFile(file);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->Cash, " 7");
  EXPECT_EQ(read->Rows, portfolio.Rows);
  EXPECT_EQ(read->Journal, portfolio.Journal);
  EXPECT_EQ(read->CurrentFile, file);
  EXPECT_EQ(ReadPortfolioFile(folder / "none.por").status().code(), StatusCode::NotFound);
}

}  // namespace
}  // namespace chartorium
