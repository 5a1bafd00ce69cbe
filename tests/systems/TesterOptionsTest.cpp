// The tester options in "Quorex.ini" and how a test reads them.
#include "systems/TesterOptions.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/IniFile.h"
#include "macro/MacroState.h"
#include "systems/TesterFixture.h"

namespace chartorium::testing {
namespace {

TEST(TesterOptionsTest, AMissingSectionGivesTheDefaults) {
  const TesterOptions o = LoadTesterOptions(IniFile());
  EXPECT_EQ(o.InitialAmount, "100000");
  EXPECT_TRUE(o.LastQuotes);
  EXPECT_EQ(o.QuoteCount, "500");
  EXPECT_EQ(o.FromDate, "");
  EXPECT_EQ(o.ToDate, "");
  EXPECT_EQ(o.Fill, FillRule::DayClose);
  EXPECT_TRUE(o.FixedCommission);
  EXPECT_EQ(o.Fixed, "0");
  EXPECT_EQ(o.Percentage, "0");
  EXPECT_EQ(o.Maximum, "20");
  EXPECT_FALSE(o.KeepStock);
  EXPECT_EQ(o.KeepDays, "10");
  EXPECT_FALSE(o.BuyMaximum);
  EXPECT_TRUE(o.MaximumIsShares);
  EXPECT_EQ(o.MaximumShares, "1000");
  EXPECT_EQ(o.MaximumPercent, "");
}

TEST(TesterOptionsTest, SavedOptionsLoadBackAndOtherKeysStay) {
  IniFile ini = IniFile::FromText("[FBS]\r\nLeft=40\r\nCh1=1\r\n");
  TesterOptions o;
  o.InitialAmount = "2500";
  o.QuoteCount = "250";
  o.FromDate = "01/02/2003";
  o.ToDate = "04/05/2006";
  o.Fill = FillRule::NextOpen;
  o.FixedCommission = false;
  o.Fixed = "9.5";
  o.Percentage = "0.25";
  o.Maximum = "12";
  o.KeepStock = true;
  o.KeepDays = "7";
  o.BuyMaximum = true;  // not stored
  SaveTesterOptions(o, ini);
  EXPECT_EQ(ini.Find("FBS", "OC"), "0");
  EXPECT_EQ(ini.Find("FBS", "OO"), "1");
  EXPECT_EQ(ini.Find("FBS", "RON"), "0");
  EXPECT_EQ(ini.Find("FBS", "RBF"), "0");
  EXPECT_EQ(ini.Find("FBS", "RBP"), "1");
  EXPECT_EQ(ini.Find("FBS", "RKm"), "1");
  EXPECT_EQ(ini.Find("FBS", "Left"), "40");
  EXPECT_EQ(ini.Find("FBS", "Ch1"), "1");
  EXPECT_FALSE(ini.Find("FBS", "ChM").has_value());

  const TesterOptions back = LoadTesterOptions(IniFile::FromText(ini.Text()));
  EXPECT_EQ(back.InitialAmount, "2500");
  EXPECT_EQ(back.QuoteCount, "250");
  EXPECT_EQ(back.FromDate, "01/02/2003");
  EXPECT_EQ(back.ToDate, "04/05/2006");
  EXPECT_EQ(back.Fill, FillRule::NextOpen);
  EXPECT_FALSE(back.FixedCommission);
  EXPECT_EQ(back.Fixed, "9.5");
  EXPECT_EQ(back.Percentage, "0.25");
  EXPECT_EQ(back.Maximum, "12");
  EXPECT_TRUE(back.KeepStock);
  EXPECT_EQ(back.KeepDays, "7");
  EXPECT_FALSE(back.BuyMaximum);
}

TEST(TesterOptionsTest, AnEmptyAmountIsTheDefaultAmount) {
  EXPECT_EQ(LoadTesterOptions(IniFile::FromText("[FBS]\r\nAm=\r\n")).InitialAmount, "100000");
  EXPECT_EQ(LoadTesterOptions(IniFile::FromText("[FBS]\r\nAm=abc\r\n")).InitialAmount, "abc");
}

struct RadioCase {
  const char* Text;
  FillRule Fill;
  bool Fixed;
};

// Each group is a set of radio buttons read in order: the last one checked wins.
TEST(TesterOptionsTest, RadioGroupsReadAsTheWindowReadsThem) {
  const std::vector<RadioCase> cases = {
      {"", FillRule::DayClose, true},
      {"OC=0\r\nRON=1\r\n", FillRule::NextClose, true},
      {"OC=1\r\nOO=1\r\n", FillRule::NextOpen, true},
      {"OC=0\r\nOO=0\r\nRON=0\r\n", FillRule::NextClose, true},
      {"RBF=0\r\n", FillRule::DayClose, false},
      {"RBF=1\r\nRBP=1\r\n", FillRule::DayClose, false},
      {"RBF=1\r\nRBP=0\r\n", FillRule::DayClose, true},
  };
  for (const RadioCase& c : cases) {
    const TesterOptions o = LoadTesterOptions(IniFile::FromText(std::string("[FBS]\r\n") + c.Text));
    EXPECT_EQ(o.Fill, c.Fill) << c.Text;
    EXPECT_EQ(o.FixedCommission, c.Fixed) << c.Text;
  }
}

TEST_F(TesterFixture, ReadingTheOptionsSetsTheAccountAndCommissions) {
  options.InitialAmount = "1500.9";
  options.FixedCommission = false;
  options.Fixed = "7.25";
  options.Percentage = "0.5";
  options.Maximum = "ten";
  options.Fill = FillRule::NextClose;
  ReadTesterOptions(options, Ws());
  EXPECT_EQ(Run().TradingAccount, 1500);
  EXPECT_FALSE(Run().CommissionIsFixed);
  EXPECT_EQ(Run().FixedCommission, 7.25F);
  EXPECT_EQ(Run().CommissionPercent, 0.5F);
  EXPECT_EQ(Run().MaxCommission, 0);
  EXPECT_FALSE(Ws().Macros.Fill.OnDayClose);
  EXPECT_FALSE(Ws().Macros.Fill.OnNextOpen);
  options.Fill = FillRule::NextOpen;
  options.InitialAmount = "";
  ReadTesterOptions(options, Ws());
  EXPECT_EQ(Run().TradingAccount, 0);
  EXPECT_TRUE(Ws().Macros.Fill.OnNextOpen);
}

}  // namespace
}  // namespace chartorium::testing
