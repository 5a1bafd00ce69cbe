// Fixed-point arithmetic and texts of amounts.
#include "portfolio/Amount.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/TextCase.h"
#include "core/TextHelpers.h"

namespace chartorium {
namespace {

using Wide = __int128;

// Results saturate well inside the 64-bit range, so a product of two amounts
// always fits the 128-bit intermediate.
constexpr std::int64_t MaxUnits = 9'000'000'000'000'000'000;

std::int64_t Saturate(Wide units) {
  if (units > MaxUnits) return MaxUnits;
  if (units < -MaxUnits) return -MaxUnits;
  return static_cast<std::int64_t>(units);
}

// numerator / denominator rounded to the nearest whole number, halves away
// from zero. REQUIRES: denominator > 0.
Wide RoundedQuotient(Wide numerator, Wide denominator) {
  const bool negative = numerator < 0;
  const Wide magnitude = negative ? -numerator : numerator;
  const Wide quotient = (magnitude + denominator / 2) / denominator;
  return negative ? -quotient : quotient;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Adds digit × 10^power to units, where power counts in 0.0001 units;
// returns false once the value is beyond what an amount holds.
bool AddDigit(Wide& units, int digit, int power) {
  Wide scaled = digit;
  for (int i = 0; i < power; ++i) {
    scaled *= 10;
    if (scaled > MaxUnits) return false;
  }
  units += scaled;
  return units <= MaxUnits;
}

}  // namespace

Amount Amount::FromInt(long long value) {
  return Amount(Saturate(static_cast<Wide>(value) * UnitsPerOne));
}

Amount Amount::FromText(std::string_view text) {
  text = Trim(text);
  if (!IsNumber(text)) return {};
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const size_t exponentAt = text.find_first_of("eE");
  int exponent = 0;
  if (exponentAt != std::string_view::npos) {
    std::string_view digits = text.substr(exponentAt + 1);
    const bool negativeExponent = digits.front() == '-';
    if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
    // Beyond ±100 every amount has saturated or rounded to 0 long before.
    for (const char c : digits) exponent = std::min(exponent * 10 + (c - '0'), 1000);
    if (negativeExponent) exponent = -exponent;
    text = text.substr(0, exponentAt);
  }
  const size_t point = text.find('.');
  const int integerDigits = static_cast<int>(point == std::string_view::npos ? text.size() : point);
  // Each digit's power of ten in 0.0001 units; the first digit below the last
  // place decides the rounding, halves away from zero.
  Wide units = 0;
  int position = 0;
  for (const char c : text) {
    if (!IsDigit(c)) continue;
    const int power = integerDigits - 1 - position + exponent + 4;
    ++position;
    const int digit = c - '0';
    if (power < -1 || digit == 0) continue;
    if (power == -1) {
      if (digit >= 5) units += 1;
      break;
    }
    if (!AddDigit(units, digit, power)) {
      units = MaxUnits;
      break;
    }
  }
  const std::int64_t magnitude = Saturate(units);
  return Amount(negative ? -magnitude : magnitude);
}

Amount Amount::FromDouble(double value) {
  if (std::isnan(value)) return {};
  const long double units = std::roundl(static_cast<long double>(value) * UnitsPerOne);
  if (units > static_cast<long double>(MaxUnits)) return Amount(MaxUnits);
  if (units < -static_cast<long double>(MaxUnits)) return Amount(-MaxUnits);
  return Amount(static_cast<std::int64_t>(units));
}

Amount operator+(Amount a, Amount b) {
  return Amount(Saturate(static_cast<Wide>(a.units_) + b.units_));
}

Amount operator-(Amount a, Amount b) {
  return Amount(Saturate(static_cast<Wide>(a.units_) - b.units_));
}

Amount operator-(Amount a) {
  return Amount(-a.units_);
}

Amount operator*(Amount a, Amount b) {
  return Amount(
      Saturate(RoundedQuotient(static_cast<Wide>(a.units_) * b.units_, Amount::UnitsPerOne)));
}

Amount operator/(Amount a, Amount b) {
  if (b.units_ == 0) return {};
  Wide numerator = static_cast<Wide>(a.units_) * Amount::UnitsPerOne;
  Wide denominator = b.units_;
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  return Amount(Saturate(RoundedQuotient(numerator, denominator)));
}

std::string Amount::ShortestText() const {
  const std::uint64_t magnitude =
      units_ < 0 ? static_cast<std::uint64_t>(-units_) : static_cast<std::uint64_t>(units_);
  std::string text = units_ < 0 ? "-" : "";
  text += std::to_string(magnitude / UnitsPerOne);
  std::string fraction = std::to_string(magnitude % UnitsPerOne + UnitsPerOne).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

std::string Amount::FixedText() const {
  std::string text = TrimmedFixedText();
  if (text.size() < 8) text.insert(0, 8 - text.size(), ' ');
  return text;
}

std::string Amount::TrimmedFixedText() const {
  const std::int64_t cents = static_cast<std::int64_t>(RoundedQuotient(units_, 100));
  const std::uint64_t magnitude =
      cents < 0 ? static_cast<std::uint64_t>(-cents) : static_cast<std::uint64_t>(cents);
  std::string text = cents < 0 ? "-" : "";
  text += std::to_string(magnitude / 100) + "." + std::to_string(magnitude % 100 + 100).substr(1);
  return text;
}

}  // namespace chartorium
