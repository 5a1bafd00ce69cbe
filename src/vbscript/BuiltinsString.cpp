// String built-ins: Len, Left, Mid, InStr, Replace, Split, Join and their family.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <type_traits>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/Builtins.h"
#include "vbscript/Conversion.h"
#include "vbscript/Operators.h"
#include "vbscript/TextUnits.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

// The string functions run on bytes when every argument is ASCII, the usual case, and on
// UTF-16 units otherwise, so that positions and lengths are what scripts count.

std::string Folded(const std::string& s) {
  return LowerAscii(s);
}
std::u16string Folded(const std::u16string& s) {
  std::u16string lower(s);
  for (char16_t& u : lower) u = LowerUnit(u);
  return lower;
}

Variant TextValue(std::string s) {
  return Variant::String(std::move(s));
}
Variant TextValue(const std::u16string& units) {
  return Variant::String(ToUtf8(units));
}

// Position (0-based) of `what` in `text` from `from`, or npos.
template <typename Text>
size_t Find(const Text& text, const Text& what, size_t from, bool textCompare) {
  if (!textCompare) return text.find(what, from);
  return Folded(text).find(Folded(what), from);
}

template <typename Text>
size_t FindLast(const Text& text, const Text& what, size_t from, bool textCompare) {
  if (!textCompare) return text.rfind(what, from);
  return Folded(text).rfind(Folded(what), from);
}

// Calls `body` with the texts as they are when all are ASCII, else as UTF-16 units.
template <typename Body>
Variant OnUnits(const std::string& a, Body&& body) {
  if (IsAscii(a)) return body(a);
  return body(ToUtf16(a));
}
template <typename Body>
Variant OnUnits(const std::string& a, const std::string& b, Body&& body) {
  if (IsAscii(a) && IsAscii(b)) return body(a, b);
  return body(ToUtf16(a), ToUtf16(b));
}
template <typename Body>
Variant OnUnits(const std::string& a, const std::string& b, const std::string& c, Body&& body) {
  if (IsAscii(a) && IsAscii(b) && IsAscii(c)) return body(a, b, c);
  return body(ToUtf16(a), ToUtf16(b), ToUtf16(c));
}

// Windows-1252 characters 0x80..0x9F; the rest of 0xA0..0xFF is Latin-1.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// The character of an ANSI code: Windows-1252, as the code page of Western Windows.
char16_t AnsiCharacter(int32_t code) {
  return code >= 0x80 && code < 0xA0 ? Cp1252High[code - 0x80] : static_cast<char16_t>(code);
}

// The first code unit of a text. REQUIRES: s is not empty.
char16_t FirstUnit(const std::string& s) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  if (c < 0x80) return c;
  return ToUtf16(std::string_view(s).substr(0, std::min<size_t>(s.size(), 4)))[0];
}

Variant FnLen(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  if (a[0].IsString()) return Variant::Long(static_cast<int32_t>(Utf16Length(a[0].AsString())));
  return Variant::Long(static_cast<int32_t>(Utf16Length(ToString(a[0], vm.Locale))));
}

Variant FnLeft(Vm& vm, std::span<Variant> a) {
  const int32_t n = IntArg(a[1], vm.Locale);
  if (n < 0) ThrowRuntime(5);
  if (a[0].IsNull()) return a[0];
  return OnUnits(ToString(a[0], vm.Locale),
                 [&](const auto& s) { return TextValue(s.substr(0, static_cast<size_t>(n))); });
}

Variant FnRight(Vm& vm, std::span<Variant> a) {
  const int32_t n = IntArg(a[1], vm.Locale);
  if (n < 0) ThrowRuntime(5);
  if (a[0].IsNull()) return a[0];
  return OnUnits(ToString(a[0], vm.Locale), [&](const auto& s) {
    const size_t count = std::min(s.size(), static_cast<size_t>(n));
    return TextValue(s.substr(s.size() - count));
  });
}

Variant FnMid(Vm& vm, std::span<Variant> a) {
  const Variant* given[] = {&a[1], a.size() > 2 ? &a[2] : nullptr};
  int32_t values[] = {0, -1};
  ReadIntArgs(given, values, vm.Locale);
  const int32_t start = values[0], length = values[1];
  if (start < 1 || (given[1] && length < 0)) ThrowRuntime(5);
  if (a[0].IsNull()) return a[0];
  return OnUnits(ToString(a[0], vm.Locale), [&](const auto& s) {
    using Text = std::decay_t<decltype(s)>;
    if (static_cast<size_t>(start) > s.size()) return TextValue(Text());
    return TextValue(s.substr(static_cast<size_t>(start - 1),
                              length < 0 ? Text::npos : static_cast<size_t>(length)));
  });
}

