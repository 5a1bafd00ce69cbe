// String built-ins: Len, Left, Mid, InStr, Replace, Split, Join and their family.
#include <algorithm>
#include <cctype>
#include <cstdio>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/Builtins.h"
#include "vbscript/Conversion.h"
#include "vbscript/Operators.h"

namespace chartorium::vbscript {

namespace {

// Position (0-based) of `what` in `text` from `from`, or npos.
size_t Find(const std::string& text, const std::string& what, size_t from, bool textCompare) {
  if (!textCompare) return text.find(what, from);
  return LowerAscii(text).find(LowerAscii(what), from);
}

size_t FindLast(const std::string& text, const std::string& what, size_t from, bool textCompare) {
  if (!textCompare) return text.rfind(what, from);
  return LowerAscii(text).rfind(LowerAscii(what), from);
}

// Windows-1252 characters 0x80..0x9F; the rest of 0xA0..0xFF is Latin-1.
constexpr char32_t Cp1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t FirstCodePoint(const std::string& s) {
  const unsigned char c = static_cast<unsigned char>(s[0]);
  if (c < 0x80 || s.size() < 2) return c;
  if ((c & 0xE0) == 0xC0) return ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[1]) & 0x3Fu);
  if ((c & 0xF0) == 0xE0 && s.size() >= 3)
    return ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[1]) & 0x3Fu) << 6) |
           (static_cast<unsigned char>(s[2]) & 0x3Fu);
  return c;
}

Variant FnLen(Vm&, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  return Variant::Long(static_cast<int32_t>(ToString(a[0]).size()));
}

Variant FnLeft(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[1]);
  if (n < 0) ThrowRuntime(5);
  if (a[0].IsNull()) return a[0];
  return Variant::String(ToString(a[0]).substr(0, static_cast<size_t>(n)));
}

Variant FnRight(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[1]);
  if (n < 0) ThrowRuntime(5);
  if (a[0].IsNull()) return a[0];
  const std::string s = ToString(a[0]);
  const size_t count = std::min(s.size(), static_cast<size_t>(n));
  return Variant::String(s.substr(s.size() - count));
}

Variant FnMid(Vm&, std::span<Variant> a) {
  const int32_t start = IntArg(a[1]);
  if (start < 1) ThrowRuntime(5);
  int32_t length = -1;
  if (a.size() > 2) {
    length = IntArg(a[2]);
    if (length < 0) ThrowRuntime(5);
  }
  if (a[0].IsNull()) return a[0];
  const std::string s = ToString(a[0]);
  if (static_cast<size_t>(start) > s.size()) return Variant::String("");
  return Variant::String(s.substr(static_cast<size_t>(start - 1),
                                  length < 0 ? std::string::npos : static_cast<size_t>(length)));
}

Variant FnInStr(Vm&, std::span<Variant> a) {
  // InStr([start,] s1, s2[, compare])
  size_t i = 0;
  int32_t start = 1;
  if (a.size() >= 3) {
    start = IntArg(a[0]);
    if (start < 1) ThrowRuntime(5);
    i = 1;
  }
  const bool textCompare = a.size() == 4 ? TextCompareArg(a[3]) : false;
  if (a[i].IsNull() || a[i + 1].IsNull()) return Variant::MakeNull();
  const std::string s1 = ToString(a[i]), s2 = ToString(a[i + 1]);
  if (static_cast<size_t>(start) > s1.size()) return Variant::Long(0);
  const size_t at = Find(s1, s2, static_cast<size_t>(start - 1), textCompare);
  return Variant::Long(at == std::string::npos ? 0 : static_cast<int32_t>(at + 1));
}

Variant FnInStrRev(Vm&, std::span<Variant> a) {
  for (const Variant& v : a)
    if (v.IsNull()) ThrowRuntime(94);
  const std::string s1 = ToString(a[0]), s2 = ToString(a[1]);
  int32_t start = a.size() > 2 ? IntArg(a[2]) : -1;
  const bool textCompare = a.size() > 3 ? TextCompareArg(a[3]) : false;
  if (start == -1) start = static_cast<int32_t>(s1.size());
  if (start < 1) ThrowRuntime(5);
  if (static_cast<size_t>(start) > s1.size()) return Variant::Long(0);
  if (s2.empty()) return Variant::Long(start);
  if (s2.size() > static_cast<size_t>(start)) return Variant::Long(0);
  const size_t at = FindLast(s1, s2, static_cast<size_t>(start) - s2.size(), textCompare);
  return Variant::Long(at == std::string::npos ? 0 : static_cast<int32_t>(at + 1));
}

