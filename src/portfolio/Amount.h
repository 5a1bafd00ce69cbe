// Money and prices of the portfolio as fixed-point decimals with four places.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace chartorium {

/// A decimal number held as a count of 0.0001 units. Every operation rounds
/// its result to the nearest 0.0001, halves away from zero, and saturates at
/// about ±9e14 instead of overflowing. No binary floating point is involved,
/// so cash that the user typed as 0.1 stays exactly 0.1.
class Amount {
 public:
  static constexpr std::int64_t UnitsPerOne = 10000;

  constexpr Amount() = default;
  static constexpr Amount FromUnits(std::int64_t units) { return Amount(units); }
  static Amount FromInt(long long value);
  /// The number a text holds, as `TextToNumber` reads it ('.' separator,
  /// optional sign and exponent, blanks around it), rounded to four places;
  /// 0 when the text is not a number.
  static Amount FromText(std::string_view text);
  /// A stored price, rounded to four places; NaN reads as 0.
  static Amount FromDouble(double value);

  constexpr std::int64_t Units() const { return units_; }
  constexpr bool IsZero() const { return units_ == 0; }
  constexpr bool IsNegative() const { return units_ < 0; }

  friend Amount operator+(Amount a, Amount b);
  friend Amount operator-(Amount a, Amount b);
  friend Amount operator-(Amount a);
  friend Amount operator*(Amount a, Amount b);
  /// REQUIRES: b is not zero (callers test it; a zero divisor gives 0).
  friend Amount operator/(Amount a, Amount b);
  friend constexpr auto operator<=>(Amount a, Amount b) = default;

  /// The shortest text that reads back as the same amount: "51", "50.5",
  /// "-0.0001" (no exponent, no trailing zeros).
  std::string ShortestText() const;
  /// Two decimals, right-aligned in at least 8 characters as "%8.2f" writes
  /// them ("   12.50"); halves are rounded away from zero.
  std::string FixedText() const;
  /// FixedText without the leading blanks ("12.50").
  std::string TrimmedFixedText() const;

 private:
  constexpr explicit Amount(std::int64_t units) : units_(units) {}
  std::int64_t units_ = 0;
};

}  // namespace chartorium
