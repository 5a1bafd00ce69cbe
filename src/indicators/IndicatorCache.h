// The named-series cache of the open stock, with the price-chart overlays
// and the state the candlestick size names keep between calls.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/MacroStatus.h"
#include "indicators/SeriesTypes.h"

namespace chartorium {

class Workspace;

/// The moving-average and Bollinger overlays of the price chart, each pair
/// with its valid flag. Index = place, element 0 unused.
struct PriceOverlays {
  SeriesValues ShortAverage{};
  SeriesValues LongAverage{};
  SeriesValues UpperBand{};
  SeriesValues LowerBand{};
  bool AveragesValid = false;
  bool BandsValid = false;
};

/// The size thresholds of the candlestick size names. They persist between
/// calls and every size test overwrites them; all 0 before the first one.
struct CandleThresholds {
  Single BodySmall = 0;
  Single BodyLarge = 0;
  Single UpperSmall = 0;
  Single UpperLarge = 0;
  Single LowerSmall = 0;
  Single LowerLarge = 0;
};

/// Runs the custom indicator `listName` (spelled as the custom indicator list
/// writes it) from its macro text; the run adds its series to the cache itself,
/// also when a script error ends it, and returns that error.
using CustomIndicatorRunner = std::function<MacroStatus(
    Workspace& workspace, const std::string& listName, std::string_view text)>;

/// Cached series in the order they were added. Series s keeps its Name at
/// position 2s of the name list and its LevelsText at 2s + 1; its value of
/// place p lies at index s * 2001 + p of the value array, whose element 0
/// holds no value. Names are found without regard to case and only at even
/// positions, so a LevelsText is never taken for a name.
class IndicatorCache {
 public:
  IndicatorCache();
  IndicatorCache(const IndicatorCache&) = delete;
  IndicatorCache& operator=(const IndicatorCache&) = delete;

  /// Appends a series: `values` holds places 1..2001 in its elements 0..2000
  /// (shorter spans are padded with 0). A duplicate name is appended too; the
  /// first occurrence wins every later search.
  void AddIndicatorSeries(std::span<const Single> values, std::string_view levels,
                          std::string_view name);
  /// Appends a series whose values are indexed by place (element 0 unused).
  void AddSeries(const SeriesValues& values, std::string_view levels, std::string_view name);
  /// Removes the first series of that name; the later series move down one
  /// slot and keep their values. An unknown name does nothing.
  void RemoveIndicator(std::string_view name);
  /// Empties the name list and the value array, and clears the overlays.
  void Clear();

  /// Slot of the first series of that name (ignoring case), or -1.
  int Find(std::string_view name) const;
  /// Slot of the first series whose lower-case name is `foldedName`, or -1.
  int FindFolded(std::string_view foldedName) const;
  int SeriesCount() const { return static_cast<int>(keys_.size()); }
  /// Name and LevelsText of a slot, as they were added.
  const std::string& Name(int slot) const { return names_[2 * slot]; }
  const std::string& LevelsText(int slot) const { return names_[2 * slot + 1]; }
  /// The name list: Name and LevelsText of each series in turn.
  std::span<const std::string> NameList() const { return names_; }
  /// Value of place 1..2001 of a slot. REQUIRES: valid slot and place.
  Single Value(int slot, int place) const { return values_[slot * MaxQuotes + place]; }
  /// Places 1..2001 of a slot, element i = place i + 1. Valid until the
  /// cache next changes.
  std::span<const Single> Values(int slot) const {
    return std::span<const Single>(values_).subspan(slot * MaxQuotes + 1, MaxQuotes);
  }
  /// The whole value array, element 0 included.
  std::span<const Single> ValueArray() const { return values_; }

  PriceOverlays& Overlays() { return *overlays_; }
  const PriceOverlays& Overlays() const { return *overlays_; }

  CandleThresholds Thresholds;
  /// Runs the macros of custom indicators; every Workspace sets it. While
  /// unset, names are never looked up in the custom indicator list.
  CustomIndicatorRunner RunCustomIndicator;

 private:
  std::vector<std::string> names_;
  std::vector<std::string> keys_;  ///< lower-case names, one per series
  std::vector<Single> values_;
  std::unique_ptr<PriceOverlays> overlays_;
};

}  // namespace chartorium
