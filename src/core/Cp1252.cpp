// Windows-1252 <-> UTF-8.
#include "core/Cp1252.h"

#include <array>
#include <cstdint>

namespace chartorium {
namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

int ByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (size_t i = 0; i < HighControls.size(); ++i)
    if (HighControls[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
      continue;
    }
    AppendUtf8(out, b < 0xA0 ? HighControls[b - 0x80] : char32_t{b});
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t c = 0;
    if (b < 0x80) {
      length = 1, c = b;
    } else if ((b & 0xE0) == 0xC0) {
      length = 2, c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      length = 3, c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      length = 4, c = b & 0x07;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      out += text[i++];
      continue;
    }
    const int byte = ByteOf(c);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    i += static_cast<size_t>(length);
  }
  return out;
}

}  // namespace chartorium
