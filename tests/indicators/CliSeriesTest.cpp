// The series, patterns and indicators commands of chartorium-cli, end to end
// on the demo library in a temporary home.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/CliRunner.h"

namespace chartorium {
namespace {

using testing::CliRun;

class IndicatorCommands : public testing::DemoHomeSuite {};

TEST_F(IndicatorCommands, SeriesPrintsOneColumnPerNameAsAsked) {
  const CliRun bars = Call("bars 'Aldermoor Mining'");
  const CliRun series = Call("series 'Aldermoor Mining' Close RSI 'MACD MA' sma Nothing");
  ASSERT_EQ(series.ExitCode, 0);
  ASSERT_EQ(series.Lines.size(), bars.Lines.size());
  EXPECT_EQ(series.Lines[0], "Date,Close,RSI,MACD MA,sma,Nothing");
  for (size_t row = 1; row < series.Lines.size(); ++row) {
    const auto fields = Fields(series.Lines[row]);
    const auto bar = Fields(bars.Lines[row]);
    ASSERT_EQ(fields.size(), 6u) << row;
    EXPECT_EQ(fields[0], bar[0]) << row;            // the date
    EXPECT_EQ(fields[1], bar[4]) << row;            // the close, in the same shortest text
    EXPECT_EQ(fields[2] == "0", row <= 12) << row;  // RSI(12) starts at place 13
    EXPECT_EQ(fields[4] == "0", row <= 20) << row;  // the 21-bar average starts at 21
    EXPECT_EQ(fields[5], "0") << row;
  }
}

TEST_F(IndicatorCommands, LevelsNameEachSeriesReferenceValues) {
  const CliRun levels = Call("series 'Aldermoor Mining' rsi CCI close --levels");
  ASSERT_EQ(levels.ExitCode, 0);
  EXPECT_EQ(levels.Lines,
            (std::vector<std::string>{"Name,LevelsText", "rsi,20;80", "CCI,0;-100;100", "close,"}));
}

TEST_F(IndicatorCommands, PatternsListTheDatesWhereTheyHold) {
  const CliRun all = Call("patterns 'Aldermoor Mining'");
  ASSERT_EQ(all.ExitCode, 0);
  ASSERT_GT(all.Lines.size(), 1u);
  EXPECT_EQ(all.Lines[0], "Pattern,Date");
  const CliRun doji = Call("patterns 'Aldermoor Mining' DOJI");
  ASSERT_EQ(doji.ExitCode, 0);
  for (size_t row = 1; row < doji.Lines.size(); ++row)
    EXPECT_EQ(doji.Lines[row].rfind("DOJI,", 0), 0u) << doji.Lines[row];
  size_t dojiInAll = 0;
  for (const std::string& line : all.Lines) dojiInAll += line.rfind("doji,", 0) == 0 ? 1 : 0;
  EXPECT_EQ(dojiInAll, doji.Lines.size() - 1);
  EXPECT_EQ(Call("patterns 'Aldermoor Mining' 'separating lines'").Lines.size(), 1u);
}

TEST_F(IndicatorCommands, IndicatorsListTheCatalogue) {
  const CliRun list = Call("indicators");
  ASSERT_EQ(list.ExitCode, 0);
  EXPECT_EQ(list.Lines[0], "ListEntry,Name,Parameters,LevelsText");
  EXPECT_NE(std::find(list.Lines.begin(), list.Lines.end(), "RSI,RSI,ERSI (12),20;80"),
            list.Lines.end());
  EXPECT_NE(std::find(list.Lines.begin(), list.Lines.end(),
                      "MACD MA,MACDMA,\"M26 (26), M12 (12), M9 (9)\","),
            list.Lines.end());
}

TEST_F(IndicatorCommands, BadInputExitsWithTwo) {
  for (const char* args : {"series 'Aldermoor Mining'", "series Nothing rsi", "patterns",
                           "series 'Aldermoor Mining' rsi --period yearly", "indicators extra"})
    EXPECT_EQ(Call(args).ExitCode, 2) << args;
}

}  // namespace
}  // namespace chartorium
