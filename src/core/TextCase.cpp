// Case folding of UTF-8 texts. Only ASCII and the Latin-1 letters change,
// which covers every character the Windows-1252 files of the program hold.
#include "core/TextCase.h"

namespace chartorium {
namespace {

// Latin-1 letters U+00C0..U+00DE (capitals) and U+00E0..U+00FE (small ones) are
// encoded as 0xC3 followed by 0x80..0x9E or 0xA0..0xBE; U+00D7 and U+00F7 are signs.
std::string MapCase(std::string_view text, bool toLower) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c < 0x80) {
      if (toLower && c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
      if (!toLower && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 32);
      continue;
    }
    if (c != 0xC3 || i + 1 >= out.size()) continue;
    const unsigned char next = static_cast<unsigned char>(out[i + 1]);
    if (toLower && next >= 0x80 && next <= 0x9E && next != 0x97)
      out[i + 1] = static_cast<char>(next + 0x20);
    if (!toLower && next >= 0xA0 && next <= 0xBE && next != 0xB7)
      out[i + 1] = static_cast<char>(next - 0x20);
    ++i;
  }
  return out;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  return MapCase(text, true);
}

std::string UpperCase(std::string_view text) {
  return MapCase(text, false);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  return FoldCase(a) == FoldCase(b);
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  return FoldCase(text.substr(0, prefix.size())) == FoldCase(prefix);
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view Blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(Blanks);
  return text.substr(first, last - first + 1);
}

}  // namespace chartorium
