// chartorium-cli test and signals-list end to end, on a demo home.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/SafeFile.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::CliRun;

class TestCommandLine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(testing::RunCli(CHARTORIUM_CLI, Home().Path(), "demo-library").ExitCode, 0);
    // A system that trades with whatever account the options give it.
    ASSERT_TRUE(WriteFileAtomically(Home() / "Signals" / "Buy Once",
                                    "Sub Main()\r\n  Buy BeginBar\r\nEnd Sub\r\n")
                    .ok());
  }
  static testing::TempFolder& Home() {
    static testing::TempFolder home;
    return home;
  }
  CliRun Call(const std::string& args) {
    return testing::RunCli(CHARTORIUM_CLI, Home().Path(), args, err.Path() / "stderr");
  }
  std::string Errors() const { return ReadWholeFile(err.Path() / "stderr").value_or(""); }
  static std::string Read(const std::filesystem::path& file) {
    return ReadWholeFile(file).value_or("<missing>");
  }
  // The value of the first line "label<TAB>value" at or after line `from`.
  static std::string Value(const CliRun& run, std::string_view label, size_t from = 0) {
    for (size_t i = from; i < run.Lines.size(); ++i) {
      const std::string& line = run.Lines[i];
      if (line.starts_with(std::string(label) + "\t")) return line.substr(label.size() + 1);
    }
    return "<none>";
  }
  // "12,345.67 USD" or "-1.50%" as a number.
  static double Number(const std::string& text) {
    std::string digits;
    for (const char c : text)
      if (c != ',') digits += c;
    return std::stod(digits);
  }
  static int Count(const CliRun& run, std::string_view prefix) {
    int count = 0;
    for (const std::string& line : run.Lines) count += line.starts_with(prefix) ? 1 : 0;
    return count;
  }

  testing::TempFolder err;
};

TEST_F(TestCommandLine, OneSystemOnOneStockWritesTheSinglePageAndPrintsItsStatistics) {
  const CliRun run = Call("test 'Kestrel Software' 'MA Crossover'");
  ASSERT_EQ(run.ExitCode, 0) << Errors();
  ASSERT_GE(run.Lines.size(), 18u);
  EXPECT_EQ(run.Lines[0], "Stock\tKestrel Software");
  EXPECT_EQ(run.Lines[1], "System\tMA Crossover");
  EXPECT_EQ(run.Lines[2].rfind("Number of trades\t", 0), 0u);
  EXPECT_EQ(run.Lines.back().rfind("Total net ", 0), 0u);
  const std::string page = Read(Home() / "~temp002.html");
  EXPECT_NE(page.find("Report of the MA Crossover system"), std::string::npos);
  EXPECT_NE(page.find("Report of Kestrel Software</font>"), std::string::npos);
  EXPECT_NE(page.find("<td align=\"right\" bgcolor=\"#faf9fb\"><font face=\"Tahoma\" size=\"2\">" +
                      Value(run, "Ending amount") + "</font>"),
            std::string::npos);
}

TEST_F(TestCommandLine, OptionsChangeTheTest) {
  const std::string test = "test 'Kestrel Software' 'Buy Once' --last 100";
  const CliRun plain = Call(test);
  const CliRun amount = Call(test + " --amount 50000");
  const CliRun fixed = Call(test + " --fixed 25");
  const CliRun capped = Call(test + " --max-shares 10");
  for (const CliRun* run : {&plain, &amount, &fixed, &capped}) ASSERT_EQ(run->ExitCode, 0);
  EXPECT_EQ(Value(plain, "Number of trades"), "1");
  // One buy: the same shares, one commission less cash.
  EXPECT_NEAR(Number(Value(plain, "Ending amount")) - Number(Value(fixed, "Ending amount")), 25,
              0.01);
  EXPECT_NEAR(Number(Value(amount, "Return")), Number(Value(plain, "Return")), 0.1);
  EXPECT_NEAR(Number(Value(amount, "Ending amount")) - 50000,
              (Number(Value(plain, "Ending amount")) - 100000) / 2,
              Number(Value(plain, "Ending amount")) / 1000);
  const double profit = Number(Value(plain, "Gross Profit")) + Number(Value(plain, "Gross Loss"));
  const double cappedProfit =
      Number(Value(capped, "Gross Profit")) + Number(Value(capped, "Gross Loss"));
  ASSERT_NE(profit, 0);
  EXPECT_LT(std::abs(cappedProfit), std::abs(profit) / 10);
}

