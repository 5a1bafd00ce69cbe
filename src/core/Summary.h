// The texts of the main window's summary panel of the open stock.
#pragma once

#include <string>

#include "core/Version.h"

namespace chartorium {

struct DateLocale;
class Workspace;

/// What the summary panel draws; empty texts are not drawn. The panel only
/// places these texts in its fonts and colours.
struct SummaryTexts {
  bool HasStock = false;          ///< false: the title and logo alone
  std::string NameLine;           ///< the stock name, with " (ticker)" when it differs
  std::string PeriodLine;         ///< "(" first date " - " last date ")"
  std::string LastClose;          ///< "Last close: 10.50" or "Stock's file is empty"
  std::string PreviousClose;      ///< "Previous close: 10.00"; empty with fewer than 2 bars
  std::string ChangeLabel;        ///< "Change: "; empty with fewer than 2 bars
  std::string Change;             ///< "5.00%", drawn bold right after the label
  bool ChangeIsNegative = false;  ///< red (the text starts with "-"), else green
  std::string YearRange;          ///< "52 weeks Low/High: 9.00 - 12.00"
};

/// The summary of the open stock, from its bars in the chart's periodicity.
/// The 52-week range starts at the first bar later than the last bar's date
/// minus 365 days, searched from bar BarCount - 260 (bar 1 for shorter stocks).
SummaryTexts Affiche(const Workspace& workspace, const DateLocale& locale);

}  // namespace chartorium
