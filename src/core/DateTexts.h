// Dates typed by users or found in files, and the texts of date fields.
#pragma once

#include <string>
#include <string_view>

#include "core/DateLocale.h"

namespace chartorium {

class Clock;

/// The value of a text that is not a date (20 May 1812, before every quote).
constexpr double NoDate = -32000;
/// Two-digit years 0..19 are 2000..2019, 20..99 are 1920..1999.
constexpr int TwoDigitYearCutOff = 1920;

/// Reads a date typed by the user in the locale's order. "15" is the 15th of
/// the current month, "15/3" the 15th of March of the current year. Month
/// names are not read. NoDate for anything that is not a calendar date.
double TextToDate(std::string_view text, const DateLocale& locale, const Clock& clock);

/// Reads a date found in a file whose parts follow `format` ("DMY", "MDY" or
/// "YMD"); 6 or 8 digits without separators are split by length, and a month
/// may be a name ("Feb", "fe", a locale month name). NoDate when it fails.
double TextToDateOrdered(std::string_view text, std::string_view format, const DateLocale& locale);

/// The short date text of a date in the locale's format; "" for the date 0.
std::string DateText(double date, const DateLocale& locale);

/// yyyy-mm-dd, the order of files and of the command line.
std::string IsoDateText(double date);

}  // namespace chartorium
