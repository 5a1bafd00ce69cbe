// chartorium-cli import and properties, run as the real binary.
#include <gtest/gtest.h>

#include <string>

#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::CliRun;

class ImportCommand : public ::testing::Test {
 protected:
  CliRun Call(const std::string& args) {
    return testing::RunCli(CHARTORIUM_CLI, home.Path(), args, err.Path() / "stderr");
  }
  std::string Errors() { return ReadWholeFile(err.Path() / "stderr").value_or(""); }
  std::string Write(const std::string& name, const std::string& text) {
    EXPECT_TRUE(WriteFileAtomically(home / name, text).ok());
    return "'" + (home / name).string() + "'";
  }
  std::string StockBytes(const std::string& stock) {
    return ReadWholeFile(home / "Stocks" / (stock + ".kvx")).value_or("<missing>");
  }

  testing::TempFolder home, err;
};

const std::string YearFile = std::string(CHARTORIUM_QUOTES_DATA) + "/daily-2023-newest-first.csv";

TEST_F(ImportCommand, ImportsAYearIntoANewStockOnceAndChartsIt) {
  const CliRun first = Call("import '" + YearFile + "' --new --stock 'Harbour Tech'");
  ASSERT_EQ(first.ExitCode, 0) << Errors();
  EXPECT_EQ(first.Lines, std::vector<std::string>{"Harbour Tech\t250"});
  EXPECT_EQ(Call("list").Lines,
            std::vector<std::string>{"Harbour Tech\t250\t2023-01-03\t2023-12-29"});
  EXPECT_NE(ReadWholeFile(home / "List.ini").value_or("").find("\tHarbour Tech"),
            std::string::npos);
  const CliRun bars = Call("bars 'Harbour Tech'");
  ASSERT_EQ(bars.Lines.size(), 251u);
  EXPECT_EQ(bars.Lines[1], "2023-01-03,141.85466,142.8866,141.6312,142.72525,5983233,0");

  const std::string saved = StockBytes("Harbour Tech");
  const CliRun again = Call("import '" + YearFile + "' --stock 'Harbour Tech'");
  EXPECT_EQ(again.ExitCode, 1);
  EXPECT_NE(Errors().find("After processing the file, there are no new data to import!"),
            std::string::npos);
  EXPECT_EQ(StockBytes("Harbour Tech"), saved);
  EXPECT_EQ(Call("chart 'Harbour Tech' --out '" + (home / "h.png").string() + "'").ExitCode, 0);
}

TEST_F(ImportCommand, AGapIsRefusedUnlessAnsweredYes) {
  const std::string file = Write("a.csv", "Date,Close\n2020-01-02,10\n2020-01-03,11\n");
  ASSERT_EQ(Call("import " + file + " --stock S").ExitCode, 0) << Errors();
  const std::string saved = StockBytes("S");
  const std::string later = Write("b.csv", "Date,Close\n2020-01-20,12\n");
  EXPECT_EQ(Call("import " + later + " --stock S").ExitCode, 1);
  EXPECT_NE(Errors().find("answered No"), std::string::npos);
  EXPECT_NE(Errors().find("Import procedure failed, please correct the errors"), std::string::npos);
  EXPECT_EQ(StockBytes("S"), saved);
  const CliRun yes = Call("import " + later + " --stock S --gaps yes");
  EXPECT_EQ(yes.ExitCode, 0) << Errors();
  EXPECT_EQ(yes.Lines, std::vector<std::string>{"S\t1"});
}

TEST_F(ImportCommand, OptionsMapAHeaderlessFile) {
  const std::string file = Write("eu.txt", "13/01/2020;12,5;100\n14/01/2020;1.234,5;200\n");
  const CliRun run = Call("import " + file + " --stock Eu --columns Date,Close,Volume");
  ASSERT_EQ(run.ExitCode, 0) << Errors();
  EXPECT_EQ(Call("bars Eu").Lines, (std::vector<std::string>{"Date,Open,High,Low,Close,Volume,OI",
                                                             "2020-01-13,0,0,0,12.5,100,0",
                                                             "2020-01-14,0,0,0,1234.5,200,0"}));
  const std::string us = Write("us.txt", "01/15/2020 7.5\n");
  ASSERT_EQ(
      Call("import " + us + " --stock Eu --sep space --date MDY --columns Date,Close").ExitCode, 0)
      << Errors();
  EXPECT_EQ(Call("bars Eu").Lines.back(), "2020-01-15,0,0,0,7.5,0,0");
  ASSERT_EQ(Call("import " + us +
                 " --stock Eu --replace --date MDY --sep space "
                 "--columns Date,Close --ignore 0")
                .ExitCode,
            0);
  EXPECT_EQ(Call("bars Eu").Lines.size(), 2u);
}

