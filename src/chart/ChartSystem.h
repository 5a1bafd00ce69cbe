// The chart's one door to the trading systems: running the selected system
// over the visible bars and keeping what it marked, or why it failed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

class Workspace;

/// What a trading system marked on bars First..First + size - 1.
struct SystemSignals {
  int First = 1;
  std::vector<std::int8_t> Codes;        ///< signal codes, 0 for none
  std::vector<std::string> Labels;       ///< bar texts, "" for none
  std::vector<std::int32_t> BarColours;  ///< -1: the chart's own colour
};

/// A script error of the chart's system, as the script host describes it.
struct ChartSystemError {
  int Number = 0;
  std::string Description;
  int Line = 0;    ///< 1-based
  int Column = 0;  ///< 0-based
  /// The whole report, as the script error box shows it.
  std::string Message;
};

struct ChartSystemRun {
  SystemSignals Signals;  ///< empty after an error
  std::optional<ChartSystemError> Error;
};

/// Runs the system text over bars first..last in the system tester's host and
/// copies its signals, bar texts and bar colours of those bars. A script error
/// is returned, not shown: the caller decides who sees it.
/// REQUIRES: 1 <= first <= last <= MaxQuotes.
ChartSystemRun RunChartSystem(Workspace& workspace, std::string_view text, int first, int last);

}  // namespace chartorium
