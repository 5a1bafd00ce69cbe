// Script strings hold UTF-8 text, but scripts count, index and compare UTF-16 code units, as
// the strings of Windows do. These functions translate between the two. A lone surrogate
// (ChrW(&HD800), half of a split pair) keeps its own three-byte form.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace chartorium::vbscript {

/// True when every byte is below 0x80: then bytes and code units are the same.
bool IsAscii(std::string_view text);

/// The UTF-16 code units of the text; a byte that starts no valid sequence reads as Latin-1.
std::u16string ToUtf16(std::string_view text);
/// The UTF-8 text of code units; a surrogate pair becomes one four-byte sequence.
std::string ToUtf8(std::u16string_view units);
/// The number of code units, without building them for ASCII text.
size_t Utf16Length(std::string_view text);

/// Appends `tail` to `out`; a lone high surrogate ending `out` and a lone low one starting
/// `tail` become one character, so joined halves equal the whole.
void AppendJoined(std::string& out, std::string_view tail);

/// Appends one code point (or a lone surrogate) as UTF-8.
void AppendCodePoint(std::string& out, char32_t codePoint);

/// Upper- and lower-case forms of a code unit for Latin, Greek and Cyrillic letters; other
/// units are returned unchanged.
char16_t UpperUnit(char16_t unit);
char16_t LowerUnit(char16_t unit);

/// The text in upper or lower case, for UCase, LCase and text comparison.
std::string UpperText(std::string_view text);
std::string LowerText(std::string_view text);

}  // namespace chartorium::vbscript
