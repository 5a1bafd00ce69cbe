// Dropping the series a changed period makes stale.
#include "indicators/PreferenceHooks.h"

#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"

namespace chartorium {

void DropRsiSeries(Workspace& workspace) {
  workspace.Indicators.RemoveIndicator("RSI");
}

void InvalidateBands(Workspace& workspace) {
  workspace.Indicators.Overlays().BandsValid = false;
}

void DiscardAverages(Workspace& workspace) {
  PriceOverlays& overlays = workspace.Indicators.Overlays();
  overlays.AveragesValid = false;
  overlays.ShortAverage.fill(0);
  overlays.LongAverage.fill(0);
}

void DropAroonSeries(Workspace& workspace) {
  IndicatorCache& cache = workspace.Indicators;
  for (const char* name : {"Aroon Oscillator", "Aroon Up", "Aroon Down"})
    cache.RemoveIndicator(name);
}

}  // namespace chartorium
