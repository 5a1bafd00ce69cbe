// Split adjustment: the open stock's quotes of a date range rescaled for a
// stock split or reverse split.
#pragma once

#include <string>
#include <string_view>

#include "core/DateTexts.h"
#include "core/Numbers.h"
#include "core/Status.h"

namespace chartorium {

class Clock;
class Dialogs;
class Workspace;
struct QuoteStore;

constexpr std::string_view DivisorNotSetMessage = "One of the divisors is not set!";
constexpr std::string_view DivisionByZeroMessage = "Division by zero, please change the values!";
constexpr std::string_view NoOpenFileMessage = "There is no open file!";
constexpr std::string_view SplitDoneMessage = "The spliting of the stock is done!";
/// Shown instead of a split whose prices or volumes a stock file cannot hold.
constexpr std::string_view SplitOutOfRangeMessage =
    "These divisors give prices or volumes a stock file can't hold, please change the values!";
/// The stock file as it was before the last split is kept beside it with this suffix.
constexpr std::string_view PresplitSuffix = ".presplit";

/// The split dialog's fields, the dates already read (NoDate when a text is
/// not a date).
struct SplitRequest {
  double FromDate = NoDate;
  double ToDate = NoDate;
  std::string Divisor1;        ///< "Divisor:"
  std::string Divisor2 = "1";  ///< "by"
};

/// The request of the dialog's texts: the dates are read as typed dates
/// (TextToDate), or, written with a month name as the date buttons write them
/// in such a locale, in the locale's order; the divisors as they stand.
SplitRequest ReadSplitFields(std::string_view fromDate, std::string_view toDate,
                             std::string_view divisor1, std::string_view divisor2,
                             const DateLocale& locale, const Clock& clock);

enum class SplitResult {
  Done,     ///< the quotes of the range were rescaled and saved
  Refused,  ///< a check failed; nothing changed
  Failed    ///< the stock file could not be written; it is as it was
};

/// The records of the store the split changes: from the first dated on or
/// after `from`, every record up to the first dated after `to`. Places are
/// 1-based; First > Last when none.
struct SplitRange {
  int First = 1;
  int Last = 0;
  bool Empty() const { return First > Last; }
};
SplitRange FindSplitRange(const QuoteStore& store, double from, double to);

/// Divides open, low, high and close of the range by `ratio` and multiplies
/// volume and open interest by it, truncated to whole numbers. False, with
/// nothing changed, when a result would not fit a stock file (a price that
/// is not a finite Single or a close that is not above 0, a volume beyond 32 bits).
bool SplitQuotes(QuoteStore& store, SplitRange range, Extended ratio);

/// "&Split": checks the divisors and that a stock is open (warnings
/// DivisorNotSetMessage, DivisionByZeroMessage, NoOpenFileMessage), keeps
/// the stock file as it was in "<file>.presplit" when quotes change, rescales
/// the range by Divisor1 / Divisor2, rebuilds the bars, saves the stock and
/// tells SplitDoneMessage with the name of the kept file.
SplitResult SplitStock(Workspace& workspace, Dialogs& dialogs, const SplitRequest& request);

/// Puts the stock file kept before the last split of `stock` back in place
/// (crash-safely) and forgets the open stock's file if it was that stock, so
/// the restored file is not overwritten. NotFound when no split was kept.
Status UndoSplit(Workspace& workspace, std::string_view stock);

/// The dates "&First date" and "&Last date" put in the fields: the first and
/// the last stored quote's, as short date texts with four-digit years (a
/// two-digit year of 20..99 would read back as 1920..1999); "" when no quote
/// is stored.
std::string FirstQuoteDateText(const Workspace& workspace, const DateLocale& locale);
std::string LastQuoteDateText(const Workspace& workspace, const DateLocale& locale);

}  // namespace chartorium
