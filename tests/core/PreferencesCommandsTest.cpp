#include "core/PreferencesCommands.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

TEST(FontText, ReadsAndWritesTheFontOfTheTitle) {
  struct Case {
    std::string_view Text;
    FontSpec Font;
    bool RoundTrips;
  };
  const Case cases[] = {
      {"Arial, 8", {}, true},
      {"Tahoma", {}, false},  // no comma: Arial 8
      {"Times New Roman, 12, Bold, Underline",
       {"Times New Roman", 12, true, false, true, false},
       true},
      {"Arial, 9, Italic, Strikeout", {"Arial", 9, false, true, false, true}, true},
      {"Courier New, 10, Bold, Italic, Underline, Strikeout",
       {"Courier New", 10, true, true, true, true},
       true},
      {"Verdana, big, Bold", {"Verdana", 8, true}, false},  // not an integer: 8
      {"Verdana,14", {"Verdana", 4}, false},  // the character after the comma is dropped
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontFromText(c.Text), c.Font) << c.Text;
    if (c.RoundTrips) {
      EXPECT_EQ(FontText(c.Font), c.Text);
    }
  }
}

class PreferencesCommands : public ::testing::Test {
 protected:
  PreferencesCommands() : workspace(folder.Path()) {}
  IniFile File() const { return *IniFile::Load(folder / "Quorex.ini"); }
  std::string Stored(std::string_view section, std::string_view key) const {
    return File().ReadString(section, key, "<absent>");
  }
  bool Cached(std::string_view name) const { return workspace.Indicators.Find(name) >= 0; }
  void CacheSeries() {
    for (const char* name : {"RSI", "Aroon Up", "Aroon Down", "Aroon Oscillator", "MACD"})
      if (!Cached(name)) workspace.Indicators.AddSeries(SeriesValues{}, "", name);
    workspace.Indicators.Overlays().AveragesValid = true;
    workspace.Indicators.Overlays().BandsValid = true;
  }

  testing::TempFolder folder;
  Workspace workspace;
};

TEST_F(PreferencesCommands, AFirstStartHasTheDefaultsAndTheirDerivedValues) {
  LoadPreferencesAtStart(workspace);
  EXPECT_EQ(workspace.Quotes().VisibleBarCount, 100);
  EXPECT_EQ(workspace.Quotes().FirstVisibleBar, 1902);
  EXPECT_TRUE(workspace.Prefs.Flag("RQ"));
  EXPECT_FALSE(std::filesystem::exists(folder / "Quorex.ini"));  // only "&Ok" writes
}

TEST_F(PreferencesCommands, OkCorrectsZeroBarsAndWritesEveryKeyInItsSection) {
  for (const std::string_view bars : {"", "0"}) {
    workspace.Prefs.Set("ENbD", bars);
    workspace.Prefs.Set("EBW", "0");
    workspace.Prefs.Set("EMCT", "13");
    workspace.Prefs.Set("C99", "255");
    workspace.Prefs.SetFlag("CBX", true);
    ASSERT_TRUE(ConfirmPreferences(workspace).ok());
    EXPECT_EQ(Stored("General", "ND"), "1") << bars;
    EXPECT_EQ(Stored("General", "EBW"), "1");
    EXPECT_EQ(workspace.Quotes().VisibleBarCount, 1);
  }
  EXPECT_EQ(Stored("General", "LMA"), "13");
  EXPECT_EQ(Stored("General", "HMA"), "51");
  EXPECT_EQ(Stored("Colors", "99"), "255");
  EXPECT_EQ(Stored("Colors", "BFon"), "Arial, 8");
  EXPECT_EQ(Stored("General", "XAxis"), "1");
  EXPECT_EQ(Stored("General", "RQ"), "1");
  EXPECT_EQ(Stored("General", "ATR"), "<absent>");
  // What was written reads back as it was confirmed.
  Preferences reloaded;
  reloaded.Load(File());
  for (const char* name : {"ENbD", "EBW", "EMCT", "C99", "CBX", "RQ", "RB", "EP3", "BFon"})
    EXPECT_EQ(reloaded.Text(name), workspace.Prefs.Text(name)) << name;
}

TEST_F(PreferencesCommands, OkDropsOnlyTheSeriesOfAChangedPeriodOrType) {
  struct Step {
    std::string_view Field;  ///< "" confirms without a change
    std::string_view Value;
    bool RsiKept;
    bool BandsKept;
    bool AveragesKept;
  };
  const Step steps[] = {
      {"", "", false, false, false},  // the file holds nothing yet
      {"", "", true, true, true},        {"ERSI", "9", false, true, true},
      {"ERSI", "9", true, true, true},   {"EBoll", "30", true, false, true},
      {"EMLT", "60", true, true, false}, {"MAT1", "2", true, true, false},
      {"M26", "30", true, true, true},
  };
  for (const Step& step : steps) {
    if (!step.Field.empty()) workspace.Prefs.Set(step.Field, step.Value);
    CacheSeries();
    ASSERT_TRUE(ConfirmPreferences(workspace).ok());
    const std::string name = step.Field.empty() ? "no change" : std::string(step.Field);
    EXPECT_EQ(Cached("RSI"), step.RsiKept) << name;
    EXPECT_EQ(workspace.Indicators.Overlays().BandsValid, step.BandsKept) << name;
    EXPECT_EQ(workspace.Indicators.Overlays().AveragesValid, step.AveragesKept) << name;
    EXPECT_TRUE(Cached("MACD")) << name;
  }
}

TEST_F(PreferencesCommands, CancelRestoresTheFileAsItIsNow) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Colors]\r\n5=255\r\n").ok());
  LoadPreferencesAtStart(workspace);
  workspace.Prefs.Set("C5", "65280");
  workspace.Prefs.Set("C16", "65280");
  workspace.Prefs.Set("ATR", "10");
  // The file changed while the dialog was open.
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Colors]\r\n5=16711680\r\n").ok());
  CancelPreferences(workspace);
  EXPECT_EQ(workspace.Prefs.Colour("C5"), 16711680u);
  EXPECT_EQ(workspace.Prefs.Colour("C16"), 0u);  // the default of a key the file lacks
  EXPECT_EQ(workspace.Prefs.Text("ATR"), "10");  // never stored
}

TEST_F(PreferencesCommands, EditsThatActAtOnce) {
  CacheSeries();
  AroonPeriodEdited(workspace);
  EXPECT_FALSE(Cached("Aroon Up"));
  EXPECT_FALSE(Cached("Aroon Down"));
  EXPECT_FALSE(Cached("Aroon Oscillator"));
  EXPECT_TRUE(Cached("RSI"));
  struct Case {
    std::string_view Bars;
    int Visible;
  };
  const Case cases[] = {{"50", 50}, {"", 50}, {"0", 1}, {"x", 1}, {"250", 250}};
  for (const Case& c : cases) {
    workspace.Prefs.Set("ENbD", c.Bars);
    BarsFieldEdited(workspace);
    EXPECT_EQ(workspace.Quotes().VisibleBarCount, c.Visible) << c.Bars;
  }
  ASSERT_TRUE(SetBarsToPlot(workspace, "75").ok());
  EXPECT_EQ(Stored("General", "ND"), "75");
  EXPECT_EQ(workspace.Quotes().VisibleBarCount, 75);
}

}  // namespace
}  // namespace chartorium
