// The outputs of macros that outlive a run: custom indicator values, the
// custom report grid and the tester's console.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "core/QuoteRecord.h"

namespace chartorium {

/// What one custom indicator run produces. Every run owns its own, so a
/// nested run or a built-in computed on first request cannot overwrite the
/// values an outer macro has set so far.
struct CustomIndicatorOutput {
  /// Places 1..2001 at indices 0..2000, the layout AddIndicatorSeries takes.
  std::array<Single, MaxQuotes> Values{};
  /// Each Level value followed by ";".
  std::string Levels;
  /// SetIndicColor's colour as a decimal number; empty when never set.
  std::string ColorText;
  bool Histogram = false;
};

/// The LevelsText of a finished custom indicator: levels, the separator
/// "\xC2\xA8" (the character 0xA8 of Windows-1252 in UTF-8), the colour text,
/// "*" and "-1" for a histogram or "0" for a line.
std::string ComposeLevelsText(const CustomIndicatorOutput& output);

struct ReportColumn {
  std::string Caption;
  int Width = 80;
};

struct ReportRow {
  /// The stock name the row belongs to.
  std::string Caption;
  /// Cell k (column k, k >= 1) at index k - 1.
  std::vector<std::string> Cells;
};

/// The custom report grid. Column 0 holds the stock names.
struct ReportGrid {
  ReportGrid() { Columns.push_back({"Stocks", 120}); }
  std::vector<ReportColumn> Columns;
  std::vector<ReportRow> Rows;
  /// The column last clicked; 0 after every run.
  int SortColumn = 0;
};

/// The report functions' view of the stock being processed.
struct ReportState {
  /// TakeThisStock was called for this stock.
  bool Taken = false;
  /// Index into ReportGrid::Rows, -1 when there is no current row.
  int CurrentRow = -1;
  /// Display name of the stock the report is processing.
  std::string StockDisplayName;
};

/// The lines PrintOut appends, shown as the system tester's console.
struct ConsoleLines {
  std::vector<std::string> Lines;
  /// Also given each new line when set (the command line prints them as they come).
  std::function<void(const std::string&)> Echo;
};

}  // namespace chartorium
