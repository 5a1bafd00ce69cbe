// The locale's date conventions that date texts follow.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace chartorium {

/// Filled by the windows from the system locale, by the command line from the
/// environment, and by tests explicitly. The default is day/month/year with "/".
struct DateLocale {
  char Separator = '/';
  /// Pattern of d, dd, M, MM, MMM, MMMM, yy, yyyy and '/' (the separator).
  std::string ShortDateFormat = "dd/MM/yyyy";
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};
};

/// The order of day, month and year in the locale's dates.
enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

/// The first of the letters D, M, Y or E (either case) in the pattern decides;
/// month-day-year when there is none.
DateOrder SystemDateOrder(std::string_view shortDateFormat);

/// A locale from a pattern such as "dd.MM.yyyy": the separator is the
/// pattern's first character that is not a letter ('/' when there is none).
DateLocale LocaleFromPattern(std::string_view shortDateFormat);

}  // namespace chartorium
