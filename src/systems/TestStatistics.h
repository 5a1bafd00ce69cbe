// The statistics of one test and their texts, as the report pages and the
// command line show them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/MoneyFormat.h"
#include "core/Numbers.h"
#include "macro/SystemRunState.h"

namespace chartorium {

/// The figures of one test, taken from the SystemRunState right after it.
struct TestStatistics {
  /// The stock tested; the system's name in "Test selected &systems".
  std::string Name;
  /// The locale's money format with the tested stock's currency.
  MoneyFormat Money;
  /// Trades on the trading account, and short trades on the margin account.
  SideStatistics Long;
  SideStatistics Short;
  Single InitialTradingAmount = 0;
  Single TradingAccount = 0;  ///< the long side's ending amount
  Single BuyAndHoldAmount = 0;
  Single InitialMarginAmount = 0;
  Single MarginAccount = 0;  ///< the short side's ending amount
  Single ShortAndHoldAmount = 0;

  /// Only a positive margin amount gives a short side and totals.
  bool HasMarginAccount() const { return InitialMarginAmount > 0; }
};

/// The rows of a column of statistics, in the tester's order.
enum class StatisticsRow : std::uint8_t {
  Trades,
  Wins,
  Losses,
  GrossProfit,
  GrossLoss,
  LargestWin,
  LargestLoss,
  AverageWin,
  AverageLoss,
  AverageBars,
  MaxBars,
  MinBars,
  EndingAmount,
  Return,
  HoldReturn,  ///< buy & hold for the long side, short & hold for the short side
};
constexpr std::size_t StatisticsRowCount = 15;

/// The label of a row, as the long side shows it ("Number of trades", ...).
std::string_view StatisticsLabel(StatisticsRow row);

/// One column of statistics texts, one per row.
struct StatisticsColumn {
  std::array<std::string, StatisticsRowCount> Texts;

  const std::string& operator[](StatisticsRow row) const {
    return Texts[static_cast<std::size_t>(row)];
  }
  std::string& operator[](StatisticsRow row) { return Texts[static_cast<std::size_t>(row)]; }
};

/// The statistics of one test as texts: counts in decimal, amounts in the
/// money format, returns as "12.34%" ("N/A" with an initial amount of 0).
struct StatisticsTexts {
  std::string Name;
  StatisticsColumn Long;
  /// "Total net profit" (the long side ended at or above its initial amount)
  /// or "Total net loss", and the difference.
  std::string NetResultLabel;
  std::string NetResult;
  /// The short side and the totals of a test with a margin account; all
  /// texts are empty without one. The totals have no HoldReturn.
  StatisticsColumn Short;
  StatisticsColumn Total;
  /// "profit" (the margin account ended at or above its initial amount) or "loss".
  std::string TotalResult;
};

StatisticsTexts FormatStatistics(const TestStatistics& statistics);

struct StatisticsLine {
  std::string Label;
  std::string Value;
};

/// The statistics as labelled lines: the long rows and the net result, then
/// with a margin account the short rows ("Short number of trades", ...), the
/// total rows, "Total result", "Total ending amount" and "Total return".
std::vector<StatisticsLine> StatisticsLines(const StatisticsTexts& texts);

}  // namespace chartorium
