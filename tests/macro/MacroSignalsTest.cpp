// Trading-system methods run through Exec in the system tester's host:
// signal codes, entry prices, automatic stops, bar marks, crossings and GetSignal.
#include "macro/MacroLang.h"

#include "macro/MacroFixture.h"
#include "macro/MacroState.h"

namespace chartorium::testing {
namespace {

class MacroSignals : public MacroFixture {
 protected:
  MacroSignals() { SetCloses({100, 104, 98, 110, 90, 95}); }
  int Code(int place) { return Run().SignalArray[static_cast<std::size_t>(place)]; }
};

TEST_F(MacroSignals, PlaceZeroAndPlacesPastTheArraysMeanTheCurrentBar) {
  ASSERT_TRUE(RunSystem("CurrentBar = 3\nBuy(0)\nCurrentBar = 4\nSell(2002)\nShort 5", 1, 6));
  EXPECT_EQ(Code(3), SignalBuy);
  EXPECT_EQ(Code(4), SignalSell);
  EXPECT_EQ(Code(5), SignalShort);
  EXPECT_EQ(Code(1), 0);
}

TEST_F(MacroSignals, PlacesThatNameNoBarAreIgnored) {
  ASSERT_TRUE(RunSystem("Buy(-1)\nCurrentBar = 0\nSell(0)\nCurrentBar = 3000\nShort(0)", 1, 6));
  for (int p = 0; p <= MaxQuotes; ++p) ASSERT_EQ(Code(p), 0) << p;
  EXPECT_EQ(Run().LastAction, 0);
}

TEST_F(MacroSignals, BuyOnACoverAndShortOnASellCombine) {
  ASSERT_TRUE(RunSystem("Cover 2\nBuy 2\nSell 3\nShort 3\nBuy 4\nShort 4\nNeutral 4", 1, 6));
  EXPECT_EQ(Code(2), SignalCoverAndBuy);
  EXPECT_EQ(Code(3), SignalSellAndShort);
  EXPECT_EQ(Code(4), SignalNeutral);
}

TEST_F(MacroSignals, LastActionHoldsTheSignalInForceBefore) {
  ASSERT_TRUE(
      RunSystem("Buy 1\nSell 2\nx = LastSignal()\nShort 3\ny = LastSignal()", 1, 6, "x, y"));
  EXPECT_EQ(TesterValue("x"), 1);
  EXPECT_EQ(TesterValue("y"), -1);
  EXPECT_EQ(TesterValue("Signal"), 2);
  EXPECT_EQ(Run().LastAction, -1);
}

TEST_F(MacroSignals, EntryPriceFollowsTheFillOptions) {
  struct Row {
    bool OnDayClose;
    bool OnNextOpen;
    const char* Body;
    Single Expected;
  };
  const Row rows[] = {
      {true, false, "Buy 2", 104},    // this bar's close
      {false, true, "Buy 2", 97.5F},  // next bar's open
      {false, false, "Buy 2", 98},    // next bar's close
      {false, true, "Buy 6", 95},     // last bar: its close
      {false, true, "Short 2", 104},  // a short always takes the close
      {true, false, "Buy 2\nSell 3", 0},
  };
  for (const Row& row : rows) {
    Ws().Macros.Fill = {row.OnDayClose, row.OnNextOpen};
    ASSERT_TRUE(RunSystem(row.Body, 1, 6));
    EXPECT_EQ(Run().EntryPrice, row.Expected) << row.Body;
    EXPECT_EQ(Run().HighSinceEntry, row.Expected) << row.Body;
    EXPECT_EQ(Run().LowSinceEntry, row.Expected) << row.Body;
  }
}

// A long entry at 100 on bar 1, then ApplyAutoStops on each later bar before
// a Buy on the same bar.
constexpr const char* LongWithStops =
    "Buy 1\n"
    "For CurrentBar = 2 To 6\n"
    "  ApplyAutoStops\n"
    "  Buy CurrentBar\n"
    "Next\n";

TEST_F(MacroSignals, StopsFireAndBlockLaterSignalsOnTheBar) {
  struct Row {
    const char* Settings;
    int FiredAt;  // the first bar holding the stop's Sell
  };
  const Row rows[] = {
      {"SetStopLoss -2", 3},      // 98 is 2 % below 100
      {"ProfitTarget 3.5", 2},    // 104 is 4 % above 100
      {"SetTrailingStop 10", 5},  // 90 is 18 % below the highest close 110
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(RunSystem(std::string(row.Settings) + "\n" + LongWithStops, 1, 6));
    for (int p = 2; p < row.FiredAt; ++p) EXPECT_EQ(Code(p), SignalBuy) << row.Settings << p;
    EXPECT_EQ(Code(row.FiredAt), SignalSell) << row.Settings;
  }
}

TEST_F(MacroSignals, ShortStopsCover) {
  ASSERT_TRUE(
      RunSystem("SetStopLoss 3\nShort 1\nFor CurrentBar = 2 To 3\nApplyAutoStops\n"
                "Short CurrentBar\nNext",
                1, 6));
  EXPECT_EQ(Code(2), SignalCover);  // 104 is 4 % against a short at 100
  // The stop blocked bar 2's Short; bar 3 has no position to guard.
  EXPECT_EQ(Code(3), SignalShort);
}

// The signal methods keep CurrentBar and Signal by handles found once: they
// must still reach the variables when a later run adds its script again and
// after the tester host is Reset and given a new macro object.
TEST_F(MacroSignals, SignalsFollowTheScriptVariablesAcrossRunsAndAResetHost) {
  const std::string system =
      "SetStopLoss 5\n"
      "For CurrentBar = 2 To 6\n"
      "  ApplyAutoStops\n"
      "  If CurrentBar = 3 Then Buy 0\n"
      "  If Signal = 1 Then AddText \"long\"\n"
      "Next\n"
      "last = LastSignal()";
  enum class Before { Nothing, AnotherSystem, ResetHost };
  for (const Before before : {Before::Nothing, Before::AnotherSystem, Before::ResetHost}) {
    SCOPED_TRACE(static_cast<int>(before));
    if (before == Before::AnotherSystem) ASSERT_TRUE(RunSystem("Short 2\nCover 4", 1, 6));
    if (before == Before::ResetHost) {
      TesterScript().Reset();
      AddMacroObject(TesterScript(), Ws());
    }
    ASSERT_TRUE(RunSystem(system, 1, 6, "last"));
    EXPECT_EQ(Code(2), 0);
    EXPECT_EQ(Code(3), SignalBuy);
    // 90 at bar 5 is 8 % below the entry at 98: the stop loss sells.
    EXPECT_EQ(Code(5), SignalSell);
    EXPECT_EQ(Run().BarTextArray[3], "long");
    EXPECT_EQ(Run().BarTextArray[4], "long");
    EXPECT_EQ(Run().BarTextArray[5], "");
    EXPECT_EQ(TesterValue("Signal"), SignalSell);
    EXPECT_EQ(TesterValue("last"), SignalBuy);
    EXPECT_TRUE(Errors().empty());
  }
}

TEST_F(MacroSignals, BadBarsOfAddTextAndSetBarColorAreScriptErrors) {
  EXPECT_FALSE(RunSystem("CurrentBar = 0\nAddText \"x\"", 1, 6));
  EXPECT_EQ(TesterScript().LastError().Number, 9);
  EXPECT_FALSE(RunSystem("SetBarColor 2002, 1", 1, 6));
  EXPECT_EQ(TesterScript().LastError().Number, 9);
  EXPECT_EQ(Errors().size(), 2u);
}

TEST_F(MacroSignals, LimitOrdersCompareWithTheClose) {
  ASSERT_TRUE(
      RunSystem("BuyAtLimit 2, 103\nBuyAtLimit 3, 98\nSellAtLimit 4, 111\n"
                "SellAtLimit 5, 90\nBuyAtLimit 0, 1000",
                1, 6));
  EXPECT_EQ(Code(2), 0);
  EXPECT_EQ(Code(3), SignalBuy);
  EXPECT_EQ(Code(4), 0);
  EXPECT_EQ(Code(5), SignalSell);
}

TEST_F(MacroSignals, ChangesSinceTheEntry) {
  ASSERT_TRUE(
      RunSystem("a = VarSinceLastBuy()\nBuy 1\nCurrentBar = 4\nb = VarSinceLastBuy()\n"
                "c = VarSinceLastAction()\nShort 2\nd = VarSinceLastAction()\n"
                "CurrentBar = 0\nCurrentDay = 3\ne = VarSinceLastBuy()\n"
                "f = IsEmpty(VarSinceLastAction())\nCurrentBar = 4\nCover 4\n"
                "g = VarSinceLastAction()",
                1, 6, "a, b, c, d, e, f, g, CurrentDay"));
  auto value = [&](const char* name) { return TesterValue(name); };
  EXPECT_EQ(value("a"), 0);
  EXPECT_NEAR(value("b"), 10, 1e-9);                         // 110 against 100
  EXPECT_NEAR(value("c"), 10, 1e-9);                         // long
  EXPECT_NEAR(value("d"), (104.0 - 110) / 104 * 100, 1e-9);  // short at 104
  EXPECT_NEAR(value("e"), (98.0 - 104) / 104 * 100, 1e-9);   // CurrentDay
  EXPECT_EQ(value("f"), -1);                                 // no bar: Empty
  EXPECT_EQ(value("g"), 0);                                  // after a cover the entry price is 0
}

TEST_F(MacroSignals, AccountsAndCommission) {
  ASSERT_TRUE(
      RunSystem("SetTradingAccount 5000\nSetMarginAccount 2500.5\nSetCommission 9.5", 1, 6));
  EXPECT_EQ(Run().TradingAccount, 5000);
  EXPECT_EQ(Run().MarginAccount, 2500.5F);
  EXPECT_EQ(Run().ShortAndHoldAmount, 2500.5F);
  EXPECT_TRUE(Run().CommissionIsFixed);
  EXPECT_EQ(Run().FixedCommission, 9.5F);
}

TEST_F(MacroSignals, CrossIsTrueOnlyOnTheCrossingBar) {
  // Opens are Close - 0.5, so "close" never crosses "open"; the flat array
  // at 101 is crossed on bar 2 (100 -> 104) and bar 4 (98 -> 110).
  ASSERT_TRUE(RunSystem(
      "Dim flat(6)\nFor i = 0 To 6: flat(i) = 101: Next\n"
      "For CurrentBar = 1 To 6\n"
      "  If Cross(GetClose(), flat, CurrentBar) Then AddText \"up\"\n"
      "  If Cross(flat, GetClose(), CurrentBar) Then AddText \"down\"\n"
      "Next\n"
      "t1 = Cross(\"close\", \"open\", 2)\nt2 = Cross(\"open\", \"close\", 3)\n"
      "n1 = Cross(5, \"close\", 2)\nn2 = Cross(1, 2, 2)\nn3 = Cross(GetClose(), GetOpen(), 1)\n"
      "n4 = Cross(flat, GetClose(), 7)",
      1, 6, "t1, t2, n1, n2, n3, n4"));
  const std::string expected[] = {"", "", "up", "down", "up", "down", ""};
  for (int p = 1; p <= 6; ++p) EXPECT_EQ(Run().BarTextArray[p], expected[p]) << p;
  auto value = [&](const char* name) { return TesterValue(name); };
  EXPECT_EQ(value("t1"), 0);
  EXPECT_EQ(value("t2"), 0);
  EXPECT_EQ(value("n1"), 0);
  EXPECT_EQ(value("n2"), 0);
  EXPECT_EQ(value("n3"), 0);  // place 1 has no bar before it
  EXPECT_EQ(value("n4"), 0);  // beyond the script array's bound
}

TEST_F(MacroSignals, CrossOfTwoNamedSeries) {
  // "rise" and "fall" are custom indicators: rise 1,2,3..., fall 3,3,3...
  AddCustomIndicators({{"rise", "Sub Main()\nFor i = 1 To 6: SetValue i, i: Next\nEnd Sub\n"},
                       {"fall", "Sub Main()\nFor i = 1 To 6: SetValue i, 3: Next\nEnd Sub\n"}});
  ASSERT_TRUE(
      RunSystem("For CurrentBar = 2 To 6\nIf Cross(\"rise\", \"fall\", CurrentBar) Then "
                "AddText \"x\"\nNext",
                1, 6));
  for (int p = 1; p <= 6; ++p) EXPECT_EQ(Run().BarTextArray[p], p == 3 ? "x" : "") << p;
}

TEST_F(MacroSignals, CloseCrossesItsAverageWhereItReachesIt) {
  // A 3-bar simple average: 0, 0, 10, 9, 8, 7, 9, 11, 13.
  Ws().Prefs.Set("EMCT", "3");
  Ws().Prefs.Set("MAT1", "0");
  SetCloses({10, 10, 10, 7, 7, 7, 13, 13, 13});
  ASSERT_TRUE(
      RunSystem("For CurrentBar = 1 To 9\nIf Cross(\"close\", \"sma\", CurrentBar) Then "
                "AddText \"x\"\nNext",
                1, 9));
  for (int p = 1; p <= 9; ++p) EXPECT_EQ(Run().BarTextArray[p], p == 6 ? "x" : "") << p;
}

TEST_F(MacroSignals, CrossWithAnArrayBeyondItsBoundIsAScriptError) {
  EXPECT_FALSE(RunSystem("Dim a(3)\nx = Cross(a, \"close\", 5)", 1, 6));
  EXPECT_EQ(TesterScript().LastError().Number, 9);
}

TEST_F(MacroSignals, GetSignalRunsTheNamedSystemOnOneBar) {
  WriteFile("Signals/Every",
            "Sub Main()\nFor CurrentBar = BeginBar To EndBar\n"
            "If Close(CurrentBar) > 100 Then Buy 0 Else Sell 0\nNext\nEnd Sub\n");
  EXPECT_EQ(Text("GetSignal(\"every\", 4)"), "Buy");
  EXPECT_EQ(Text("GetSignal(\"Every\", 3)"), "Sell");
  EXPECT_EQ(Code(4), 0);  // the run was on bar 3 alone
  EXPECT_EQ(Text("GetSignal(\"Missing\", 3)"), "");
  EXPECT_EQ(Eval("GetSignal(\"Every\", 7)").Type(), vbscript::VarType::String);
  EXPECT_EQ(Text("GetSignal(\"Every\", 7)"), "");
  EXPECT_TRUE(Eval("GetSignal(\"Every\", 0)").IsEmpty());
}

TEST_F(MacroSignals, ASystemAskingForItsOwnSignalGetsNoAnswer) {
  WriteFile("Signals/Loop",
            "Dim inner\nSub Main()\ninner = GetSignal(\"loop\", 2)\n"
            "Buy EndBar\nEnd Sub\n");
  EXPECT_EQ(Text("GetSignal(\"Loop\", 2)"), "Buy");
  EXPECT_EQ(vbscript::ToString(TesterScript().Eval("inner").Value), "");
}

}  // namespace
}  // namespace chartorium::testing
