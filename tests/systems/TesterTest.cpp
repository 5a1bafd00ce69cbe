// The trade simulation: fills, commissions, the buy limit, forced exits, the
// trade log, the booking of trades and the comparisons with holding.
#include "systems/Tester.h"

#include <functional>
#include <vector>

#include "systems/TesterFixture.h"

namespace chartorium::testing {
namespace {

using Tweak = std::function<void(TesterOptions&)>;

struct TradeCase {
  const char* Name;
  std::string Body;
  Tweak Options;
  std::string Log;
  Single Trading;
  Single Margin = 0;
};

void Keep(TesterOptions&) {}

// Figures worked out by hand from the closes 10 11 12 13 14 12 11 11 18 20
// (opens half a point lower) and 1000 of cash.
const std::vector<TradeCase>& TradeCases() {
  static const std::vector<TradeCase> cases = {
      {"OnDayClose", "Buy 2\nSell 5", Keep,
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1270},
      {"OnNextOpenTheDateIsTheSignals", "Buy 2\nSell 4",
       [](TesterOptions& o) { o.Fill = FillRule::NextOpen; },
       "Buy 86 share(s) at 11.50 the 08/07/2009;"
       "Sell 86 share(s) at 13.50 the 10/07/2009\t Profit of   172.00;",
       1172},
      {"OnNextClose", "Buy 2\nSell 4", [](TesterOptions& o) { o.Fill = FillRule::NextClose; },
       "Buy 83 share(s) at 12.00 the 08/07/2009;"
       "Sell 83 share(s) at 14.00 the 10/07/2009\t Profit of   166.00;",
       1166},
      // No next bar: the stock's last bar fills at its own close, and the
      // trade closed at the same price is a win of 0.
      {"NextOpenOnTheLastBarTakesItsClose", "Buy 10",
       [](TesterOptions& o) { o.Fill = FillRule::NextOpen; },
       "Buy 50 share(s) at 20.00 the 16/07/2009;"
       "Sell 50 share(s) at 20.00 the 16/07/2009\t Profit of     0.00;",
       1000},
      {"FixedCommissionOnEntriesOnly", "Buy 2\nSell 5", [](TesterOptions& o) { o.Fixed = "5"; },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1265},
      {"FixedCommissionHasNoCap", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.Fixed = "50";
         o.Maximum = "20";
       },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1220},
      {"PercentageCommission", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.FixedCommission = false;
         o.Percentage = "1";
       },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1260.1F},
      // 5 % of 990 is 49.50, charged as the maximum of 20; the cash goes below 0.
      {"PercentageCommissionCappedByTheMaximum", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.FixedCommission = false;
         o.Percentage = "5";
       },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1250},
      {"BuyAMaximumOfShares", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.BuyMaximum = true;
         o.MaximumShares = "40";
       },
       "Buy 40 share(s) at 11.00 the 08/07/2009;"
       "Sell 40 share(s) at 14.00 the 11/07/2009\t Profit of   120.00;",
       1120},
      {"TheShareLimitAboveWhatTheCashBuys", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.BuyMaximum = true;
         o.MaximumShares = "1000";
       },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1270},
      {"BuyAMaximumPercentageOfTheCash", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.BuyMaximum = true;
         o.MaximumIsShares = false;
         o.MaximumPercent = "50";
       },
       "Buy 45 share(s) at 11.00 the 08/07/2009;"
       "Sell 45 share(s) at 14.00 the 11/07/2009\t Profit of   135.00;",
       1135},
      // 200 % of 1000 at 11 is 181 shares, more than the cash pays for.
      {"ThePercentageIsNotCappedByTheCash", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.BuyMaximum = true;
         o.MaximumIsShares = false;
         o.MaximumPercent = "200";
       },
       "Buy 181 share(s) at 11.00 the 08/07/2009;"
       "Sell 181 share(s) at 14.00 the 11/07/2009\t Profit of   543.00;",
       1543},
      // The empty percentage buys 0 shares: logged, charged, no position.
      {"AnEmptyPercentageBuysNothingButIsCharged", "Buy 2\nSell 5",
       [](TesterOptions& o) {
         o.BuyMaximum = true;
         o.MaximumIsShares = false;
         o.MaximumPercent = "";
         o.Fixed = "5";
       },
       "Buy 0 share(s) at 11.00 the 08/07/2009;", 995},
      {"KeepStockClosesAfterNBarsWhateverTheSignal", "Buy 2\nBuy 5\nBuy 8\nSell 9",
       [](TesterOptions& o) {
         o.KeepStock = true;
         o.KeepDays = "3";
       },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;"
       "Buy 115 share(s) at 11.00 the 14/07/2009;"
       "Sell 115 share(s) at 18.00 the 15/07/2009\t Profit of   805.00;",
       2075},
      {"KeepStockCoversAShortAfterNBars", "SetMarginAccount 1000\nShort 4\nShort 6",
       [](TesterOptions& o) {
         o.KeepStock = true;
         o.KeepDays = "2";
       },
       "Short 76 share(s) at 13.00 the 10/07/2009;"
       "Cover 76 share(s) at 12.00 the 12/07/2009\t Profit of    76.00;",
       1000, 1076},
      {"KeepStockCountsEachSideFromItsOwnEntry", "SetMarginAccount 1000\nBuy 2\nShort 3",
       [](TesterOptions& o) {
         o.KeepStock = true;
         o.KeepDays = "3";
       },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Short 83 share(s) at 12.00 the 09/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;"
       "Cover 83 share(s) at 12.00 the 12/07/2009\t Profit of     0.00;",
       1270, 1000},
      {"KeepStockZeroNeverForcesAnExit", "Buy 2",
       [](TesterOptions& o) {
         o.KeepStock = true;
         o.KeepDays = "0";
       },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 20.00 the 16/07/2009\t Profit of   810.00;",
       1810},
      {"KeepDaysUnusedWhenKeepStockIsOff", "Buy 2\nSell 5",
       [](TesterOptions& o) { o.KeepDays = "1"; },
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1270},
      {"ABuyWhileLongIsIgnored", "Buy 2\nBuy 3\nSell 5", Keep,
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1270},
      {"ASecondBuyAfterASellOpensANewTrade", "Buy 2\nSell 5\nBuy 6\nSell 9", Keep,
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;"
       "Buy 105 share(s) at 12.00 the 12/07/2009;"
       "Sell 105 share(s) at 18.00 the 15/07/2009\t Profit of   630.00;",
       1900},
      {"ASellWithoutAPositionDoesNothing", "Sell 3\nBuy 4\nSell 5", Keep,
       "Buy 76 share(s) at 13.00 the 10/07/2009;"
       "Sell 76 share(s) at 14.00 the 11/07/2009\t Profit of    76.00;",
       1076},
      {"CoverAndBuyWithoutAShortOnlyBuys", "Cover 2\nBuy 2\nSell 5", Keep,
       "Buy 90 share(s) at 11.00 the 08/07/2009;"
       "Sell 90 share(s) at 14.00 the 11/07/2009\t Profit of   270.00;",
       1270},
      {"SellAndShortWithoutALongOnlyShorts", "SetMarginAccount 1000\nSell 4\nShort 4\nCover 7",
       Keep,
       "Short 76 share(s) at 13.00 the 10/07/2009;"
       "Cover 76 share(s) at 11.00 the 13/07/2009\t Profit of   152.00;",
       1000, 1152},
      {"ALosingShort", "SetMarginAccount 1000\nShort 7\nCover 9", Keep,
       "Short 90 share(s) at 11.00 the 13/07/2009;"
       "Cover 90 share(s) at 18.00 the 15/07/2009\t Profit of  -630.00;",
       1000, 370},
      {"ShortCommissionOnTheShortPosition", "SetMarginAccount 1000\nShort 4\nCover 7",
       [](TesterOptions& o) {
         o.FixedCommission = false;
         o.Percentage = "1";
       },
       "Short 76 share(s) at 13.00 the 10/07/2009;"
       "Cover 76 share(s) at 11.00 the 13/07/2009\t Profit of   152.00;",
       1000, 1142.12F},
      {"TheBuyLimitDoesNotApplyToShorts", "SetMarginAccount 1000\nShort 4\nCover 7",
       [](TesterOptions& o) {
         o.BuyMaximum = true;
         o.MaximumShares = "10";
       },
       "Short 76 share(s) at 13.00 the 10/07/2009;"
       "Cover 76 share(s) at 11.00 the 13/07/2009\t Profit of   152.00;",
       1000, 1152},
      {"WithoutAMarginAccountShortsNeverFill", "Short 2\nCover 5", Keep, "", 1000},
      {"TooLittleCashBuysNothing", "SetTradingAccount 11\nBuy 2\nSell 5", Keep, "", 11},
      {"TheSystemsAccountAndCommissionReplaceTheOptions",
       "SetTradingAccount 500\nSetCommission 2\nBuy 2\nSell 5",
       [](TesterOptions& o) {
         o.FixedCommission = false;
         o.Percentage = "1";
       },
       "Buy 45 share(s) at 11.00 the 08/07/2009;"
       "Sell 45 share(s) at 14.00 the 11/07/2009\t Profit of   135.00;",
       633},
  };
  return cases;
}

