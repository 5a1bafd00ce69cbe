// Volume-based indicators and the accumulation / distribution line.
#pragma once

#include "indicators/SeriesTypes.h"

namespace chartorium {

/// "William's A/D", from place 2.
ResultSeries WilliamsAccumulation(const BarView& bars);
/// "Price-Volume Rank": 0..4 from the directions of close and volume, from place 2.
ResultSeries PriceVolumeRank(const BarView& bars);
/// "On Balance Volume", from place 2; an unchanged close counts as a down day.
ResultSeries OnBalanceVolume(const BarView& bars);
/// "Money Flow Index", from place n; zeros without volume data.
ResultSeries MoneyFlowIndex(const BarView& bars, int n);
/// "Positive Volume Index", from place 3.
ResultSeries PositiveVolumeIndex(const BarView& bars);
/// "Negative Volume Index", from place 2.
ResultSeries NegativeVolumeIndex(const BarView& bars);
/// "TVI" with the fixed 4 % threshold, from place 2; zeros without volume data.
ResultSeries Tvi(const BarView& bars);
/// "Arms Ease of Movement", from place 2.
ResultSeries ArmsEaseOfMovement(const BarView& bars);
/// "Elder's Force Index": 2-bar exponential average of change times volume.
ResultSeries EldersForceIndex(const BarView& bars);

}  // namespace chartorium
