#include "core/Summary.h"

#include <gtest/gtest.h>

#include "core/DateLocale.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

class Summary : public ::testing::Test {
 protected:
  Summary() : workspace("/nonexistent") {}
  void SetBars(const std::vector<Single>& closes, double firstDate = 45000) {
    QuoteStore& store = workspace.Quotes();
    store.StockName = "abc";
    store.BarCount = static_cast<int>(closes.size());
    for (size_t i = 0; i < closes.size(); ++i) {
      QuoteRecord& bar = store.BarSeries[i + 1];
      bar.Date = firstDate + static_cast<double>(i);
      bar.Close = closes[i];
      bar.Low = closes[i] - 1;
      bar.High = closes[i] + 1;
    }
  }
  Workspace workspace;
  DateLocale locale;  // dd/MM/yyyy
};

TEST_F(Summary, ShowsTheChangeInGreenOrRed) {
  struct Case {
    std::vector<Single> Closes;
    std::string_view LastClose;
    std::string_view Previous;
    std::string_view Change;
    bool Negative;
  };
  const Case cases[] = {
      {{10, 10.5f}, "Last close: 10.50", "Previous close: 10.00", "5.00%", false},
      {{10, 9.5f}, "Last close: 9.50", "Previous close: 10.00", "-5.00%", true},
      {{0, 9.5f}, "Last close: 9.50", "Previous close: 0.00", "0.00%", false},
      {{12}, "Last close: 12.00", "", "", false},
      {{}, "Stock's file is empty", "", "", false},
  };
  for (const Case& c : cases) {
    SetBars(c.Closes);
    const SummaryTexts summary = Affiche(workspace, locale);
    EXPECT_TRUE(summary.HasStock);
    EXPECT_EQ(summary.LastClose, c.LastClose);
    EXPECT_EQ(summary.PreviousClose, c.Previous);
    EXPECT_EQ(summary.Change, c.Change);
    EXPECT_EQ(summary.ChangeLabel.empty(), c.Change.empty());
    EXPECT_EQ(summary.ChangeIsNegative, c.Negative) << c.Change;
  }
}

TEST_F(Summary, NamesThePeriodAndTheTickerWhenItDiffers) {
  SetBars({10, 11});
  workspace.OpenStockSettings.Properties.Tick = "ABC";
  SummaryTexts summary = Affiche(workspace, locale);
  EXPECT_EQ(summary.NameLine, "abc");
  EXPECT_EQ(summary.PeriodLine, "(15/03/2023 - 16/03/2023)");
  workspace.OpenStockSettings.Properties.Tick = "XYZ";
  EXPECT_EQ(Affiche(workspace, locale).NameLine, "abc (XYZ)");
  SetBars({10, 11}, 0);
  workspace.Quotes().BarSeries[2].Date = 0;
  EXPECT_EQ(Affiche(workspace, locale).PeriodLine, "( - )");
  workspace.Quotes().StockName.clear();
  EXPECT_FALSE(Affiche(workspace, locale).HasStock);
}

TEST_F(Summary, TheYearRangeStartsAtTheLast260BarsAndTheLast365Days) {
  // 300 daily bars one day apart: all within 365 days, so the range starts at bar 40.
  std::vector<Single> closes(300, 20);
  closes[38] = 5;  // bar 39: outside the range
  closes[39] = 8;  // bar 40: its first bar
  closes[299] = 30;
  SetBars(closes);
  EXPECT_EQ(Affiche(workspace, locale).YearRange, "52 weeks Low/High: 7.00 - 31.00");
  // Bars a week apart: only those of the last 365 days count.
  QuoteStore& store = workspace.Quotes();
  for (int i = 1; i <= 300; ++i) store.BarSeries[static_cast<size_t>(i)].Date = 45000 + 7.0 * i;
  store.BarSeries[250].Low = 1;     // 350 days before the last bar
  store.BarSeries[247].Low = 0.5f;  // 371 days before it
  EXPECT_EQ(Affiche(workspace, locale).YearRange, "52 weeks Low/High: 1.00 - 31.00");
}

}  // namespace
}  // namespace chartorium