class TesterTradeTest : public TesterFixture, public ::testing::WithParamInterface<TradeCase> {};

TEST_P(TesterTradeTest, LogsAndAccounts) {
  const TradeCase& c = GetParam();
  c.Options(options);
  ASSERT_TRUE(Test(c.Body));
  EXPECT_EQ(Run().TradeLog, c.Log);
  EXPECT_FLOAT_EQ(Run().TradingAccount, c.Trading);
  EXPECT_FLOAT_EQ(Run().MarginAccount, c.Margin);
}

INSTANTIATE_TEST_SUITE_P(Orders, TesterTradeTest, ::testing::ValuesIn(TradeCases()),
                         [](const auto& info) { return std::string(info.param.Name); });

class TesterTest : public TesterFixture {};

// Long trades of +180 (2 bars), -168 (1 bar) and +828 (3 bars, closed at the
// end of the range); shorts of +83 (5 bars) and -120 (1 bar, closed at the end).
const char* const MixedSystem =
    "SetMarginAccount 1000\nBuy 2\nShort 3\nSell 4\nBuy 5\nSell 6\nBuy 7\nCover 8\nShort 9";

TEST_F(TesterTest, BothSidesAreBookedAndClosedAtTheEnd) {
  ASSERT_TRUE(Test(MixedSystem));
  EXPECT_EQ(Run().TradeLog,
            "Buy 90 share(s) at 11.00 the 08/07/2009;"
            "Short 83 share(s) at 12.00 the 09/07/2009;"
            "Sell 90 share(s) at 13.00 the 10/07/2009\t Profit of   180.00;"
            "Buy 84 share(s) at 14.00 the 11/07/2009;"
            "Sell 84 share(s) at 12.00 the 12/07/2009\t Profit of  -168.00;"
            "Buy 92 share(s) at 11.00 the 13/07/2009;"
            "Cover 83 share(s) at 11.00 the 14/07/2009\t Profit of    83.00;"
            "Short 60 share(s) at 18.00 the 15/07/2009;"
            "Sell 92 share(s) at 20.00 the 16/07/2009\t Profit of   828.00;"
            "Cover 60 share(s) at 20.00 the 16/07/2009\t Profit of  -120.00;");
  const SideStatistics& l = Run().LongStats;
  EXPECT_EQ(l.Wins, 2);
  EXPECT_EQ(l.Losses, 1);
  EXPECT_FLOAT_EQ(l.GrossProfit, 1008);
  EXPECT_FLOAT_EQ(l.GrossLoss, -168);
  EXPECT_FLOAT_EQ(l.AverageWin, 504);
  EXPECT_EQ(l.AverageBars, 2);
  EXPECT_EQ(l.MaxBars, 3);
  EXPECT_EQ(l.MinBars, 1);
  const SideStatistics& s = Run().ShortStats;
  EXPECT_EQ(s.Wins, 1);
  EXPECT_EQ(s.Losses, 1);
  EXPECT_EQ(s.AverageBars, 3);
  EXPECT_EQ(s.MaxBars, 5);
  EXPECT_EQ(s.MinBars, 1);
  EXPECT_FLOAT_EQ(Run().TradingAccount, 1840);
  EXPECT_FLOAT_EQ(Run().MarginAccount, 963);
  EXPECT_FLOAT_EQ(Run().InitialMarginAmount, 1000);
  EXPECT_FLOAT_EQ(Run().BuyAndHoldAmount, 2000);  // 100 shares from 10 to 20
  EXPECT_FLOAT_EQ(Run().ShortAndHoldAmount, 0);   // 100 shorted at 10, covered at 20
}

