// Date order and separator of a short date pattern.
#include "core/DateLocale.h"

#include <cctype>

namespace chartorium {

DateOrder SystemDateOrder(std::string_view shortDateFormat) {
  for (const char c : shortDateFormat) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
      case 'D':
        return DateOrder::DayMonthYear;
      case 'M':
        return DateOrder::MonthDayYear;
      case 'Y':
      case 'E':
        return DateOrder::YearMonthDay;
      default:
        break;
    }
  }
  return DateOrder::MonthDayYear;
}

DateLocale LocaleFromPattern(std::string_view shortDateFormat) {
  DateLocale locale;
  locale.ShortDateFormat = std::string(shortDateFormat);
  locale.Separator = '/';
  for (const char c : shortDateFormat) {
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      locale.Separator = c;
      break;
    }
  }
  return locale;
}

}  // namespace chartorium