TEST_F(TestCommandLine, OneSystemOnTheStocksOfAFolder) {
  const std::filesystem::path out = err / "finance.html";
  const CliRun run = Call("test --folders Finance 'RSI Reversion' --report-options 1,4 --out '" +
                          out.string() + "'");
  ASSERT_EQ(run.ExitCode, 0) << Errors();
  EXPECT_EQ(Count(run, "Stock\t"), 5);
  EXPECT_EQ(Value(run, "Stock"), "Fairhaven Bank");
  // The demo RSI system trades on a margin account too: the short side follows.
  EXPECT_NE(Value(run, "Short return"), "<none>");
  const std::string page = Read(out);
  EXPECT_NE(page.find("Report of the RSI Reversion system</h2>"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"#R5\">Juniper Payments</a>"), std::string::npos);
  EXPECT_NE(page.find("Overall results"), std::string::npos);
  EXPECT_EQ(page.find("<applet"), std::string::npos);
  EXPECT_EQ(page.find("<a name=\"D1\">"), std::string::npos);
}

TEST_F(TestCommandLine, ManySystemsOnOneStockAndOnManyStocks) {
  const CliRun systems = Call("test 'Kestrel Software' --systems 'MA Crossover,RSI Reversion'");
  ASSERT_EQ(systems.ExitCode, 0) << Errors();
  EXPECT_EQ(Count(systems, "System\t"), 2);
  EXPECT_NE(Read(Home() / "~temp002.html").find("Report of the Kestrel Software stock</h2>"),
            std::string::npos);

  const CliRun matrix = Call(
      "test --stocks 'Kestrel Software,Fairhaven Bank' --systems 'MA Crossover,RSI Reversion'");
  ASSERT_EQ(matrix.ExitCode, 0) << Errors();
  EXPECT_EQ(Count(matrix, "Stock\t"), 4);
  const std::string page = Read(Home() / "~temp002.html");
  EXPECT_NE(page.find("<h2><font face=\"Tahoma\">Report</h2>"), std::string::npos);
  EXPECT_NE(page.find(">Fairhaven Bank</font></td>"), std::string::npos);
  EXPECT_NE(page.find(">RSI Reversion</font></td>"), std::string::npos);
}

TEST_F(TestCommandLine, ReportsBadArguments) {
  struct Case {
    std::string Args;
    std::string Message;
  };
  const Case cases[] = {
      {"test", "expected a stock name and a system name"},
      {"test 'Kestrel Software'", "expected a stock name and a system name"},
      {"test --stocks 'Kestrel Software'", "expected a system name"},
      {"test X --stocks A --systems S", "takes no stock or system names"},
      {"test --stocks A --folders B 'MA Crossover'", "either --stocks or --folders"},
      {"test 'Kestrel Software' 'No Such'", "no system 'No Such'"},
      {"test Nope 'MA Crossover'", "no stock 'Nope'"},
      {"test --stocks 'Kestrel Software,Nope' 'MA Crossover'", "no stock 'Nope'"},
      {"test --folders Nowhere 'MA Crossover'", "no folder 'Nowhere'"},
      {"test 'Kestrel Software' 'MA Crossover' --fill sometimes", "unknown fill 'sometimes'"},
      {"test 'Kestrel Software' 'MA Crossover' --last 0", "--last needs"},
      {"test 'Kestrel Software' 'MA Crossover' --last 5 --from 2020-01-01", "either --last"},
      {"test 'Kestrel Software' 'MA Crossover' --from 2020-13-01", "'2020-13-01' is not a date"},
      {"test 'Kestrel Software' 'MA Crossover' --report-options 6", "numbers 1 to 5"},
      {"test 'Kestrel Software' 'MA Crossover' --fixed 1 --percent 2", "either --fixed"},
      {"test 'Kestrel Software' 'MA Crossover' --max-shares 1 --max-percent 2", "either --max-"},
      {"test 'Kestrel Software' 'MA Crossover' --amount lots", "--amount needs a number"},
      {"test 'Kestrel Software' 'MA Crossover' --colour red", "unknown option '--colour'"},
      {"signals-list", "expected one stock name"},
      {"signals-list Nope", "no stock 'Nope'"},
  };
  for (const Case& c : cases) {
    const CliRun run = Call(c.Args);
    EXPECT_EQ(run.ExitCode, 2) << c.Args;
    EXPECT_NE(Errors().find(c.Message), std::string::npos) << c.Args << ": " << Errors();
  }
}

