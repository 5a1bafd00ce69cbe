// The statistics text of a test and its overall return.
#include <algorithm>

#include "core/MoneyFormat.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "systems/Tester.h"
#include "systems/TesterTexts.h"

namespace chartorium {

namespace {

std::string Percentage(Extended value) {
  return TwoDecimals(static_cast<double>(value)) + "%";
}

// (value - initial) / initial in per cent.
Extended Change(Extended value, Extended initial) {
  return (value - initial) / initial * 100;
}

int Trades(const SideStatistics& side) {
  return side.Wins + side.Losses;
}

class Fields {
 public:
  explicit Fields(MoneyFormat money) : money_(std::move(money)) {}
  void Add(std::string_view field) {
    text_ += field;
    text_ += ';';
  }
  void Add(int count) { Add(std::to_string(count)); }
  void Money(Extended value) { Add(MoneyText(static_cast<double>(value), money_)); }
  std::string Text() const { return text_; }

 private:
  MoneyFormat money_;
  std::string text_;
};

}  // namespace

std::string OpenStockCurrency(const Workspace& workspace) {
  const std::string& currency = workspace.OpenStockSettings.Properties.Cur;
  return currency.empty() ? "USD" : currency;
}

std::string Lister(const Workspace& workspace) {
  const SystemRunState& run = workspace.Macros.Run;
  const SideStatistics& longs = run.LongStats;
  const SideStatistics& shorts = run.ShortStats;
  const Extended initial = run.InitialTradingAmount;
  Fields f(WithCurrency(workspace.Money, OpenStockCurrency(workspace)));

  f.Add(workspace.Quotes().StockName);
  f.Add("Number of trades");
  f.Add(Trades(longs));
  f.Add("Number winning trades");
  f.Add(longs.Wins);
  f.Add("Number losing trades");
  f.Add(longs.Losses);
  f.Add("Gross Profit");
  f.Money(longs.GrossProfit);
  f.Add("Gross Loss");
  f.Money(longs.GrossLoss);
  f.Add("Largest winning trade");
  f.Money(longs.LargestWin);
  f.Add("Largest losing trade");
  f.Money(longs.LargestLoss);
  f.Add("Average winning trade");
  f.Money(longs.AverageWin);
  f.Add("Average losing trade");
  f.Money(longs.AverageLoss);
  f.Add("Average number bars by trade");
  f.Add(longs.AverageBars);
  f.Add("Maximum number bars by trade");
  f.Add(longs.MaxBars);
  f.Add("Minimum number bars by trade");
  f.Add(longs.MinBars);
  f.Add("Ending amount");
  f.Money(run.TradingAccount);
  f.Add("Return");
  f.Add(initial == 0 ? "N/A" : Percentage(Change(run.TradingAccount, initial)));
  f.Add("With buy & hold");
  f.Add(initial == 0 ? "N/A" : Percentage(Change(run.BuyAndHoldAmount, initial)));
  f.Add(run.TradingAccount >= run.InitialTradingAmount ? "Total net profit" : "Total net loss");
  f.Money(Extended(run.TradingAccount) - initial);
  if (!(run.InitialMarginAmount > 0)) return f.Text();

  const Extended margin = run.InitialMarginAmount;
  f.Add(Trades(shorts));
  f.Add(shorts.Wins);
  f.Add(shorts.Losses);
  f.Money(shorts.GrossProfit);
  f.Money(shorts.GrossLoss);
  f.Money(shorts.LargestWin);
  f.Money(shorts.LargestLoss);
  f.Money(shorts.AverageWin);
  f.Money(shorts.AverageLoss);
  f.Add(shorts.AverageBars);
  f.Add(shorts.MaxBars);
  f.Add(shorts.MinBars);
  f.Money(run.MarginAccount);
  f.Add(Percentage(Change(run.MarginAccount, margin)));
  f.Add(Percentage(Change(run.ShortAndHoldAmount, margin)));

  const int trades = Trades(longs) + Trades(shorts);
  const int wins = longs.Wins + shorts.Wins;
  const int losses = longs.Losses + shorts.Losses;
  f.Add(trades);
  f.Add(wins);
  f.Add(losses);
  f.Money(Extended(longs.GrossProfit) + shorts.GrossProfit);
  f.Money(Extended(longs.GrossLoss) + shorts.GrossLoss);
  f.Money(std::max(longs.LargestWin, shorts.LargestWin));
  f.Money(std::min(longs.LargestLoss, shorts.LargestLoss));
  f.Money(wins == 0 ? 0
                    : (Extended(longs.Wins) * longs.AverageWin +
                       Extended(shorts.Wins) * shorts.AverageWin) /
                          wins);
  f.Money(losses == 0 ? 0
                      : (Extended(longs.Losses) * longs.AverageLoss +
                         Extended(shorts.Losses) * shorts.AverageLoss) /
                            losses);
  f.Add(trades == 0
            ? 0
            : (Trades(shorts) * shorts.AverageBars + Trades(longs) * longs.AverageBars) / trades);
  f.Add(std::max(longs.MaxBars, shorts.MaxBars));
  // 0 stands for "no trade on that side", so it never wins the comparison.
  const bool shortsShorter =
      shorts.MinBars != 0 && (longs.MinBars == 0 || shorts.MinBars < longs.MinBars);
  f.Add(shortsShorter ? shorts.MinBars : longs.MinBars);
  f.Add(run.MarginAccount >= run.InitialMarginAmount ? "profit" : "loss");
  f.Money(Extended(run.MarginAccount) + run.TradingAccount);
  f.Add(Percentage(Change(Extended(run.MarginAccount) + run.TradingAccount, initial + margin)));
  return f.Text();
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