Variant FnInStr(Vm& vm, std::span<Variant> a) {
  const SearchArgs args = ReadSearchArgs(a, vm.Locale);
  if (args.Text->IsNull() || args.Find->IsNull()) return Variant::MakeNull();
  return OnUnits(ToString(*args.Text, vm.Locale), ToString(*args.Find, vm.Locale),
                 [&](const auto& s1, const auto& s2) {
                   if (static_cast<size_t>(args.Start) > s1.size()) return Variant::Long(0);
                   const size_t at =
                       Find(s1, s2, static_cast<size_t>(args.Start - 1), args.TextCompare);
                   return Variant::Long(at == std::string::npos ? 0 : static_cast<int32_t>(at + 1));
                 });
}

Variant FnInStrRev(Vm& vm, std::span<Variant> a) {
  for (const Variant& v : a)
    if (v.IsNull()) ThrowRuntime(94);
  int32_t start = a.size() > 2 ? IntArg(a[2]) : -1;
  const bool textCompare = a.size() > 3 ? TextCompareArg(a[3]) : false;
  return OnUnits(
      ToString(a[0], vm.Locale), ToString(a[1], vm.Locale), [&](const auto& s1, const auto& s2) {
        if (start == -1) start = static_cast<int32_t>(s1.size());
        if (start < 1) ThrowRuntime(5);
        if (static_cast<size_t>(start) > s1.size()) return Variant::Long(0);
        if (s2.empty()) return Variant::Long(start);
        if (s2.size() > static_cast<size_t>(start)) return Variant::Long(0);
        const size_t at = FindLast(s1, s2, static_cast<size_t>(start) - s2.size(), textCompare);
        return Variant::Long(at == std::string::npos ? 0 : static_cast<int32_t>(at + 1));
      });
}

Variant FnReplace(Vm& vm, std::span<Variant> a) {
  for (const Variant& v : a)
    if (v.IsNull()) ThrowRuntime(94);
  const int32_t start = a.size() > 3 ? IntArg(a[3]) : 1;
  const int32_t count = a.size() > 4 ? IntArg(a[4]) : -1;
  const bool textCompare = a.size() > 5 ? TextCompareArg(a[5]) : false;
  if (start < 1 || count < -1) ThrowRuntime(5);
  return OnUnits(ToString(a[0], vm.Locale), ToString(a[1], vm.Locale), ToString(a[2], vm.Locale),
                 [&](const auto& s, const auto& find, const auto& with) {
                   using Text = std::decay_t<decltype(s)>;
                   if (static_cast<size_t>(start) > s.size()) return TextValue(Text());
                   const Text rest = s.substr(static_cast<size_t>(start - 1));
                   if (find.empty() || count == 0) return TextValue(rest);
                   Text out;
                   size_t from = 0;
                   int32_t done = 0;
                   for (;;) {
                     const size_t at = count >= 0 && done >= count
                                           ? Text::npos
                                           : Find(rest, find, from, textCompare);
                     if (at == Text::npos) break;
                     out.append(rest, from, at - from);
                     out += with;
                     from = at + find.size();
                     ++done;
                   }
                   out.append(rest, from, Text::npos);
                   return TextValue(std::move(out));
                 });
}

Variant FnSplit(Vm& vm, std::span<Variant> a) {
  for (const Variant& v : a)
    if (v.IsNull()) ThrowRuntime(94);
  const std::string delimiter = a.size() > 1 ? ToString(a[1], vm.Locale) : " ";
  const int32_t count = a.size() > 2 ? IntArg(a[2]) : -1;
  const bool textCompare = a.size() > 3 ? TextCompareArg(a[3]) : false;
  if (count < -1) ThrowRuntime(5);
  return OnUnits(ToString(a[0], vm.Locale), delimiter, [&](const auto& s, const auto& delim) {
    std::vector<Variant> parts;
    if (s.empty() || count == 0) return MakeArray(std::move(parts));
    if (delim.empty()) {
      parts.push_back(TextValue(s));
      return MakeArray(std::move(parts));
    }
    size_t from = 0;
    for (;;) {
      if (count > 0 && static_cast<int32_t>(parts.size()) == count - 1) break;
      const size_t at = Find(s, delim, from, textCompare);
      if (at == std::string::npos) break;
      parts.push_back(TextValue(s.substr(from, at - from)));
      from = at + delim.size();
    }
    parts.push_back(TextValue(s.substr(from)));
    return MakeArray(std::move(parts));
  });
}

