// What "&Next" reads from the file itself: the separator, the preview grid,
// the captions of a header line, and the date format and decimal separator
// the data lines are written in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

struct DateLocale;
class ImportText;

/// The preview grid shows at most this many columns (a template names at
/// most 49) and this many lines.
constexpr size_t MaxPreviewColumns = 49;
constexpr size_t PreviewRows = 10;

/// The number of fields of a line up to its first empty one.
size_t CountLeadingFields(std::string_view line, char separator);

/// The separator entry with the most leading fields on the line, an earlier
/// entry winning ties (",", ";", ":", ".", "|", "Space", "Tab").
std::string_view DetectSeparator(std::string_view line);

/// The preview: one column per field of the header line up to its first empty
/// field (at most MaxPreviewColumns), and the first PreviewRows lines of the
/// file split into those columns.
struct PreviewGrid {
  size_t Columns = 0;
  std::vector<std::vector<std::string>> Rows;  ///< each row has Columns cells
};
PreviewGrid BuildPreview(const ImportText& text, size_t headerLine, char separator);

/// The captions a header line gives: for "Date", "Close", "High", "Low",
/// "Open", "Volume" and "Ticker" in this order, the first of its leading
/// fields that contains the text gets it as caption (a later text may take
/// a column over). A header in other letter case ("date,close") is matched
/// without regard to case when no field holds the text as written. Empty
/// captions when nothing matched.
std::vector<std::string> PresetCaptions(std::string_view headerLine, char separator,
                                        size_t columns);

/// The 1-based column whose field on the first data line (from `firstLine`)
/// reads as a date in one of the formats; 0 when none does.
int GuessDateColumn(const ImportText& text, size_t firstLine, char separator, size_t columns,
                    const DateLocale& locale);

/// The date format the file's dates are written in: of the dates of the data
/// lines from `firstLine` on (up to 250 that read in some format), the first
/// of `current`, "DMY", "MDY", "YMD" that reads them all. A file whose first
/// dates are 13/01/2020 can only be "DMY". nullopt when no line has a date
/// or no format reads them all. `dateColumn` is 1-based.
std::optional<int> ProposeDateFormat(const ImportText& text, size_t firstLine, char separator,
                                     int dateColumn, int current, const DateLocale& locale);

/// The decimal separator the numbers of the data lines are written with,
/// '.' or ',', from the fields other than the date column: "1.234,5" or
/// "12,5" tell ',', "1,234.5" or "12.5" tell '.'; "1,234" tells nothing. The
/// separator that has more such fields wins; nullopt when none decides.
std::optional<char> ProposeDecimalSeparator(const ImportText& text, size_t firstLine,
                                            char separator, int dateColumn);

}  // namespace chartorium
