// What a changed indicator period drops from the cache of the open stock.
// The Options dialog calls these when a period is confirmed or edited.
#pragma once

#include "core/DerivedSeries.h"

namespace chartorium {

class IndicatorCache;
class Workspace;

/// The derived series of the core, kept by an indicator cache.
class CachedDerivedSeries final : public DerivedSeries {
 public:
  explicit CachedDerivedSeries(IndicatorCache& cache) : cache_(cache) {}
  void Reset() override;
  void Drop(StaleSeries which) override;

 private:
  IndicatorCache& cache_;
};

/// The RSI period changed: the cached "RSI" series is removed.
void DropRsiSeries(Workspace& workspace);
/// The Bollinger period changed: the bands are marked as not computed.
void InvalidateBands(Workspace& workspace);
/// A moving-average period or type changed: both averages are marked as not
/// computed and their values discarded.
void DiscardAverages(Workspace& workspace);
/// The Aroon period was edited: "Aroon Oscillator", "Aroon Up" and
/// "Aroon Down" are removed.
void DropAroonSeries(Workspace& workspace);

}  // namespace chartorium
