// The system tester's simulation: the test range, the trades a system's
// signals make on the two accounts, and the statistics of a test.
#pragma once

#include <string>
#include <string_view>

#include "core/MacroStatus.h"
#include "systems/TesterOptions.h"

namespace chartorium {

class Clock;
class Workspace;
struct DateLocale;
struct QuoteStore;
struct SystemRunState;
struct TestStatistics;

/// Bars From..To (1-based places of the bar series).
struct TestRange {
  int From = 1;
  int To = 1;
};

/// The range the options ask for on the stock: the last N bars, or the bars
/// from the first dated on or after "From:" to the first dated on or after
/// "to:". Dates that cannot be read are earlier than every bar; the clock
/// completes partial dates ("15" = this month's 15th).
TestRange GiveDate(const TesterOptions& options, const QuoteStore& store, const DateLocale& locale,
                   const Clock& clock);
/// The same on the open stock with the workspace's locale and clock.
TestRange GiveDate(const TesterOptions& options, const Workspace& workspace);

/// Commissions and TradingAccount from the options into the workspace's
/// SystemRunState, and the fill rule into the macro object's fill options.
void ReadTesterOptions(const TesterOptions& options, Workspace& workspace);

/// Runs the system once over the range (Exec) and simulates its trades. Fails
/// with the script error that ended the system's run: the statistics are void
/// then. The errors of custom indicators the system asked for come with it.
/// Before every order it calls the workspace's ProcessPendingMessages, when one is set.
MacroStatus Tester(Workspace& workspace, const TesterOptions& options, TestRange range,
                   std::string_view code);

/// The statistics of the last Tester call, named after the open stock.
TestStatistics Lister(const Workspace& workspace);

/// The return of the last test in per cent, both accounts weighted by their
/// trades; 0 when the initial amount is 0.
double OverallReturn(const SystemRunState& run);

/// The open stock's currency (its property "Cur"; "USD" when empty).
std::string OpenStockCurrency(const Workspace& workspace);

}  // namespace chartorium
