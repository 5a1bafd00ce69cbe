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

TEST_F(TesterTest, TheStatisticsWithAMarginAccountHaveShortAndTotalLines) {
  ASSERT_TRUE(Test(MixedSystem));
  EXPECT_EQ(Lister(Ws()).Name, "ACME");
  EXPECT_EQ(Lines(),
            "Number of trades\t3\nNumber winning trades\t2\nNumber losing trades\t1\n"
            "Gross Profit\t1,008.00 USD\nGross Loss\t-168.00 USD\n"
            "Largest winning trade\t828.00 USD\nLargest losing trade\t-168.00 USD\n"
            "Average winning trade\t504.00 USD\nAverage losing trade\t-168.00 USD\n"
            "Average number bars by trade\t2\nMaximum number bars by trade\t3\n"
            "Minimum number bars by trade\t1\nEnding amount\t1,840.00 USD\nReturn\t84.00%\n"
            "With buy & hold\t100.00%\nTotal net profit\t840.00 USD\n"
            "Short number of trades\t2\nShort number winning trades\t1\n"
            "Short number losing trades\t1\nShort gross profit\t83.00 USD\n"
            "Short gross loss\t-120.00 USD\nShort largest winning trade\t83.00 USD\n"
            "Short largest losing trade\t-120.00 USD\nShort average winning trade\t83.00 USD\n"
            "Short average losing trade\t-120.00 USD\nShort average number bars by trade\t3\n"
            "Short maximum number bars by trade\t5\nShort minimum number bars by trade\t1\n"
            "Short ending amount\t963.00 USD\nShort return\t-3.70%\n"
            "With short & hold\t-100.00%\n"
            "Total number of trades\t5\nTotal number winning trades\t3\n"
            "Total number losing trades\t2\nTotal gross profit\t1,091.00 USD\n"
            "Total gross loss\t-288.00 USD\nTotal largest winning trade\t828.00 USD\n"
            "Total largest losing trade\t-168.00 USD\nTotal average winning trade\t363.67 USD\n"
            "Total average losing trade\t-144.00 USD\nTotal average number bars by trade\t2\n"
            "Total maximum number bars by trade\t5\nTotal minimum number bars by trade\t1\n"
            "Total result\tloss\nTotal ending amount\t2,803.00 USD\nTotal return\t40.15%\n");
  // (-3.7 % x 2 short trades + 84 % x 3 long trades) / 5
  EXPECT_NEAR(OverallReturn(Run()), 48.92, 1e-4);
}

TEST_F(TesterTest, WithoutAMarginAccountTheLinesEndAtTheNetResult) {
  ASSERT_TRUE(Test("Buy 5\nSell 7"));
  const std::string lines = Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 16);
  EXPECT_TRUE(lines.ends_with("\nTotal net loss\t-213.00 USD\n")) << lines;
  EXPECT_TRUE(Texts().Short[Row::Trades].empty());
  EXPECT_TRUE(Texts().TotalResult.empty());
  EXPECT_EQ(Texts().Long[Row::EndingAmount], "787.00 USD");  // 71 shares bought at 14, sold at 11
  EXPECT_EQ(Texts().Long[Row::Return], "-21.30%");
  EXPECT_EQ(Texts().NetResultLabel, "Total net loss");
  EXPECT_EQ(Texts().NetResult, "-213.00 USD");
  EXPECT_NEAR(OverallReturn(Run()), -21.3, 1e-4);
}

TEST_F(TesterTest, ASystemWithoutSignalsTradesNothing) {
  ASSERT_TRUE(Test("x = 1"));
  EXPECT_EQ(Run().TradeLog, "");
  const StatisticsTexts texts = Texts();
  for (size_t row = 0; row <= static_cast<size_t>(Row::MinBars); ++row) {
    const std::string& f = texts.Long.Texts[row];
    EXPECT_TRUE(f == "0" || f == "0.00 USD") << row << ": " << f;
  }
  EXPECT_EQ(Texts().Long[Row::Return], "0.00%");
  EXPECT_EQ(Texts().Long[Row::HoldReturn], "100.00%");
  EXPECT_EQ(Texts().NetResultLabel, "Total net profit");
  EXPECT_EQ(Texts().NetResult, "0.00 USD");
  EXPECT_EQ(OverallReturn(Run()), 0);
}

