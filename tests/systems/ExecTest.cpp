// The system run: its resets, the tester host's script variables, code that
// replaces the previous run's, errors, and the demo systems on a long stock.
#include "systems/Exec.h"

#include <cmath>
#include <vector>

#include "core/DemoLibrary.h"
#include "core/DemoMacros.h"
#include "macro/MacroFixture.h"
#include "macro/MacroState.h"

namespace chartorium::testing {
namespace {

class ExecTest : public MacroFixture {
 protected:
  ExecTest() { SetCloses({100, 104, 98, 110, 90, 95}); }
  int Code(int place) { return Run().SignalArray[static_cast<std::size_t>(place)]; }
};

TEST_F(ExecTest, ExecResetsMarksAndStopsAndKeepsTheHostsGlobals) {
  ASSERT_TRUE(
      RunSystem("SetStopLoss 3\nCurrentBar = 2\nAddText \"hi\"\nSetBarColor 4, clYellow\n"
                "Buy 1\nkept = 42",
                2, 4, "kept"));
  EXPECT_EQ(Run().BarTextArray[2], "hi");
  EXPECT_EQ(Run().BarColorArray[4], 65535);
  EXPECT_EQ(Run().BarColorArray[3], -1);
  EXPECT_EQ(Run().BarColorArray[1], 0);
  EXPECT_EQ(Run().BarColorArray[5], 0);
  EXPECT_EQ(Run().StopLossPercent, 3);
  ASSERT_TRUE(RunSystem("again = kept + BeginBar + EndBar", 5, 5, "again"));
  EXPECT_EQ(Code(1), 0);
  EXPECT_EQ(Run().BarTextArray[2], "");
  EXPECT_EQ(Run().BarColorArray[4], 0);
  EXPECT_EQ(Run().BarColorArray[5], -1);
  EXPECT_EQ(Run().StopLossPercent, 0);
  EXPECT_EQ(TesterValue("again"), 52);
}

TEST_F(ExecTest, EveryRunStartsFromFreshRunVariables) {
  ASSERT_TRUE(RunSystem("Short 2\nCurrentBar = 4\nLastBuyPrice = 7", 1, 6));
  EXPECT_EQ(TesterValue("Signal"), 2);
  ASSERT_TRUE(RunSystem("s = Signal: c = CurrentBar: l = LastBuyPrice: b = BeginBar: e = EndBar", 3,
                        5, "s, c, l, b, e"));
  EXPECT_EQ(TesterValue("s"), 0);
  EXPECT_EQ(TesterValue("c"), 0);
  EXPECT_EQ(TesterValue("l"), 0);
  EXPECT_EQ(TesterValue("b"), 3);
  EXPECT_EQ(TesterValue("e"), 5);
  EXPECT_EQ(Code(2), 0);
}

TEST_F(ExecTest, ALaterSystemsMainReplacesTheEarlierOne) {
  ASSERT_TRUE(RunSystem("Buy 1", 1, 6));
  ASSERT_TRUE(RunSystem("Sell 2", 1, 6));
  EXPECT_EQ(Code(1), 0);
  EXPECT_EQ(Code(2), SignalSell);
}

// The chart runs the same system again at every repaint: declaring its
// globals and constants again is no error.
TEST_F(ExecTest, TheSameSystemWithGlobalsRunsAgain) {
  const std::string system =
      "Dim count\nConst Step = 2\nSub Main()\ncount = count + Step\n"
      "Buy count\nEnd Sub\n";
  ASSERT_TRUE(Shown(Exec(Ws(), system, 1, 6)));
  ASSERT_TRUE(Shown(Exec(Ws(), system, 1, 6)));
  EXPECT_TRUE(Errors().empty());
  EXPECT_TRUE(Code(2) == SignalBuy || Code(4) == SignalBuy);
}

TEST_F(ExecTest, ASystemDeclaringTheRunVariablesItselfIsStillRead) {
  ASSERT_TRUE(RunSystem("CurrentBar = 3\nSignal = 2\nBuy 0\nx = LastSignal()", 1, 6,
                        "CurrentBar, Signal, x"));
  EXPECT_EQ(Code(3), SignalBuy);
  EXPECT_EQ(TesterValue("x"), 2);
  ASSERT_TRUE(RunSystem("CurrentBar = 4\nSell 0", 1, 6, "CurrentBar, Signal"));
  EXPECT_EQ(Code(4), SignalSell);
  EXPECT_EQ(Run().LastAction, 0);  // Signal was set to 0 by the run
}

TEST_F(ExecTest, AScriptErrorEndsTheRunAndIsReportedOnce) {
  EXPECT_FALSE(RunSystem("Buy 1\nx = 1 / 0\nBuy 2", 1, 6));
  EXPECT_EQ(Code(1), SignalBuy);
  EXPECT_EQ(Code(2), 0);
  ASSERT_EQ(Errors().size(), 1u);
  EXPECT_NE(Errors()[0].find("'Division by zero'\r\n\r\nat line:3,"), std::string::npos)
      << Errors()[0];
}

// The run shows nothing itself: the chart ignores the error and only turns
// its signals off, the tester shows it.
TEST_F(ExecTest, AScriptErrorComesBackAsAValue) {
  const MacroStatus status = Exec(Ws(), "Sub Main()\nBuy 1\nx = 1 / 0\nEnd Sub", 1, 6);
  EXPECT_FALSE(status.ok());
  ASSERT_EQ(status.Errors().size(), 1u);
  const MacroError& error = status.Errors()[0];
  EXPECT_EQ(error.Number, 11);
  EXPECT_EQ(error.Source, "Microsoft VBScript runtime error");
  EXPECT_EQ(error.Description, "Division by zero");
  EXPECT_EQ(error.Line, 3);
  EXPECT_TRUE(Dialogs().Messages.empty());
  EXPECT_EQ(Code(1), SignalBuy);
}

// GetSignal inside a system runs the other system in the same host: its
// Main replaces the caller's and its run replaces the caller's signals, while
// the caller's Main goes on to its end.
TEST_F(ExecTest, GetSignalInsideASystemRunsInTheSameHost) {
  WriteFile("Signals/Other", "Sub Main()\nShort EndBar\nEnd Sub\n");
  ASSERT_TRUE(RunSystem("Buy 1\nanswer = GetSignal(\"Other\", 4)\nSell 5\nafter = CurrentBar", 1, 6,
                        "answer, after"));
  EXPECT_EQ(TesterScript().Eval("answer").Value.AsString(), "Short");
  EXPECT_EQ(Code(1), 0);  // cleared by the inner run
  EXPECT_EQ(Code(4), SignalShort);
  EXPECT_EQ(Code(5), SignalSell);
  EXPECT_EQ(TesterValue("after"), 0);  // the inner run set CurrentBar to 0
  EXPECT_TRUE(Errors().empty());
}

// The demo systems on 2001 generated bars: the crossover buys exactly where
// the averages cross upwards, unless a stop fired on that bar.
TEST_F(ExecTest, DemoSystemsRunOnALongStock) {
  QuoteStore& store = Ws().Quotes();
  GenerateQuotes(DemoStocks()[0], 42, 45000, MaxQuotes, store.BarSeries);
  store.BarCount = MaxQuotes;
  std::string crossover;
  for (const DemoMacroFile& file : DemoMacroFiles()) {
    if (file.Path.rfind("Signals/", 0) != 0) continue;
    ASSERT_TRUE(Shown(Exec(Ws(), file.Text, 1, MaxQuotes))) << file.Path;
    int signals = 0;
    for (int p = 1; p <= MaxQuotes; ++p) signals += Code(p) != 0;
    EXPECT_GT(signals, 4) << file.Path;
    if (file.Path == "Signals/MA Crossover") crossover = file.Text;
  }
  ASSERT_FALSE(crossover.empty());
  ASSERT_TRUE(Shown(Exec(Ws(), crossover, 1, MaxQuotes)));
  auto mean = [&](int last, int n) {
    long double sum = 0;
    for (int p = last - n + 1; p <= last; ++p) sum += store.BarSeries[p].Close;
    return static_cast<double>(sum / n);
  };
  int buys = 0;
  for (int p = 31; p <= MaxQuotes; ++p) {
    const bool up = mean(p - 1, 10) < mean(p - 1, 30) && mean(p, 10) >= mean(p, 30);
    if (up) {
      EXPECT_TRUE(Code(p) == SignalBuy || (Code(p) == SignalSell && Run().BarTextArray[p].empty()))
          << p;
      buys += Code(p) == SignalBuy;
    } else {
      EXPECT_TRUE(Code(p) == 0 || Code(p) == SignalSell) << p;
    }
  }
  EXPECT_GT(buys, 3);
  EXPECT_TRUE(Errors().empty());
}

}  // namespace
}  // namespace chartorium::testing
