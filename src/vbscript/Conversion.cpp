// Subtype conversions: the rules CStr, CDbl, CLng and conditions share.
#include "vbscript/Conversion.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "vbscript/DateCalc.h"
#include "vbscript/Numeric.h"
#include "vbscript/ScriptError.h"
#include "vbscript/TextUnits.h"

namespace chartorium::vbscript {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Bytes of the blank at text[at]: ASCII blanks and the no-break spaces (U+00A0, U+202F)
// that French and Swedish numbers use; 0 when there is none.
size_t BlankLength(std::string_view text, size_t at) {
  const unsigned char c = static_cast<unsigned char>(text[at]);
  if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return 1;
  if (c == 0xC2 && text.substr(at, 2) == "\xC2\xA0") return 2;
  if (c == 0xE2 && text.substr(at, 3) == "\xE2\x80\xAF") return 3;
  return 0;
}

size_t SkipBlanks(std::string_view text, size_t at) {
  while (at < text.size()) {
    const size_t blank = BlankLength(text, at);
    if (blank == 0) break;
    at += blank;
  }
  return at;
}

std::string_view Trim(std::string_view text) {
  text.remove_prefix(SkipBlanks(text, 0));
  for (;;) {
    if (!text.empty() && BlankLength(text, text.size() - 1) == 1) {
      text.remove_suffix(1);
    } else if (text.ends_with("\xC2\xA0")) {
      text.remove_suffix(2);
    } else if (text.ends_with("\xE2\x80\xAF")) {
      text.remove_suffix(3);
    } else {
      return text;
    }
  }
}

// Bytes of the locale's thousands separator at text[at], 0 when there is none. A space-like
// separator also matches a plain space or the other no-break space: people type "1 000".
size_t GroupSeparatorLength(std::string_view text, size_t at, std::string_view separator,
                            bool spaceLike) {
  if (spaceLike) return text[at] == ' ' || BlankLength(text, at) > 1 ? BlankLength(text, at) : 0;
  if (separator.empty() || text.substr(at, separator.size()) != separator) return 0;
  return separator.size();
}

bool IsSpaceLike(std::string_view separator) {
  return !separator.empty() && BlankLength(separator, 0) == separator.size();
}

std::optional<double> ParseRadix(std::string_view digits, int radix) {
  if (digits.empty() || digits.size() > 11) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (radix == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return std::nullopt;
    if (d >= radix) return std::nullopt;
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
  }
  if (value > 0xFFFFFFFFull) return std::nullopt;
  if (value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(value));
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
  return true;
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToLowerAscii(c);
  return lower;
}

double RoundHalfEven(double value) {
  return std::nearbyint(value);
}

double ReadCNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc::result_out_of_range) return value;
  // Out of range: the decimal exponent of the first significant digit says which way.
  const bool negative = text.front() == '-';
  const size_t e = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, e);
  long exponent = 0;
  if (e != std::string_view::npos) {
    size_t i = e + 1;
    const bool negativeExponent = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    for (; i < text.size() && IsDigit(text[i]); ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000L);
    if (negativeExponent) exponent = -exponent;
  }
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  const size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return negative ? -0.0 : 0.0;
  const long magnitude = exponent + (first < point ? static_cast<long>(point - first) - 1
                                                   : -static_cast<long>(first - point));
  if (magnitude < 0) return negative ? -0.0 : 0.0;
  const double infinity = std::numeric_limits<double>::infinity();
  return negative ? -infinity : infinity;
}