Variant FnReplace(Vm&, std::span<Variant> a) {
  for (const Variant& v : a)
    if (v.IsNull()) ThrowRuntime(94);
  const std::string s = ToString(a[0]), find = ToString(a[1]), with = ToString(a[2]);
  const int32_t start = a.size() > 3 ? IntArg(a[3]) : 1;
  const int32_t count = a.size() > 4 ? IntArg(a[4]) : -1;
  const bool textCompare = a.size() > 5 ? TextCompareArg(a[5]) : false;
  if (start < 1 || count < -1) ThrowRuntime(5);
  if (static_cast<size_t>(start) > s.size()) return Variant::String("");
  const std::string rest = s.substr(static_cast<size_t>(start - 1));
  if (find.empty() || count == 0) return Variant::String(rest);
  std::string out;
  size_t from = 0;
  int32_t done = 0;
  for (;;) {
    const size_t at =
        count >= 0 && done >= count ? std::string::npos : Find(rest, find, from, textCompare);
    if (at == std::string::npos) break;
    out.append(rest, from, at - from);
    out += with;
    from = at + find.size();
    ++done;
  }
  out.append(rest, from, std::string::npos);
  return Variant::String(std::move(out));
}

Variant FnSplit(Vm&, std::span<Variant> a) {
  for (const Variant& v : a)
    if (v.IsNull()) ThrowRuntime(94);
  const std::string s = ToString(a[0]);
  const std::string delim = a.size() > 1 ? ToString(a[1]) : " ";
  const int32_t count = a.size() > 2 ? IntArg(a[2]) : -1;
  const bool textCompare = a.size() > 3 ? TextCompareArg(a[3]) : false;
  if (count < -1) ThrowRuntime(5);
  std::vector<Variant> parts;
  if (s.empty() || count == 0) return MakeArray(std::move(parts));
  if (delim.empty()) {
    parts.push_back(Variant::String(s));
    return MakeArray(std::move(parts));
  }
  size_t from = 0;
  for (;;) {
    if (count > 0 && static_cast<int32_t>(parts.size()) == count - 1) break;
    const size_t at = Find(s, delim, from, textCompare);
    if (at == std::string::npos) break;
    parts.push_back(Variant::String(s.substr(from, at - from)));
    from = at + delim.size();
  }
  parts.push_back(Variant::String(s.substr(from)));
  return MakeArray(std::move(parts));
}

Variant FnJoin(Vm&, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(94);
  if (!a[0].IsArray() || a[0].AsArray().Dimensions() > 1) ThrowRuntime(13);
  const std::string delim = a.size() > 1 ? ToString(a[1]) : " ";
  std::string out;
  const std::vector<Variant>& data = a[0].AsArray().Data;
  for (size_t i = 0; i < data.size(); ++i) {
    if (i > 0) out += delim;
    if (data[i].IsNull() || data[i].IsArray()) ThrowRuntime(13);
    AppendText(out, data[i]);
  }
  return Variant::String(std::move(out));
}

Variant FnFilter(Vm&, std::span<Variant> a) {
  if (a[0].IsNull() || a[1].IsNull()) ThrowRuntime(94);
  if (!a[0].IsArray() || a[0].AsArray().Dimensions() != 1) ThrowRuntime(13);
  const std::string value = ToString(a[1]);
  const bool include = a.size() > 2 ? ToBoolean(a[2]) : true;
  const bool textCompare = a.size() > 3 ? TextCompareArg(a[3]) : false;
  std::vector<Variant> kept;
  for (const Variant& item : a[0].AsArray().Data) {
    const std::string text = ToString(item);
    const bool contains = Find(text, value, 0, textCompare) != std::string::npos;
    if (contains == include) kept.push_back(Variant::String(text));
  }
  return MakeArray(std::move(kept));
}

template <bool Left, bool Right>
Variant FnTrim(Vm&, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  std::string s = ToString(a[0]);
  size_t first = 0, last = s.size();
  if (Left)
    while (first < last && s[first] == ' ') ++first;
  if (Right)
    while (last > first && s[last - 1] == ' ') --last;
  return Variant::String(s.substr(first, last - first));
}

template <bool Upper>
Variant FnCase(Vm&, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  std::string s = ToString(a[0]);
  for (char& c : s)
    c = static_cast<char>(Upper ? std::toupper(static_cast<unsigned char>(c))
                                : std::tolower(static_cast<unsigned char>(c)));
  return Variant::String(std::move(s));
}

Variant FnSpace(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  if (n < 0) ThrowRuntime(5);
  return Variant::String(std::string(static_cast<size_t>(n), ' '));
}

