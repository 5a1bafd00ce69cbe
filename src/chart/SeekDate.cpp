// "Seek a date".
#include "chart/SeekDate.h"

#include "core/DateTexts.h"
#include "core/Dialogs.h"
#include "core/Workspace.h"

namespace chartorium {

bool SeekADate(Workspace& workspace, Dialogs& dialogs, const DateLocale& locale,
               const Clock& clock) {
  double date = NoDate;
  while (true) {
    const std::string answer = dialogs.Input("Enter the date to find:", "");
    if (answer.empty()) return false;
    date = TextToDate(answer, locale, clock);
    if (date != NoDate) break;
    dialogs.Warning("The date format is invalid");
  }
  QuoteStore& store = workspace.Quotes();
  for (int bar = 1; bar <= store.BarCount; ++bar) {
    if (store.BarSeries[static_cast<size_t>(bar)].Date >= date) {
      store.FirstVisibleBar = bar;
      return true;
    }
  }
  return false;
}

}  // namespace chartorium
