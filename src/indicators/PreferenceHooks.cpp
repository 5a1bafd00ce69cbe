// Dropping the series a changed period makes stale.
#include "indicators/PreferenceHooks.h"

#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"

namespace chartorium {

void CachedDerivedSeries::Reset() {
  cache_.Clear();
}

void CachedDerivedSeries::Drop(StaleSeries which) {
  switch (which) {
    case StaleSeries::Rsi:
      cache_.RemoveIndicator("RSI");
      return;
    case StaleSeries::Bands:
      cache_.Overlays().BandsValid = false;
      return;
    case StaleSeries::Averages: {
      PriceOverlays& overlays = cache_.Overlays();
      overlays.AveragesValid = false;
      overlays.ShortAverage.fill(0);
      overlays.LongAverage.fill(0);
      return;
    }
    case StaleSeries::Aroon:
      for (const char* name : {"Aroon Oscillator", "Aroon Up", "Aroon Down"})
        cache_.RemoveIndicator(name);
      return;
  }
}

void DropRsiSeries(Workspace& workspace) {
  workspace.Derived().Drop(StaleSeries::Rsi);
}

void InvalidateBands(Workspace& workspace) {
  workspace.Derived().Drop(StaleSeries::Bands);
}

void DiscardAverages(Workspace& workspace) {
  workspace.Derived().Drop(StaleSeries::Averages);
}

void DropAroonSeries(Workspace& workspace) {
  workspace.Derived().Drop(StaleSeries::Aroon);
}

}  // namespace chartorium
