// The statistics of a test and its overall return.
#include "systems/Tester.h"

#include "core/MoneyFormat.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "systems/TestStatistics.h"

namespace chartorium {

namespace {

// (value - initial) / initial in per cent.
Extended Change(Extended value, Extended initial) {
  return (value - initial) / initial * 100;
}

int Trades(const SideStatistics& side) {
  return side.Wins + side.Losses;
}

}  // namespace

std::string OpenStockCurrency(const Workspace& workspace) {
  const std::string& currency = workspace.OpenStockSettings.Properties.Cur;
  return currency.empty() ? "USD" : currency;
}

TestStatistics Lister(const Workspace& workspace) {
  const SystemRunState& run = workspace.Macros.Run;
  TestStatistics statistics;
  statistics.Name = workspace.Quotes().StockName;
  statistics.Money = WithCurrency(workspace.Money, OpenStockCurrency(workspace));
  statistics.Long = run.LongStats;
  statistics.Short = run.ShortStats;
  statistics.InitialTradingAmount = run.InitialTradingAmount;
  statistics.TradingAccount = run.TradingAccount;
  statistics.BuyAndHoldAmount = run.BuyAndHoldAmount;
  statistics.InitialMarginAmount = run.InitialMarginAmount;
  statistics.MarginAccount = run.MarginAccount;
  statistics.ShortAndHoldAmount = run.ShortAndHoldAmount;
  return statistics;
}

double OverallReturn(const SystemRunState& run) {
  const Extended initial = run.InitialTradingAmount;
  Extended r = initial == 0 ? 0 : Change(run.TradingAccount, initial);
  const int longTrades = Trades(run.LongStats);
  const int shortTrades = Trades(run.ShortStats);
  if (run.InitialMarginAmount != 0 && longTrades + shortTrades > 0) {
    const Extended shortReturn = Change(run.MarginAccount, run.InitialMarginAmount);
    r = (shortReturn * shortTrades + r * longTrades) / (longTrades + shortTrades);
  }
  return static_cast<double>(r);
}

}  // namespace chartorium
