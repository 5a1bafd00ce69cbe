// What each stored trading system says on the open stock's last bar: the
// list of the signals window.
#pragma once

#include <string>
#include <vector>

#include "core/MacroStatus.h"

namespace chartorium {

class Workspace;

/// The picture of a list entry.
enum class SignalPicture { Buy = 0, Sell = 1, Neutral = 2 };

struct SignalsListItem {
  std::string System;
  int Signal = 0;  ///< the signal code of the last bar
  /// Buy only for code 1, Neutral for 0, Sell for every other code
  /// (sell, short, cover and the combined codes).
  SignalPicture Picture = SignalPicture::Neutral;
};

struct SignalsList {
  std::vector<SignalsListItem> Items;
  /// A system's script failed; the list stops before it.
  bool Failed = false;
  std::string FailedSystem;
  /// The script errors met, in order, for the caller to show: those of custom
  /// indicators the systems asked for and, last, the failed system's own.
  MacroStatus Script;
};

/// Runs every system named in "Signals.dat", in file order, over the last bar
/// of the open stock. Systems without a file in "Signals" are skipped; with
/// no bars the list is empty.
SignalsList ComputeSignalsList(Workspace& workspace);

}  // namespace chartorium
