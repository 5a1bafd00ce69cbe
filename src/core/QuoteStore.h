// The open stock's quotes as stored and as bars, with the chart's view state.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/QuoteRecord.h"

namespace chartorium {

enum class Periodicity : std::int16_t { Daily = 1, Weekly = 2, Monthly = 3 };

/// Records 1..MaxQuotes; element 0 is never used and stays zero, so the
/// program's 1-based places index the array directly.
using QuoteTable = std::array<QuoteRecord, MaxQuotes + 1>;

/// The one store of the open stock. Its arrays are fixed in size: loads,
/// saves and rebuilds never allocate.
struct QuoteStore {
  QuoteTable QuoteArray{};  ///< the stock file's records in file order, 1 = oldest
  int QuoteCount = 0;       ///< records held in QuoteArray
  QuoteTable BarSeries{};   ///< QuoteArray condensed to Periodicity
  int BarCount = 0;         ///< bars held in BarSeries
  std::string StockName;    ///< file name without ".kvx"; empty when no stock is open

  /// The stock file the quotes were read from, which SauveFich writes back;
  /// empty when no file is open.
  std::filesystem::path OpenFile;
  /// The stock whose file and settings were loaded. Callers may set StockName
  /// to the next stock before opening it, so saving goes by this name.
  std::string OpenFileStock;
  /// Records the open file held when it was read; above MaxQuotes only the
  /// newest MaxQuotes were loaded, and the full file is kept aside on save.
  int FileRecordCount = 0;

  Periodicity Period = Periodicity::Daily;
  int FirstVisibleBar = 1;    ///< leftmost plotted bar
  int VisibleBarCount = 0;    ///< bars plotted
  int MarkerBar = 0;          ///< bar under the chart's marker line; 0 = no marker
  bool ChartVisible = false;  ///< whether the chart window shows; set by the chart window
  bool SystemError =
      false;  ///< the chart's trading system failed; no signals drawn until the next load
};

/// Zeroes both arrays and both counts. The stock name and view state stay.
void ClearQuoteStore(QuoteStore& store);

/// Removes the n oldest records (n is limited to MaxQuotes); the freed slots at
/// the end are zeroed. Used by writers that append to a full store.
void DropOldestQuotes(QuoteStore& store, int n);

}  // namespace chartorium