TEST_F(TesterTest, AProfitOfZeroIsAWin) {
  ASSERT_TRUE(Test("Buy 7\nSell 8"));
  EXPECT_EQ(Run().TradeLog,
            "Buy 90 share(s) at 11.00 the 13/07/2009;"
            "Sell 90 share(s) at 11.00 the 14/07/2009\t Profit of     0.00;");
  EXPECT_EQ(Texts().Long[Row::Wins], "1");
  EXPECT_EQ(Texts().Long[Row::Losses], "0");
  EXPECT_EQ(Texts().Long[Row::GrossProfit], "0.00 USD");
  EXPECT_EQ(Texts().Long[Row::MinBars], "1");
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
  EXPECT_EQ(Texts().Long[Row::GrossProfit], "6,659.99 USD");
  EXPECT_EQ(Texts().Long[Row::EndingAmount], "106,659.99 USD");
  EXPECT_EQ(Texts().NetResult, "6,659.99 USD");
  EXPECT_EQ(Run().BuyAndHoldAmount, 106659.9921875F);
}

// A loss of a tenth of a cent is a loss, shown without a sign once rounded.
TEST_F(TesterTest, ALossBelowHalfACentIsALossShownAsZero) {
  SetCloses({10.001F, 10});
  ASSERT_TRUE(Test("SetTradingAccount 10.5\nBuy 1\nSell 2", 1, 2));
  EXPECT_EQ(Run().TradeLog,
            "Buy 1 share(s) at 10.00 the 07/07/2009;"
            "Sell 1 share(s) at 10.00 the 08/07/2009\t Profit of     0.00;");
  EXPECT_EQ(Texts().Long[Row::Losses], "1");
  EXPECT_EQ(Texts().Long[Row::GrossLoss], "0.00 USD");
  EXPECT_EQ(Texts().Long[Row::Return], "-0.01%");  // 10.499 for 10.5
  EXPECT_EQ(Texts().NetResultLabel, "Total net loss");
  EXPECT_EQ(Texts().NetResult, "0.00 USD");
}

// Signals outside the range are not traded; holding is measured from the
// range's first close (12) to its last (11).
TEST_F(TesterTest, OnlyTheRangeIsTraded) {
  ASSERT_TRUE(Test("Buy 2\nSell 5\nBuy 6\nBuy 9", 3, 8));
  EXPECT_EQ(Run().TradeLog,
            "Buy 83 share(s) at 12.00 the 12/07/2009;"
            "Sell 83 share(s) at 11.00 the 14/07/2009\t Profit of   -83.00;");
  EXPECT_EQ(Texts().Long[Row::Return], "-8.30%");
  EXPECT_EQ(Texts().Long[Row::HoldReturn], "-8.30%");  // 83 shares from 12 to 11 and 4 left
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
  EXPECT_EQ(Texts().Short[Row::MinBars], "3");
  EXPECT_EQ(Texts().Total[Row::AverageBars], "3");
  EXPECT_EQ(Texts().Total[Row::MaxBars], "3");
  EXPECT_EQ(Texts().Total[Row::MinBars], "3");
  EXPECT_EQ(Texts().TotalResult, "profit");
  EXPECT_EQ(Texts().Total[Row::EndingAmount], "2,152.00 USD");
  EXPECT_EQ(Texts().Total[Row::Return], "7.60%");
  EXPECT_NEAR(OverallReturn(Run()), 15.2, 1e-4);  // the short return alone
}

TEST_F(TesterTest, AZeroInitialAmountHasNoReturn) {
  options.InitialAmount = "0";
  ASSERT_TRUE(Test("Buy 2"));
  EXPECT_EQ(Run().TradeLog, "");
  EXPECT_EQ(Texts().Long[Row::Return], "N/A");
  EXPECT_EQ(Texts().Long[Row::HoldReturn], "N/A");
  EXPECT_EQ(OverallReturn(Run()), 0);
}

TEST_F(TesterTest, MoneyTakesTheStocksCurrency) {
  Ws().OpenStockSettings.Properties.Cur = "EUR";
  ASSERT_TRUE(Test("Buy 2\nSell 5"));
  EXPECT_EQ(Texts().Long[Row::EndingAmount], "1,270.00 EUR");
  Ws().OpenStockSettings.Properties.Cur = "";
  EXPECT_EQ(Texts().Long[Row::EndingAmount], "1,270.00 USD");
  Ws().Money.ThousandSeparator = ".";
  Ws().Money.DecimalSeparator = ",";
  Ws().OpenStockSettings.Properties.Cur = "EUR";
  EXPECT_EQ(Texts().Long[Row::EndingAmount], "1.270,00 EUR");
}

}  // namespace
}  // namespace chartorium::testing
