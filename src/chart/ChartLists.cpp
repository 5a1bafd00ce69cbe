// The chart window's indicators and systems lists.
#include "chart/ChartLists.h"

#include <algorithm>
#include <sstream>

#include "core/Cp1252.h"
#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"
#include "indicators/Catalogue.h"
#include "indicators/CustomIndicatorList.h"

namespace chartorium {
namespace {

// A list or system that cannot be read shows as empty: the chart still draws.
std::string ReadFileText(const std::filesystem::path& path) {
  return Cp1252ToUtf8(ReadWholeFile(path).value_or(""));
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const std::string lowerA = FoldCase(a), lowerB = FoldCase(b);
  return lowerA != lowerB ? lowerA < lowerB : a < b;
}

}  // namespace

std::vector<std::string> IndicatorListEntries(const std::filesystem::path& appFolder) {
  std::vector<std::string> entries = ReadCustomIndicatorList(appFolder);
  for (const CatalogueEntry& entry : IndicatorCatalogue())
    if (!entry.ListEntry.empty()) entries.emplace_back(entry.ListEntry);
  for (const std::string_view series : PriceSeriesListEntries) entries.emplace_back(series);
  std::sort(entries.begin(), entries.end(), LessIgnoringCase);
  return entries;
}

std::vector<std::string> SystemListEntries(const std::filesystem::path& appFolder) {
  std::vector<std::string> entries{std::string(NoSystemEntry)};
  // The list is a tree text: the tab indentation of its lines goes.
  std::istringstream lines(ReadFileText(ResolveFileName(appFolder, "Signals.dat")));
  for (std::string line; std::getline(lines, line);) {
    const std::string_view name = Trim(line);
    if (!name.empty()) entries.emplace_back(name);
  }
  return entries;
}

std::string ReadSystemText(const std::filesystem::path& appFolder, std::string_view name) {
  if (name.empty() || name == NoSystemEntry) return {};
  return ReadFileText(ResolveFileName(appFolder, "Signals/" + std::string(name)));
}

}  // namespace chartorium
