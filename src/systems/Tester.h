// The system tester's simulation: the test range, the trades a system's
// signals make on the two accounts, and the statistics text of a test.
#pragma once

#include <string>
#include <string_view>

#include "systems/TesterOptions.h"

namespace chartorium {

class Clock;
class Workspace;
struct SystemRunState;

/// Bars From..To (1-based places of the bar series).
struct TestRange {
  int From = 1;
  int To = 1;
};

/// The range the options ask for on the open stock: the last N bars, or the
/// bars from the first dated on or after "From:" to the first dated on or
/// after "to:". Dates that cannot be read are earlier than every bar.
TestRange GiveDate(const TesterOptions& options, const Workspace& workspace);
/// The same with the clock that completes partial dates ("15" = this month's 15th).
TestRange GiveDate(const TesterOptions& options, const Workspace& workspace, const Clock& clock);

/// Commissions and TradingAccount from the options into the workspace's
/// SystemRunState, and the fill rule into the macro object's fill options.
void ReadTesterOptions(const TesterOptions& options, Workspace& workspace);

/// Runs the system once over the range (Exec) and simulates its trades. False when the
/// script failed: the error has been reported by the tester's host, the statistics are void.
/// Before every order it calls the workspace's ProcessPendingMessages, when one is set.
bool Tester(Workspace& workspace, const TesterOptions& options, TestRange range,
            std::string_view code);

/// The statistics text of the last Tester call (fields 1..33, or 1..63 with a
/// margin account), each field followed by ";".
std::string Lister(const Workspace& workspace);

/// The return of the last test in per cent, both accounts weighted by their
/// trades; 0 when the initial amount is 0.
double OverallReturn(const SystemRunState& run);

/// The open stock's currency (its property "Cur"; "USD" when empty).
std::string OpenStockCurrency(const Workspace& workspace);

}  // namespace chartorium
