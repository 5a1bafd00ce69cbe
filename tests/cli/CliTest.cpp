// chartorium-cli end to end: the real binary on a temporary home.
#include <gtest/gtest.h>

#include <string>

#include "core/SafeFile.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::CliRun;

class CommandLine : public ::testing::Test {
 protected:
  CliRun Call(const std::string& args) {
    return testing::RunCli(CHARTORIUM_CLI, home.Path(), args, err.Path() / "stderr");
  }
  std::string Errors() { return ReadWholeFile(err.Path() / "stderr").value_or(""); }

  testing::TempFolder home, err;
};

TEST_F(CommandLine, WritesListsAndPrintsTheDemoLibrary) {
  ASSERT_EQ(Call("demo-library").ExitCode, 0) << Errors();
  const CliRun refused = Call("demo-library");
  EXPECT_EQ(refused.ExitCode, 1);
  EXPECT_NE(Errors().find("--force"), std::string::npos);
  EXPECT_EQ(Call("demo-library --force").ExitCode, 0);

  const CliRun list = Call("list");
  ASSERT_EQ(list.ExitCode, 0);
  const auto stocks = list.Lines;
  ASSERT_GE(stocks.size(), 24u);
  EXPECT_EQ(stocks[0].substr(0, stocks[0].find('\t')), "Aldermoor Mining");
  EXPECT_NE(stocks[0].find("\t2001\t"), std::string::npos);

  const CliRun daily = Call("bars 'kestrel software'");  // names ignore case
  ASSERT_EQ(daily.ExitCode, 0) << Errors();
  const auto rows = daily.Lines;
  ASSERT_EQ(rows.size(), 2002u);
  EXPECT_EQ(rows[0], "Date,Open,High,Low,Close,Volume,OI");
  const std::string kestrel = stocks[10];
  ASSERT_EQ(kestrel.rfind("Kestrel Software\t2001\t", 0), 0u);
  EXPECT_EQ(rows[1].substr(0, 10), kestrel.substr(kestrel.size() - 21, 10));  // the first date
  EXPECT_EQ(rows.back().substr(0, 10), kestrel.substr(kestrel.size() - 10));  // the last date

  const CliRun weekly = Call("bars 'Kestrel Software' --period weekly");
  ASSERT_EQ(weekly.ExitCode, 0);
  const size_t weeks = weekly.Lines.size() - 1;
  EXPECT_GT(weeks, 2001u / 5);
  EXPECT_LT(weeks, 2001u / 4);
  EXPECT_EQ(weekly.Lines.back().substr(0, 10), rows.back().substr(0, 10));
}

TEST_F(CommandLine, ReportsBadInput) {
  struct Case {
    std::string args;
    int exitCode;
    std::string message;
  };
  const Case Cases[] = {
      {"bars Nothing", 2, "no stock 'Nothing'"},
      {"bars", 2, "expected one stock name"},
      {"bars X --period yearly", 2, "unknown period 'yearly'"},
      {"bars X --colour red", 2, "unknown option '--colour'"},
      {"frobnicate", 2, "unknown command 'frobnicate'"},
  };
  for (const Case& c : Cases) {
    const CliRun run = Call(c.args);
    EXPECT_EQ(run.ExitCode, c.exitCode) << c.args;
    EXPECT_NE(Errors().find(c.message), std::string::npos) << c.args << ": " << Errors();
  }
  const CliRun help = Call("bars --help");
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_EQ(help.Out.rfind("usage: chartorium-cli bars STOCK", 0), 0u);
}

TEST_F(CommandLine, ACorruptedStockIsReportedAndPrintsNoRows) {
  std::filesystem::create_directories(home / "Stocks");
  std::string bytes(80, '\0');
  bytes[0] = 'Y';
  bytes[28] = '\x01';  // a tiny positive close in record 1; record 2 has none
  ASSERT_TRUE(WriteFileAtomically(home / "Stocks" / "Bad.kvx", bytes).ok());
  const CliRun run = Call("bars Bad");
  EXPECT_NE(run.ExitCode, 0);
  EXPECT_EQ(run.Out, "");
  EXPECT_NE(Errors().find("corrupted"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(home / "Stocks" / "Bad.kvx.corrupt"));
}

// A custom indicator with a syntax error on its third line, and a system that
// reads it: each command reports the error in the host's layout and exits
// with 1, but still prints what it computed.
TEST_F(CommandLine, ScriptErrorsOfCustomIndicatorsReachTheCommandLine) {
  ASSERT_EQ(Call("demo-library").ExitCode, 0) << Errors();
  const auto list = ReadWholeFile(home / "Indicators.dat");
  ASSERT_TRUE(list.ok());
  ASSERT_TRUE(WriteFileAtomically(home / "Indicators.dat", *list + "Broken\r\n").ok());
  ASSERT_TRUE(WriteFileAtomically(home / "Indicators" / "Broken",
                                  "Sub Main()\r\n  Dim x\r\n  x = (1 +\r\nEnd Sub\r\n")
                  .ok());
  ASSERT_TRUE(
      WriteFileAtomically(home / "Signals" / "Reads Broken",
                          "Sub Main()\r\n"
                          "For CurrentBar = BeginBar To EndBar\r\n"
                          "  If GetValue(\"Broken\", CurrentBar) = 0 Then Buy CurrentBar\r\n"
                          "Next\r\n"
                          "End Sub\r\n")
          .ok());
  ASSERT_TRUE(WriteFileAtomically(home / "reads.vbs",
                                  "WScript.Echo \"read \" & GetValue(\"Broken\", 1)\r\n")
                  .ok());
  struct Case {
    std::string Args;
    size_t Lines;  ///< stdout lines: what the command still prints
    std::string FirstLine;
  };
  const Case Cases[] = {
      {"script '" + (home / "reads.vbs").string() + "' --stock 'Kestrel Software'", 1, "read 0"},
      {"series 'Kestrel Software' Broken", 2002, "Date,Broken"},
      {"series 'Kestrel Software' close Broken --levels", 3, "Name,LevelsText"},
      {"signals 'Kestrel Software' 'Reads Broken' --from 1990 --to 2001", 13,
       "Date,Signal,Text,Color"},
      {"test 'Kestrel Software' 'Reads Broken' --last 10", 18, "Stock\tKestrel Software"},
  };
  for (const Case& c : Cases) {
    const CliRun run = Call(c.Args);
    EXPECT_EQ(run.ExitCode, 1) << c.Args;
    const std::string errors = Errors();
    EXPECT_NE(errors.find("Microsoft VBScript compilation error:\n\n'"), std::string::npos)
        << c.Args << ": " << errors;
    EXPECT_NE(errors.find("'\n\nat line:3, char:"), std::string::npos) << c.Args << ": " << errors;
    // Reported once, however often the series is read.
    EXPECT_EQ(errors.find("at line:"), errors.rfind("at line:")) << c.Args << ": " << errors;
    ASSERT_EQ(run.Lines.size(), c.Lines) << c.Args << ": " << run.Out;
    EXPECT_EQ(run.Lines[0], c.FirstLine) << c.Args;
  }
}

}  // namespace
}  // namespace chartorium
