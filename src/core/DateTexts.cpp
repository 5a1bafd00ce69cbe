// The lenient date reader and the date writer. Every failure ends in NoDate.
#include "core/DateTexts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

#include "core/Calendar.h"
#include "core/Clock.h"
#include "core/TextCase.h"

namespace chartorium {
namespace {

constexpr std::array<std::string_view, 12> EnglishMonths = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::optional<int> WholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Steps shared by both readers: "-", "/" and blanks become the separator.
std::string NormaliseSeparators(std::string_view text, char separator) {
  std::string out(text);
  for (char& c : out)
    if (c == '-' || c == '/' || c == ' ') c = separator;
  return out;
}

void RemoveTrailingSeparator(std::string& text, char separator) {
  if (!text.empty() && text.back() == separator) text.pop_back();
}

std::vector<std::string> SplitParts(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::string Join(std::string_view a, std::string_view b, std::string_view c, char separator) {
  std::string joined(a);
  joined += separator;
  joined += b;
  joined += separator;
  joined += c;
  return joined;
}

// Joins day, month and year in the system order.
std::string JoinInOrder(std::string_view day, std::string_view month, std::string_view year,
                        DateOrder order, char separator) {
  switch (order) {
    case DateOrder::DayMonthYear:
      return Join(day, month, year, separator);
    case DateOrder::MonthDayYear:
      return Join(month, day, year, separator);
    case DateOrder::YearMonthDay:
      break;
  }
  return Join(year, month, day, separator);
}

// Completes a two-digit year part of a joined text: the part after the second
// separator, or before the first for year-month-day. A part that is not a
// whole number counts as 0.
std::string CompleteYear(const std::string& text, DateOrder order, char separator) {
  size_t start = 0;
  size_t end = text.size();
  if (order == DateOrder::YearMonthDay) {
    end = text.find(separator);
    if (end == std::string::npos) end = text.size();
  } else {
    const size_t first = text.find(separator);
    const size_t second = first == std::string::npos ? first : text.find(separator, first + 1);
    if (second == std::string::npos) return text;
    start = second + 1;
  }
  const int year = WholeNumber(std::string_view(text).substr(start, end - start)).value_or(0);
  if (year >= 100) return text;
  const int completed = year < TwoDigitYearCutOff % 100 ? 2000 + year : 1900 + year;
  return text.substr(0, start) + std::to_string(completed) + text.substr(end);
}

// Reads a text of three numbers in the system order as a calendar date.
double ReadWithLocale(std::string_view text, DateOrder order, char separator) {
  const std::vector<std::string> parts = SplitParts(text, separator);
  if (parts.size() != 3) return NoDate;
  std::array<std::optional<int>, 3> numbers;
  for (size_t i = 0; i < 3; ++i) numbers[i] = WholeNumber(parts[i]);
  if (!numbers[0] || !numbers[1] || !numbers[2]) return NoDate;
  int day = *numbers[0], month = *numbers[1], year = *numbers[2];
  if (order == DateOrder::MonthDayYear) std::swap(day, month);
  if (order == DateOrder::YearMonthDay) {
    year = *numbers[0];
    month = *numbers[1];
    day = *numbers[2];
  }
  if (!IsValidDate(year, month, day)) return NoDate;
  return DayNumber(year, month, day);
}

// The month number of a month name: compared, ignoring case, with as many
// first letters of the English abbreviations, then of the locale's short and
// long names; 0 when none matches.
int MonthOfName(std::string_view name, const DateLocale& locale) {
  const std::string folded = FoldCase(name);
  const auto matches = [&](std::string_view candidate) {
    return folded == FoldCase(candidate.substr(0, std::min(candidate.size(), name.size())));
  };
  for (int m = 0; m < 12; ++m)
    if (matches(EnglishMonths[static_cast<size_t>(m)])) return m + 1;
  for (int m = 0; m < 12; ++m)
    if (matches(locale.ShortMonthNames[static_cast<size_t>(m)])) return m + 1;
  for (int m = 0; m < 12; ++m)
    if (matches(locale.LongMonthNames[static_cast<size_t>(m)])) return m + 1;
  return 0;
}

std::string TwoDigits(int value) {
  std::string text = std::to_string(value);
  return text.size() < 2 ? "0" + text : text;
}

}  // namespace

double TextToDateOrdered(std::string_view text, std::string_view format, const DateLocale& locale) {
  if (text.empty()) return NoDate;
  const char separator = locale.Separator;
  std::string work = NormaliseSeparators(text, separator);
  if (work.find(separator) == std::string::npos) {
    const bool yearFirst = !format.empty() && std::toupper(format.front()) == 'Y';
    if (work.size() == 6) {
      work = Join(work.substr(0, 2), work.substr(2, 2), work.substr(4, 2), separator);
    } else if (work.size() == 8) {
      work = yearFirst ? Join(work.substr(0, 4), work.substr(4, 2), work.substr(6, 2), separator)
                       : Join(work.substr(0, 2), work.substr(2, 2), work.substr(4, 4), separator);
    }
  }
  RemoveTrailingSeparator(work, separator);
  if (work.empty()) return NoDate;

  const size_t first = work.find(separator);
  const size_t second = first == std::string::npos ? first : work.find(separator, first + 1);
  if (second == std::string::npos) return NoDate;
  const std::array<std::string, 3> parts = {
      work.substr(0, first), work.substr(first + 1, second - first - 1), work.substr(second + 1)};
  std::string day, month, year;
  for (size_t i = 0; i < 3 && i < format.size(); ++i) {
    switch (std::toupper(static_cast<unsigned char>(format[i]))) {
      case 'D':
        day = parts[i];
        break;
      case 'M':
        month = parts[i];
        break;
      case 'Y':
        year = parts[i];
        break;
      default:
        return NoDate;
    }
  }
  if (!month.empty() && std::isalpha(static_cast<unsigned char>(month.front()))) {
    const int number = MonthOfName(month, locale);
    if (number == 0) return NoDate;
    month = std::to_string(number);
  }
  const DateOrder order = SystemDateOrder(locale.ShortDateFormat);
  const std::string joined = JoinInOrder(day, month, year, order, separator);
  return ReadWithLocale(CompleteYear(joined, order, separator), order, separator);
}

double TextToDate(std::string_view text, const DateLocale& locale, const Clock& clock) {
  if (text.empty()) return NoDate;
  const char separator = locale.Separator;
  std::string work = NormaliseSeparators(text, separator);
  RemoveTrailingSeparator(work, separator);
  if (work.empty()) return NoDate;
  const DateOrder order = SystemDateOrder(locale.ShortDateFormat);
  const CivilDate today = DateOf(clock.Today());
  const std::string month = std::to_string(today.Month);
  const std::string year = std::to_string(today.Year);
  const size_t separators = static_cast<size_t>(std::count(work.begin(), work.end(), separator));
  if (separators == 0) {
    work = JoinInOrder(work, month, year, order, separator);
  } else if (separators == 1) {
    work = order == DateOrder::YearMonthDay ? year + separator + work : work + separator + year;
  } else {
    work = CompleteYear(work, order, separator);
  }
  return ReadWithLocale(work, order, separator);
}

std::string DateText(double date, const DateLocale& locale) {
  if (std::fabs(date) < 1.0 / 86400000.0) return {};
  const CivilDate civil = DateOf(date);
  const std::string& pattern = locale.ShortDateFormat;
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    switch (c) {
      case 'd':
        out += run >= 2 ? TwoDigits(civil.Day) : std::to_string(civil.Day);
        break;
      case 'M':
        if (run >= 4) {
          out += locale.LongMonthNames[static_cast<size_t>(civil.Month - 1)];
        } else if (run == 3) {
          out += locale.ShortMonthNames[static_cast<size_t>(civil.Month - 1)];
        } else {
          out += run == 2 ? TwoDigits(civil.Month) : std::to_string(civil.Month);
        }
        break;
      case 'y':
        out += run <= 2 ? TwoDigits(civil.Year % 100) : std::to_string(civil.Year);
        break;
      case '/':
        out.append(run, locale.Separator);
        break;
      default:
        out.append(run, c);
    }
    i += run;
  }
  return out;
}

std::string IsoDateText(double date) {
  const CivilDate civil = DateOf(date);
  std::string year = std::to_string(civil.Year);
  while (year.size() < 4) year.insert(0, "0");
  return year + "-" + TwoDigits(civil.Month) + "-" + TwoDigits(civil.Day);
}

}  // namespace chartorium
