// Subtype conversions: the rules CStr, CDbl, CLng and conditions share.
#include "vbscript/Conversion.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "vbscript/DateCalc.h"
#include "vbscript/ScriptError.h"
#include "vbscript/TextUnits.h"

namespace chartorium::vbscript {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
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

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

double RoundHalfEven(double value) {
  return std::nearbyint(value);
}

std::optional<double> ParseNumber(std::string_view text, const ScriptLocale& locale) {
  if (locale.DecimalSeparator != '.') {
    // The locale's separator stands for the point; a point is then no decimal separator.
    if (text.find('.') != std::string_view::npos) return std::nullopt;
    std::string copy(text);
    for (char& c : copy)
      if (c == locale.DecimalSeparator) c = '.';
    return ParseNumber(copy, UsLocale());
  }
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  if (text.size() > 2 && text[0] == '&') {
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    if (kind == 'H') return ParseRadix(text.substr(2), 16);
    if (kind == 'O') return ParseRadix(text.substr(2), 8);
    return std::nullopt;
  }
  size_t i = 0;
  if (text[i] == '+' || text[i] == '-') ++i;
  size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, ++expDigits;
    if (expDigits == 0) return std::nullopt;
    i = j;
  }
  if (i != text.size()) return std::nullopt;
  std::string copy(text);
  for (char& c : copy)
    if (c == 'd' || c == 'D') c = 'e';
  return std::strtod(copy.c_str(), nullptr);
}

std::optional<bool> ParseBooleanText(std::string_view text) {
  if (EqualsNoCase(text, "true") || text == "#TRUE#") return true;
  if (EqualsNoCase(text, "false") || text == "#FALSE#") return false;
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

bool ToCondition(const Variant& v) {
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
      if (const std::optional<bool> b = ParseBooleanText(v.AsString())) return *b;
      const std::optional<double> number = ParseNumber(v.AsString());
      if (!number) ThrowRuntime(13);
      return *number != 0;
    }
    default:
      return ToDouble(v) != 0;
  }
}

bool ToBoolean(const Variant& v) {
  if (v.IsNull()) ThrowRuntime(94);
  return ToCondition(v);
}

std::string FormatFloat(double value, int digits) {
  if (value == 0) return "0";
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
  return buffer;
}

// Singles show 7 significant digits rounded half up from their exact value, so 654322.25
// prints as 654322.3.
std::string FormatSingle(float value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return FormatFloat(value, 7);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.12E", static_cast<double>(value));
  const std::string text = buffer;
  const bool negative = text[0] == '-';
  const size_t start = negative ? 1 : 0;
  std::string digits = text.substr(start, 1) + text.substr(start + 2, 12);
  int exponent = std::atoi(text.c_str() + text.find('E') + 1);
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
      out += v.AsBoolean() ? "True" : "False";
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
  if (value >= -32768 && value <= 32767) return Variant::Integer(static_cast<int16_t>(value));
  if (value >= -2147483648LL && value <= 2147483647LL)
    return Variant::Long(static_cast<int32_t>(value));
  return Variant::Double(static_cast<double>(value));
}

}  // namespace chartorium::vbscript
