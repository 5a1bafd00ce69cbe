// chartorium-cli end to end: the real binary on a temporary home.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/SafeFile.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

struct CliRun {
  int ExitCode = -1;
  std::string Out;
};

// Runs the command line with the arguments; stderr goes to `errFile`.
CliRun Cli(const std::filesystem::path& home, const std::string& args,
           const std::filesystem::path& errFile) {
  const std::string command = std::string("'") + CHARTORIUM_CLI + "' --home '" + home.string() +
                              "' " + args + " 2>'" + errFile.string() + "'";
  CliRun run;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.Out.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CommandLine : public ::testing::Test {
 protected:
  CliRun Call(const std::string& args) { return Cli(home.Path(), args, err.Path() / "stderr"); }
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
  const auto stocks = Lines(list.Out);
  ASSERT_GE(stocks.size(), 24u);
  EXPECT_EQ(stocks[0].substr(0, stocks[0].find('\t')), "Aldermoor Mining");
  EXPECT_NE(stocks[0].find("\t2001\t"), std::string::npos);

  const CliRun daily = Call("bars 'kestrel software'");  // names ignore case
  ASSERT_EQ(daily.ExitCode, 0) << Errors();
  const auto rows = Lines(daily.Out);
  ASSERT_EQ(rows.size(), 2002u);
  EXPECT_EQ(rows[0], "Date,Open,High,Low,Close,Volume,OI");
  const std::string kestrel = stocks[10];
  ASSERT_EQ(kestrel.rfind("Kestrel Software\t2001\t", 0), 0u);
  EXPECT_EQ(rows[1].substr(0, 10), kestrel.substr(kestrel.size() - 21, 10));  // the first date
  EXPECT_EQ(rows.back().substr(0, 10), kestrel.substr(kestrel.size() - 10));  // the last date

  const CliRun weekly = Call("bars 'Kestrel Software' --period weekly");
  ASSERT_EQ(weekly.ExitCode, 0);
  const size_t weeks = Lines(weekly.Out).size() - 1;
  EXPECT_GT(weeks, 2001u / 5);
  EXPECT_LT(weeks, 2001u / 4);
  EXPECT_EQ(Lines(weekly.Out).back().substr(0, 10), rows.back().substr(0, 10));
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

}  // namespace
}  // namespace chartorium