Variant FnJoin(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(94);
  if (!a[0].IsArray() || a[0].AsArray().Dimensions() > 1) ThrowRuntime(13);
  const std::string delim = a.size() > 1 ? ToString(a[1], vm.Locale) : " ";
  std::string out;
  const std::vector<Variant>& data = a[0].AsArray().Data;
  for (size_t i = 0; i < data.size(); ++i) {
    if (i > 0) out += delim;
    if (data[i].IsNull() || data[i].IsArray()) ThrowRuntime(13);
    AppendText(out, data[i], vm.Locale);
  }
  return Variant::String(std::move(out));
}

Variant FnFilter(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull() || a[1].IsNull()) ThrowRuntime(94);
  if (!a[0].IsArray() || a[0].AsArray().Dimensions() != 1) ThrowRuntime(13);
  const std::string value = ToString(a[1], vm.Locale);
  const bool include = a.size() > 2 ? ToBoolean(a[2]) : true;
  const bool textCompare = a.size() > 3 ? TextCompareArg(a[3]) : false;
  std::vector<Variant> kept;
  for (const Variant& item : a[0].AsArray().Data) {
    const std::string text = ToString(item, vm.Locale);
    const bool contains = OnUnits(text, value, [&](const auto& t, const auto& v) {
                            return Variant::Boolean(Find(t, v, 0, textCompare) != t.npos);
                          }).AsBoolean();
    if (contains == include) kept.push_back(Variant::String(text));
  }
  return MakeArray(std::move(kept));
}

template <bool Left, bool Right>
Variant FnTrim(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  std::string s = ToString(a[0], vm.Locale);
  size_t first = 0, last = s.size();
  if (Left)
    while (first < last && s[first] == ' ') ++first;
  if (Right)
    while (last > first && s[last - 1] == ' ') --last;
  return Variant::String(s.substr(first, last - first));
}

template <bool Upper>
Variant FnCase(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  const std::string s = ToString(a[0], vm.Locale);
  return Variant::String(Upper ? UpperText(s) : LowerText(s));
}

Variant FnSpace(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  if (n < 0) ThrowRuntime(5);
  return Variant::String(std::string(static_cast<size_t>(n), ' '));
}

Variant FnString(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  if (a[1].IsNull()) ThrowRuntime(94);
  char16_t unit;
  if (a[1].IsString()) {
    if (a[1].AsString().empty()) ThrowRuntime(5);
    unit = FirstUnit(a[1].AsString());
  } else {
    const int32_t code = ToLong(a[1]);
    if (code < 0 || code > 255) ThrowRuntime(5);
    unit = AnsiCharacter(code);
  }
  if (n < 0) ThrowRuntime(5);
  std::string one;
  AppendCodePoint(one, unit);
  std::string out;
  out.reserve(one.size() * static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) out += one;
  return Variant::String(std::move(out));
}

Variant FnStrComp(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull() || a[1].IsNull()) return Variant::MakeNull();
  const bool textCompare = a.size() > 2 ? TextCompareArg(a[2]) : false;
  const std::string x = ToString(a[0], vm.Locale), y = ToString(a[1], vm.Locale);
  const int c = textCompare ? CompareTextNoCase(x, y) : x.compare(y);
  return Variant::Integer(static_cast<int16_t>(c < 0 ? -1 : c > 0 ? 1 : 0));
}

Variant FnStrReverse(Vm& vm, std::span<Variant> a) {
  std::string s = ToString(a[0], vm.Locale);
  if (IsAscii(s)) {
    std::reverse(s.begin(), s.end());
    return Variant::String(std::move(s));
  }
  std::u16string units = ToUtf16(s);
  std::reverse(units.begin(), units.end());
  // A surrogate pair keeps its order, so a character outside the BMP survives.
  for (size_t i = 0; i + 1 < units.size(); ++i) {
    if (units[i] >= 0xDC00 && units[i] < 0xE000 && units[i + 1] >= 0xD800 &&
        units[i + 1] < 0xDC00) {
      std::swap(units[i], units[i + 1]);
      ++i;
    }
  }
  return Variant::String(ToUtf8(units));
}

