// Series by name: computing a named series into the cache of the open stock
// and reading values, averages, highs and lows of it.
#pragma once

#include <string>
#include <string_view>

#include "core/HautBas.h"
#include "core/MacroStatus.h"
#include "core/Numbers.h"

namespace chartorium {

class Workspace;

/// The lower-case form of a series name with the aliases applied
/// ("macd ma" -> "macdma", "open interest" -> "oi").
std::string SeriesKey(std::string_view name);

/// Whether the series of this lower-case name is read from the bars or the
/// overlays and never stored in the cache.
bool IsNeverCached(std::string_view key);

/// Computes the series of that name into the cache unless it is there already
/// or is never cached. A custom indicator (listed in "Indicators.dat") runs
/// through the cache's custom indicator runner; a built-in name runs its
/// catalogue routine; any other name gets an all-zero series under its
/// lower-case form. Returns the script errors of the custom indicator run it
/// started (its series is cached all the same, so asking again reports nothing).
MacroStatus ComputeIndicator(Workspace& workspace, std::string_view name);

/// Removes the first cached series of that name (ignoring case); see IndicatorCache.
void RemoveIndicator(Workspace& workspace, std::string_view name);

/// Fills the moving-average overlays from the preferences EMCT/MAT1 and EMLT/MAT2.
void ComputeAverages(Workspace& workspace);
/// Fills the Bollinger bands over EBoll bars.
void ComputeBands(Workspace& workspace);

/// The functions below compute a series on first request (ComputeIndicator)
/// and add the script errors of a custom indicator run they start to `runs`.

/// Value of a named series at place 1..2001; 0 outside 1..2001 and for a name
/// nothing yields.
Single SeriesValue(Workspace& workspace, std::string_view name, int place, MacroStatus& runs);

/// Mean of a named series over the `period` places ending at `last`; 0 when
/// the window does not fit in 1..2001 or its first value is 0 (the window
/// reaches into warm-up places or bars without data).
Single SeriesAverage(Workspace& workspace, std::string_view name, int last, int period,
                     MacroStatus& runs);

/// Highest and lowest value of a named series over places first..last,
/// REQUIRES nothing: 0 unless 1 <= first and last <= BarCount. Leading warm-up
/// zeros are skipped (places up to the first non-zero value, the first
/// positive value for the overlays).
Single SeriesHighest(Workspace& workspace, std::string_view name, int first, int last,
                     MacroStatus& runs);
Single SeriesLowest(Workspace& workspace, std::string_view name, int first, int last,
                    MacroStatus& runs);

/// Value range of bars first..last for the chart: every mode but PricesOnly
/// makes sure the moving averages and Bollinger bands are computed first.
PriceRange HautBas(Workspace& workspace, int first, int last, HautBasMode mode);

}  // namespace chartorium
