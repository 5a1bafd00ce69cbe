// The analysis of a one-stock history file.
#include "quotes/ImportAnalysis.h"

#include <algorithm>

#include "core/DateTexts.h"
#include "core/Dialogs.h"

namespace chartorium {
namespace {

constexpr double GapDays = 7;

bool HasDate(const DatedLine& line) {
  return line.Date != NoDate;
}

}  // namespace

std::optional<std::vector<DatedLine>> AnalyseLines(std::span<const DatedLine> lines,
                                                   std::optional<double> lastStoredDate,
                                                   bool reportGaps, Dialogs& dialogs) {
  const auto first = std::find_if(lines.begin(), lines.end(), HasDate);
  lines = lines.subspan(static_cast<size_t>(first - lines.begin()));
  std::vector<DatedLine> kept;
  if (lines.empty()) return kept;

  // Files listed newest first are read from the end. The direction comes from
  // the first two dated lines, so a blank line in between does not turn it.
  const auto second = std::find_if(lines.begin() + 1, lines.end(), HasDate);
  const bool forward = second == lines.end() || second->Date > lines.front().Date;
  std::vector<DatedLine> ordered(lines.begin(), lines.end());
  if (!forward) std::reverse(ordered.begin(), ordered.end());

  double reference = 0;
  if (lastStoredDate) {
    reference = *lastStoredDate;
  } else {
    const auto firstDated = std::find_if(ordered.begin(), ordered.end(), HasDate);
    reference = firstDated->Date - 1;
  }
  bool askGaps = reportGaps;
  for (const DatedLine& line : ordered) {
    if (!HasDate(line) || line.Date <= reference) continue;
    if (line.Date > reference + GapDays && askGaps) {
      if (!dialogs.Confirm(GapQuestion)) return std::nullopt;
      askGaps = false;
    }
    // A close of 0 or below is not a price: the stock file could not hold it.
    if (!(line.Close > 0)) continue;
    kept.push_back(line);
    reference = line.Date;
  }
  return kept;
}

}  // namespace chartorium
