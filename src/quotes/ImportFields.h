// The fields of an imported line and what they read as: numbers with the
// file's decimal separator, dates in the file's order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Numbers.h"

namespace chartorium {

struct DateLocale;

/// The separators of the import's list, as the list shows them.
constexpr std::array<std::string_view, 7> SeparatorEntries = {",", ";",     ":",  ".",
                                                              "|", "Space", "Tab"};
/// The date formats of the import's list; a format is stored as its index.
constexpr std::array<std::string_view, 3> DateFormatNames = {"DMY", "MDY", "YMD"};

/// The character a separator entry stands for: "Space" a blank, "Tab" a tab,
/// any other text its first character; '\0' for an empty text.
char SeparatorChar(std::string_view entry);

/// The fields of a line, at most `maxFields` of them. Fields are separated by
/// `separator`; the line end closes the last one, so "a,b," has two fields
/// and an empty line none. A field that starts with a double quote runs to
/// its closing quote, separators included, and loses its quotes ("" inside
/// stands for one quote), as spreadsheet programs write them. Linear in the
/// line's length, whatever its number of fields.
std::vector<std::string> SplitImportLine(std::string_view line, char separator,
                                         size_t maxFields = SIZE_MAX);

/// Field n (1-based) of split fields; "" beyond the last.
std::string_view FieldAt(const std::vector<std::string>& fields, int n);

/// The number a field holds, read with `decimal` as the decimal separator;
/// nullopt when it is not a number. Blanks around it are allowed. The other
/// of '.' and ',' may group thousands in groups of three ("1,234.50" with
/// '.', "1.234,5" with ','); anything else that is not part of a number
/// ("1.5" with ',', "inf", "nan") makes it no number.
std::optional<double> ReadImportNumber(std::string_view text, char decimal);

/// A price field: its number as a stored Single; 0 when it is not a number
/// or beyond the range a Single holds (a stock file never gets "1e400").
Single ImportPrice(std::string_view text, char decimal);

/// A volume or open interest field: its number truncated toward zero and
/// limited to the range of the file's 32-bit field; 0 when it is not a number.
std::int32_t ImportWhole(std::string_view text, char decimal);

/// A date field read with the date format (0 "DMY", 1 "MDY", 2 "YMD"), after
/// trimming blanks. A date written yyyy-mm-dd (or yyyy/mm/dd) reads in every
/// format, as data sites write their dates that way. NoDate when it is not a date.
double ImportDate(std::string_view text, int dateFormat, const DateLocale& locale);

}  // namespace chartorium
