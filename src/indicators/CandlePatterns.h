// Candlestick patterns by name, and the size classes of one bar's body and shadows.
#pragma once

#include <span>
#include <string_view>

#include "core/QuoteStore.h"
#include "indicators/IndicatorCache.h"

namespace chartorium {

class Workspace;

/// Every pattern name in the order the names are tested.
std::span<const std::string_view> CandlePatternNames();

/// Whether the named pattern (compared in lower case) is present at `place`,
/// reading only that bar and earlier ones. False for an unknown name, a place
/// outside 1..2001, before the pattern's first place or after BarCount;
/// except that a size name ("small body", "large upper shadow", ...) asked
/// after BarCount classifies the empty bar against the thresholds left by the
/// previous size test. Every size test first recomputes `thresholds` from
/// the 15 bars ending at the place (the bars ending at bar 15 for earlier places).
bool CandlePattern(const QuoteStore& store, CandleThresholds& thresholds, std::string_view name,
                   int place);

/// The same on the open stock, with the workspace's persistent thresholds.
bool CandlePattern(Workspace& workspace, std::string_view name, int place);

}  // namespace chartorium
