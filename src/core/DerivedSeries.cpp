// Resetting the derived series. Each subsystem that caches series computed
// from the bars clears them here.
#include "core/DerivedSeries.h"

#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"

namespace chartorium {

void ResetDerivedSeries(Workspace& workspace) {
  workspace.Indicators.Clear();
}

}  // namespace chartorium
