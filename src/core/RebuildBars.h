// Condensing the stored quotes to the bars of the chart's periodicity.
#pragma once

namespace chartorium {

class Workspace;

/// The week number of a date: weeks run Sunday to Saturday, week 1 holds
/// 1 January, so a week that spans New Year is split into two.
int WeekOfYear(double date);

/// Rebuilds BarSeries from QuoteArray for the current periodicity, keeps the
/// first visible bar (when the chart shows) and the marker on the bars that
/// hold their days, resets the derived series and re-clamps the view.
/// Does nothing when the store holds no quotes.
void RebuildBars(Workspace& workspace);

/// Keeps the visible window inside the bars: the last visible bar is at most
/// BarCount, the first at least 1, and no more bars are shown than exist.
void ClampVisibleBars(Workspace& workspace);

}  // namespace chartorium