Variant FnAsc(Vm& vm, std::span<Variant> a) {
  const std::string s = ToString(a[0], vm.Locale);
  if (s.empty()) ThrowRuntime(5);
  const char16_t c = FirstUnit(s);
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return Variant::Integer(static_cast<int16_t>(c));
  for (int i = 0; i < 32; ++i)
    if (Cp1252High[i] == c) return Variant::Integer(static_cast<int16_t>(0x80 + i));
  return Variant::Integer('?');
}

Variant FnAscW(Vm& vm, std::span<Variant> a) {
  const std::string s = ToString(a[0], vm.Locale);
  if (s.empty()) ThrowRuntime(5);
  return Variant::Integer(static_cast<int16_t>(FirstUnit(s)));
}

Variant FnChr(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  if (n < 0 || n > 255) ThrowRuntime(5);
  std::string out;
  AppendCodePoint(out, AnsiCharacter(n));
  return Variant::String(std::move(out));
}

Variant FnChrW(Vm&, std::span<Variant> a) {
  int32_t n = IntArg(a[0]);
  if (n < -32768 || n > 65535) ThrowRuntime(5);
  if (n < 0) n += 65536;
  std::string out;
  AppendCodePoint(out, static_cast<char32_t>(n));
  return Variant::String(std::move(out));
}

Variant FnEscape(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  std::string out;
  char buffer[8];
  for (const char16_t c : ToUtf16(ToString(a[0], vm.Locale))) {
    if (c < 0x80 &&
        (std::isalnum(static_cast<int>(c)) ||
         std::string_view("@*_+-./").find(static_cast<char>(c)) != std::string_view::npos)) {
      out += static_cast<char>(c);
    } else if (c < 0x100) {
      std::snprintf(buffer, sizeof buffer, "%%%02X", static_cast<unsigned>(c));
      out += buffer;
    } else {
      std::snprintf(buffer, sizeof buffer, "%%u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return Variant::String(std::move(out));
}

Variant FnUnescape(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  const std::u16string s = ToUtf16(ToString(a[0], vm.Locale));
  auto hexAt = [&](size_t at, size_t count, char16_t& value) {
    if (at + count > s.size()) return false;
    unsigned sum = 0;
    for (size_t k = 0; k < count; ++k) {
      const char16_t h = s[at + k];
      if (h >= u'0' && h <= u'9')
        sum = sum * 16 + (h - u'0');
      else if (h >= u'a' && h <= u'f')
        sum = sum * 16 + (h - u'a' + 10);
      else if (h >= u'A' && h <= u'F')
        sum = sum * 16 + (h - u'A' + 10);
      else
        return false;
    }
    value = static_cast<char16_t>(sum);
    return true;
  };
  std::u16string out;
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t value;
    if (s[i] == u'%' && i + 1 < s.size() && s[i + 1] == u'u' && hexAt(i + 2, 4, value)) {
      out += value;
      i += 5;
    } else if (s[i] == u'%' && hexAt(i + 1, 2, value)) {
      out += value;
      i += 2;
    } else {
      out += s[i];
    }
  }
  return Variant::String(ToUtf8(out));
}

constexpr BuiltinFunction Functions[] = {
    {"len", 1, 1, FnLen},
    {"left", 2, 2, FnLeft},
    {"right", 2, 2, FnRight},
    {"mid", 2, 3, FnMid},
    {"instr", 2, 4, FnInStr},
    {"instrrev", 2, 4, FnInStrRev},
    {"replace", 3, 6, FnReplace},
    {"split", 1, 4, FnSplit},
    {"join", 1, 2, FnJoin},
    {"filter", 2, 4, FnFilter},
    {"ltrim", 1, 1, FnTrim<true, false>},
    {"rtrim", 1, 1, FnTrim<false, true>},
    {"trim", 1, 1, FnTrim<true, true>},
    {"ucase", 1, 1, FnCase<true>},
    {"lcase", 1, 1, FnCase<false>},
    {"space", 1, 1, FnSpace},
    {"string", 2, 2, FnString},
    {"strcomp", 2, 3, FnStrComp},
    {"strreverse", 1, 1, FnStrReverse},
    {"asc", 1, 1, FnAsc},
    {"ascw", 1, 1, FnAscW},
    {"chr", 1, 1, FnChr},
    {"chrw", 1, 1, FnChrW},
    {"escape", 1, 1, FnEscape},
    {"unescape", 1, 1, FnUnescape},
};

}  // namespace

std::span<const BuiltinFunction> StringBuiltins() {
  return Functions;
}

}  // namespace chartorium::vbscript
