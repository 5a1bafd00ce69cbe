#include "chart/ChartButtons.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"

namespace chartorium {
namespace {

TEST(ChartButtons, DefaultToALineChartWithBandsAndBothAverages) {
  const ChartButtons buttons = LoadChartButtons(IniFile());
  EXPECT_EQ(buttons.Type, ChartType::Line);
  EXPECT_TRUE(buttons.Overlays.BollingerBands);
  EXPECT_TRUE(buttons.Overlays.ShortAverage);
  EXPECT_TRUE(buttons.Overlays.LongAverage);
  EXPECT_FALSE(buttons.ParabolicSar);
}

TEST(ChartButtons, ReadTheirKeysAndRoundTrip) {
  const IniFile quorex = IniFile::FromText("[Graph]\r\nB1=0\r\nB5=0\r\nB8=1\r\nB20=1\r\nB13=1\r\n");
  const ChartButtons buttons = LoadChartButtons(quorex);
  EXPECT_EQ(buttons.Type, ChartType::Candles);
  EXPECT_FALSE(buttons.Overlays.BollingerBands);
  EXPECT_TRUE(buttons.ParabolicSar);
  EXPECT_TRUE(buttons.FibonacciFans);
  EXPECT_FALSE(buttons.FibonacciTimeZones);

  IniFile written;
  SaveChartButtons(written, buttons);
  EXPECT_EQ(LoadChartButtons(written), buttons);
  EXPECT_EQ(written.ReadString("Graph", "B9", "?"), "0");
  EXPECT_EQ(written.ReadString("Graph", "B8", "?"), "1");
}

}  // namespace
}  // namespace chartorium