TEST_F(ImportCommand, AMultiStockFileCreatesItsStocks) {
  const std::string file = Write("day.csv",
                                 "Date,Ticker,Close,Volume\n"
                                 "2021-03-01,AAA,10,5\n2021-03-01,BBB,20,6\n"
                                 "2021-03-02,AAA,11,7\n2021-03-01,,1,1\n");
  const CliRun run = Call("import " + file);
  ASSERT_EQ(run.ExitCode, 0) << Errors();
  EXPECT_EQ(run.Lines, (std::vector<std::string>{"AAA\t2", "BBB\t1"}));
  EXPECT_NE(Errors().find("1 line(s) gave no quote"), std::string::npos);
  EXPECT_EQ(IniFile::Load(home / "Stocks.ini")->ReadString("BBB", "Tick", ""), "BBB");
  const std::string tree = ReadWholeFile(home / "List.ini").value_or("");
  EXPECT_NE(tree.find("\tAAA"), std::string::npos);
  EXPECT_NE(tree.find("\tBBB"), std::string::npos);
}

TEST_F(ImportCommand, ReportsBadInput) {
  const std::string file = Write("q.csv", "Date,Close\n2020-01-02,1\n");
  struct Case {
    std::string args;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {"import", 2, "expected one file"},
      {"import /nonexistent/q.csv", 2, "no file"},
      {"import " + file + " --date XYZ", 2, "--date needs DMY"},
      {"import " + file + " --ignore 12", 2, "--ignore needs"},
      {"import " + file + " --sep ab", 2, "--sep needs"},
      {"import " + file + " --gaps maybe", 2, "--gaps needs"},
      {"import " + file + " --template Nope", 2, "no template 'Nope'"},
      {"import " + file + " --columns Date,Price", 2, "unknown column role 'Price'"},
      {"import " + file + " --columns Date,Open", 1, "Close price must be defined"},
      {"import " + file + " --ignore 5", 1, "The number of lines to ignore is incorrect"},
      {"import " + file + " --stock a/b", 1, "can't hold the characters"},
      {"import " + Write("b.csv", std::string("x\0y", 3)), 1, "is not a text file"},
      {"import " + Write("e.csv", ""), 1, "The file you try to import is empty"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Call(c.args).ExitCode, c.exitCode) << c.args;
    EXPECT_NE(Errors().find(c.message), std::string::npos) << c.args << ": " << Errors();
  }
  EXPECT_FALSE(std::filesystem::exists(home / "Stocks" / "a")) << "no folder for 'a/b'";
}

TEST_F(ImportCommand, PropertiesArePrintedAndSet) {
  ASSERT_EQ(Call("import " + Write("acme.csv", "Date,Close\n2020-01-02,1\n")).ExitCode, 0);
  ASSERT_TRUE(WriteFileAtomically(home / "Sites.ini", "[Yahoo]\r\n[Stooq]\r\n").ok());
  const CliRun shown = Call("properties acme");
  ASSERT_EQ(shown.ExitCode, 0) << Errors();
  EXPECT_EQ(shown.Lines, (std::vector<std::string>{"Tick\t", "Site\tYahoo", "Cur\tUSD", "Nbr\t",
                                                   "Not\t", "Years\t", "Earnings\t"}));
  const CliRun set = Call(
      "properties acme --ticker ACME --site stooq --shares 1000 "
      "--notes 'Made things' --earnings 2021=1.2,2022=0.9");
  ASSERT_EQ(set.ExitCode, 0) << Errors();
  EXPECT_EQ(set.Lines, (std::vector<std::string>{"Tick\tACME", "Site\tStooq", "Cur\tUSD",
                                                 "Nbr\t1000", "Not\tMade things",
                                                 "Years\t2021;2022", "Earnings\t1.2;0.9"}));
  EXPECT_EQ(Call("properties acme").Lines, set.Lines);
  EXPECT_EQ(IniFile::Load(home / "Stocks.ini")->ReadString("acme", "Tick", ""), "ACME");

  EXPECT_EQ(Call("properties acme --site Nowhere").ExitCode, 2);
  EXPECT_EQ(Call("properties acme --earnings 2021").ExitCode, 2);
  EXPECT_EQ(Call("properties nobody").ExitCode, 2);
}

}  // namespace
}  // namespace chartorium
