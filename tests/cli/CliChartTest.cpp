// chartorium-cli chart end to end: pictures of the demo library's charts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/SafeFile.h"
#include "support/CliRunner.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::CliRun;

class ChartCommand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Call("demo-library").ExitCode, 0) << Errors(); }
  CliRun Call(const std::string& args) {
    return testing::RunCli(CHARTORIUM_CLI, home.Path(), args, err.Path() / "stderr");
  }
  std::string Errors() { return ReadWholeFile(err.Path() / "stderr").value_or(""); }

  testing::TempFolder home, err, out;
};

TEST_F(ChartCommand, DrawsTheChartWithASystemAndReportsAFailingSystem) {
  ASSERT_TRUE(WriteFileAtomically(home / "Signals" / "Broken",
                                  "Sub Main()\r\nBuy EndBar\r\nx = 1 / 0\r\nEnd Sub\r\n")
                  .ok());
  struct Case {
    std::string system;
    int exitCode;
    bool picture;
    std::string error;
  };
  const Case Cases[] = {
      {"'MA Crossover'", 0, true, ""},
      // The picture is still drawn, without the failed system's signals.
      {"Broken", 1, true, "'Division by zero'\n\nat line:3, char:0"},
  };
  for (const Case& c : Cases) {
    const std::filesystem::path picture = out / "chart.png";
    std::filesystem::remove(picture);
    const CliRun run = Call("chart 'Kestrel Software' --type candle --panes RSI --system " +
                            c.system + " --out '" + picture.string() + "'");
    EXPECT_EQ(run.ExitCode, c.exitCode) << c.system << ": " << Errors();
    EXPECT_EQ(std::filesystem::exists(picture), c.picture) << c.system;
    if (!c.error.empty()) {
      EXPECT_NE(Errors().find(c.error), std::string::npos) << Errors();
    }
  }
}

}  // namespace
}  // namespace chartorium
