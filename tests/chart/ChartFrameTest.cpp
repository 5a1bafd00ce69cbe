#include "chart/ChartFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/DateLocale.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "macro/SystemRunState.h"
#include "support/TestBars.h"

namespace chartorium {
namespace {

using testing::SetTestBars;
using testing::TestBar;

// Wandering bars: closes that rise and fall, with highs and lows around them.
std::vector<TestBar> Wandering(int count) {
  std::vector<TestBar> bars;
  for (int i = 1; i <= count; ++i) {
    const Single close = 50 + 10 * std::sin(i / 6.0f) + (i % 7) * 0.3f;
    bars.push_back({close - 0.4f, close + 1.1f, close - 0.9f, close, 1000 + i, 0});
  }
  return bars;
}

class ChartFrameTest : public ::testing::Test {
 protected:
  ChartFrameTest() : workspace("/nonexistent") {
    options.Chart.Buttons.Overlays = {false, false, false};
    options.Layout.Price = {0, 0, 800, 400};
    options.Text = {14, 12, 13};
  }

  void View(int count, int visible, int first) {
    SetTestBars(workspace, Wandering(count));
    workspace.Quotes().VisibleBarCount = visible;
    workspace.Quotes().FirstVisibleBar = first;
  }

  ChartFrame Prepare() { return PrepareChartFrame(workspace, panes, locale, options); }

