// Gregorian calendar arithmetic on day numbers.
#include "core/Calendar.h"

#include <cmath>
#include <ctime>

#include "core/Clock.h"

namespace chartorium {
namespace {

// Days from 1970-01-01 to the civil date, valid for the proleptic Gregorian
// calendar (the era-based algorithm, exact for every year).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Day 0 of the program's dates, 1899-12-30, counted from 1970-01-01.
constexpr long long EpochOffset = -25569;

}  // namespace

int DayNumber(int year, int month, int day) {
  return static_cast<int>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - EpochOffset);
}

CivilDate DateOf(double dayNumber) {
  return CivilFromDays(static_cast<long long>(std::floor(dayNumber)) + EpochOffset);
}

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  constexpr int Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int length = Lengths[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= length;
}

int DayOfWeek(double dayNumber) {
  // Day 0 was a Saturday.
  const long long day = static_cast<long long>(std::floor(dayNumber));
  const long long shifted = ((day + 6) % 7 + 7) % 7;
  return static_cast<int>(shifted) + 1;
}

int SystemClock::Today() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace chartorium