TEST_F(TesterTest, TheStatisticsTextWithAMarginAccountHas63Fields) {
  ASSERT_TRUE(Test(MixedSystem));
  EXPECT_EQ(Lister(Ws()),
            "ACME;Number of trades;3;Number winning trades;2;Number losing trades;1;"
            "Gross Profit;1,008.00 USD;Gross Loss;-168.00 USD;"
            "Largest winning trade;828.00 USD;Largest losing trade;-168.00 USD;"
            "Average winning trade;504.00 USD;Average losing trade;-168.00 USD;"
            "Average number bars by trade;2;Maximum number bars by trade;3;"
            "Minimum number bars by trade;1;Ending amount;1,840.00 USD;Return;84.00%;"
            "With buy & hold;100.00%;Total net profit;840.00 USD;"
            "2;1;1;83.00 USD;-120.00 USD;83.00 USD;-120.00 USD;83.00 USD;-120.00 USD;3;5;1;"
            "963.00 USD;-3.70%;-100.00%;"
            "5;3;2;1,091.00 USD;-288.00 USD;828.00 USD;-168.00 USD;363.67 USD;-144.00 USD;"
            "2;5;1;loss;2,803.00 USD;40.15%;");
  // (-3.7 % x 2 short trades + 84 % x 3 long trades) / 5
  EXPECT_NEAR(OverallReturn(Run()), 48.92, 1e-4);
}

