// The system run: one trading system over a range of bars, leaving its
// signals in the workspace's SystemRunState.
#pragma once

#include <string_view>

#include "core/MacroStatus.h"

namespace chartorium {

class Workspace;

/// Resets the signals, bar texts and colours (-1 over beginBar..endBar) and
/// the stops, sets the script variables CurrentBar, LastBuyPrice, Signal,
/// BeginBar and EndBar in the system tester's host, adds `code` to it (the
/// host keeps what earlier runs left) and runs its Main. Fails with the script
/// error that ended the run; the errors of custom indicators and systems the
/// macro asked for come with it (and also when the run itself succeeded).
MacroStatus Exec(Workspace& workspace, std::string_view code, int beginBar, int endBar);

}  // namespace chartorium
