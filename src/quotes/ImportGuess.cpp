// Reading the file's own conventions off its lines.
#include "quotes/ImportGuess.h"

#include <algorithm>
#include <array>

#include "core/DateTexts.h"
#include "core/TextCase.h"
#include "quotes/ImportFields.h"
#include "quotes/ImportText.h"

namespace chartorium {
namespace {

// How many data lines the proposals look at: enough to meet a day above 12.
constexpr size_t SampleLines = 250;

// The texts a header line is searched for, in the order they are tried.
constexpr std::array<std::string_view, 7> PresetTexts = {"Date", "Close",  "High",  "Low",
                                                         "Open", "Volume", "Ticker"};

bool ContainsIgnoreCase(std::string_view text, std::string_view part) {
  return FoldCase(text).find(FoldCase(part)) != std::string::npos;
}

bool ReadsAsDate(std::string_view field, int format, const DateLocale& locale) {
  return ImportDate(field, format, locale) != NoDate;
}

bool ReadsInSomeFormat(std::string_view field, const DateLocale& locale) {
  for (int format = 0; format < static_cast<int>(DateFormatNames.size()); ++format)
    if (ReadsAsDate(field, format, locale)) return true;
  return false;
}

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether the digits before the last mark group in threes with `group`.
bool IsGrouped(std::string_view whole, char group) {
  size_t start = 0;
  bool first = true;
  while (true) {
    const size_t end = whole.find(group, start);
    const std::string_view part =
        whole.substr(start, end == std::string_view::npos ? end : end - start);
    if (!IsDigits(part) || (first ? part.size() > 3 : part.size() != 3)) return false;
    if (end == std::string_view::npos) return !first;
    first = false;
    start = end + 1;
  }
}

// The decimal separator a number field tells: '.' or ',', or '\0' when it
// tells nothing (no mark, a lone group such as "1,234", or not a number).
char DecimalOfField(std::string_view field) {
  field = Trim(field);
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
  if (field.empty() || field.find_first_not_of("0123456789.,") != std::string_view::npos)
    return '\0';
  const size_t dot = field.rfind('.');
  const size_t comma = field.rfind(',');
  if (dot != std::string_view::npos && comma != std::string_view::npos) {
    // The last mark is the decimal one; the other must group the whole part.
    const char decimal = dot > comma ? '.' : ',';
    const char group = decimal == '.' ? ',' : '.';
    const size_t at = std::max(dot, comma);
    if (!IsDigits(field.substr(at + 1)) || !IsGrouped(field.substr(0, at), group)) return '\0';
    return decimal;
  }
  const char mark = dot != std::string_view::npos     ? '.'
                    : comma != std::string_view::npos ? ','
                                                      : '\0';
  if (mark == '\0') return '\0';
  const size_t at = field.find(mark);
  if (at != field.rfind(mark)) return '\0';  // "1,234,567": groups only
  if (!IsDigits(field.substr(0, at)) || !IsDigits(field.substr(at + 1))) return '\0';
  // Three digits after a single mark read as a group as well as a fraction,
  // unless the part before it is too long for a group or a lone zero.
  const std::string_view whole = field.substr(0, at);
  const bool couldGroup = field.size() - at - 1 == 3 && whole.size() <= 3 && whole != "0";
  return couldGroup ? '\0' : mark;
}

}  // namespace

size_t CountLeadingFields(std::string_view line, char separator) {
  const std::vector<std::string> fields = SplitImportLine(line, separator, MaxPreviewColumns + 1);
  const auto empty = std::find_if(fields.begin(), fields.end(),
                                  [](const std::string& field) { return field.empty(); });
  return static_cast<size_t>(empty - fields.begin());
}

std::string_view DetectSeparator(std::string_view line) {
  std::string_view best = SeparatorEntries.front();
  size_t bestCount = 0;
  for (const std::string_view entry : SeparatorEntries) {
    const size_t count = CountLeadingFields(line, SeparatorChar(entry));
    if (count > bestCount) {
      best = entry;
      bestCount = count;
    }
  }
  return best;
}

PreviewGrid BuildPreview(const ImportText& text, size_t headerLine, char separator) {
  PreviewGrid grid;
  if (headerLine >= text.LineCount()) return grid;
  grid.Columns = std::min(MaxPreviewColumns, CountLeadingFields(text.Line(headerLine), separator));
  const size_t rows = std::min(PreviewRows, text.LineCount());
  for (size_t i = 0; i < rows; ++i) {
    std::vector<std::string> cells = SplitImportLine(text.Line(i), separator, grid.Columns);
    cells.resize(grid.Columns);
    grid.Rows.push_back(std::move(cells));
  }
  return grid;
}

std::vector<std::string> PresetCaptions(std::string_view headerLine, char separator,
                                        size_t columns) {
  std::vector<std::string> fields = SplitImportLine(headerLine, separator, columns);
  const auto empty = std::find_if(fields.begin(), fields.end(),
                                  [](const std::string& field) { return field.empty(); });
  fields.erase(empty, fields.end());
  std::vector<std::string> captions(columns);
  for (const std::string_view wanted : PresetTexts) {
    auto found = std::find_if(fields.begin(), fields.end(), [&](const std::string& field) {
      return field.find(wanted) != std::string::npos;
    });
    if (found == fields.end())
      found = std::find_if(fields.begin(), fields.end(), [&](const std::string& field) {
        return ContainsIgnoreCase(field, wanted);
      });
    if (found != fields.end()) captions[static_cast<size_t>(found - fields.begin())] = wanted;
  }
  return captions;
}

int GuessDateColumn(const ImportText& text, size_t firstLine, char separator, size_t columns,
                    const DateLocale& locale) {
  if (firstLine >= text.LineCount()) return 0;
  const std::vector<std::string> fields = SplitImportLine(text.Line(firstLine), separator, columns);
  for (size_t i = 0; i < fields.size(); ++i)
    if (ReadsInSomeFormat(fields[i], locale)) return static_cast<int>(i) + 1;
  return 0;
}

std::optional<int> ProposeDateFormat(const ImportText& text, size_t firstLine, char separator,
                                     int dateColumn, int current, const DateLocale& locale) {
  if (dateColumn < 1) return std::nullopt;
  std::vector<std::string> dates;
  for (size_t i = firstLine; i < text.LineCount() && dates.size() < SampleLines; ++i) {
    const auto fields = SplitImportLine(text.Line(i), separator, static_cast<size_t>(dateColumn));
    const std::string_view field = FieldAt(fields, dateColumn);
    if (ReadsInSomeFormat(field, locale)) dates.emplace_back(field);
  }
  if (dates.empty()) return std::nullopt;
  const std::array<int, 4> order = {current, 0, 1, 2};
  for (const int format : order) {
    const bool readsAll = std::all_of(dates.begin(), dates.end(), [&](const std::string& date) {
      return ReadsAsDate(date, format, locale);
    });
    if (readsAll) return format;
  }
  return std::nullopt;
}

std::optional<char> ProposeDecimalSeparator(const ImportText& text, size_t firstLine,
                                            char separator, int dateColumn) {
  int dots = 0;
  int commas = 0;
  const size_t end = std::min(text.LineCount(), firstLine + SampleLines);
  for (size_t i = firstLine; i < end; ++i) {
    const auto fields = SplitImportLine(text.Line(i), separator, MaxPreviewColumns);
    for (size_t column = 0; column < fields.size(); ++column) {
      if (static_cast<int>(column) + 1 == dateColumn) continue;
      const char decimal = DecimalOfField(fields[column]);
      if (decimal == '.') ++dots;
      if (decimal == ',') ++commas;
    }
  }
  if (dots == commas) return std::nullopt;
  return dots > commas ? '.' : ',';
}

}  // namespace chartorium
