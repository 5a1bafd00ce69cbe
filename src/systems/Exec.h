// The system run: one trading system over a range of bars, leaving its
// signals in the workspace's SystemRunState.
#pragma once

#include <string_view>

namespace chartorium {

class Workspace;

/// Resets the signals, bar texts and colours (-1 over beginBar..endBar) and
/// the stops, sets the script variables CurrentBar, LastBuyPrice, Signal,
/// BeginBar and EndBar in the system tester's host, adds `code` to it (the
/// host keeps what earlier runs left) and runs its Main. False when a script
/// error ended the run; the error has been reported by the host.
bool Exec(Workspace& workspace, std::string_view code, int beginBar, int endBar);

/// Exec without the error message: the chart runs its selected system on every
/// repaint and only turns the signals off when it fails.
bool ExecQuietly(Workspace& workspace, std::string_view code, int beginBar, int endBar);

}  // namespace chartorium