TEST_F(TesterTest, WithoutAMarginAccountTheTextEndsAtField33) {
  ASSERT_TRUE(Test("Buy 5\nSell 7"));
  const std::string text = Lister(Ws());
  EXPECT_EQ(std::count(text.begin(), text.end(), ';'), 33);
  EXPECT_EQ(Field(26), "Ending amount");
  EXPECT_EQ(Field(27), "787.00 USD");  // 71 shares bought at 14, sold at 11
  EXPECT_EQ(Field(28), "Return");
  EXPECT_EQ(Field(29), "-21.30%");
  EXPECT_EQ(Field(32), "Total net loss");
  EXPECT_EQ(Field(33), "-213.00 USD");
  EXPECT_NEAR(OverallReturn(Run()), -21.3, 1e-4);
}

TEST_F(TesterTest, ASystemWithoutSignalsTradesNothing) {
  ASSERT_TRUE(Test("x = 1"));
  EXPECT_EQ(Run().TradeLog, "");
  for (int n = 3; n <= 25; n += 2) {
    const std::string f = Field(n);
    EXPECT_TRUE(f == "0" || f == "0.00 USD") << n << ": " << f;
  }
  EXPECT_EQ(Field(29), "0.00%");
  EXPECT_EQ(Field(31), "100.00%");
  EXPECT_EQ(Field(32), "Total net profit");
  EXPECT_EQ(Field(33), "0.00 USD");
  EXPECT_EQ(OverallReturn(Run()), 0);
}

