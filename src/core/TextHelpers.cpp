// Field lists and number texts.
#include "core/TextHelpers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "core/TextCase.h"

namespace chartorium {
namespace {

// Accepts [sign] digits [. digits] [e [sign] digits], with at least one digit
// in the mantissa. std::from_chars alone would also take "inf" and "nan".
bool HasNumberShape(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponentDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

// A number text beyond the range of a double: an underflow reads as 0, an
// overflow as an infinity of the text's sign.
double OutOfRangeValue(std::string_view text) {
  const size_t exponent = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, exponent);
  const bool negativeExponent = exponent != std::string_view::npos && text[exponent + 1] == '-';
  const bool zeroIntegerPart = mantissa.find_first_of("123456789") > mantissa.find('.');
  if (negativeExponent || (exponent == std::string_view::npos && zeroIntegerPart)) return 0.0;
  const double infinity = std::numeric_limits<double>::infinity();
  return text.front() == '-' ? -infinity : infinity;
}

std::optional<double> ReadNumber(std::string_view text) {
  text = Trim(text);
  if (!HasNumberShape(text)) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return OutOfRangeValue(text);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string FieldOf(std::string_view text, int n, std::string_view separator) {
  if (text.empty() || separator.empty() || n < 1) return {};
  size_t start = 0;
  for (int field = 1; field < n; ++field) {
    const size_t next = text.find(separator, start);
    if (next == std::string_view::npos) return {};
    start = next + separator.size();
  }
  if (start >= text.size()) return {};
  const size_t end = text.find(separator, start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string SetFieldOf(std::string_view list, std::string_view value, int n) {
  std::string rebuilt;
  for (int i = 1;; ++i) {
    if (i != n) {
      rebuilt += ';';
      rebuilt += FieldOf(list, i, ";");
    } else if (!value.empty()) {
      rebuilt += ';';
      rebuilt += value;
    }
    if (FieldOf(list, i + 1, ";").empty()) break;
  }
  if (!rebuilt.empty() && rebuilt.front() == ';') rebuilt.erase(0, 1);
  return rebuilt;
}

int IndexOfPrefix(std::string_view text, std::span<const std::string> list) {
  for (size_t i = 0; i < list.size(); ++i)
    if (StartsWithIgnoreCase(list[i], text)) return static_cast<int>(i);
  return -1;
}

bool IsNumber(std::string_view text) {
  return ReadNumber(text).has_value();
}

double TextToNumber(std::string_view text) {
  return ReadNumber(text).value_or(0.0);
}

int TextToInt(std::string_view text) {
  const double value = std::trunc(TextToNumber(text));
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::string PriceText(double value) {
  // Written with '.' whatever the C library's locale says.
  char text[512];
  if (!std::isfinite(value)) {
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end);
  }
  // Halves round away from zero, as the program always showed them (40.125 is
  // "40.13"); the product with 100 is exact in extended precision.
  const long double cents = std::roundl(static_cast<long double>(value) * 100);
  const auto [end, error] =
      std::to_chars(text, text + sizeof text, cents / 100, std::chars_format::fixed, 2);
  return std::string(text, end);
}

}  // namespace chartorium
