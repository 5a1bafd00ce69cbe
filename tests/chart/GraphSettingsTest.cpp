#include "chart/GraphSettings.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"

namespace chartorium {
namespace {

GraphSettings Changed() {
  GraphSettings settings;
  settings.Left = 10;
  settings.Top = 20;
  settings.Width = 800;
  settings.Height = 640;
  settings.PaneHeights = {90, 120, 60};
  settings.Buttons.Type = ChartType::Candles;
  settings.Buttons.Overlays.BollingerBands = false;
  settings.Buttons.ParabolicSar = true;
  settings.MarkerButton = true;
  settings.ToolWindows[1] = {150, 210, 33, 44, false};
  settings.ToolWindows[3].Visible = false;
  settings.Tools = ToolsDock::Left;
  return settings;
}

TEST(GraphSettings, AnEmptyFileGivesTheDesignedWindow) {
  const GraphSettings settings = ReadGraphSettings(IniFile{});
  EXPECT_EQ(settings, GraphSettings{});
  EXPECT_EQ(settings.Left, 147);
  EXPECT_EQ(settings.Width, 606);
  EXPECT_EQ(settings.PaneHeights[2], 74);
  EXPECT_EQ(settings.Buttons.Type, ChartType::Line);
  EXPECT_TRUE(settings.Buttons.Overlays.LongAverage);
  EXPECT_FALSE(settings.MarkerButton);
  EXPECT_TRUE(settings.ToolWindows[3].Visible);
  EXPECT_EQ(settings.Tools, ToolsDock::Top);
}

TEST(GraphSettings, RoundTripThroughTheSettingsText) {
  IniFile quorex;
  WriteGraphSettings(quorex, Changed());
  const IniFile reread = IniFile::FromText(quorex.Text());
  GraphSettings expected = Changed();
  EXPECT_EQ(ReadGraphSettings(reread), expected);
  EXPECT_EQ(reread.Find("Graph", "B8"), "1");
  EXPECT_EQ(reread.Find("Graph", "B5"), "0");
  EXPECT_EQ(reread.Find("Graph", "TW2W"), "210");
  EXPECT_EQ(reread.Find("Graph", "TB1"), "3");
}

TEST(GraphSettings, AMaximizedWindowKeepsItsLastPlaceAndPaneHeights) {
  IniFile quorex;
  WriteGraphSettings(quorex, Changed());
  GraphSettings maximized = Changed();
  maximized.Maximized = true;
  maximized.Width = 1920;
  maximized.PaneHeights[0] = 300;
  WriteGraphSettings(quorex, maximized);
  const GraphSettings read = ReadGraphSettings(quorex);
  EXPECT_TRUE(read.Maximized);
  EXPECT_EQ(read.Width, 800);
  EXPECT_EQ(read.PaneHeights[0], 90);
}

TEST(GraphSettings, UnreadableValuesKeepTheDefaults) {
  const IniFile quorex = IniFile::FromText("[Graph]\r\nIE1=0\r\nIE2=abc\r\nTB1=7\r\nWidth=x\r\n");
  const GraphSettings settings = ReadGraphSettings(quorex);
  EXPECT_EQ(settings.PaneHeights[0], 74);
  EXPECT_EQ(settings.PaneHeights[1], 74);
  EXPECT_EQ(settings.Tools, ToolsDock::Top);
  EXPECT_EQ(settings.Width, 606);
}

}  // namespace
}  // namespace chartorium
