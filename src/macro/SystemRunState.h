// The state a trading-system run leaves behind: signals, bar marks, stops,
// accounts and the tester's statistics.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/Numbers.h"
#include "core/QuoteRecord.h"

namespace chartorium {

/// Signal codes of SignalArray, one signed byte per bar.
enum SignalCode : std::int8_t {
  SignalNeutral = 0,
  SignalBuy = 1,
  SignalSell = -1,
  SignalShort = 2,
  SignalCover = -2,
  SignalCoverAndBuy = 3,
  SignalSellAndShort = -3,
};

/// The name the macro object reports for a signal code; "" for any other code.
std::string_view SignalName(int code);

/// Per-side results of a simulation, kept by the system tester.
struct SideStatistics {
  std::int32_t Wins = 0;    ///< closed trades with a profit >= 0
  std::int32_t Losses = 0;  ///< closed trades with a profit < 0
  Single GrossProfit = 0;
  Single GrossLoss = 0;
  Single LargestWin = 0;   ///< 0 when there is none
  Single LargestLoss = 0;  ///< most negative profit; 0 when there is none
  Single AverageWin = 0;   ///< a sum during the simulation, divided at its end
  Single AverageLoss = 0;
  std::int32_t AverageBars = 0;  ///< a sum during the simulation
  std::int32_t MaxBars = 0;
  std::int32_t MinBars = 0;
};

/// Per-bar arrays are indexed by place 1..2001; element 0 is unused.
using SignalArrayType = std::array<std::int8_t, MaxQuotes + 1>;
using BarTextArrayType = std::array<std::string, MaxQuotes + 1>;
using BarColorArrayType = std::array<std::int32_t, MaxQuotes + 1>;

/// One per process (a member of Workspace). Written by the macro object and
/// the system tester; read by the chart, the signals window and the reports.
struct SystemRunState {
  SignalArrayType SignalArray{};
  BarTextArrayType BarTextArray{};
  /// -1 means the chart's own colour.
  BarColorArrayType BarColorArray{};
  /// Price of the last Buy or Short (0 after Sell or Cover).
  Single EntryPrice = 0;
  Single HighSinceEntry = 0;
  Single LowSinceEntry = 0;
  /// 0 = off.
  Single TrailingStopPercent = 0;
  Single StopLossPercent = 0;
  Single ProfitTargetPercent = 0;
  /// An automatic stop fired on the current bar: signal calls do nothing.
  bool StopsFired = false;
  /// The signal kind (0, 1, -1, 2, -2) in force before the last one recorded.
  std::int32_t LastAction = 0;
  Single TradingAccount = 0;
  Single MarginAccount = 0;
  Single BuyAndHoldAmount = 0;
  Single ShortAndHoldAmount = 0;
  Single InitialTradingAmount = 0;
  Single InitialMarginAmount = 0;
  bool CommissionIsFixed = true;
  Single FixedCommission = 0;
  Single CommissionPercent = 0;
  Single MaxCommission = 0;
  std::string TradeLog;
  SideStatistics LongStats;
  SideStatistics ShortStats;
};

}  // namespace chartorium
