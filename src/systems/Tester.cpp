// The trade simulation of the system tester: one pass of the system, then one
// pass over the range turning its signals into orders on the two accounts.
#include "systems/Tester.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/DateTexts.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "systems/Exec.h"
#include "systems/TesterTexts.h"

namespace chartorium {

namespace {

// Share counts are whole numbers held in singles; they print without decimals.
std::string ShareText(Extended shares) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0Lf", shares);
  return text;
}

class Simulation {
 public:
  Simulation(Workspace& workspace, const TesterOptions& options)
      : workspace_(workspace),
        run_(workspace.Macros.Run),
        store_(workspace.Quotes()),
        options_(options),
        keepDays_(TextToInt(options.KeepDays)) {}

  void Trade(TestRange range) {
    for (int b = range.From; b <= range.To; ++b) {
      int s = run_.SignalArray[static_cast<size_t>(b)];
      if (longShares_ > 0 && ++longBars_ == keepDays_ && options_.KeepStock) s = SignalSell;
      // A forced cover replaces a forced sell of the same bar.
      if (shortShares_ > 0 && ++shortBars_ == keepDays_ && options_.KeepStock) s = SignalCover;
      switch (s) {
        case SignalBuy:
          Order(SignalBuy, b);
          break;
        case SignalSell:
          Order(SignalSell, b);
          break;
        case SignalShort:
          Order(SignalShort, b);
          break;
        case SignalCover:
          Order(SignalCover, b);
          break;
        case SignalCoverAndBuy:
          Order(SignalCover, b);
          Order(SignalBuy, b);
          break;
        case SignalSellAndShort:
          Order(SignalSell, b);
          Order(SignalShort, b);
          break;
        default:
          break;
      }
    }
    // What is still open closes at the range's last fill price.
    if (range.To >= 1) {
      Sell(range.To);
      Cover(range.To);
    }
  }

 private:
  void Order(int code, int b) {
    if (workspace_.ProcessPendingMessages) workspace_.ProcessPendingMessages();
    run_.LastAction = code;
    switch (code) {
      case SignalBuy:
        Buy(b);
        break;
      case SignalSell:
        Sell(b);
        break;
      case SignalShort:
        Short(b);
        break;
      case SignalCover:
        Cover(b);
        break;
      default:
        break;
    }
  }

  // The signal bar's close, or the next bar's open or close; the last bar of
  // the stock has no next bar and fills at its own close.
  Single FillPrice(int b) const {
    const QuoteTable& bars = store_.BarSeries;
    if (options_.Fill == FillRule::DayClose || b >= store_.BarCount) {
      return bars[static_cast<size_t>(b)].Close;
    }
    const QuoteRecord& next = bars[static_cast<size_t>(b) + 1];
    return options_.Fill == FillRule::NextOpen ? next.Open : next.Close;
  }

  std::string DateOf(int b) const {
    return DateText(store_.BarSeries[static_cast<size_t>(b)].Date, workspace_.Locale);
  }

  // The commission of an order on a position of `shares` at `price`.
  Extended Commission(Single shares, Single price) const {
    if (run_.CommissionIsFixed) return run_.FixedCommission;
    const Extended percentage = Extended(shares) * price / 100 * run_.CommissionPercent;
    return std::min<Extended>(percentage, run_.MaxCommission);
  }

  void LogEntry(std::string_view order, Extended shares, Single price, int b) {
    run_.TradeLog += std::string(order) + " " + ShareText(shares) + " share(s) at " +
                     PriceText(price) + " the " + DateOf(b) + ";";
  }

  void LogExit(std::string_view order, Single shares, Single price, int b, Single profit) {
    run_.TradeLog += std::string(order) + " " + ShareText(shares) + " share(s) at " +
                     PriceText(price) + " the " + DateOf(b) + "\t Profit of " +
                     PaddedTwoDecimals(profit) + ";";
  }

  void Buy(int b) {
    if (longShares_ > 0) return;
    const Single p = FillPrice(b);
    // A price of 0 marks a damaged bar: nothing can be bought at it.
    if (!(run_.TradingAccount > p) || p <= 0) return;
    const Extended cash = run_.TradingAccount;
    Extended n = std::floor(cash / p);
    if (options_.BuyMaximum) {
      if (options_.MaximumIsShares) {
        n = std::min<Extended>(n, TextToInt(options_.MaximumShares));
      } else {
        // The percentage is not capped by the cash.
        n = std::floor(TextToInt(options_.MaximumPercent) * (cash / 100) / p);
      }
      n = std::max<Extended>(n, 0);  // a negative limit buys nothing
    }
    longShares_ = ToSingle(longShares_ + n);
    LogEntry("Buy", n, p, b);
    longEntry_ = p;
    run_.TradingAccount = ToSingle(run_.TradingAccount - n * p);
    // Charged even when the limit bought no share.
    run_.TradingAccount = ToSingle(run_.TradingAccount - Commission(longShares_, p));
    longBars_ = 0;
  }

  void Sell(int b) {
    if (!(longShares_ > 0)) return;
    const Single p = FillPrice(b);
    const Extended shares = longShares_;
    run_.TradingAccount = ToSingle(run_.TradingAccount + shares * p);
    const Single profit = ToSingle(shares * p - shares * longEntry_);
    LogExit("Sell", longShares_, p, b, profit);
    Book(run_.LongStats, profit, longBars_);
    longShares_ = 0;
  }

