// Splitting imported lines and reading their fields.
#include "quotes/ImportFields.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "core/Calendar.h"
#include "core/DateTexts.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"

namespace chartorium {
namespace {

constexpr char Quote = '"';

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether the text (sign already removed) groups its whole part as
// d{1,3}(G d{3})+ before an optional decimal part: "1,234" or "12,345,678.5".
bool HasGroupedShape(std::string_view text, char group, char decimal) {
  const size_t decimalAt = text.find(decimal);
  const std::string_view whole = text.substr(0, decimalAt);
  size_t digits = 0;
  size_t groups = 0;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (IsDigit(whole[i])) {
      ++digits;
      continue;
    }
    if (whole[i] != group) return false;
    if (groups == 0 ? (digits < 1 || digits > 3) : digits != 3) return false;
    ++groups;
    digits = 0;
  }
  return groups > 0 && digits == 3;
}

// yyyy-mm-dd or yyyy/mm/dd, month and day of one or two digits.
std::optional<double> ReadIsoDate(std::string_view text) {
  if (text.size() < 8 || text.size() > 10) return std::nullopt;
  for (size_t i = 0; i < 4; ++i)
    if (!IsDigit(text[i])) return std::nullopt;
  const char separator = text[4];
  if (separator != '-' && separator != '/') return std::nullopt;
  const size_t second = text.find(separator, 5);
  if (second == std::string_view::npos) return std::nullopt;
  const auto number = [](std::string_view part) -> std::optional<int> {
    if (part.empty() || part.size() > 2) return std::nullopt;
    int value = 0;
    for (const char c : part) {
      if (!IsDigit(c)) return std::nullopt;
      value = value * 10 + (c - '0');
    }
    return value;
  };
  const auto month = number(text.substr(5, second - 5));
  const auto day = number(text.substr(second + 1));
  if (!month || !day) return std::nullopt;
  const int year =
      (text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0');
  if (!IsValidDate(year, *month, *day)) return NoDate;
  return DayNumber(year, *month, *day);
}

}  // namespace

char SeparatorChar(std::string_view entry) {
  if (entry == "Space") return ' ';
  if (entry == "Tab") return '\t';
  return entry.empty() ? '\0' : entry.front();
}

std::vector<std::string> SplitImportLine(std::string_view line, char separator, size_t maxFields) {
  std::vector<std::string> fields;
  size_t i = 0;
  while (i < line.size() && fields.size() < maxFields) {
    std::string field;
    const size_t closing = line[i] == Quote ? line.find(Quote, i + 1) : std::string_view::npos;
    if (closing != std::string_view::npos) {
      // A quoted field: "" inside stands for one quote.
      size_t j = i + 1;
      while (j < line.size()) {
        if (line[j] != Quote) {
          field += line[j++];
          continue;
        }
        if (j + 1 < line.size() && line[j + 1] == Quote) {
          field += Quote;
          j += 2;
          continue;
        }
        ++j;
        break;
      }
      // Text between the closing quote and the separator still belongs to the field.
      const size_t end = line.find(separator, j);
      field.append(line.substr(j, end == std::string_view::npos ? end : end - j));
      fields.push_back(std::move(field));
      if (end == std::string_view::npos) break;
      i = end + 1;
      continue;
    }
    const size_t end = line.find(separator, i);
    fields.emplace_back(line.substr(i, end == std::string_view::npos ? end : end - i));
    if (end == std::string_view::npos) break;
    i = end + 1;
  }
  return fields;
}

std::string_view FieldAt(const std::vector<std::string>& fields, int n) {
  if (n < 1 || static_cast<size_t>(n) > fields.size()) return {};
  return fields[static_cast<size_t>(n - 1)];
}

std::optional<double> ReadImportNumber(std::string_view text, char decimal) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  const char group = decimal == '.' ? ',' : decimal == ',' ? '.' : '\0';
  std::string plain;
  plain.reserve(text.size());
  std::string_view body = text;
  if (body.front() == '+' || body.front() == '-') {
    plain += body.front();
    body.remove_prefix(1);
  }
  if (group != '\0' && body.find(group) != std::string_view::npos &&
      !HasGroupedShape(body, group, decimal))
    return std::nullopt;
  for (const char c : body) {
    if (c == group && group != '\0') continue;
    if (c == decimal) {
      plain += '.';
      continue;
    }
    // A '.' that is neither the decimal separator nor a group is no number.
    if (c == '.') return std::nullopt;
    plain += c;
  }
  if (!IsNumber(plain)) return std::nullopt;
  return TextToNumber(plain);
}

Single ImportPrice(std::string_view text, char decimal) {
  const auto value = ReadImportNumber(text, decimal);
  if (!value) return 0;
  const Single price = ToSingle(*value);
  return std::isfinite(price) ? price : 0;
}

std::int32_t ImportWhole(std::string_view text, char decimal) {
  const auto value = ReadImportNumber(text, decimal);
  if (!value || std::isnan(*value)) return 0;
  const double whole = std::trunc(*value);
  constexpr double Highest = std::numeric_limits<std::int32_t>::max();
  constexpr double Lowest = std::numeric_limits<std::int32_t>::min();
  if (whole >= Highest) return std::numeric_limits<std::int32_t>::max();
  if (whole <= Lowest) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(whole);
}

double ImportDate(std::string_view text, int dateFormat, const DateLocale& locale) {
  text = Trim(text);
  // 13.01.2020 is read like 13/01/2020 whatever the locale's own separator.
  std::string dotted;
  const auto dateCharacter = [](char c) {
    return c == '.' || std::isalnum(static_cast<unsigned char>(c)) != 0;
  };
  if (std::count(text.begin(), text.end(), '.') == 2 &&
      std::all_of(text.begin(), text.end(), dateCharacter)) {
    dotted = std::string(text);
    std::replace(dotted.begin(), dotted.end(), '.', '/');
    text = dotted;
  }
  if (const auto iso = ReadIsoDate(text)) return *iso;
  if (dateFormat < 0 || dateFormat >= static_cast<int>(DateFormatNames.size())) dateFormat = 0;
  return TextToDateOrdered(text, DateFormatNames[static_cast<size_t>(dateFormat)], locale);
}

}  // namespace chartorium
