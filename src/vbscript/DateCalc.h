// Calendar arithmetic on Date serials (days since 1899-12-30) and date texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "vbscript/ScriptLocale.h"

namespace chartorium::vbscript {

struct CivilDate {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
};

struct ClockTime {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

/// Valid Date serials: 100-01-01 .. 9999-12-31.
inline constexpr double MinDateSerial = -657434.0;
inline constexpr double MaxDateSerial = 2958465.999988426;

/// Day serial of a civil date; month and day may lie outside their ranges and roll over.
double SerialFromCivil(int year, int month, int day);
/// The calendar day of a serial; the fraction is the time of day even for negative serials.
CivilDate CivilFromSerial(double serial);
/// The time of day of a serial, rounded to the second.
ClockTime TimeFromSerial(double serial);
/// Fraction of a day for a time; out-of-range parts carry.
double SerialFromTime(int hour, int minute, int second);
/// 1 (Sunday) .. 7 (Saturday).
int WeekdayOfSerial(double serial);

/// The locale's short date and long time ("M/D/YYYY h:mm:ss AM" in the US), leaving out the
/// date when the day is 0 and the time at midnight.
std::string FormatDateSerial(double serial, const ScriptLocale& locale = UsLocale());
std::string FormatShortDate(double serial, const ScriptLocale& locale = UsLocale());
std::string FormatLongTime(double serial, const ScriptLocale& locale = UsLocale());
/// The locale's long date pattern ("Saturday, January 01, 2000" in the US); without one the
/// day and month name swap places as the locale orders them.
std::string FormatLongDate(double serial, const ScriptLocale& locale = UsLocale());
/// Parses date and time texts ("1/31/2000" in the locale's order, "2000-1-31",
/// "January 31, 2000 10:00 PM", "10:30", month and weekday names of the locale or English);
/// nullopt when the text is no date.
std::optional<double> ParseDateText(std::string_view text, const ScriptLocale& locale = UsLocale());

/// The locale's month and weekday names; index 1-based. REQUIRES: 1 <= n <= 12 (7).
std::string_view MonthNameText(int month, bool abbreviate, const ScriptLocale& locale = UsLocale());
std::string_view WeekdayNameText(int weekday, bool abbreviate,
                                 const ScriptLocale& locale = UsLocale());

}  // namespace chartorium::vbscript
