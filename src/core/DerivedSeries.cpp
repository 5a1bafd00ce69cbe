// Resetting the derived series of the open stock.
#include "core/DerivedSeries.h"

#include "core/Workspace.h"

namespace chartorium {

void ResetDerivedSeries(Workspace& workspace) {
  workspace.Derived().Reset();
}

}  // namespace chartorium