std::optional<double> ParseNumber(std::string_view text, const ScriptLocale& locale) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  if (text[0] == '&') {
    if (text.size() < 3) return std::nullopt;
    const char kind = ToUpperAscii(text[1]);
    if (kind == 'H') return ParseRadix(text.substr(2), 16);
    if (kind == 'O') return ParseRadix(text.substr(2), 8);
    return std::nullopt;
  }
  // "(12)" is -12; no sign may stand inside the parentheses then.
  bool negative = false;
  bool hasSign = false;
  if (text.front() == '(') {
    if (text.size() < 2 || text.back() != ')') return std::nullopt;
    text = Trim(text.substr(1, text.size() - 2));
    negative = hasSign = true;
  }
  const std::string_view symbol = locale.CurrencySymbol;
  auto symbolAt = [&](size_t at) {
    return !symbol.empty() && text.substr(at, symbol.size()) == symbol;
  };
  // Before the digits: a sign and the currency symbol, in either order.
  size_t i = 0;
  bool symbolSeen = false;
  for (;;) {
    if (i < text.size() && !hasSign && (text[i] == '+' || text[i] == '-')) {
      negative = text[i++] == '-';
      hasSign = true;
    } else if (!symbolSeen && symbolAt(i)) {
      symbolSeen = true;
      i = SkipBlanks(text, i + symbol.size());
    } else {
      break;
    }
  }
  // The digits go to C's notation; short texts stay on the stack.
  char stack[64];
  std::string heap;
  char* out = stack;
  if (text.size() + 2 > sizeof stack) {
    heap.resize(text.size() + 2);
    out = heap.data();
  }
  size_t n = 0;
  if (negative) out[n++] = '-';
  // Thousands separators stand between digits: the first group has one to three of them,
  // every later group three, so "1,5" or "1,,2" is no number.
  const std::string_view group = locale.ThousandsSeparator;
  const bool spaceLikeGroup = IsSpaceLike(group);
  size_t digits = 0, run = 0;
  bool grouped = false;
  while (i < text.size()) {
    if (IsDigit(text[i])) {
      out[n++] = text[i++];
      ++digits;
      ++run;
      continue;
    }
    const size_t separator = GroupSeparatorLength(text, i, group, spaceLikeGroup);
    if (separator == 0 || run == 0 || run > 3 || (grouped && run != 3)) break;
    if (i + separator >= text.size() || !IsDigit(text[i + separator])) break;
    grouped = true;
    run = 0;
    i += separator;
  }
  if (grouped && run != 3) return std::nullopt;
  const bool whole = digits > 0;
  bool plain = whole && digits <= 15;
  if (i < text.size() && text[i] == locale.DecimalSeparator) {
    out[n++] = '.';
    ++i;
    for (; i < text.size() && IsDigit(text[i]); ++digits) out[n++] = text[i++];
    plain = false;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    const bool expSign = j < text.size() && (text[j] == '+' || text[j] == '-');
    if (expSign) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      out[n++] = 'e';
      if (expSign) out[n++] = text[i + 1];
      while (j < text.size() && IsDigit(text[j])) out[n++] = text[j++];
      i = j;
      plain = false;
    }
  }
  // After the digits: the currency symbol, if it did not come first.
  if (!symbolSeen) {
    const size_t at = SkipBlanks(text, i);
    if (symbolAt(at)) i = at + symbol.size();
  }
  if (i != text.size()) return std::nullopt;
  if (plain) {
    // Whole numbers of up to 15 digits are exact as they are.
    int64_t value = 0;
    for (size_t k = negative ? 1 : 0; k < n; ++k) value = value * 10 + (out[k] - '0');
    return static_cast<double>(negative ? -value : value);
  }
  return ReadCNumber(std::string_view(out, n));
}

std::optional<bool> ParseBooleanText(std::string_view text, const ScriptLocale& locale) {
  if (EqualsNoCase(text, "true") || text == "#TRUE#" || EqualsNoCase(text, locale.TrueText))
    return true;
  if (EqualsNoCase(text, "false") || text == "#FALSE#" || EqualsNoCase(text, locale.FalseText))
    return false;
  return std::nullopt;
}

double ToDouble(const Variant& v, const ScriptLocale& locale) {
  switch (v.Type()) {
    case VarType::Empty:
      return 0;
    case VarType::Integer:
    case VarType::Boolean:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Byte:
      return v.AsByte();
    case VarType::Single:
      return v.AsSingle();
    case VarType::Double:
    case VarType::Date:
      return v.AsDouble();
    case VarType::Currency:
      return static_cast<double>(v.AsCurrency()) / 10000.0;
    case VarType::String: {
      const std::optional<double> number = ParseNumber(v.AsString(), locale);
      if (!number) ThrowRuntime(13);
      return *number;
    }
    case VarType::Null:
      ThrowRuntime(94);
    case VarType::Object:
      if (v.IsNothing()) ThrowRuntime(91);
      ThrowRuntime(438);
    default:
      ThrowRuntime(13);
  }
}

int32_t ToLong(const Variant& v) {
  if (v.Type() == VarType::Long) return v.AsLong();
  if (v.Type() == VarType::Integer || v.Type() == VarType::Boolean) return v.AsInteger();
  const double rounded = RoundHalfEven(ToDouble(v));
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) ThrowRuntime(6);
  return static_cast<int32_t>(rounded);
}

int16_t ToInteger(const Variant& v) {
  const double rounded = RoundHalfEven(ToDouble(v));
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) ThrowRuntime(6);
  return static_cast<int16_t>(rounded);
}

bool ToCondition(const Variant& v, const ScriptLocale& locale) {
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return false;
    case VarType::Boolean:
    case VarType::Integer:
      return v.AsInteger() != 0;
    case VarType::Long:
      return v.AsLong() != 0;
    case VarType::String: {
      if (const std::optional<bool> b = ParseBooleanText(v.AsString(), locale)) return *b;
      const std::optional<double> number = ParseNumber(v.AsString(), locale);
      if (!number) ThrowRuntime(13);
      return *number != 0;
    }
    default:
      return ToDouble(v) != 0;
  }
}

