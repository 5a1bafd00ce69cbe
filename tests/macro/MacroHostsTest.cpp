// Custom indicator runs, the builder's text check, the tester host's set-up
// and the script error report.
#include "macro/MacroHosts.h"

#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"
#include "macro/MacroFixture.h"

namespace chartorium::testing {
namespace {

class MacroHosts : public MacroFixture {
 protected:
  MacroHosts() { SetCloses({10, 12, 11, 15, 14}); }

  /// Computes the custom indicator `name` and returns its cache slot.
  int Compute(const std::string& name) {
    Shown(ComputeIndicator(Ws(), name));
    const int slot = Ws().Indicators.Find(name);
    EXPECT_GE(slot, 0) << name;
    return slot;
  }
  Single Value(const std::string& name, int place) {
    return Ws().Indicators.Value(Ws().Indicators.Find(name), place);
  }
};

std::string Macro(const std::string& body) {
  return "Sub Main()\n" + body + "\nEnd Sub\n";
}

TEST_F(MacroHosts, LevelsTextJoinsLevelsColourAndHistogram) {
  struct Row {
    const char* Name;
    const char* Body;
    const char* Expected;
  };
  const Row rows[] = {
      {"Bands", "Level 20\nLevel(80)\nSetIndicColor 255",
       "20;80;\xC2\xA8"
       "255*0"},
      {"Bars", "SetHistogram", "\xC2\xA8*-1"},
      {"Plain", "SetValue 1, 1", "\xC2\xA8*0"},
      {"Rounded", "SetIndicColor 254.5\nLevel 0.5",
       "0.5;\xC2\xA8"
       "254*0"},
  };
  std::vector<std::pair<std::string, std::string>> list;
  for (const Row& row : rows) list.emplace_back(row.Name, Macro(row.Body));
  AddCustomIndicators(list);
  for (const Row& row : rows) {
    const int slot = Compute(row.Name);
    EXPECT_EQ(Ws().Indicators.LevelsText(slot), row.Expected) << row.Name;
    EXPECT_EQ(Ws().Indicators.Name(slot), row.Name);
  }
  EXPECT_TRUE(Errors().empty());
}

TEST_F(MacroHosts, ValuesConstantsAndPlacesBeyondTheBars) {
  AddCustomIndicators({{"Consts", Macro("SetValue 1, Last\nSetValue 2, BarsCount\n"
                                        "SetValue 3, MaxBars\nSetValue 4.5, 7\nSetValue 0, 9\n"
                                        "SetValue 2002, 9\nSetValue 2001, 3.25")},
                       {"Copy", Macro("SetIndic GetClose()")},
                       {"Short", Macro("Dim v(2)\nv(0) = 8: v(1) = 5: v(2) = 6\nSetIndic v")},
                       {"Long", Macro("Dim w(2500)\nw(2001) = 4: w(2002) = 5\nSetIndic w")}});
  Compute("Consts");
  EXPECT_EQ(Value("Consts", 1), 5);
  EXPECT_EQ(Value("Consts", 2), 5);
  EXPECT_EQ(Value("Consts", 3), 2001);
  EXPECT_EQ(Value("Consts", 4), 7);  // 4.5 rounds half to even
  EXPECT_EQ(Value("Consts", 5), 0);
  EXPECT_EQ(Value("Consts", 2001), 3.25F);
  Compute("Copy");
  for (int p = 1; p <= 5; ++p) EXPECT_EQ(Value("Copy", p), Ws().Quotes().BarSeries[p].Close);
  Compute("Short");
  EXPECT_EQ(Value("Short", 1), 5);
  EXPECT_EQ(Value("Short", 2), 6);
  EXPECT_EQ(Value("Short", 3), 0);
  Compute("Long");  // elements past 2001 are left out
  EXPECT_EQ(Value("Long", 2001), 4);
  EXPECT_EQ(Value("Long", 2000), 0);
}

TEST_F(MacroHosts, ASyntaxErrorIsReportedAtItsLineAndLeavesZeros) {
  AddCustomIndicators({{"Broken", "Sub Main()\nSetValue 1, 5\nIf Then\nEnd Sub\n"}});
  const int slot = Compute("Broken");
  for (int p = 1; p <= MaxQuotes; ++p) ASSERT_EQ(Ws().Indicators.Value(slot, p), 0) << p;
  EXPECT_EQ(Ws().Indicators.LevelsText(slot), "");
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Errors()[0].rfind("Error: Microsoft VBScript compilation error:\r\n\r\n'", 0), 0u)
      << Errors()[0];
  EXPECT_NE(Errors()[0].find("'\r\n\r\nat line:3, char:"), std::string::npos) << Errors()[0];
}

TEST_F(MacroHosts, ARunTimeErrorKeepsWhatWasSetWithoutColourAndHistogram) {
  AddCustomIndicators({{"Half", Macro("SetValue 1, 5\nLevel 30\nSetIndicColor 9\nSetHistogram\n"
                                      "x = 1 / 0\nSetValue 2, 6")}});
  const int slot = Compute("Half");
  EXPECT_EQ(Ws().Indicators.Value(slot, 1), 5);
  EXPECT_EQ(Ws().Indicators.Value(slot, 2), 0);
  EXPECT_EQ(Ws().Indicators.LevelsText(slot), "30;");
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_NE(Errors()[0].find("at line:6,"), std::string::npos) << Errors()[0];
}

TEST_F(MacroHosts, NestedRunsKeepTheOuterValues) {
  AddCustomIndicators(
      {{"Outer", Macro("SetValue 1, 11\nx = GetValue(\"inner\", 1)\nr = GetValue(\"rsi\", 5)\n"
                       "SetValue 2, x + 1")},
       {"Inner", Macro("SetValue 1, 5\nLevel 1")}});
  Compute("Outer");
  EXPECT_EQ(Value("Outer", 1), 11);
  EXPECT_EQ(Value("Outer", 2), 6);
  EXPECT_EQ(Value("Inner", 1), 5);
  // The inner series was added while the outer one ran.
  EXPECT_LT(Ws().Indicators.Find("inner"), Ws().Indicators.Find("outer"));
  EXPECT_EQ(Ws().Indicators.LevelsText(Ws().Indicators.Find("inner")), "1;\xC2\xA8*0");
}

// An error ends only the run it happens in. The outer run goes on with the
// inner one's zeros and brings its error back, once however often it reads
// the series, before its own error when it fails too.
TEST_F(MacroHosts, AnInnerRunsErrorComesBackWithTheOuterRun) {
  AddCustomIndicators({{"Broken", "Sub Main()\nSetValue 1, 5\nIf Then\nEnd Sub\n"},
                       {"Reader", Macro("SetValue 1, GetValue(\"broken\", 1) + 7\n"
                                        "SetValue 2, HHV(\"Broken\", 1, 5) + 8")},
                       {"Failing", Macro("x = GetValue(\"Broken\", 1)\ny = 1 / 0")}});
  const MacroStatus read = ComputeIndicator(Ws(), "Reader");
  EXPECT_TRUE(read.ok());
  ASSERT_EQ(read.Errors().size(), 1u);
  EXPECT_EQ(read.Errors()[0].Source, "Microsoft VBScript compilation error");
  EXPECT_EQ(read.Errors()[0].Line, 3);
  EXPECT_EQ(Value("Reader", 1), 7);
  EXPECT_EQ(Value("Reader", 2), 8);
  EXPECT_TRUE(Dialogs().Messages.empty());

  // Broken is cached now: a later reader runs it no more and hears nothing of it.
  const MacroStatus failed = ComputeIndicator(Ws(), "Failing");
  EXPECT_FALSE(failed.ok());
  ASSERT_EQ(failed.Errors().size(), 1u);
  EXPECT_EQ(failed.Errors()[0].Description, "Division by zero");

  Ws().Indicators.Clear();
  const MacroStatus both = ComputeIndicator(Ws(), "Failing");
  EXPECT_FALSE(both.ok());
  ASSERT_EQ(both.Errors().size(), 2u);
  EXPECT_EQ(both.Errors()[0].Line, 3);  // Broken's, met first
  EXPECT_EQ(both.Errors()[1].Line, 3);  // Failing's own: the third line of its text
  EXPECT_EQ(both.Errors()[1].Description, "Division by zero");
}

// A system asking GetSignal for another runs it in the tester's host, inside
// its own run there: the errors the outer run met before stay with it.
TEST_F(MacroHosts, TheErrorsOfASignalsRunComeBackWithTheCallersRun) {
  AddCustomIndicators({{"Broken", "Sub Main()\nSetValue 1, 5\nIf Then\nEnd Sub\n"},
                       {"Asks", Macro("SetValue 1, Len(GetSignal(\"Bad\", 2))")}});
  WriteFile("Signals/Bad", "Sub Main()\nBuy 2\nx = 1 / 0\nEnd Sub\n");
  ASSERT_TRUE(RunSystem("a = GetValue(\"Broken\", 1)\ns = GetSignal(\"Bad\", 2)\nSell 3", 1, 5));
  ASSERT_EQ(Errors().size(), 2u);
  EXPECT_NE(Errors()[0].find("compilation error"), std::string::npos) << Errors()[0];
  EXPECT_NE(Errors()[1].find("'Division by zero'"), std::string::npos) << Errors()[1];
  EXPECT_EQ(Run().SignalArray[3], SignalSell);  // the caller went on to its end

  // From a custom indicator the same: its run carries the system's error.
  const MacroStatus asked = ComputeIndicator(Ws(), "Asks");
  EXPECT_TRUE(asked.ok());
  ASSERT_EQ(asked.Errors().size(), 1u);
  EXPECT_EQ(asked.Errors()[0].Description, "Division by zero");
  EXPECT_EQ(Value("Asks", 1), 3);  // "Buy" was recorded before the error
}

TEST_F(MacroHosts, AMacroAskingForItselfReadsZero) {
  AddCustomIndicators({{"Self", Macro("SetValue 1, GetValue(\"self\", 1) + 1\n"
                                      "SetValue 2, HHV(\"Self\", 1, 5) + 2")}});
  Compute("Self");
  EXPECT_EQ(Value("Self", 1), 1);
  EXPECT_EQ(Value("Self", 2), 2);
  EXPECT_EQ(Ws().Indicators.SeriesCount(), 1);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(MacroHosts, TheTesterHostHasItsColourConstants) {
  struct Row {
    const char* Name;
    double Value;
  };
  const Row rows[] = {{"clDarkBlue", 8388608}, {"clYellow", 65535},
                      {"clGray", 12632256},    {"clBlack", 0},
                      {"clLightGreen", 65280}, {"clDarkGreen", 32768},
                      {"clLightRed", 255},     {"clDarkRed", 66974},
                      {"clBrown", 3094137},    {"clLightBlue", 16711680},
                      {"clWhite", 16777215}};
  for (const Row& row : rows) {
    const vbscript::ScriptResult value = TesterScript().Eval(row.Name);
    ASSERT_TRUE(value.Ok) << row.Name;
    EXPECT_EQ(vbscript::ToDouble(value.Value), row.Value) << row.Name;
  }
}

TEST_F(MacroHosts, CheckingATextLeavesTheTesterHostAlone) {
  ASSERT_TRUE(RunSystem("kept = clYellow", 1, 5, "kept"));
  EXPECT_TRUE(Shown(CheckIndicatorText(Ws(), Macro("x = Last + BarsCount + MaxBars"))));
  EXPECT_TRUE(Errors().empty());
  EXPECT_FALSE(Shown(CheckIndicatorText(Ws(), "Sub Main()\n\nx = (\nEnd Sub\n")));
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_NE(Errors()[0].find("at line:3,"), std::string::npos) << Errors()[0];
  EXPECT_EQ(TesterValue("kept"), 65535);
  EXPECT_EQ(TesterValue("clWhite"), 16777215);
  // Nothing was run: no series was added.
  EXPECT_FALSE(CheckIndicatorText(Ws(), Macro("Next")).ok());
  EXPECT_EQ(Ws().Indicators.SeriesCount(), 0);
}

}  // namespace
}  // namespace chartorium::testing
