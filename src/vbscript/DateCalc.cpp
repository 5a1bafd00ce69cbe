// Calendar arithmetic and date texts for the Date subtype.
#include "vbscript/DateCalc.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "vbscript/Conversion.h"

namespace chartorium::vbscript {

namespace {

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

// Lower case for comparing names: ASCII and the accented capitals of Latin-1 (UTF-8 C3 80 ..
// C3 9E), which cover the month names of the locales the engine knows.
std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (size_t i = 0; i < folded.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(folded[i]);
    if (c < 0x80) {
      folded[i] = ToLowerAscii(static_cast<char>(c));
    } else if (c == 0xC3 && i + 1 < folded.size()) {
      const unsigned char next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97)
        folded[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return folded;
}

bool SameName(std::string_view folded, std::string_view name) {
  if (!name.empty() && name.back() == '.') name.remove_suffix(1);  // "janv." reads as "janv"
  return folded == FoldCase(name);
}

// 1..12 for a full or abbreviated month name of the locale, a prefix of at least three letters
// that only one of its months starts with, or the same in English; 0 otherwise.
int MonthFromWord(std::string_view word, const ScriptLocale& locale) {
  const std::string folded = FoldCase(word);
  for (const ScriptLocale* names : {&locale, &UsLocale()}) {
    for (int i = 0; i < 12; ++i)
      if (SameName(folded, names->MonthNames[static_cast<size_t>(i)]) ||
          SameName(folded, names->MonthAbbreviations[static_cast<size_t>(i)]))
        return i + 1;
    if (folded.size() < 3) continue;
    int found = 0;
    for (int i = 0; i < 12; ++i) {
      if (!FoldCase(names->MonthNames[static_cast<size_t>(i)]).starts_with(folded)) continue;
      if (found) {
        found = -1;
        break;
      }
      found = i + 1;
    }
    if (found > 0) return found;
  }
  return 0;
}

bool IsWeekdayWord(std::string_view word, const ScriptLocale& locale) {
  const std::string folded = FoldCase(word);
  for (const ScriptLocale* names : {&locale, &UsLocale()})
    for (size_t i = 0; i < 7; ++i)
      if (SameName(folded, names->WeekdayNames[i]) ||
          SameName(folded, names->WeekdayAbbreviations[i]))
        return true;
  return false;
}

// Words quoted in the long date pattern, such as the Spanish "de": a long date text carries them.
bool IsPatternWord(std::string_view word, std::string_view pattern) {
  const std::string folded = FoldCase(word);
  bool quoted = false;
  std::string current;
  for (const char c : pattern) {
    const bool letter = quoted && c != '\'' && c != ' ' && c != ',' && c != '.';
    if (letter) {
      current += c;
      continue;
    }
    if (!current.empty() && FoldCase(current) == folded) return true;
    current.clear();
    if (c == '\'') quoted = !quoted;
  }
  return !current.empty() && FoldCase(current) == folded;
}

// Letters of date words: ASCII ones and every byte of a UTF-8 sequence.
bool IsLetter(unsigned char c) {
  return std::isalpha(c) || c >= 0x80;
}

bool IsTimeMarker(std::string_view word, std::string_view english, std::string_view local) {
  const std::string folded = FoldCase(word);
  return folded == FoldCase(english) || folded == FoldCase(english.substr(0, 1)) ||
         (!local.empty() && folded == FoldCase(local));
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

std::string Padded(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

// Windows' date pattern letters: d, dd, ddd, dddd (day, weekday), M .. MMMM, y, yy, yyyy;
// text in single quotes is copied.
std::string FormatDatePattern(double serial, std::string_view pattern, const ScriptLocale& locale) {
  const CivilDate c = CivilFromSerial(serial);
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    const char letter = pattern[i];
    if (letter == '\'') {
      const size_t close = pattern.find('\'', i + 1);
      const size_t end = close == std::string_view::npos ? pattern.size() : close;
      out += pattern.substr(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    size_t count = 1;
    while (i + count < pattern.size() && pattern[i + count] == letter) ++count;
    i += count;
    if (letter == 'd') {
      if (count >= 3)
        out += WeekdayNameText(WeekdayOfSerial(serial), count == 3, locale);
      else
        out += count == 2 ? Padded(c.Day) : std::to_string(c.Day);
    } else if (letter == 'M') {
      if (count >= 3)
        out += MonthNameText(c.Month, count == 3, locale);
      else
        out += count == 2 ? Padded(c.Month) : std::to_string(c.Month);
    } else if (letter == 'y') {
      if (count >= 3)
        out += std::to_string(c.Year);
      else
        out += count == 2 ? Padded(c.Year % 100) : std::to_string(c.Year % 100);
    } else {
      out.append(count, letter);
    }
  }
  return out;
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
  const int hour = !locale.TwelveHourClock ? t.Hour : t.Hour % 12 == 0 ? 12 : t.Hour % 12;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, locale.TwoDigitHour ? "%02d:%02d:%02d" : "%d:%02d:%02d",
                hour, t.Minute, t.Second);
  if (!locale.TwelveHourClock) return buffer;
  return buffer + (" " + (t.Hour < 12 ? locale.AmText : locale.PmText));
}

std::string FormatLongDate(double serial, const ScriptLocale& locale) {
  if (!locale.LongDatePattern.empty())
    return FormatDatePattern(serial, locale.LongDatePattern, locale);
  switch (locale.Order) {
    case DateOrder::DayMonthYear:
      return FormatDatePattern(serial, "dddd, dd MMMM yyyy", locale);
    case DateOrder::YearMonthDay:
      return FormatDatePattern(serial, "yyyy MMMM dd, dddd", locale);
    case DateOrder::MonthDayYear:
      break;
  }
  return FormatDatePattern(serial, "dddd, MMMM dd, yyyy", locale);
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
    if (text.substr(i, 2) == "\xC2\xA0") {  // a no-break space
      i += 2;
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
    } else if (IsLetter(c)) {
      DateToken t{DateToken::Word, {}, 0, 0};
      // A hyphen inside a word belongs to it: "segunda-feira".
      auto inWord = [&](size_t at) {
        if (at >= text.size() || text.substr(at, 2) == "\xC2\xA0") return false;
        if (text[at] == '-')
          return at + 1 < text.size() && std::isalpha(static_cast<unsigned char>(text[at + 1]));
        return IsLetter(static_cast<unsigned char>(text[at]));
      };
      while (inWord(i)) t.Text += text[i++];
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
      if (IsTimeMarker(tokens[end].Text, "PM", locale.PmText)) {
        if (hour > 12) return std::nullopt;
        if (hour < 12) hour += 12;
        ++end;
      } else if (IsTimeMarker(tokens[end].Text, "AM", locale.AmText)) {
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
  // Separators carry no meaning beyond splitting; weekday names and the words of the long
  // date pattern ("1 de enero de 2000") are left out, month names kept.
  std::vector<DateToken> parts;
  for (DateToken& t : tokens) {
    if (t.Kind == DateToken::Sep) continue;
    if (t.Kind == DateToken::Word) {
      t.Value = MonthFromWord(t.Text, locale);
      if (t.Value == 0 &&
          (IsWeekdayWord(t.Text, locale) || IsPatternWord(t.Text, locale.LongDatePattern)))
        continue;
      if (t.Value == 0) return std::nullopt;
    }
    parts.push_back(t);
  }
  if (parts.empty()) {
    if (!hasTime) return std::nullopt;
    return timePart;
  }
  int year = 0, month = 0, day = 0;
  if (parts.size() == 3 && parts[0].Kind == DateToken::Number &&
      parts[1].Kind == DateToken::Number && parts[2].Kind == DateToken::Number) {
    if (parts[0].Digits >= 3 || locale.Order == DateOrder::YearMonthDay) {
      year = ExpandYear(parts[0].Value, parts[0].Digits);
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
    month = parts[wordAt].Value;
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

std::string_view MonthNameText(int month, bool abbreviate, const ScriptLocale& locale) {
  const size_t i = static_cast<size_t>(month - 1);
  return abbreviate ? locale.MonthAbbreviations[i] : locale.MonthNames[i];
}

std::string_view WeekdayNameText(int weekday, bool abbreviate, const ScriptLocale& locale) {
  const size_t i = static_cast<size_t>(weekday - 1);
  return abbreviate ? locale.WeekdayAbbreviations[i] : locale.WeekdayNames[i];
}

}  // namespace chartorium::vbscript
