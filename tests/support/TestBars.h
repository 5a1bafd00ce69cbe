// Hand-built bars written straight into a Workspace's bar series.
#pragma once

#include <vector>

#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"

namespace chartorium::testing {

/// One bar as the tests write it.
struct TestBar {
  Single Open = 0;
  Single High = 0;
  Single Low = 0;
  Single Close = 0;
  int Volume = 0;
  int OpenInterest = 0;
};

/// Bars 1..n dated 40001, 40002, ...; every later bar is cleared, and so is
/// the indicator cache, which belongs to the bars it was computed from.
inline void SetTestBars(Workspace& workspace, const std::vector<TestBar>& bars) {
  QuoteStore& store = workspace.Quotes();
  store.BarSeries.fill(QuoteRecord{});
  int place = 0;
  for (const TestBar& bar : bars) {
    QuoteRecord& record = store.BarSeries[static_cast<size_t>(++place)];
    record.Date = 40000 + place;
    record.Open = bar.Open;
    record.High = bar.High;
    record.Low = bar.Low;
    record.Close = bar.Close;
    record.Volume = bar.Volume;
    record.OpenInterest = bar.OpenInterest;
  }
  store.BarCount = place;
  workspace.Indicators.Clear();
}

}  // namespace chartorium::testing