Variant FnString(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  if (a[1].IsNull()) ThrowRuntime(94);
  char c;
  if (a[1].IsString()) {
    if (a[1].AsString().empty()) ThrowRuntime(5);
    c = a[1].AsString()[0];
  } else {
    const int32_t code = ToLong(a[1]);
    if (code < 0 || code > 255) ThrowRuntime(5);
    c = static_cast<char>(code);
  }
  if (n < 0) ThrowRuntime(5);
  return Variant::String(std::string(static_cast<size_t>(n), c));
}

Variant FnStrComp(Vm&, std::span<Variant> a) {
  if (a[0].IsNull() || a[1].IsNull()) return Variant::MakeNull();
  const bool textCompare = a.size() > 2 ? TextCompareArg(a[2]) : false;
  const std::string x = ToString(a[0]), y = ToString(a[1]);
  const int c = textCompare ? CompareTextNoCase(x, y) : x.compare(y);
  return Variant::Integer(static_cast<int16_t>(c < 0 ? -1 : c > 0 ? 1 : 0));
}

Variant FnStrReverse(Vm&, std::span<Variant> a) {
  std::string s = ToString(a[0]);
  std::reverse(s.begin(), s.end());
  return Variant::String(std::move(s));
}

Variant FnAsc(Vm&, std::span<Variant> a) {
  const std::string s = ToString(a[0]);
  if (s.empty()) ThrowRuntime(5);
  const char32_t c = FirstCodePoint(s);
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return Variant::Integer(static_cast<int16_t>(c));
  for (int i = 0; i < 32; ++i)
    if (Cp1252High[i] == c) return Variant::Integer(static_cast<int16_t>(0x80 + i));
  return Variant::Integer('?');
}

Variant FnAscW(Vm&, std::span<Variant> a) {
  const std::string s = ToString(a[0]);
  if (s.empty()) ThrowRuntime(5);
  const char32_t c = FirstCodePoint(s);
  return Variant::Integer(static_cast<int16_t>(c > 0x7FFF ? static_cast<int32_t>(c) - 65536 : c));
}

Variant FnChr(Vm&, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  if (n < 0 || n > 255) ThrowRuntime(5);
  std::string out;
  AppendUtf8(out, n >= 0x80 && n < 0xA0 ? Cp1252High[n - 0x80] : static_cast<char32_t>(n));
  return Variant::String(std::move(out));
}

Variant FnChrW(Vm&, std::span<Variant> a) {
  int32_t n = IntArg(a[0]);
  if (n < -32768 || n > 65535) ThrowRuntime(5);
  if (n < 0) n += 65536;
  std::string out;
  AppendUtf8(out, static_cast<char32_t>(n));
  return Variant::String(std::move(out));
}

// Code points of UTF-8 text, reading invalid bytes as Latin-1.
std::vector<char32_t> CodePoints(const std::string& s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra > 0 && i + extra >= s.size()) extra = 0;
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool valid = true;
    for (size_t k = 1; k <= extra; ++k) {
      const unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (!valid) {
      cp = c;
      extra = 0;
    }
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

Variant FnEscape(Vm&, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  std::string out;
  char buffer[8];
  for (char32_t c : CodePoints(ToString(a[0]))) {
    if ((c < 0x80 && std::isalnum(static_cast<int>(c))) ||
        (c < 0x80 &&
         std::string_view("@*_+-./").find(static_cast<char>(c)) != std::string_view::npos)) {
      out += static_cast<char>(c);
    } else if (c < 0x100) {
      std::snprintf(buffer, sizeof buffer, "%%%02X", static_cast<unsigned>(c));
      out += buffer;
    } else {
      std::snprintf(buffer, sizeof buffer, "%%u%04X", static_cast<unsigned>(c & 0xFFFF));
      out += buffer;
    }
  }
  return Variant::String(std::move(out));
}

Variant FnUnescape(Vm&, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  const std::string s = ToString(a[0]);
  auto hexAt = [&](size_t at, size_t count, char32_t& value) {
    if (at + count > s.size()) return false;
    value = 0;
    for (size_t k = 0; k < count; ++k) {
      const char h = s[at + k];
      if (!std::isxdigit(static_cast<unsigned char>(h))) return false;
      value = value * 16 + static_cast<char32_t>(std::isdigit(static_cast<unsigned char>(h))
                                                     ? h - '0'
                                                     : std::tolower(h) - 'a' + 10);
    }
    return true;
  };
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t value;
    if (s[i] == '%' && i + 1 < s.size() && s[i + 1] == 'u' && hexAt(i + 2, 4, value)) {
      AppendUtf8(out, value);
      i += 5;
    } else if (s[i] == '%' && hexAt(i + 1, 2, value)) {
      AppendUtf8(out, value);
      i += 2;
    } else {
      out += s[i];
    }
  }
  return Variant::String(std::move(out));
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
