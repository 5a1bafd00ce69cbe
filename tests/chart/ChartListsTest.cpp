#include "chart/ChartLists.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/SafeFile.h"
#include "core/TextCase.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

bool Contains(const std::vector<std::string>& list, std::string_view entry) {
  return std::find(list.begin(), list.end(), entry) != list.end();
}

TEST(ChartLists, TheIndicatorsListHoldsCustomBuiltInAndPriceSeriesSorted) {
  testing::TempFolder folder;
  ASSERT_TRUE(WriteFileAtomically(folder / "Indicators.dat", "My Osc\r\n\tabc trend\r\n").ok());
  const std::vector<std::string> list = IndicatorListEntries(folder.Path());
  EXPECT_TRUE(Contains(list, "My Osc"));
  EXPECT_TRUE(Contains(list, "abc trend"));
  EXPECT_TRUE(Contains(list, "RSI"));
  EXPECT_TRUE(Contains(list, "MACD"));
  EXPECT_TRUE(Contains(list, "Volume"));
  EXPECT_TRUE(Contains(list, "Open Interest"));
  EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](const auto& a, const auto& b) {
    return FoldCase(a) < FoldCase(b);
  }));
  EXPECT_EQ(list.front(), "abc trend") << "a lower-case name sorts among the others";
}

TEST(ChartLists, TheSystemsListStartsWithNone) {
  testing::TempFolder folder;
  EXPECT_EQ(SystemListEntries(folder.Path()), std::vector<std::string>{"None"});
  ASSERT_TRUE(WriteFileAtomically(folder / "Signals.dat", "Cross\r\n\tRSI 30\r\n\r\n").ok());
  EXPECT_EQ(SystemListEntries(folder.Path()),
            (std::vector<std::string>{"None", "Cross", "RSI 30"}));
}

TEST(ChartLists, ASystemTextComesFromTheSignalsFolder) {
  testing::TempFolder folder;
  std::filesystem::create_directories(folder / "Signals");
  ASSERT_TRUE(WriteFileAtomically(folder / "Signals" / "cross", "Sub Main\r\n\xE9\r\n").ok());
  EXPECT_EQ(ReadSystemText(folder.Path(), "Cross"), "Sub Main\r\n\xC3\xA9\r\n");
  EXPECT_EQ(ReadSystemText(folder.Path(), "None"), "");
  EXPECT_EQ(ReadSystemText(folder.Path(), "Missing"), "");
}

}  // namespace
}  // namespace chartorium
