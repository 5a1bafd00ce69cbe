// What a trading system leaves on the chart: its signals, bar texts and bar
// colours over the visible bars, or the script error that ended its run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/MacroStatus.h"

namespace chartorium {

/// What a trading system marked on bars First..First + size - 1.
struct SystemSignals {
  int First = 1;
  std::vector<std::int8_t> Codes;        ///< signal codes, 0 for none
  std::vector<std::string> Labels;       ///< bar texts, "" for none
  std::vector<std::int32_t> BarColours;  ///< -1: the chart's own colour
};

}  // namespace chartorium