TEST_F(TestCommandLine, ADateRangeTestsTheBarsBetweenTheDates) {
  const CliRun bars = Call("bars 'Kestrel Software'");
  ASSERT_EQ(bars.ExitCode, 0);
  ASSERT_GT(bars.Lines.size(), 1500u);
  const auto field = [&](size_t line, int n) { return testing::CsvFields(bars.Lines[line])[n]; };
  const CliRun dated = Call("test 'Kestrel Software' 'Buy Once' --from " + field(1000, 0) +
                            " --to " + field(1500, 0));
  ASSERT_EQ(dated.ExitCode, 0) << Errors();
  // Bought at the close of the first bar of the range, sold at the last one's.
  const double c1 = std::stod(field(1000, 4));
  const double c2 = std::stod(field(1500, 4));
  const double shares = std::floor(100000 / c1);
  EXPECT_NEAR(Number(Value(dated, "Gross Profit")) + Number(Value(dated, "Gross Loss")),
              shares * (c2 - c1), 0.05);
  EXPECT_EQ(Value(dated, "Average number bars by trade"), "500");
}

TEST_F(TestCommandLine, AScriptErrorWritesNoPage) {
  testing::TempFolder home;
  ASSERT_EQ(testing::RunCli(CHARTORIUM_CLI, home.Path(), "demo-library").ExitCode, 0);
  ASSERT_TRUE(WriteFileAtomically(home / "Signals" / "Broken", "Sub Main()\r\n  If Then\r\n").ok());
  const CliRun run = testing::RunCli(
      CHARTORIUM_CLI, home.Path(),
      "test --stocks 'Kestrel Software' --systems 'MA Crossover,Broken'", err.Path() / "stderr");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_NE(Errors().find("compilation error"), std::string::npos) << Errors();
  EXPECT_FALSE(std::filesystem::exists(home / "~temp002.html"));
}

TEST_F(TestCommandLine, SignalsListGivesEachSystemsLastBarSignal) {
  const CliRun list = Call("signals-list 'Kestrel Software'");
  ASSERT_EQ(list.ExitCode, 0) << Errors();
  ASSERT_EQ(list.Lines.size(), 2u);
  const CliRun bars = Call("bars 'Kestrel Software'");
  const std::string last = std::to_string(bars.Lines.size() - 1);
  const char* const systems[] = {"MA Crossover", "RSI Reversion"};
  const char* const names[] = {"Neutral", "Buy", "Sell", "Short", "Cover"};
  for (int i = 0; i < 2; ++i) {
    const std::string& line = list.Lines[static_cast<size_t>(i)];
    ASSERT_EQ(line.rfind(std::string(systems[i]) + "\t", 0), 0u) << line;
    // The same signal as the system's own run over the last bar.
    const CliRun one = Call("signals 'Kestrel Software' '" + std::string(systems[i]) + "' --from " +
                            last + " --to " + last);
    ASSERT_EQ(one.Lines.size(), 2u);
    const int code = std::stoi(testing::CsvFields(one.Lines[1])[1]);
    ASSERT_GE(code, -2);
    ASSERT_LE(code, 2);
    const int index[] = {4, 2, 0, 1, 3};  // codes -2..2
    EXPECT_EQ(line.substr(line.find('\t') + 1), names[index[code + 2]]) << line;
  }
}

}  // namespace
}  // namespace chartorium