TEST_F(TesterTest, AProfitOfZeroIsAWin) {
  ASSERT_TRUE(Test("Buy 7\nSell 8"));
  EXPECT_EQ(Run().TradeLog,
            "Buy 90 share(s) at 11.00 the 13/07/2009;"
            "Sell 90 share(s) at 11.00 the 14/07/2009\t Profit of     0.00;");
  EXPECT_EQ(Field(5), "1");
  EXPECT_EQ(Field(7), "0");
  EXPECT_EQ(Field(9), "0.00 USD");
  EXPECT_EQ(Field(25), "1");
}

// Accounts and profits are singles: 33.33 and 35.55 are held as 33.3300018
// and 35.5499992, and 106 660 is not a single; the figures show it.
TEST_F(TesterTest, AccountsAndProfitsAreSingles) {
  SetCloses({33.33F, 35.55F});
  options.InitialAmount = "100000";
  ASSERT_TRUE(Test("Buy 1\nSell 2", 1, 2));
  EXPECT_EQ(Run().TradeLog,
            "Buy 3000 share(s) at 33.33 the 07/07/2009;"
            "Sell 3000 share(s) at 35.55 the 08/07/2009\t Profit of  6659.99;");
  EXPECT_EQ(Field(9), "6,659.99 USD");
  EXPECT_EQ(Field(27), "106,659.99 USD");
  EXPECT_EQ(Field(33), "6,659.99 USD");
  EXPECT_EQ(Run().BuyAndHoldAmount, 106659.9921875F);
}

// A loss of a tenth of a cent is a loss, shown without a sign once rounded.
TEST_F(TesterTest, ALossBelowHalfACentIsALossShownAsZero) {
  SetCloses({10.001F, 10});
  ASSERT_TRUE(Test("SetTradingAccount 10.5\nBuy 1\nSell 2", 1, 2));
  EXPECT_EQ(Run().TradeLog,
            "Buy 1 share(s) at 10.00 the 07/07/2009;"
            "Sell 1 share(s) at 10.00 the 08/07/2009\t Profit of     0.00;");
  EXPECT_EQ(Field(7), "1");
  EXPECT_EQ(Field(11), "0.00 USD");
  EXPECT_EQ(Field(29), "-0.01%");  // 10.499 for 10.5
  EXPECT_EQ(Field(32), "Total net loss");
  EXPECT_EQ(Field(33), "0.00 USD");
}

// Signals outside the range are not traded; holding is measured from the
// range's first close (12) to its last (11).
TEST_F(TesterTest, OnlyTheRangeIsTraded) {
  ASSERT_TRUE(Test("Buy 2\nSell 5\nBuy 6\nBuy 9", 3, 8));
  EXPECT_EQ(Run().TradeLog,
            "Buy 83 share(s) at 12.00 the 12/07/2009;"
            "Sell 83 share(s) at 11.00 the 14/07/2009\t Profit of   -83.00;");
  EXPECT_EQ(Field(29), "-8.30%");
  EXPECT_EQ(Field(31), "-8.30%");  // 83 shares from 12 to 11 and 4 left
}

// The range's last bar is not the stock's: the final close takes the next
// bar's open like any order.
TEST_F(TesterTest, TheFinalCloseUsesTheFillRuleOfTheLastBar) {
  options.Fill = FillRule::NextOpen;
  ASSERT_TRUE(Test("Buy 2", 1, 8));
  EXPECT_EQ(Run().TradeLog,
            "Buy 86 share(s) at 11.50 the 08/07/2009;"
            "Sell 86 share(s) at 17.50 the 14/07/2009\t Profit of   516.00;");
}

