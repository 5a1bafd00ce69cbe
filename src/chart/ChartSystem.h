// The chart's one door to the trading systems: running the selected system
// over the visible bars and keeping what it marked, or why it failed.
#pragma once

#include <optional>
#include <string_view>

#include "chart/SystemSignals.h"

namespace chartorium {

class Workspace;

struct ChartSystemRun {
  SystemSignals Signals;  ///< empty after an error
  std::optional<MacroError> Error;
};

/// Runs the system text over bars first..last in the system tester's host and
/// copies its signals, bar texts and bar colours of those bars. A script error
/// is returned, not shown: the caller decides who sees it.
/// REQUIRES: 1 <= first <= last <= MaxQuotes.
ChartSystemRun RunChartSystem(Workspace& workspace, std::string_view text, int first, int last);

}  // namespace chartorium
