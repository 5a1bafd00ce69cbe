// chartorium-cli portfolio, run as the real binary.
#include <gtest/gtest.h>

#include <string>

#include "core/SafeFile.h"
#include "core/StockFileFixture.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::CliRun;

class PortfolioCommandLine : public ::testing::Test {
 protected:
  PortfolioCommandLine() {
    std::filesystem::create_directories(home / "Stocks");
    WriteStock("Acme Tools", {20.0f, 21.5f});
    WriteStock("Beta", {33.3f});
  }
  void WriteStock(const std::string& name, const std::vector<Single>& closes) {
    std::vector<QuoteRecord> records;
    for (size_t i = 0; i < closes.size(); ++i)
      records.push_back(testing::Quote(45292 + static_cast<double>(i), closes[i]));
    ASSERT_TRUE(
        WriteFileAtomically(home / "Stocks" / (name + ".kvx"), testing::CurrentFormat(records))
            .ok());
  }
  CliRun Call(const std::string& args) {
    return testing::RunCli(CHARTORIUM_CLI, home.Path(),
                           "portfolio '" + File().string() + "' " + args, err.Path() / "stderr");
  }
  std::string Errors() { return ReadWholeFile(err.Path() / "stderr").value_or(""); }
  std::filesystem::path File() const { return home / "p.por"; }
  std::string FileBytes() const { return ReadWholeFile(File()).value_or("<missing>"); }

  testing::TempFolder home, err;
};

TEST_F(PortfolioCommandLine, BooksAYearOfOperationsAndExportsThePage) {
  const std::string year[] = {
      "--new 'Family savings'",
      "--deposit 10000 --date 2024-01-02",
      "--buy 'acme tools' 100 18.40 --commission 9.95 --date 2024-01-03",
      "--buy Beta 50 30.125 --commission 9.95 --date 2024-01-15",
      "--buy 'Acme Tools' 50 19.10 --commission 9.95 --date 2024-02-01 --merge yes",
      "--sell Beta 20 32 --date 2024-05-02",
      "--dividends 'Acme Tools' 0.35",
      "--withdraw 1500 --date 2024-06-30",
      "--sell Beta 60 34 --commission 5 --date 2024-10-01",
  };
  for (const std::string& operation : year)
    ASSERT_EQ(Call(operation).ExitCode, 0) << operation << Errors();

  const CliRun shown = Call("");
  ASSERT_EQ(shown.ExitCode, 0) << Errors();
  EXPECT_EQ(shown.Lines, (std::vector<std::string>{
                             "Stocks\tBuy date\tQty\tBuy price\tTotal price\tLast Close\tChange",
                             "Acme Tools\t01/02/2024\t150\t18.6333\t2795\t21.50\t+15.38%",
                             "Beta\t15/01/2024\t-30\t30.125\t-903.75\t33.30\t-10.54%",
                             "Portfolio cash:\t6896.4",
                             "Total assets:\t9122.40",
                             "Portfolio change:\t15.04%",
                         }));
  const CliRun journal = Call("--journal");
  ASSERT_EQ(journal.Lines.size(), 8u);
  EXPECT_EQ(journal.Lines[1], "03/01/2024 Buy 100 stocks of Acme Tools for 1849.95");
  EXPECT_EQ(journal.Lines[7], "01/10/2024 Sell 60 stocks of Beta for 2035");

  // Reading, valuing and exporting leave the file as it was written.
  const std::string saved = FileBytes();
  const auto page = home / "page.html";
  ASSERT_EQ(Call("--html '" + page.string() + "'").ExitCode, 0) << Errors();
  EXPECT_EQ(FileBytes(), saved);
  const std::string html = ReadWholeFile(page).value_or("");
  EXPECT_NE(html.find("Report of the Family savings portfolio"), std::string::npos);
  EXPECT_NE(html.find("<font face=\"Tahoma\" color=\"#ff0000\">-10.54%</font>"), std::string::npos);
}

TEST_F(PortfolioCommandLine, ARefusalLeavesTheFileAsItWas) {
  ASSERT_EQ(Call("--new Small").ExitCode, 0) << Errors();
  ASSERT_EQ(Call("--deposit 50.5").ExitCode, 0) << Errors();
  const std::string saved = FileBytes();
  struct Case {
    std::string args;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {"--buy Beta 10 5 --commission 1", 1, "There is not enough money to buy this action!"},
      {"--dividends Beta 1", 1, "Select a stock for the dividends"},
      {"--buy Beta 2.5 5", 1, "The number of stocks must be a whole number!"},
      {"--buy Beta 0 5", 1, "a quantity of 0 books nothing"},
      {"--sell Gamma 1 5", 2, "no stock 'Gamma'"},
      {"--deposit lots", 2, "'lots' is not an amount"},
      {"--buy Beta 1 5 --date 31/12/2024", 2, "is not a date of the form yyyy-mm-dd"},
      {"--deposit 5 --withdraw 5", 2, "give one operation at a time"},
      {"--new Again", 1, "already exists"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Call(c.args).ExitCode, c.exitCode) << c.args;
    EXPECT_NE(Errors().find(c.message), std::string::npos) << c.args << ": " << Errors();
    EXPECT_EQ(FileBytes(), saved) << c.args;
  }
}

TEST_F(PortfolioCommandLine, ADamagedFileIsNeitherReadNorOverwritten) {
  ASSERT_TRUE(
      WriteFileAtomically(File(), "Date,Open,Close\r\n2024-01-02,1,2\r\n2024-01-03,2,3\r\n").ok());
  EXPECT_EQ(Call("--deposit 10").ExitCode, 1);
  EXPECT_NE(Errors().find("is not a portfolio file: line 1 is not an amount of cash"),
            std::string::npos)
      << Errors();
  EXPECT_EQ(FileBytes(), "Date,Open,Close\r\n2024-01-02,1,2\r\n2024-01-03,2,3\r\n");
  std::filesystem::remove(File());
  EXPECT_EQ(Call("").ExitCode, 2);
}

}  // namespace
}  // namespace chartorium
