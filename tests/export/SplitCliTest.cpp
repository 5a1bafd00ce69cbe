// chartorium-cli split, run as the real binary.
#include <gtest/gtest.h>

#include <string>

#include "core/SafeFile.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::CliRun;

class SplitCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFileAtomically(home / "s.csv",
                                    "Date,Open,High,Low,Close,Volume\n"
                                    "2020-01-02,20,21,19,20,15\n2020-01-03,30,31,29,30,100\n"
                                    "2020-01-06,40,41,39,40,200\n")
                    .ok());
    ASSERT_EQ(Call("import '" + (home / "s.csv").string() + "' --stock S").ExitCode, 0);
  }
  CliRun Call(const std::string& args) {
    return testing::RunCli(CHARTORIUM_CLI, home.Path(), args, err.Path() / "stderr");
  }
  std::string Errors() { return ReadWholeFile(err.Path() / "stderr").value_or(""); }

  testing::TempFolder home, err;
};

TEST_F(SplitCommand, SplitsARangeAndUndoesIt) {
  const std::vector<std::string> before = Call("bars S").Lines;
  const CliRun split = Call("split S --ratio 1:10 --from 2020-01-03");
  ASSERT_EQ(split.ExitCode, 0) << Errors();
  EXPECT_EQ(split.Lines, std::vector<std::string>{"S\t2"});
  EXPECT_NE(Errors().find("S.kvx.presplit"), std::string::npos);
  EXPECT_EQ(Call("bars S").Lines,
            (std::vector<std::string>{
                "Date,Open,High,Low,Close,Volume,OI", "2020-01-02,20,21,19,20,15,0",
                "2020-01-03,300,310,290,300,10,0", "2020-01-06,400,410,390,400,20,0"}));
  const CliRun undo = Call("split S --undo");
  ASSERT_EQ(undo.ExitCode, 0) << Errors();
  EXPECT_EQ(Call("bars S").Lines, before);
}

TEST_F(SplitCommand, ReportsBadInput) {
  struct Case {
    std::string args;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {"split S", 2, "--ratio needs A:B"},
      {"split S --ratio 2", 2, "--ratio needs A:B"},
      {"split S --ratio 2:1 --from 31/02/2020", 2, "is not a date"},
      {"split S --ratio 2:0", 1, "Division by zero, please change the values!"},
      {"split S --ratio :1", 1, "One of the divisors is not set!"},
      {"split Nobody --ratio 2:1", 2, "no stock 'Nobody'"},
      {"split S --undo", 1, "no split of 'S' was kept"},
      {"split S --undo --ratio 2:1", 2, "--undo takes no other option"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Call(c.args).ExitCode, c.exitCode) << c.args;
    EXPECT_NE(Errors().find(c.message), std::string::npos) << c.args << ": " << Errors();
  }
}

}  // namespace
}  // namespace chartorium
