// Everything computed from the bars and kept until the bars change. The
// indicator cache keeps these series; the core, a layer below it, reaches them
// through this interface, which the Workspace binds to the cache.
#pragma once

namespace chartorium {

class Workspace;

/// The series a confirmed preference makes stale.
enum class StaleSeries {
  Rsi,       ///< the RSI period changed: the cached "RSI" series goes
  Bands,     ///< the Bollinger period changed: the bands are recomputed
  Averages,  ///< an average's period or type changed: both are recomputed
  Aroon,     ///< the Aroon period changed: its three cached series go
};

class DerivedSeries {
 public:
  virtual ~DerivedSeries() = default;
  /// Drops every series computed from the current bars: the moving-average
  /// and Bollinger overlays with their valid flags, and the named series.
  virtual void Reset() = 0;
  /// Drops what a changed preference makes stale.
  virtual void Drop(StaleSeries which) = 0;
};

/// The workspace's derived series are reset; called by every rebuild of the bars.
void ResetDerivedSeries(Workspace& workspace);

}  // namespace chartorium
