// Day numbers and calendar dates. A date is a day count: day 0 is
// 30 December 1899, whole numbers for days.
#pragma once

namespace chartorium {

struct CivilDate {
  int Year = 1899;
  int Month = 12;  ///< 1..12
  int Day = 30;    ///< 1..31

  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// The day number of a calendar date. REQUIRES: IsValidDate(year, month, day).
int DayNumber(int year, int month, int day);
inline int DayNumber(const CivilDate& date) {
  return DayNumber(date.Year, date.Month, date.Day);
}
/// The calendar date of a day number; a fraction of a day is dropped.
CivilDate DateOf(double dayNumber);
/// Whether the date exists in the Gregorian calendar (years 1..9999).
bool IsValidDate(int year, int month, int day);
/// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(double dayNumber);

}  // namespace chartorium