  void Short(int b) {
    if (shortShares_ > 0) return;
    const Single p = FillPrice(b);
    if (!(run_.MarginAccount > p) || p <= 0) return;
    const Extended n = std::floor(Extended(run_.MarginAccount) / p);
    shortShares_ = ToSingle(shortShares_ + n);
    LogEntry("Short", n, p, b);
    shortEntry_ = p;
    run_.MarginAccount = ToSingle(run_.MarginAccount + n * p);
    run_.MarginAccount = ToSingle(run_.MarginAccount - Commission(shortShares_, p));
    shortBars_ = 0;
  }

  void Cover(int b) {
    if (!(shortShares_ > 0)) return;
    const Single p = FillPrice(b);
    const Extended shares = shortShares_;
    run_.MarginAccount = ToSingle(run_.MarginAccount - shares * p);
    const Single profit = ToSingle(shares * shortEntry_ - shares * p);
    LogExit("Cover", shortShares_, p, b, profit);
    Book(run_.ShortStats, profit, shortBars_);
    shortShares_ = 0;
  }

  // Commissions are not part of a trade's profit; a profit of 0 is a win.
  static void Book(SideStatistics& side, Single profit, int bars) {
    if (profit >= 0) {
      ++side.Wins;
      side.AverageWin = ToSingle(Extended(side.AverageWin) + profit);
      if (profit > side.LargestWin) side.LargestWin = profit;
      side.GrossProfit = ToSingle(Extended(side.GrossProfit) + profit);
    } else {
      ++side.Losses;
      side.AverageLoss = ToSingle(Extended(side.AverageLoss) + profit);
      if (profit < side.LargestLoss) side.LargestLoss = profit;
      side.GrossLoss = ToSingle(Extended(side.GrossLoss) + profit);
    }
    side.MaxBars = std::max(side.MaxBars, bars);
    if (side.MinBars == 0 || bars < side.MinBars) side.MinBars = bars;
    side.AverageBars += bars;
  }

  Workspace& workspace_;
  SystemRunState& run_;
  const QuoteStore& store_;
  const TesterOptions& options_;
  const int keepDays_;
  Single longShares_ = 0;
  Single shortShares_ = 0;
  Single longEntry_ = 0;
  Single shortEntry_ = 0;
  int longBars_ = 0;
  int shortBars_ = 0;
};

void ComputeAverages(SideStatistics& side) {
  const int trades = side.Wins + side.Losses;
  side.AverageBars = trades == 0 ? 0 : side.AverageBars / trades;
  side.AverageWin = side.Wins == 0 ? 0 : ToSingle(Extended(side.AverageWin) / side.Wins);
  side.AverageLoss = side.Losses == 0 ? 0 : ToSingle(Extended(side.AverageLoss) / side.Losses);
}

// The shares the amount buys at c1, bought (sign 1) or shorted (sign -1) at c1
// and closed at c2.
Single HoldResult(Single amount, Single c1, Single c2, int sign) {
  const Extended k = c1 == 0 ? 0 : std::trunc(Extended(amount) / c1);
  const Single opened = ToSingle(amount - sign * k * c1);
  return ToSingle(opened + sign * k * c2);
}

}  // namespace

void ReadTesterOptions(const TesterOptions& options, Workspace& workspace) {
  SystemRunState& run = workspace.Macros.Run;
  run.CommissionIsFixed = options.FixedCommission;
  run.CommissionPercent = ToSingle(TextToNumber(options.Percentage));
  run.FixedCommission = ToSingle(TextToNumber(options.Fixed));
  run.MaxCommission = ToSingle(TextToNumber(options.Maximum));
  run.TradingAccount = ToSingle(TextToInt(options.InitialAmount));
  // The signal methods price an entry by the same rule the simulation fills it.
  workspace.Macros.Fill.OnDayClose = options.Fill == FillRule::DayClose;
  workspace.Macros.Fill.OnNextOpen = options.Fill == FillRule::NextOpen;
}

MacroStatus Tester(Workspace& workspace, const TesterOptions& options, TestRange range,
                   std::string_view code) {
  SystemRunState& run = workspace.Macros.Run;
  run.LongStats = SideStatistics();
  run.ShortStats = SideStatistics();
  run.EntryPrice = 0;
  run.MarginAccount = 0;
  run.ShortAndHoldAmount = 0;
  run.LastAction = 0;
  run.TradeLog.clear();
  workspace.Macros.Fill.OnDayClose = options.Fill == FillRule::DayClose;
  workspace.Macros.Fill.OnNextOpen = options.Fill == FillRule::NextOpen;

  range.From = std::max(range.From, 1);
  range.To = std::min({range.To, workspace.Quotes().BarCount, MaxQuotes});
  MacroStatus status = Exec(workspace, code, range.From, range.To);
  if (!status.ok()) return status;

  run.InitialTradingAmount = run.TradingAccount;
  run.InitialMarginAmount = run.MarginAccount;
  run.BuyAndHoldAmount = run.InitialTradingAmount;

  Simulation(workspace, options).Trade(range);
  ComputeAverages(run.LongStats);
  ComputeAverages(run.ShortStats);

  const QuoteTable& bars = workspace.Quotes().BarSeries;
  const Single c1 = range.To >= range.From ? bars[static_cast<size_t>(range.From)].Close : 0;
  const Single c2 = range.To >= range.From ? bars[static_cast<size_t>(range.To)].Close : 0;
  run.BuyAndHoldAmount = HoldResult(run.BuyAndHoldAmount, c1, c2, 1);
  run.ShortAndHoldAmount = HoldResult(run.ShortAndHoldAmount, c1, c2, -1);
  return status;
}

}  // namespace chartorium