TEST_F(TesterTest, TheFillRuleAlsoPricesTheSystemsEntries) {
  options.Fill = FillRule::NextOpen;
  ASSERT_TRUE(Test("Buy 2\nx = 1"));
  EXPECT_FLOAT_EQ(Run().EntryPrice, 11.5F);
  options.Fill = FillRule::NextClose;
  ASSERT_TRUE(Test("Buy 2"));
  EXPECT_FLOAT_EQ(Run().EntryPrice, 12);
}

TEST_F(TesterTest, EveryOrderLetsTheWindowProcessItsMessages) {
  int calls = 0;
  Ws().ProcessPendingMessages = [&] { ++calls; };
  // Bar 2 holds "Cover and Buy" (two orders), bar 3 an ignored buy; the
  // close at the end of the range is no order.
  ASSERT_TRUE(Test("Cover 2\nBuy 2\nBuy 3"));
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(Run().LastAction, SignalBuy);
  ASSERT_TRUE(Test("Buy 2\nSell 4\nCover 6"));
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(Run().LastAction, SignalCover);
}

TEST_F(TesterTest, EachTestStartsFromFreshStatistics) {
  ASSERT_TRUE(Test(MixedSystem));
  ASSERT_TRUE(Test("Buy 5\nSell 7"));
  EXPECT_EQ(Run().ShortStats.Wins + Run().ShortStats.Losses, 0);
  EXPECT_EQ(Run().LongStats.Wins, 0);
  EXPECT_EQ(Run().LongStats.Losses, 1);
  EXPECT_EQ(Run().InitialMarginAmount, 0);
  EXPECT_EQ(Run().ShortAndHoldAmount, 0);
}

TEST_F(TesterTest, AScriptErrorFailsTheTest) {
  EXPECT_FALSE(Test("Buy 2\nx = 1 / 0"));
  EXPECT_EQ(Errors().size(), 1u);
  EXPECT_EQ(Run().TradeLog, "");
}

// Without long trades the overall minimum is the shorts' (0 means none).
TEST_F(TesterTest, TheOverallMinimumIgnoresASideWithoutTrades) {
  ASSERT_TRUE(Test("SetMarginAccount 1000\nShort 4\nCover 7"));
  EXPECT_EQ(Field(45), "3");
  EXPECT_EQ(Field(58), "3");
  EXPECT_EQ(Field(59), "3");
  EXPECT_EQ(Field(60), "3");
  EXPECT_EQ(Field(61), "profit");
  EXPECT_EQ(Field(62), "2,152.00 USD");
  EXPECT_EQ(Field(63), "7.60%");
  EXPECT_NEAR(OverallReturn(Run()), 15.2, 1e-4);  // the short return alone
}

TEST_F(TesterTest, AZeroInitialAmountHasNoReturn) {
  options.InitialAmount = "0";
  ASSERT_TRUE(Test("Buy 2"));
  EXPECT_EQ(Run().TradeLog, "");
  EXPECT_EQ(Field(29), "N/A");
  EXPECT_EQ(Field(31), "N/A");
  EXPECT_EQ(OverallReturn(Run()), 0);
}

TEST_F(TesterTest, MoneyTakesTheStocksCurrency) {
  Ws().OpenStockSettings.Properties.Cur = "EUR";
  ASSERT_TRUE(Test("Buy 2\nSell 5"));
  EXPECT_EQ(Field(27), "1,270.00 EUR");
  Ws().OpenStockSettings.Properties.Cur = "";
  EXPECT_EQ(Field(27), "1,270.00 USD");
  Ws().Money.ThousandSeparator = ".";
  Ws().Money.DecimalSeparator = ",";
  Ws().OpenStockSettings.Properties.Cur = "EUR";
  EXPECT_EQ(Field(27), "1.270,00 EUR");
}

}  // namespace
}  // namespace chartorium::testing
