// The storage of the named-series cache.
#include "indicators/IndicatorCache.h"

#include <algorithm>

#include "core/TextCase.h"

namespace chartorium {

IndicatorCache::IndicatorCache()
    : values_(1, Single{0}), overlays_(std::make_unique<PriceOverlays>()) {
  // Room for the whole catalogue, so a chart's first paint grows nothing.
  values_.reserve(1 + 64 * MaxQuotes);
}

void IndicatorCache::AddIndicatorSeries(std::span<const Single> values, std::string_view levels,
                                        std::string_view name) {
  names_.emplace_back(name);
  names_.emplace_back(levels);
  keys_.push_back(FoldCase(name));
  const size_t count = std::min(values.size(), static_cast<size_t>(MaxQuotes));
  values_.insert(values_.end(), values.begin(), values.begin() + count);
  values_.resize(values_.size() + (MaxQuotes - count), Single{0});
}

void IndicatorCache::AddSeries(const SeriesValues& values, std::string_view levels,
                               std::string_view name) {
  AddIndicatorSeries(std::span<const Single>(values).subspan(1), levels, name);
}

void IndicatorCache::RemoveIndicator(std::string_view name) {
  const int slot = Find(name);
  if (slot < 0) return;
  names_.erase(names_.begin() + 2 * slot, names_.begin() + 2 * slot + 2);
  keys_.erase(keys_.begin() + slot);
  const auto first = values_.begin() + 1 + static_cast<std::ptrdiff_t>(slot) * MaxQuotes;
  values_.erase(first, first + MaxQuotes);
}

void IndicatorCache::Clear() {
  names_.clear();
  keys_.clear();
  values_.resize(1);
  *overlays_ = PriceOverlays{};
}

int IndicatorCache::Find(std::string_view name) const {
  return FindFolded(FoldCase(name));
}

int IndicatorCache::FindFolded(std::string_view foldedName) const {
  const auto found = std::find(keys_.begin(), keys_.end(), foldedName);
  return found == keys_.end() ? -1 : static_cast<int>(found - keys_.begin());
}

}  // namespace chartorium
