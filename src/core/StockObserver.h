// What the windows do when the engine opens a stock.
#pragma once

#include <string_view>

namespace chartorium {

/// Told by Ouvre what the windows should show; the decisions are made by the
/// engine, the windows only carry them out.
class StockObserver {
 public:
  StockObserver() = default;
  StockObserver(const StockObserver&) = delete;
  StockObserver& operator=(const StockObserver&) = delete;
  virtual ~StockObserver() = default;

  /// A stock file was created for a name the library did not have: the tree
  /// selects its top node and adds a stock node named `stockName` as its first child.
  virtual void StockNodeCreated(std::string_view stockName) {}
  /// A stock was opened: redraw the summary (and the chart), show the chart
  /// when `showGraph`, show the signals window when `showSignals`.
  virtual void StockOpened(bool showGraph, bool showSignals) {}
};

/// An observer that ignores everything (command line, batch runs).
class NoStockObserver final : public StockObserver {};

}  // namespace chartorium
