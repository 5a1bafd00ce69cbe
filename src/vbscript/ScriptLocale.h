// The host's regional settings for the texts scripts convert to and from: numbers, dates,
// times and currency. The default is US English.
#pragma once

#include <string>

namespace chartorium::vbscript {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

struct ScriptLocale {
  char DecimalSeparator = '.';
  char ThousandsSeparator = ',';
  char DateSeparator = '/';
  DateOrder Order = DateOrder::MonthDayYear;
  bool TwoDigitDayMonth = false;  ///< short dates as 01/02/2000 rather than 1/2/2000
  bool TwelveHourClock = true;    ///< long times as 1:05:09 PM rather than 13:05:09
  std::string CurrencySymbol = "$";
  bool CurrencySymbolFirst = true;  ///< "$1.00" rather than "1.00 $"
  int DigitsAfterDecimal = 2;       ///< FormatNumber's default
};

/// The US English settings every conversion uses unless a host sets others.
inline const ScriptLocale& UsLocale() {
  static const ScriptLocale us;
  return us;
}

}  // namespace chartorium::vbscript
