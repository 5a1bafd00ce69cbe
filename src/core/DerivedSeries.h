// Everything computed from the bars and kept until the bars change.
#pragma once

namespace chartorium {

class Workspace;

/// Drops every series computed from the current bars: the moving-average and
/// Bollinger overlays with their valid flags, and the named-series cache.
/// Called by every rebuild of the bars.
void ResetDerivedSeries(Workspace& workspace);

}  // namespace chartorium
