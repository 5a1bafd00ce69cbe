#include "chart/BarData.h"

#include <gtest/gtest.h>

#include "chart/ChartScale.h"
#include "chart/SeekDate.h"
#include "core/Calendar.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "indicators/SeriesByName.h"
#include "support/FakeDialogs.h"

namespace chartorium {
namespace {

class ChartData : public ::testing::Test {
 protected:
  ChartData() : workspace("/nonexistent") {
    QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= 30; ++i) {
      QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
      bar.Date = DayNumber(2024, 3, 1) + 2 * i;  // every other day from 3 March
      bar.Close = 20 + i * 0.25f;
      bar.Open = 20;
      bar.Low = 19.5f;
      bar.High = 40.125f;
      bar.Volume = 1500 + i;
    }
    store.BarCount = 30;
    store.VisibleBarCount = 10;
    store.FirstVisibleBar = 5;
  }
  Workspace workspace;
  const DateLocale locale = LocaleFromPattern("dd/MM/yyyy");
  const FixedClock clock{DayNumber(2024, 6, 1)};
  testing::FakeDialogs dialogs;
};

TEST_F(ChartData, ShowsTheBarsPricesAndItsIndicators) {
  workspace.OpenStockSettings.Slots[0].Names = "RSI;Volume";
  workspace.OpenStockSettings.Slots[3].Names = "CCI";  // a slot no pane shows is listed too
  const BarDataTexts texts = ShowBarData(workspace, 20, locale);
  MacroStatus runs;
  EXPECT_EQ(texts.DatePanel, "Date: 10/04/2024");
  EXPECT_EQ(texts.PricePanel, "C: 25.00 O: 20.00 L: 19.50 H: 40.13 V: 1520");
  EXPECT_EQ(texts.DataWindow,
            "Date: 10/04/2024\r\nClose: 25.00\r\nOpen: 20.00\r\nLow: 19.50\r\nHigh: 40.13\r\n"
            "Volume: 1520\r\nRSI: " +
                PriceText(SeriesValue(workspace, "RSI", 20, runs)) +
                "\r\nCCI: " + PriceText(SeriesValue(workspace, "CCI", 20, runs)));
  EXPECT_EQ(ShowBarData(workspace, 99, locale).DatePanel,
            ShowBarData(workspace, 30, locale).DatePanel);
}

TEST_F(ChartData, TheBarUnderTheMouseStaysInTheWindow) {
  ChartScale scale;
  scale.BarWidth = 10;
  EXPECT_EQ(BarOffsetAt(workspace, scale, 50 + 25, 1000), 2);
  EXPECT_EQ(BarOffsetAt(workspace, scale, 10, 1000), 0);
  EXPECT_EQ(BarOffsetAt(workspace, scale, 990, 1000), 9);  // beyond the last slot
  EXPECT_EQ(MarkerLineX(scale, 2, 1000), 50 + 25);
}

TEST_F(ChartData, SeeksTheFirstBarOnOrAfterADate) {
  struct Case {
    std::vector<std::string> answers;
    bool moved;
    int first;
    int warnings;
  };
  const Case Cases[] = {
      {{"7/3/2024"}, true, 3, 0},                  // 7 March is bar 3
      {{"8/3/2024"}, true, 4, 0},                  // no bar on the 8th: the next one
      {{"1/1/2000"}, true, 1, 0},                  // before the first quote: bar 1
      {{"1/1/2030"}, false, 5, 0},                 // after the last: nothing moves
      {{"31/02/2024", "bad", "9/3"}, true, 4, 2},  // asked again until it reads
      {{""}, false, 5, 0},
  };
  for (const Case& c : Cases) {
    workspace.Quotes().FirstVisibleBar = 5;
    dialogs.Messages.clear();
    dialogs.InputAnswers.assign(c.answers.begin(), c.answers.end());
    EXPECT_EQ(SeekADate(workspace, dialogs, locale, clock), c.moved) << c.answers.front();
    EXPECT_EQ(workspace.Quotes().FirstVisibleBar, c.first) << c.answers.front();
    int warnings = 0;
    for (const auto& m : dialogs.Messages) {
      if (m.Kind == "input") {
        EXPECT_EQ(m.Text, "Enter the date to find:");
      }
      if (m.Kind == "warning") {
        EXPECT_EQ(m.Text, "The date format is invalid");
        ++warnings;
      }
    }
    EXPECT_EQ(warnings, c.warnings) << c.answers.front();
  }
}

}  // namespace
}  // namespace chartorium
