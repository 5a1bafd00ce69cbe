// Calendar arithmetic and date texts for the Date subtype.
#include "vbscript/DateCalc.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace chartorium::vbscript {

namespace {

constexpr std::string_view MonthNames[] = {"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
constexpr std::string_view WeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = yoe + era * 400;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp + (mp < 10 ? 3 : -9);
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

const long long SerialEpoch = DaysFromCivil(1899, 12, 30);

// Serial time values keep their second exact despite binary fractions.
long long SecondsOfDay(double serial) {
  const double fraction = std::fabs(serial - std::trunc(serial));
  return std::llround(fraction * 86400.0);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

int MonthFromWord(std::string_view word) {
  for (int i = 0; i < 12; ++i) {
    if (EqualsNoCase(word, MonthNames[i])) return i + 1;
    if (word.size() >= 3 && EqualsNoCase(word, MonthNames[i].substr(0, word.size()))) return i + 1;
  }
  return 0;
}

int ExpandYear(int year, size_t digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

struct DateToken {
  enum Kind { Number, Word, Sep, Colon } Kind;
  std::string Text;
  int Value = 0;
  size_t Digits = 0;
};

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace

double SerialFromCivil(int year, int month, int day) {
  long long y = year;
  long long m = month - 1;
  y += m >= 0 ? m / 12 : (m - 11) / 12;
  m = ((m % 12) + 12) % 12;
  return static_cast<double>(DaysFromCivil(y, m + 1, 1) - SerialEpoch + (day - 1));
}

CivilDate CivilFromSerial(double serial) {
  return CivilFromDays(static_cast<long long>(std::trunc(serial)) + SerialEpoch +
                       (SecondsOfDay(serial) >= 86400 ? (serial < 0 ? -1 : 1) : 0));
}

ClockTime TimeFromSerial(double serial) {
  const long long seconds = SecondsOfDay(serial) % 86400;
  return {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
          static_cast<int>(seconds % 60)};
}

double SerialFromTime(int hour, int minute, int second) {
  return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

int WeekdayOfSerial(double serial) {
  const long long day = static_cast<long long>(std::floor(serial));
  return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

std::string FormatShortDate(double serial, const ScriptLocale& locale) {
  const CivilDate d = CivilFromSerial(serial);
  const char* part = locale.TwoDigitDayMonth ? "%02d" : "%d";
  char day[8], month[8];
  std::snprintf(day, sizeof day, part, d.Day);
  std::snprintf(month, sizeof month, part, d.Month);
  const std::string year = std::to_string(d.Year);
  const std::string sep(1, locale.DateSeparator);
  switch (locale.Order) {
    case DateOrder::DayMonthYear:
      return day + sep + month + sep + year;
    case DateOrder::YearMonthDay:
      return year + sep + month + sep + day;
    case DateOrder::MonthDayYear:
      break;
  }
  return month + sep + day + sep + year;
}

std::string FormatLongTime(double serial, const ScriptLocale& locale) {
  const ClockTime t = TimeFromSerial(serial);
  char buffer[32];
  if (!locale.TwelveHourClock) {
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.Hour, t.Minute, t.Second);
    return buffer;
  }
  const int hour12 = t.Hour % 12 == 0 ? 12 : t.Hour % 12;
  std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, t.Minute, t.Second,
                t.Hour < 12 ? "AM" : "PM");
  return buffer;
}

std::string FormatLongDate(double serial, const ScriptLocale& locale) {
  const CivilDate c = CivilFromSerial(serial);
  const std::string weekday(WeekdayNameText(WeekdayOfSerial(serial), false));
  const std::string month(MonthNameText(c.Month, false));
  char day[8];
  std::snprintf(day, sizeof day, "%02d", c.Day);
  const std::string year = std::to_string(c.Year);
  switch (locale.Order) {
    case DateOrder::DayMonthYear:
      return weekday + ", " + day + " " + month + " " + year;
    case DateOrder::YearMonthDay:
      return year + " " + month + " " + day + ", " + weekday;
    case DateOrder::MonthDayYear:
      break;
  }
  return weekday + ", " + month + " " + day + ", " + year;
}

std::string FormatDateSerial(double serial, const ScriptLocale& locale) {
  const bool hasDate = std::trunc(serial) != 0;
  const bool hasTime = SecondsOfDay(serial) % 86400 != 0;
  if (hasDate && hasTime)
    return FormatShortDate(serial, locale) + " " + FormatLongTime(serial, locale);
  if (hasDate) return FormatShortDate(serial, locale);
  return FormatLongTime(serial, locale);
}

std::optional<double> ParseDateText(std::string_view text, const ScriptLocale& locale) {
  std::vector<DateToken> tokens;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == ' ' || c == '\t' || c == ',') {
      ++i;
      continue;
    }
    if (std::isdigit(c)) {
      DateToken t{DateToken::Number, {}, 0, 0};
      while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (t.Digits < 9) t.Value = t.Value * 10 + (text[i] - '0');
        ++t.Digits;
        ++i;
      }
      tokens.push_back(t);
    } else if (std::isalpha(c)) {
      DateToken t{DateToken::Word, {}, 0, 0};
      while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
        t.Text += text[i++];
      tokens.push_back(t);
    } else if (c == '/' || c == '-' || c == '.') {
      tokens.push_back({DateToken::Sep, std::string(1, static_cast<char>(c)), 0, 0});
      ++i;
    } else if (c == ':') {
      tokens.push_back({DateToken::Colon, ":", 0, 0});
      ++i;
    } else {
      return std::nullopt;
    }
  }
  // Time: number ':' number [':' number] [AM|PM], anywhere in the text.
  double timePart = 0;
  bool hasTime = false;
  for (size_t k = 0; k + 2 < tokens.size() + 0 && !hasTime; ++k) {
    if (tokens[k].Kind != DateToken::Number || tokens[k + 1].Kind != DateToken::Colon ||
        tokens[k + 2].Kind != DateToken::Number)
      continue;
    int hour = tokens[k].Value, minute = tokens[k + 2].Value, second = 0;
    size_t end = k + 3;
    if (end + 1 < tokens.size() + 1 && end < tokens.size() &&
        tokens[end].Kind == DateToken::Colon && end + 1 < tokens.size() &&
        tokens[end + 1].Kind == DateToken::Number) {
      second = tokens[end + 1].Value;
      end += 2;
    }
    if (end < tokens.size() && tokens[end].Kind == DateToken::Word) {
      if (EqualsNoCase(tokens[end].Text, "PM") || EqualsNoCase(tokens[end].Text, "P")) {
        if (hour > 12) return std::nullopt;
        if (hour < 12) hour += 12;
        ++end;
      } else if (EqualsNoCase(tokens[end].Text, "AM") || EqualsNoCase(tokens[end].Text, "A")) {
        if (hour > 12) return std::nullopt;
        if (hour == 12) hour = 0;
        ++end;
      }
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    timePart = SerialFromTime(hour, minute, second);
    hasTime = true;
    tokens.erase(tokens.begin() + static_cast<long>(k), tokens.begin() + static_cast<long>(end));
  }
  std::vector<DateToken> parts;
  for (const DateToken& t : tokens)
    if (t.Kind != DateToken::Sep) parts.push_back(t);
  if (parts.empty()) {
    if (!hasTime) return std::nullopt;
    return timePart;
  }
  int year = 0, month = 0, day = 0;
  if (parts.size() == 3 && parts[0].Kind == DateToken::Number &&
      parts[1].Kind == DateToken::Number && parts[2].Kind == DateToken::Number) {
    if (parts[0].Digits >= 3) {
      year = parts[0].Value;
      month = parts[1].Value;
      day = parts[2].Value;
    } else {
      const bool dayFirst = locale.Order == DateOrder::DayMonthYear;
      month = parts[dayFirst ? 1 : 0].Value;
      day = parts[dayFirst ? 0 : 1].Value;
      year = ExpandYear(parts[2].Value, parts[2].Digits);
    }
  } else if (parts.size() == 3) {
    // Month names: "January 31 2000" or "31 January 2000".
    int wordAt = -1;
    for (int k = 0; k < 3; ++k)
      if (parts[k].Kind == DateToken::Word) wordAt = k;
    if (wordAt < 0 || wordAt == 2) return std::nullopt;
    month = MonthFromWord(parts[wordAt].Text);
    if (month == 0) return std::nullopt;
    const DateToken& other = parts[wordAt == 0 ? 1 : 0];
    day = other.Value;
    year = ExpandYear(parts[2].Value, parts[2].Digits);
    if (parts[2].Kind != DateToken::Number || other.Kind != DateToken::Number) return std::nullopt;
  } else if (parts.size() == 2 && parts[0].Kind == DateToken::Number &&
             parts[1].Kind == DateToken::Number) {
    const bool dayFirst = locale.Order == DateOrder::DayMonthYear;
    month = parts[dayFirst ? 1 : 0].Value;
    day = parts[dayFirst ? 0 : 1].Value;
    year = CurrentYear();  // a date without a year falls in the current year
  } else {
    return std::nullopt;
  }
  if (month < 1 || month > 12 || day < 1 || year < 100 || year > 9999) return std::nullopt;
  if (CivilFromSerial(SerialFromCivil(year, month, day)).Day != day) return std::nullopt;
  const double serial = SerialFromCivil(year, month, day);
  return serial < 0 ? serial - timePart : serial + timePart;
}

std::string_view MonthNameText(int month, bool abbreviate) {
  const std::string_view name = MonthNames[month - 1];
  return abbreviate ? name.substr(0, 3) : name;
}

std::string_view WeekdayNameText(int weekday, bool abbreviate) {
  const std::string_view name = WeekdayNames[weekday - 1];
  return abbreviate ? name.substr(0, 3) : name;
}

}  // namespace chartorium::vbscript
