// The portfolio the manager keeps: its name, cash, positions and journal.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

/// The columns of a position, in the grid's order.
enum class PositionColumn { Stocks, BuyDate, Qty, BuyPrice, TotalPrice, LastClose, Change };
constexpr int PositionColumnCount = 7;

/// The grid's column titles.
constexpr std::array<std::string_view, PositionColumnCount> PositionColumnTitles = {
    "Stocks", "Buy date", "Qty", "Buy price", "Total price", "Last Close", "Change"};

/// One position, as the texts the grid shows. Numbers are read from these
/// texts when computed with; a text that is not a number counts as 0.
struct PositionRow {
  std::string Stocks;      ///< the stock's name (its quote file without ".kvx")
  std::string BuyDate;     ///< the short date text of the last buy
  std::string Qty;         ///< a whole number; negative for a short position
  std::string BuyPrice;    ///< unit price
  std::string TotalPrice;  ///< total cost; negative for a short position
  std::string LastClose;   ///< "%8.2f" of the last close (not trimmed); set by the valuation
  std::string Change;      ///< "+12.50%" or "-3.00%"; set by the valuation

  /// The column's text.
  const std::string& Column(PositionColumn column) const;
  /// Whether the row shows the falling image: its change begins with "-".
  bool Falling() const { return !Change.empty() && Change.front() == '-'; }

  friend bool operator==(const PositionRow&, const PositionRow&) = default;
};

/// The manager's one portfolio. Name and cash are kept as shown, with one
/// leading space; the totals are texts computed by the valuation.
struct Portfolio {
  std::string PortfolioName;               ///< " Growth"; empty when none is loaded
  std::string Cash = " 0";                 ///< "Portfolio cash:"
  std::vector<PositionRow> Rows;           ///< the grid, in insertion order
  std::vector<std::string> Journal;        ///< one line per operation, oldest first
  std::string TotalAssets = " 0";          ///< "Total assets:"
  std::string PortfolioChange = " 0.00%";  ///< "Portfolio change:"
  bool ChangeIsNegative = false;           ///< the change is shown red, else green
  /// The file last opened or saved; none for a new portfolio.
  std::optional<std::filesystem::path> CurrentFile;
  /// Changed since it was last opened or saved.
  bool Modified = false;

  /// Whether a portfolio is loaded (the operations are enabled then).
  bool Loaded() const { return !PortfolioName.empty(); }
  /// The name without its leading space.
  std::string TrimmedName() const;
  /// Index of the first row of `stock`; -1 when there is none.
  int FindRow(std::string_view stock) const;
};

}  // namespace chartorium
