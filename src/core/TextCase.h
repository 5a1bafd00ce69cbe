// Letter case in names: the program compares names of stocks, files,
// sections and indicators without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace chartorium {

/// Lower-cases ASCII letters and the Latin-1 capitals (À..Þ) of a UTF-8 text.
std::string FoldCase(std::string_view text);
/// Upper-cases ASCII letters and the Latin-1 small letters (à..þ) of a UTF-8 text.
std::string UpperCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
/// The text without leading and trailing blanks, tabs, CR and LF.
std::string_view Trim(std::string_view text);

}  // namespace chartorium
