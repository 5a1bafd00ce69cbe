// The regional settings of the texts scripts convert to and from: numbers, dates, times,
// currency and Booleans. The default is US English.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace chartorium::vbscript {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

/// Where the minus goes in a negative FormatCurrency text.
enum class NegativeCurrency {
  Parentheses,       ///< ($1.00)
  MinusFirst,        ///< -$1.00, -1,00 €
  MinusAfterSymbol,  ///< € -1,00
};

struct ScriptLocale {
  int Lcid = 1033;  ///< the Windows locale id GetLocale returns
  char DecimalSeparator = '.';
  std::string ThousandsSeparator = ",";  ///< UTF-8; a space-like one also reads a plain space
  bool LeadingZero = true;               ///< FormatNumber writes 0.50 rather than .50
  int DigitsAfterDecimal = 2;            ///< FormatNumber's default
  char DateSeparator = '/';
  DateOrder Order = DateOrder::MonthDayYear;
  bool TwoDigitDayMonth = false;  ///< short dates as 01/02/2000 rather than 1/2/2000
  /// Long dates in Windows' pattern letters (d dd ddd dddd M MM MMM MMMM yy yyyy, 'text');
  /// empty: weekday, day and month name and year in the short date's order.
  std::string LongDatePattern;
  bool TwelveHourClock = true;  ///< long times as 1:05:09 PM rather than 13:05:09
  bool TwoDigitHour = false;    ///< long times as 09:05:09 rather than 9:05:09
  std::string AmText = "AM";
  std::string PmText = "PM";
  std::string CurrencySymbol = "$";
  bool CurrencySymbolFirst = true;    ///< "$1.00" rather than "1.00 $"
  bool CurrencySymbolSpaced = false;  ///< "CHF 1.00" rather than "CHF1.00" when it comes first
  int CurrencyDigits = 2;             ///< FormatCurrency's default
  NegativeCurrency NegativeCurrencyLayout = NegativeCurrency::Parentheses;
  std::string TrueText = "True";  ///< CStr(True); CBool reads it besides the English word
  std::string FalseText = "False";
  std::array<std::string, 12> MonthNames = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
  std::array<std::string, 12> MonthAbbreviations = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 7> WeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> WeekdayAbbreviations = {"Sun", "Mon", "Tue", "Wed",
                                                     "Thu", "Fri", "Sat"};
};

/// The US English settings every conversion uses unless a host sets others.
inline const ScriptLocale& UsLocale() {
  static const ScriptLocale us;
  return us;
}

/// The regional settings of a locale the engine knows (1033 en-US, 2057 en-GB, 1036 fr-FR,
/// 1031 de-DE, 2055 de-CH, 1040 it-IT, 3082 es-ES, 1043 nl-NL, 1046 pt-BR, 1053 sv-SE);
/// nullopt for any other id.
std::optional<ScriptLocale> FindScriptLocale(int lcid);
/// The same by name in any case ("en-US", "de-ch"); nullopt for an unknown name.
std::optional<ScriptLocale> FindScriptLocale(std::string_view name);

}  // namespace chartorium::vbscript
