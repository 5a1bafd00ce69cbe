// Conversions between subtypes: numbers, texts, Booleans and banker's rounding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vbscript/ScriptLocale.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

/// Lower and upper case of ASCII letters only; other bytes stay as they are. Names and keywords
/// never follow the C library's locale, whose Turkish 'I' has no lower-case byte.
constexpr char ToLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char ToUpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/// The text with its ASCII letters in lower case (names compare this way).
std::string LowerAscii(std::string_view text);

/// Whether two texts are the same but for the case of their ASCII letters.
bool EqualsNoCase(std::string_view a, std::string_view b);

/// Rounds half to even, as every VBScript integer conversion does.
double RoundHalfEven(double value);

/// Parses a number text the way arithmetic reads strings: blanks around it, a sign, the
/// locale's decimal separator, its thousands separators between groups of three digits, an
/// exponent, the locale's currency symbol before or after, parentheses for a negative
/// number, &H and &O prefixes. nullopt when it is no number.
std::optional<double> ParseNumber(std::string_view text, const ScriptLocale& locale = UsLocale());
/// Reads a number in C notation ([-]digits[.digits][e[+|-]digits], '.' whatever the C
/// library's locale says): one beyond the range of a Double is an infinity of its sign, one
/// too small for it 0. REQUIRES: `text` has that shape.
double ReadCNumber(std::string_view text);
/// Reads "True"/"False" and the locale's words for them in any case, and "#TRUE#"/"#FALSE#";
/// nullopt otherwise.
std::optional<bool> ParseBooleanText(std::string_view text,
                                     const ScriptLocale& locale = UsLocale());

/// The numeric value of a number, Boolean, Empty or numeric string.
/// Throws 13 for other strings and values, 94 for Null.
double ToDouble(const Variant& value, const ScriptLocale& locale = UsLocale());
/// Banker's-rounded 32-bit value; throws 6 outside the Long range.
int32_t ToLong(const Variant& value);
/// Banker's-rounded 16-bit value; throws 6 outside the Integer range.
int16_t ToInteger(const Variant& value);
/// Condition truth: Null and Empty are False, strings "0"/"-1"/"True" etc.; 13 otherwise.
bool ToCondition(const Variant& value, const ScriptLocale& locale = UsLocale());
/// CBool: like a condition but Null gives 94.
bool ToBoolean(const Variant& value, const ScriptLocale& locale = UsLocale());
/// CStr: Null gives 94, Empty ""; Booleans in the locale's words.
std::string ToString(const Variant& value, const ScriptLocale& locale = UsLocale());
/// Appends the text of a value the way `&` does (Null and Empty add nothing).
void AppendText(std::string& out, const Variant& value, const ScriptLocale& locale = UsLocale());

/// 15 significant digits for Double, 7 for Single, as CStr writes them.
std::string FormatFloat(double value, int digits);
std::string FormatSingle(float value);
std::string FormatCurrency(int64_t scaled);

/// CCur of any numeric value; throws 6 beyond the Currency range.
int64_t ToCurrencyScaled(const Variant& value);
/// CDate: numbers and numeric strings are serials, other strings are parsed.
double ToDateSerial(const Variant& value, const ScriptLocale& locale = UsLocale());

/// A Variant of the narrowest of Integer, Long or Double that holds `value` exactly.
Variant FitInteger(int64_t value);

}  // namespace chartorium::vbscript
