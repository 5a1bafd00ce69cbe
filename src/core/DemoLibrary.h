// A realistic library of made-up stocks, generated the same way every time,
// for a first start and for tests and benchmarks.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>

#include "core/QuoteStore.h"
#include "core/Status.h"

namespace chartorium {

struct DemoStock {
  std::string_view Name;
  std::string_view Ticker;
  std::string_view Folder;
  float StartPrice;
  float Volatility;  ///< typical daily move, as a fraction
  int BaseVolume;    ///< 0 for a stock without volume
  bool ClosesOnly;   ///< Open, Low and High are 0
};

/// The stocks of the demo library, folder by folder.
std::span<const DemoStock> DemoStocks();

/// Fills quotes 1..count (count <= MaxQuotes) of `quotes` with weekday bars
/// ending on `lastDay`, from a generator seeded by `seed`: daily moves with
/// volatility clusters, trending and reversing regimes, opening gaps, and
/// volumes that grow with the size of the move. Low <= Open, Close <= High.
void GenerateQuotes(const DemoStock& stock, unsigned long long seed, int lastDay, int count,
                    QuoteTable& quotes);

/// The last weekday before `today`.
int LastWeekdayBefore(int today);

/// Writes the demo library into `home`: the stock files in "Stocks", the
/// tree "List.ini", the tickers in "Stocks.ini", each stock's settings file,
/// and the demo's custom indicators and trading systems with their lists.
Status WriteDemoLibrary(const std::filesystem::path& home, int today);

}  // namespace chartorium