  Workspace workspace;
  IndicatorPaneData panes;
  DateLocale locale;
  ChartFrameOptions options;
};

TEST_F(ChartFrameTest, TakesTheVisibleBarsOfTheClampedView) {
  struct Case {
    int count, visible, first;
    int wantFirst, wantLast;
  };
  constexpr Case Cases[] = {
      {300, 100, 300, 201, 300},  // a stock just opened: the newest bars
      {300, 100, 50, 50, 149},
      {300, 100, 0, 1, 100},
      {60, 100, 60, 1, 60},  // fewer bars than the window: all of them
  };
  for (const Case& c : Cases) {
    View(c.count, c.visible, c.first);
    const ChartFrame frame = Prepare();
    ASSERT_TRUE(frame.HasBars) << c.first;
    EXPECT_EQ(frame.Price.First, c.wantFirst) << c.first;
    EXPECT_EQ(frame.Price.Last, c.wantLast) << c.first;
    EXPECT_EQ(workspace.Quotes().FirstVisibleBar, c.wantFirst) << "the view is clamped";
    ASSERT_EQ(frame.Price.Bars.size(), static_cast<size_t>(c.wantLast - c.wantFirst + 1));
    EXPECT_EQ(frame.Price.Bar(c.wantLast).Close,
              workspace.Quotes().BarSeries[static_cast<size_t>(c.wantLast)].Close);
    EXPECT_EQ(frame.Price.Scale.FirstVisibleBar, c.wantFirst);
  }
}

TEST_F(ChartFrameTest, AStockOfOneBarHasNoChartAndRunsNoSystem) {
  options.Chart.SystemText = "Sub Main()\nx = 1 / 0\nEnd Sub\n";
  for (const int count : {0, 1}) {
    View(count, 100, count);
    const ChartFrame frame = Prepare();
    EXPECT_FALSE(frame.HasBars) << count;
    EXPECT_FALSE(frame.SystemFailure) << count;
    EXPECT_FALSE(workspace.Quotes().SystemError) << count;
  }
}

TEST_F(ChartFrameTest, ScalesOnTheVisibleBarsAndTheOneAfterThem) {
  // Bars 1..10 in view: bar 11 is taken in, bar 12 is not.
  std::vector<TestBar> bars(20, TestBar{100, 100.5f, 99.5f, 100, 0, 0});
  bars[3] = {99, 99.5f, 98.7f, 99, 0, 0};
  bars[10] = {101, 101.2f, 100.8f, 101, 0, 0};
  bars[11] = {150, 160, 140, 150, 0, 0};
  SetTestBars(workspace, bars);
  workspace.Quotes().VisibleBarCount = 10;
  workspace.Quotes().FirstVisibleBar = 1;
  options.Chart.Caption = "Acme";
  options.Chart.Ticker = "ACM";
  const ChartFrame frame = Prepare();
  const ChartScale& scale = frame.Price.Scale;
  EXPECT_EQ(scale.RangeLow, 98.7f);
  EXPECT_EQ(scale.RangeHigh, 101.2f);
  EXPECT_EQ(scale.Grid, (PriceGrid{1015000, 985000, 5000}));
  const std::vector<std::string> labels{"98.5", "99", "99.5", "100", "100.5", "101", "101.5"};
  EXPECT_EQ(frame.Price.ValueLabels, labels);
  EXPECT_EQ(frame.Price.Title, "Acme (ACM)");
}

TEST_F(ChartFrameTest, HoldsAStudyOnlyWhileItsButtonIsDown) {
  using Press = std::function<void(ChartButtons&)>;
  using Holds = std::function<bool(const PriceStudies&)>;
  struct Case {
    const char* name;
    Press press;
    Holds holds;
  };
  const Case Cases[] = {
      {"SAR", [](ChartButtons& b) { b.ParabolicSar = true; },
       [](const PriceStudies& s) { return !s.Sar.empty(); }},
      {"speed", [](ChartButtons& b) { b.SpeedResistance = true; },
       [](const PriceStudies& s) { return !s.SpeedLines.empty(); }},
      {"bands", [](ChartButtons& b) { b.Overlays.BollingerBands = true; },
       [](const PriceStudies& s) { return !s.UpperBand.empty() && !s.LowerBand.empty(); }},
      {"short average", [](ChartButtons& b) { b.Overlays.ShortAverage = true; },
       [](const PriceStudies& s) { return s.ShortAverage.has_value(); }},
      {"long average", [](ChartButtons& b) { b.Overlays.LongAverage = true; },
       [](const PriceStudies& s) { return s.LongAverage.has_value(); }},
      {"zigzag", [](ChartButtons& b) { b.Type = ChartType::ZigZag; },
       [](const PriceStudies& s) { return !s.ZigZag.empty(); }},
      {"quadrants", [](ChartButtons& b) { b.Quadrant = true; },
       [](const PriceStudies& s) { return !s.Quadrants.empty(); }},
      {"time zones", [](ChartButtons& b) { b.FibonacciTimeZones = true; },
       [](const PriceStudies& s) { return s.FibonacciTimeZones.has_value(); }},
      {"retracements", [](ChartButtons& b) { b.FibonacciRetracements = true; },
       [](const PriceStudies& s) { return s.FibonacciRetracements.has_value(); }},
      {"fans", [](ChartButtons& b) { b.FibonacciFans = true; },
       [](const PriceStudies& s) { return !s.FibonacciFans.empty(); }},
      {"support & resistance", [](ChartButtons& b) { b.SupportResistance = true; },
       [](const PriceStudies& s) { return s.SupportResistance.has_value(); }},
  };
  View(200, 60, 200);
  for (const Case& pressed : Cases) {
    ChartButtons& buttons = options.Chart.Buttons;
    buttons = ChartButtons{};
    buttons.Overlays = {false, false, false};
    pressed.press(buttons);
    const PriceStudies studies = Prepare().Price.Studies;
    for (const Case& c : Cases)
      EXPECT_EQ(c.holds(studies), &c == &pressed) << c.name << " with " << pressed.name << " on";
  }
}

TEST_F(ChartFrameTest, StudiesCoverTheVisibleBars) {
  View(200, 60, 200);
  ChartButtons& b = options.Chart.Buttons;
  b.Type = ChartType::ZigZag;
  b.Overlays = {true, true, true};
  b.Quadrant = true;
  const ChartFrame frame = Prepare();
  const PriceStudies& s = frame.Price.Studies;
  EXPECT_EQ(s.UpperBand.size(), 60u);
  ASSERT_TRUE(s.LongAverage);
  EXPECT_EQ(s.LongAverage->Values.size(), 60u);
  EXPECT_EQ(s.LongAverage->Values.back(), workspace.Indicators.Overlays().LongAverage[200]);
  EXPECT_EQ(s.ZigZag.front(), 141);
  EXPECT_EQ(s.ZigZag.back(), 200);
  ASSERT_EQ(s.Quadrants.size(), 3u);  // full blocks of 20 bars
  EXPECT_EQ(s.Quadrants[2].From, 181);
  EXPECT_EQ(s.Quadrants[2].To, 201);
}

TEST_F(ChartFrameTest, AverageLegendsNameTheirKindAndPeriod) {
  struct Case {
    const char* type;
    bool both;
    const char* legend;
    int widths;
  };
  constexpr Case Cases[] = {
      {"0", false, "MA8", 1}, {"1", false, "EMA8", 1}, {"2", true, "LREG8", 3}};
  View(100, 50, 100);
  workspace.Prefs.Set("EMCT", "8");
  for (const Case& c : Cases) {
    workspace.Prefs.Set("MAT1", c.type);
    options.Chart.Buttons.Overlays = {false, true, c.both};
    const ChartFrame frame = Prepare();
    ASSERT_TRUE(frame.Price.Studies.ShortAverage) << c.legend;
    EXPECT_EQ(frame.Price.Studies.ShortAverage->Legend, c.legend);
    EXPECT_EQ(frame.Price.Studies.ShortAverage->LegendWidths, c.widths) << c.legend;
    EXPECT_EQ(frame.Price.Studies.ShortAverage->Colour, workspace.Prefs.Colour("C3"));
  }
}

TEST_F(ChartFrameTest, CarriesTheSystemsSignalsOverTheVisibleBars) {
  View(30, 10, 11);
  options.Chart.SystemText =
      "Sub Main()\n"
      "  Buy BeginBar\n"
      "  Sell EndBar\n"
      "  CurrentBar = 15\n"
      "  AddText \"mid\"\n"
      "  SetBarColor 13, 255\n"
      "End Sub\n";
  const ChartFrame frame = Prepare();
  ASSERT_FALSE(frame.SystemFailure) << ScriptErrorText(*frame.SystemFailure);
  ASSERT_TRUE(frame.Price.Signals);
  const SystemSignals& signals = *frame.Price.Signals;
  EXPECT_EQ(signals.First, 11);
  const std::vector<std::int8_t> codes{SignalBuy, 0, 0, 0, 0, 0, 0, 0, 0, SignalSell};
  EXPECT_EQ(signals.Codes, codes);
  EXPECT_EQ(signals.Labels[4], "mid");
  struct Colour {
    int bar;
    std::int32_t colour;
  };
  constexpr Colour Colours[] = {{13, 255}, {12, -1}, {20, -1}, {5, -1}, {21, -1}};
  for (const Colour& c : Colours) EXPECT_EQ(frame.Price.BarColour(c.bar), c.colour) << c.bar;

  options.Chart.SystemText.clear();
  const ChartFrame none = Prepare();
  EXPECT_FALSE(none.Price.Signals);
  EXPECT_EQ(none.Price.BarColour(13), -1) << "no system shows, no bar colour";
}

TEST_F(ChartFrameTest, AScriptErrorComesBackWithItsPlace) {
  struct Case {
    const char* text;
    int number, line;
    const char* description;
  };
  constexpr Case Cases[] = {
      {"Sub Main()\nBuy 5\nx = 1 / 0\nEnd Sub\n", 11, 3, "Division by zero"},
      {"Sub Main()\nIf x Then\nEnd Sub\n", 1014, 3, ""},
  };
  View(30, 10, 30);
  for (const Case& c : Cases) {
    workspace.Quotes().SystemError = false;  // the system chosen again
    options.Chart.SystemText = c.text;
    const ChartFrame frame = Prepare();
    ASSERT_TRUE(frame.SystemFailure) << c.text;
    EXPECT_EQ(frame.SystemFailure->Number, c.number) << c.text;
    EXPECT_EQ(frame.SystemFailure->Line, c.line) << c.text;
    if (*c.description) {
      EXPECT_EQ(frame.SystemFailure->Description, c.description);
    }
    EXPECT_NE(ScriptErrorText(*frame.SystemFailure).find(frame.SystemFailure->Description),
              std::string::npos);
    EXPECT_FALSE(frame.Price.Signals) << "no signals of a failed run";
  }
}

TEST_F(ChartFrameTest, AFailingSystemIsReportedOnceUntilItIsChosenAgain) {
  View(30, 10, 30);
  options.Chart.SystemText = "Sub Main()\nBuy 25\nx = 1 / 0\nEnd Sub\n";
  EXPECT_TRUE(Prepare().SystemFailure) << "the first frame carries the error";
  EXPECT_TRUE(workspace.Quotes().SystemError);
  const ChartFrame again = Prepare();
  EXPECT_FALSE(again.SystemFailure) << "a later frame does not report it again";
  EXPECT_FALSE(again.Price.Signals);

  // Nor does it run any system until the next load or choice.
  options.Chart.SystemText = "Sub Main()\nBuy 26\nEnd Sub\n";
  workspace.Macros.Run.SignalArray.fill(0);
  EXPECT_FALSE(Prepare().Price.Signals);
  EXPECT_EQ(workspace.Macros.Run.SignalArray[26], 0);

  workspace.Quotes().SystemError = false;
  const ChartFrame chosen = Prepare();
  ASSERT_TRUE(chosen.Price.Signals);
  EXPECT_EQ(chosen.Price.Signals->Codes[26 - 21], SignalBuy);
}

TEST_F(ChartFrameTest, PreparesTheShownPanesThatHaveRoom) {
  View(60, 40, 60);
  workspace.OpenStockSettings.Slots[0] = {"RSI", "1", "255", "1"};
  workspace.OpenStockSettings.Slots[2] = {"CCI", "1", "255", "1"};
  panes = RefreshPanes(workspace);
  options.Layout.Panes = {PaneRect{0, 0, 800, 100}, PaneRect{}, PaneRect{0, 0, 800, 100}};
  const ChartFrame frame = Prepare();
  ASSERT_TRUE(frame.Panes[0]) << "shown, with room";
  EXPECT_FALSE(frame.Panes[1]) << "shown, without room";
  EXPECT_FALSE(frame.Panes[2]) << "room, but not shown";
  const PaneFrame& rsi = *frame.Panes[0];
  EXPECT_EQ(rsi.First, 21);
  EXPECT_EQ(rsi.Last, 60);
  EXPECT_EQ(rsi.BarWidth, frame.Price.Scale.BarWidth);
  ASSERT_EQ(rsi.Series.size(), 1u);
  EXPECT_EQ(rsi.Series[0].Values.size(), 40u);
  EXPECT_EQ(rsi.Series[0].Values.back(), panes.Slots[0].Value(0, 60));
}

TEST_F(ChartFrameTest, TakesThePreferencesItIsDrawnWith) {
  View(30, 10, 30);
  workspace.Prefs.Set("C5", "123");
  workspace.Prefs.Set("C22", "456");
  workspace.Prefs.Set("EBW", "0");
  workspace.Prefs.SetFlag("RS", false);
  workspace.Prefs.SetFlag("RB", true);
  workspace.Prefs.SetFlag("ChHi", true);
  workspace.Prefs.SetFlag("CBY", false);
  workspace.Prefs.SetFlag("CBY2", false);
  const ChartFrame frame = Prepare();
  EXPECT_EQ(frame.Colours.Background, 123u);
  EXPECT_EQ(frame.Colours.Marker, 456u);
  EXPECT_EQ(frame.Look.PenWidth, 1) << "a bar width of 0 draws 1 pixel wide";
  EXPECT_EQ(frame.Look.Markers, MarkerStyle::WideArrows);
  EXPECT_EQ(frame.Price.LastCloseText, PriceText(frame.Price.Bars.back().Close));
  EXPECT_TRUE(frame.Dates.empty()) << "no dates shown, none marked";
}

}  // namespace
}  // namespace chartorium
