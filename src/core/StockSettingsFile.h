// The per-stock settings file "Preferences/<stock>.ini": the stock's
// properties and its six chart indicator slots.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/Status.h"

namespace chartorium {

class IniFile;

/// One list of chart indicators; each field is a ";"-list with one item per
/// indicator. Panes 1 to 3 use slots 1, 3 and 5 (indices 0, 2, 4).
struct IndicatorSlot {
  std::string Names;         ///< key "I<n>"
  std::string LineFlags;     ///< key "H<n>": line or histogram
  std::string Colours;       ///< key "C<n>"
  std::string Widths = "1";  ///< key "W<n>"

  friend bool operator==(const IndicatorSlot&, const IndicatorSlot&) = default;
};

constexpr int IndicatorSlotCount = 6;
using IndicatorSlots = std::array<IndicatorSlot, IndicatorSlotCount>;

/// The stock's own section, named after the stock.
struct StockProperties {
  std::string Tick;
  std::string Site;
  std::string Cur = "USD";
  std::string Not;
  std::string Nbr;
  std::string Years;
  std::string Earnings;

  friend bool operator==(const StockProperties&, const StockProperties&) = default;
};

struct StockSettings {
  StockProperties Properties;
  IndicatorSlots Slots;

  friend bool operator==(const StockSettings&, const StockSettings&) = default;
};

/// "Preferences/<stockName>.ini" below the data folder.
std::filesystem::path StockSettingsPath(const std::filesystem::path& appFolder,
                                        std::string_view stockName);

/// Both sections of a settings file; a missing file or key gives the defaults.
StockSettings ReadStockSettings(const IniFile& file, std::string_view stockName);
/// Writes section "Main" (I1..I6, H1..H6, C1..C6, W1..W6, in that order).
void WriteIndicatorSlots(IniFile& file, const IndicatorSlots& slots);
/// Writes the stock's own section.
void WriteStockProperties(IniFile& file, std::string_view stockName,
                          const StockProperties& properties);

/// Loads the settings of a stock from its file; the defaults when it is missing.
Result<StockSettings> LoadStockSettings(const std::filesystem::path& appFolder,
                                        std::string_view stockName);
/// Writes section "Main" of the stock's settings file, keeping everything else.
Status SaveIndicatorSlots(const std::filesystem::path& appFolder, std::string_view stockName,
                          const IndicatorSlots& slots);

}  // namespace chartorium
