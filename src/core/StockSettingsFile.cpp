// Reading and writing per-stock settings files.
#include "core/StockSettingsFile.h"

#include <system_error>

#include "core/FileNames.h"
#include "core/IniFile.h"

namespace chartorium {
namespace {

constexpr std::string_view SlotSection = "Main";

std::string SlotKey(char letter, int index) {
  return letter + std::to_string(index + 1);
}

}  // namespace

std::filesystem::path StockSettingsPath(const std::filesystem::path& appFolder,
                                        std::string_view stockName) {
  return ResolveFileName(appFolder, "Preferences/" + std::string(stockName) + ".ini");
}

StockSettings ReadStockSettings(const IniFile& file, std::string_view stockName) {
  StockSettings settings;
  StockProperties& p = settings.Properties;
  p.Tick = file.ReadString(stockName, "Tick", p.Tick);
  p.Site = file.ReadString(stockName, "Site", p.Site);
  p.Cur = file.ReadString(stockName, "Cur", p.Cur);
  p.Not = file.ReadString(stockName, "Not", p.Not);
  p.Nbr = file.ReadString(stockName, "Nbr", p.Nbr);
  p.Years = file.ReadString(stockName, "Years", p.Years);
  p.Earnings = file.ReadString(stockName, "Earnings", p.Earnings);
  for (int i = 0; i < IndicatorSlotCount; ++i) {
    IndicatorSlot& slot = settings.Slots[static_cast<size_t>(i)];
    slot.Names = file.ReadString(SlotSection, SlotKey('I', i), slot.Names);
    slot.LineFlags = file.ReadString(SlotSection, SlotKey('H', i), slot.LineFlags);
    slot.Colours = file.ReadString(SlotSection, SlotKey('C', i), slot.Colours);
    slot.Widths = file.ReadString(SlotSection, SlotKey('W', i), slot.Widths);
  }
  return settings;
}

void WriteIndicatorSlots(IniFile& file, const IndicatorSlots& slots) {
  for (int i = 0; i < IndicatorSlotCount; ++i)
    file.WriteString(SlotSection, SlotKey('I', i), slots[static_cast<size_t>(i)].Names);
  for (int i = 0; i < IndicatorSlotCount; ++i)
    file.WriteString(SlotSection, SlotKey('H', i), slots[static_cast<size_t>(i)].LineFlags);
  for (int i = 0; i < IndicatorSlotCount; ++i)
    file.WriteString(SlotSection, SlotKey('C', i), slots[static_cast<size_t>(i)].Colours);
  for (int i = 0; i < IndicatorSlotCount; ++i)
    file.WriteString(SlotSection, SlotKey('W', i), slots[static_cast<size_t>(i)].Widths);
}

void WriteStockProperties(IniFile& file, std::string_view stockName, const StockProperties& p) {
  file.WriteString(stockName, "Tick", p.Tick);
  file.WriteString(stockName, "Site", p.Site);
  file.WriteString(stockName, "Cur", p.Cur);
  file.WriteString(stockName, "Not", p.Not);
  file.WriteString(stockName, "Nbr", p.Nbr);
  file.WriteString(stockName, "Years", p.Years);
  file.WriteString(stockName, "Earnings", p.Earnings);
}

Result<StockSettings> LoadStockSettings(const std::filesystem::path& appFolder,
                                        std::string_view stockName) {
  auto file = IniFile::Load(StockSettingsPath(appFolder, stockName));
  if (!file) return file.status();
  return ReadStockSettings(*file, stockName);
}

Status SaveIndicatorSlots(const std::filesystem::path& appFolder, std::string_view stockName,
                          const IndicatorSlots& slots) {
  const auto path = StockSettingsPath(appFolder, stockName);
  auto file = IniFile::Load(path);
  if (!file) return file.status();
  WriteIndicatorSlots(*file, slots);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  return file->Save(path);
}

}  // namespace chartorium
