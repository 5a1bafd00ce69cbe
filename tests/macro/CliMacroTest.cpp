// The macro commands of chartorium-cli end to end on the demo library:
// custom indicators through series, systems through signals, and script --stock.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/DemoLibrary.h"

#include "support/CliRunner.h"

namespace chartorium {
namespace {

using testing::CliRun;

class MacroCommands : public testing::DemoHomeSuite {
 protected:
  static std::string Stock() { return "'" + std::string(DemoStocks()[0].Name) + "'"; }
};

TEST_F(MacroCommands, SeriesComputesTheDemoCustomIndicators) {
  const CliRun levels = Call("series " + Stock() + " 'range position' 'MA Spread' --levels");
  ASSERT_EQ(levels.ExitCode, 0);
  ASSERT_EQ(levels.Lines.size(), 3u);
  EXPECT_EQ(levels.Lines[1],
            "range position,20;80;\xC2\xA8"
            "16711680*0");
  EXPECT_EQ(levels.Lines[2],
            "MA Spread,0;\xC2\xA8"
            "32768*-1");

  const CliRun values = Call("series " + Stock() + " 'Range Position'");
  ASSERT_EQ(values.ExitCode, 0);
  ASSERT_EQ(values.Lines.size(), 2002u);
  for (size_t row = 1; row < values.Lines.size(); ++row) {
    const double value = std::stod(Fields(values.Lines[row]).at(1));
    if (row < 14) {
      ASSERT_EQ(value, 0) << row;
    } else {
      ASSERT_GE(value, 0) << row;
      ASSERT_LE(value, 100) << row;
    }
  }
}

TEST_F(MacroCommands, SignalsPrintsTheSystemsMarks) {
  const CliRun run = Call("signals " + Stock() + " 'MA Crossover'");
  ASSERT_EQ(run.ExitCode, 0);
  ASSERT_EQ(run.Lines.size(), 2002u);
  EXPECT_EQ(run.Lines[0], "Date,Signal,Text,Color");
  int buys = 0;
  for (size_t row = 1; row < run.Lines.size(); ++row) {
    const std::vector<std::string> fields = Fields(run.Lines[row]);
    ASSERT_EQ(fields.size(), 4u) << run.Lines[row];
    const int signal = std::stoi(fields[1]);
    ASSERT_TRUE(signal >= -3 && signal <= 3) << run.Lines[row];
    if (fields[2] == "Buy") {
      ++buys;
      EXPECT_EQ(fields[3], "32768") << run.Lines[row];
      EXPECT_EQ(signal, 1) << run.Lines[row];
    } else if (fields[3] == "66974") {
      EXPECT_EQ(signal, -1) << run.Lines[row];
    } else {
      EXPECT_EQ(fields[3], "-1") << run.Lines[row];
    }
    if (row <= 30) EXPECT_EQ(signal, 0) << row;  // the slow average is not there yet
  }
  EXPECT_GT(buys, 0);

  const CliRun tail = Call("signals " + Stock() + " 'rsi reversion' --from 1990 --to 2001");
  ASSERT_EQ(tail.ExitCode, 0);
  EXPECT_EQ(tail.Lines.size(), 13u);
  EXPECT_EQ(Call("signals " + Stock() + " 'No Such System'").ExitCode, 2);
  EXPECT_EQ(Call("signals " + Stock() + " 'MA Crossover' --from 5 --to 3000").ExitCode, 2);
}

TEST_F(MacroCommands, ScriptWithAStockSeesTheMacroObject) {
  const std::filesystem::path file = home_ / "probe.vbs";
  std::ofstream(file) << "PrintOut CurrentStock()\nWScript.Echo \"echo\"\n"
                         "PrintOut IsEmpty(Close(0))\nPrintOut UBound(GetClose())\n";
  const CliRun run = Call("script '" + file.string() + "' --stock " + Stock());
  ASSERT_EQ(run.ExitCode, 0);
  const std::vector<std::string> expected = {std::string(DemoStocks()[0].Name), "echo", "True",
                                             "2001"};
  EXPECT_EQ(run.Lines, expected);
  EXPECT_EQ(Call("script '" + file.string() + "' --stock 'Nobody'").ExitCode, 2);
}

}  // namespace
}  // namespace chartorium
