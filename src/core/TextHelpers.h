// Field lists and number texts, used throughout the program.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace chartorium {

/// Field n (n >= 1) of a text whose fields are separated by `separator` (one
/// or more characters). The text reads as if a separator followed its end, so
/// "a;b" has two fields; empty fields count ("a;;b" field 3 is "b"); a field
/// beyond the last, an empty text or an empty separator gives "".
std::string FieldOf(std::string_view text, int n, std::string_view separator);

/// Rebuilds a ";"-list with field n replaced by `value`, or dropped when the
/// value is empty. The rebuild stops at the first empty field, and a field n
/// beyond the end of the list is not appended.
std::string SetFieldOf(std::string_view list, std::string_view value, int n);

/// 0-based index of the first entry that starts with `text`, ignoring case;
/// -1 when none does. An empty text matches the first entry.
int IndexOfPrefix(std::string_view text, std::span<const std::string> list);

/// Whether the text reads as a decimal number ('.' separator, optional sign
/// and exponent, blanks around it allowed). An empty text is not a number.
bool IsNumber(std::string_view text);
/// The text as a number; 0 when it is not one.
double TextToNumber(std::string_view text);
/// The text as a number truncated toward zero (12.9 -> 12, -3.5 -> -3); 0 when
/// it is not a number. Values beyond the 32-bit range are clamped to it.
int TextToInt(std::string_view text);

/// A price or value as the program shows it everywhere: two decimals
/// ("%8.2f", trimmed), halves rounded away from zero.
std::string PriceText(double value);

}  // namespace chartorium
