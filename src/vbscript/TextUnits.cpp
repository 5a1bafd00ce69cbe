#include "vbscript/TextUnits.h"

#include <algorithm>
#include <cstdint>

namespace chartorium::vbscript {

namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// The code point starting at text[at] and its byte length; invalid bytes read as Latin-1.
char32_t Decode(std::string_view text, size_t at, size_t& length) {
  const unsigned char c = static_cast<unsigned char>(text[at]);
  const size_t extra = c >= 0xF0 && c < 0xF5   ? 3
                       : c >= 0xE0 && c < 0xF0 ? 2
                       : c >= 0xC2 && c < 0xE0 ? 1
                                               : 0;
  if (extra > 0 && at + extra < text.size()) {
    char32_t cp = c & (0x3F >> extra);
    bool valid = true;
    for (size_t k = 1; valid && k <= extra; ++k) {
      const unsigned char d = static_cast<unsigned char>(text[at + k]);
      valid = IsContinuation(d);
      cp = (cp << 6) | (d & 0x3Fu);
    }
    // Overlong forms and values past U+10FFFF are no text; they read byte by byte.
    if (valid && !(extra == 2 && cp < 0x800) && !(extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))) {
      length = extra + 1;
      return cp;
    }
  }
  length = 1;
  return c;
}

struct CasePair {
  char16_t Upper;
  char16_t Lower;
};

// Letters whose cases are a fixed distance apart: [first, last] upper -> +offset lower.
struct CaseRange {
  char16_t First;
  char16_t Last;
  int16_t Offset;
  bool Alternating;  ///< upper and lower alternate: First, First+2... are upper
};

constexpr CaseRange CaseRanges[] = {
    {u'A', u'Z', 32, false},     {0x00C0, 0x00D6, 32, false}, {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012F, 1, true},   {0x0132, 0x0137, 1, true},   {0x0139, 0x0148, 1, true},
    {0x014A, 0x0177, 1, true},   {0x0179, 0x017E, 1, true},   {0x0386, 0x0386, 38, false},
    {0x0388, 0x038A, 37, false}, {0x038C, 0x038C, 64, false}, {0x038E, 0x038F, 63, false},
    {0x0391, 0x03A1, 32, false}, {0x03A3, 0x03AB, 32, false}, {0x0400, 0x040F, 80, false},
    {0x0410, 0x042F, 32, false}, {0x0460, 0x0481, 1, true},   {0x048A, 0x04BF, 1, true},
    {0x04D0, 0x04FF, 1, true},
};

constexpr CasePair CaseExceptions[] = {{0x0178, 0x00FF}, {0x03A3, 0x03C2}};

}  // namespace

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::u16string ToUtf16(std::string_view text) {
  // Script texts are mostly ASCII, where a unit is a byte.
  if (IsAscii(text)) return std::u16string(text.begin(), text.end());
  std::u16string units;
  units.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    size_t length = 1;
    const char32_t cp = Decode(text, at, length);
    if (cp >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(cp);
    }
    at += length;
  }
  return units;
}

std::string ToUtf8(std::u16string_view units) {
  if (std::all_of(units.begin(), units.end(), [](char16_t u) { return u < 0x80; }))
    return std::string(units.begin(), units.end());
  std::string text;
  text.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      AppendCodePoint(text, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                                (static_cast<char32_t>(units[i + 1]) - 0xDC00));
      ++i;
    } else {
      AppendCodePoint(text, u);
    }
  }
  return text;
}

size_t Utf16Length(std::string_view text) {
  size_t count = 0;
  for (size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++count;
      ++at;
      continue;
    }
    size_t length = 1;
    count += Decode(text, at, length) >= 0x10000 ? 2 : 1;
    at += length;
  }
  return count;
}

void AppendJoined(std::string& out, std::string_view tail) {
  // Surrogates are ED A0..BF xx: high ones ED A0..AF, low ones ED B0..BF.
  const auto byte = [](std::string_view text, size_t at) {
    return static_cast<unsigned char>(text[at]);
  };
  if (tail.size() < 3 || byte(tail, 0) != 0xED || (byte(tail, 1) & 0xF0) != 0xB0 ||
      out.size() < 3 || byte(out, out.size() - 3) != 0xED ||
      (byte(out, out.size() - 2) & 0xF0) != 0xA0) {
    out += tail;
    return;
  }
  const std::u16string high = ToUtf16(std::string_view(out).substr(out.size() - 3));
  const std::u16string low = ToUtf16(tail.substr(0, 3));
  out.resize(out.size() - 3);
  out += ToUtf8(high + low);
  out.append(tail.substr(3));
}

void AppendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char16_t UpperUnit(char16_t unit) {
  if (unit < 0x80) return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
  for (const CasePair& pair : CaseExceptions)
    if (pair.Lower == unit) return pair.Upper;
  for (const CaseRange& range : CaseRanges) {
    const int upper = unit - range.Offset;
    if (upper < range.First || upper > range.Last) continue;
    if (range.Alternating && (upper - range.First) % 2 != 0) continue;
    return static_cast<char16_t>(upper);
  }
  return unit;
}

char16_t LowerUnit(char16_t unit) {
  if (unit < 0x80) return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
  if (unit == 0x0178) return 0x00FF;
  for (const CaseRange& range : CaseRanges) {
    if (unit < range.First || unit > range.Last) continue;
    if (range.Alternating && (unit - range.First) % 2 != 0) continue;
    return static_cast<char16_t>(unit + range.Offset);
  }
  return unit;
}

std::string UpperText(std::string_view text) {
  if (IsAscii(text)) {
    std::string out(text);
    for (char& c : out)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
  }
  std::u16string units = ToUtf16(text);
  for (char16_t& u : units) u = UpperUnit(u);
  return ToUtf8(units);
}

std::string LowerText(std::string_view text) {
  if (IsAscii(text)) {
    std::string out(text);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
  }
  std::u16string units = ToUtf16(text);
  for (char16_t& u : units) u = LowerUnit(u);
  return ToUtf8(units);
}

}  // namespace chartorium::vbscript
