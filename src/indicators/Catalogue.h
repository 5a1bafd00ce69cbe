// The catalogue of built-in indicators: one table used by the chart's
// indicators list, by ComputeIndicator and by the command line.
#pragma once

#include <span>
#include <string_view>

namespace chartorium {

class Workspace;

/// One built-in indicator.
struct CatalogueEntry {
  /// The text of the chart's indicators list; empty for the overlays and
  /// the SAR, which are not in the list.
  std::string_view ListEntry;
  /// Name of the series it yields, case included.
  std::string_view Name;
  /// Lower-case name that ComputeIndicator dispatches on.
  std::string_view Key;
  /// The parameters as the user sees them: preference names with their
  /// defaults, or the numbers fixed in the program.
  std::string_view Parameters;
  std::string_view LevelsText;
  /// First place with a value, as a formula of the periods.
  std::string_view FirstPlace;
  /// Computes the indicator from the open stock and adds its series to the
  /// cache (the overlays fill their own arrays instead).
  void (*Compute)(Workspace& workspace);
};

/// Every built-in name, in the order the indicators list is filled.
std::span<const CatalogueEntry> IndicatorCatalogue();

/// The entry whose Key is `key` (already lower-case), or nullptr.
const CatalogueEntry* FindCatalogueEntry(std::string_view key);

/// The price series that follow the catalogue in the indicators list.
constexpr std::string_view PriceSeriesListEntries[] = {"Volume", "Open Interest"};

}  // namespace chartorium
