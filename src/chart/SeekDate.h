// "Seek a date": moving the chart to a date the user types.
#pragma once

namespace chartorium {

class Clock;
class Dialogs;
struct DateLocale;
class Workspace;

/// Asks "Enter the date to find:" until the answer is blank or a date; an
/// invalid date is reported and asked again. The view then starts at the
/// first bar on or after that date; when no bar is that late nothing moves.
/// Returns whether the view moved.
bool SeekADate(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale,
               const Clock& clock);

}  // namespace chartorium
