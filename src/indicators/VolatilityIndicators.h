// Range and position measures: average true range, intraday volatility, IRM
// and balance of power.
#pragma once

#include "indicators/SeriesTypes.h"

namespace chartorium {

/// "Average True Range" over n bars, from place n + 2. n < 1 gives zeros.
ResultSeries AverageTrueRange(const BarView& bars, int n);
/// "Intraday Volatility": n-bar mean of the range in per cent of the low, from
/// place n; zeros for a stock without intraday data.
ResultSeries IntradayVolatility(const BarView& bars, int n);
/// "IRM": the close-to-average ratio ranked 0..50 between its lowest and highest, from place 15.
ResultSeries Irm(const BarView& bars);
/// "Balance of Power", from place 1.
ResultSeries BalanceOfPower(const BarView& bars);

}  // namespace chartorium