bool ToBoolean(const Variant& v, const ScriptLocale& locale) {
  if (v.IsNull()) ThrowRuntime(94);
  return ToCondition(v, locale);
}

std::string FormatFloat(double value, int digits) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  // As printf's %G would write it, but never with the C library's decimal separator.
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, end);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

// Singles show 7 significant digits rounded half up from their exact value, so 654322.25
// prints as 654322.3.
std::string FormatSingle(float value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return FormatFloat(value, 7);
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                    std::chars_format::scientific, 12);
  const std::string_view text(buffer, static_cast<size_t>(end - buffer));
  const bool negative = text[0] == '-';
  const size_t start = negative ? 1 : 0;
  std::string digits = std::string(text.substr(start, 1)) + std::string(text.substr(start + 2, 12));
  // d.ddddddddddddE[+|-]xx
  size_t at = text.find('e') + 1;
  if (text[at] == '+') ++at;
  int exponent = 0;
  std::from_chars(text.data() + at, text.data() + text.size(), exponent);
  const bool up = digits[7] >= '5';
  digits.resize(7);
  if (up) {
    int i = 6;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
    if (i < 0) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    } else {
      ++digits[static_cast<size_t>(i)];
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out;
  if (exponent < -4 || exponent >= 7) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out += e;
  } else if (exponent < 0) {
    out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out = digits + std::string(whole - digits.size(), '0');
    } else {
      out = digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return negative ? "-" + out : out;
}

std::string FormatCurrency(int64_t scaled) {
  const bool negative = scaled < 0;
  const uint64_t magnitude =
      negative ? static_cast<uint64_t>(-(scaled + 1)) + 1 : static_cast<uint64_t>(scaled);
  std::string text = std::to_string(magnitude / 10000);
  uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04u", static_cast<unsigned>(fraction));
    std::string decimals = buffer;
    while (decimals.back() == '0') decimals.pop_back();
    text += "." + decimals;
  }
  return negative ? "-" + text : text;
}

namespace {

// Number texts are made with a point; other locales swap in their separator.
void AppendNumberText(std::string& out, std::string text, const ScriptLocale& locale) {
  if (locale.DecimalSeparator != '.')
    for (char& c : text)
      if (c == '.') c = locale.DecimalSeparator;
  out += text;
}

}  // namespace

void AppendText(std::string& out, const Variant& v, const ScriptLocale& locale) {
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return;
    case VarType::String:
      AppendJoined(out, v.AsString());
      return;
    case VarType::Integer:
      out += std::to_string(v.AsInteger());
      return;
    case VarType::Long:
      out += std::to_string(v.AsLong());
      return;
    case VarType::Byte:
      out += std::to_string(v.AsByte());
      return;
    case VarType::Boolean:
      out += v.AsBoolean() ? locale.TrueText : locale.FalseText;
      return;
    case VarType::Single:
      AppendNumberText(out, FormatSingle(v.AsSingle()), locale);
      return;
    case VarType::Double:
      AppendNumberText(out, FormatFloat(v.AsDouble(), 15), locale);
      return;
    case VarType::Currency:
      AppendNumberText(out, FormatCurrency(v.AsCurrency()), locale);
      return;
    case VarType::Date:
      out += FormatDateSerial(v.AsDate(), locale);
      return;
    case VarType::Error:
      out += "Error " + std::to_string(v.AsErrorCode());
      return;
    case VarType::Object:
      if (v.IsNothing()) ThrowRuntime(91);
      ThrowRuntime(438);
    default:
      ThrowRuntime(13);
  }
}

std::string ToString(const Variant& v, const ScriptLocale& locale) {
  if (v.IsNull()) ThrowRuntime(94);
  if (v.IsString()) return v.AsString();
  std::string out;
  AppendText(out, v, locale);
  return out;
}

int64_t ToCurrencyScaled(const Variant& v) {
  if (v.Type() == VarType::Currency) return v.AsCurrency();
  const double scaled = RoundHalfEven(ToDouble(v) * 10000.0);
  if (!(scaled >= -9.223372036854775e18 && scaled <= 9.223372036854775e18)) ThrowRuntime(6);
  return static_cast<int64_t>(scaled);
}

double ToDateSerial(const Variant& v, const ScriptLocale& locale) {
  if (v.Type() == VarType::Date) return v.AsDate();
  if (v.IsNull()) ThrowRuntime(94);
  if (v.IsString()) {
    if (const std::optional<double> number = ParseNumber(v.AsString(), locale)) return *number;
    if (const std::optional<double> serial = ParseDateText(v.AsString(), locale)) return *serial;
    ThrowRuntime(13);
  }
  const double serial = ToDouble(v);
  if (serial < MinDateSerial || serial > MaxDateSerial) ThrowRuntime(6);
  return serial;
}

Variant FitInteger(int64_t value) {
  return ToVariant(WidenInteger(value, VarType::Integer));
}

}  // namespace chartorium::vbscript
