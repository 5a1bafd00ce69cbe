// Resetting the derived series. Each subsystem that caches series computed
// from the bars clears them here.
#include "core/DerivedSeries.h"

#include "core/Workspace.h"

namespace chartorium {

void ResetDerivedSeries(Workspace& workspace) {
  // The indicator cache and the overlays join the Workspace with the indicators;
  // until then no series is derived from the bars.
  static_cast<void>(workspace);
}

}  // namespace chartorium
