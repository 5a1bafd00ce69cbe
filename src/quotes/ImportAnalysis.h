// Which lines of a one-stock history file are new to the stock, and in
// which order they go in.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/Numbers.h"

namespace chartorium {

class Dialogs;

constexpr std::string_view GapQuestion =
    "There is a gap of more than one week in the file or between\r\nthe begin of the file and "
    "the last date, do you want to continue import?";

/// A data line as the analysis sees it: its date (NoDate when the field is
/// not a date) and the number value of its close field.
struct DatedLine {
  size_t Line = 0;  ///< index of the line in the file
  double Date = 0;
  Single Close = 0;
};

/// Analyses the lines that follow the lines to ignore, in file order:
/// 1. leading lines without a date (a header) are dropped;
/// 2. the lines are taken first to last when the second dated line is later
///    than the first (or there are fewer than two), else last to first;
/// 3. a line is kept when its date is later than the last kept one (at
///    first, `lastStoredDate`, or the first date minus one day when the stock
///    is empty) and its close is above 0; others are dropped. A date more
///    than 7 days after the last one asks GapQuestion when `reportGaps` is
///    set: No refuses everything (nullopt), Yes asks no more.
/// Returns the kept lines in ascending date order.
std::optional<std::vector<DatedLine>> AnalyseLines(std::span<const DatedLine> lines,
                                                   std::optional<double> lastStoredDate,
                                                   bool reportGaps, Dialogs& dialogs);

}  // namespace chartorium
