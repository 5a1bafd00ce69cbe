// Indicator slots and pane values.
#include "chart/IndicatorPanes.h"

#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

// The byte 0xA8 of the settings files, as it reads inside the program.
constexpr std::string_view LevelsSeparator = "\xC2\xA8";

int ItemCount(std::string_view list) {
  if (list.empty()) return 0;
  int count = 1;
  for (const char c : list) count += c == ';';
  return count;
}

std::string Append(std::string_view list, std::string_view item) {
  return list.empty() ? std::string(item) : std::string(list) + ";" + std::string(item);
}

bool AnyPaneShows(const Workspace& workspace, std::string_view name) {
  for (int pane = 1; pane <= PaneCount; ++pane)
    if (workspace.OpenStockSettings.Slots[static_cast<size_t>(SlotOfPane(pane))].Names == name)
      return true;
  return false;
}

std::string ColourText(const Workspace& workspace, std::string_view field) {
  return std::to_string(workspace.Prefs.Colour(field));
}

// For pane 1 then pane 2: an empty pane takes the indicators of the next one.
void CompactPanes(IndicatorSlots& slots) {
  for (int pane = 1; pane < PaneCount; ++pane) {
    IndicatorSlot& slot = slots[static_cast<size_t>(SlotOfPane(pane))];
    IndicatorSlot& next = slots[static_cast<size_t>(SlotOfPane(pane + 1))];
    if (!slot.Names.empty() || next.Names.empty()) continue;
    slot = next;
    next = IndicatorSlot{};
    next.Widths.clear();
  }
}

void AppendBarField(PaneValues& pane, const QuoteStore& store, bool volume) {
  for (int bar = 1; bar <= MaxQuotes; ++bar) {
    const QuoteRecord& record = store.BarSeries[static_cast<size_t>(bar)];
    pane.Values.push_back(volume ? record.Volume : record.OpenInterest);
  }
}

// Gathers the values of one pane's indicators; item k's colour and line flag
// may be replaced by the defaults a custom indicator carries in its levels.
void GatherPane(Workspace& workspace, IndicatorSlot& slot, PaneValues& pane, MacroStatus& runs) {
  const int items = ItemCount(slot.Names);
  for (int k = 1; k <= items; ++k) {
    std::string name = FieldOf(slot.Names, k, ";");
    if (name == "MACD MA") name = "MACDMA";
    if (name == "Volume" || name == "Open Interest") {
      AppendBarField(pane, workspace.Quotes(), name == "Volume");
      continue;
    }
    runs.AddNested(ComputeIndicator(workspace, name));
    const IndicatorCache& cache = workspace.Indicators;
    const int series = cache.Find(name);
    if (series < 0) continue;
    for (const Single value : cache.Values(series)) pane.Values.push_back(value);
    const std::string& levels = cache.LevelsText(series);
    const size_t mark = levels.find(LevelsSeparator);
    pane.Levels = levels.substr(0, mark);
    if (mark == std::string::npos) continue;
    const std::string defaults = levels.substr(mark + LevelsSeparator.size());
    const std::string colour = FieldOf(defaults, 1, "*");
    if (!colour.empty()) slot.Colours = SetFieldOf(slot.Colours, colour, k);
    if (TextToInt(FieldOf(defaults, 2, "*")) != 0)
      slot.LineFlags = SetFieldOf(slot.LineFlags, "0", k);
  }
}

}  // namespace

IndicatorPaneData RefreshPanes(Workspace& workspace) {
  IndicatorSlots& slots = workspace.OpenStockSettings.Slots;
  CompactPanes(slots);
  IndicatorPaneData data;
  for (int pane = 1; pane <= PaneCount; ++pane) {
    const size_t slot = static_cast<size_t>(SlotOfPane(pane));
    GatherPane(workspace, slots[slot], data.Slots[slot], data.Script);
    data.Visible[static_cast<size_t>(pane - 1)] = !slots[slot].Names.empty();
  }
  return data;
}

PaneEdit AddIndicatorPane(Workspace& workspace, std::string_view name) {
  if (AnyPaneShows(workspace, name)) return PaneEdit::Refused;
  for (int pane = 1; pane <= PaneCount; ++pane) {
    IndicatorSlot& slot = workspace.OpenStockSettings.Slots[static_cast<size_t>(SlotOfPane(pane))];
    if (!slot.Names.empty()) continue;
    if (name == "MACD") {
      slot = {"MACD;MACD MA", "1;0",
              ColourText(workspace, "C23") + ";" + ColourText(workspace, "C24"), "1;1"};
    } else {
      slot = {std::string(name), "1", ColourText(workspace, "C23"), "1"};
    }
    return PaneEdit::Done;
  }
  return PaneEdit::NoRoom;
}

PaneEdit AppendToPane(Workspace& workspace, int pane, std::string_view name) {
  if (AnyPaneShows(workspace, name)) return PaneEdit::Refused;
  constexpr std::string_view SecondColours[] = {"C24", "C26", "C28"};
  IndicatorSlot& slot = workspace.OpenStockSettings.Slots[static_cast<size_t>(SlotOfPane(pane))];
  slot.Names = Append(slot.Names, name);
  slot.LineFlags = Append(slot.LineFlags, "1");
  slot.Widths = Append(slot.Widths, "1");
  slot.Colours = Append(slot.Colours, ColourText(workspace, SecondColours[pane - 1]));
  return PaneEdit::Done;
}

void RemoveFromPane(Workspace& workspace, int slotIndex, int item) {
  IndicatorSlot& slot = workspace.OpenStockSettings.Slots[static_cast<size_t>(slotIndex)];
  slot.Names = SetFieldOf(slot.Names, "", item);
  slot.LineFlags = SetFieldOf(slot.LineFlags, "", item);
  slot.Colours = SetFieldOf(slot.Colours, "", item);
  slot.Widths = SetFieldOf(slot.Widths, "", item);
}

void RemovePane(Workspace& workspace, int pane) {
  const int slot = SlotOfPane(pane);
  const int items = ItemCount(workspace.OpenStockSettings.Slots[static_cast<size_t>(slot)].Names);
  for (int i = 0; i < items; ++i) RemoveFromPane(workspace, slot, 1);
}

IndicatorLook LookOf(const Workspace& workspace, int slotIndex, int item) {
  const IndicatorSlot& slot = workspace.OpenStockSettings.Slots[static_cast<size_t>(slotIndex)];
  IndicatorLook look;
  look.Colour = static_cast<std::uint32_t>(TextToNumber(FieldOf(slot.Colours, item, ";")));
  look.Width = FieldOf(slot.Widths, item, ";");
  look.Line = FieldOf(slot.LineFlags, item, ";") == "1";
  return look;
}

void SetIndicatorLook(Workspace& workspace, int slotIndex, int item, const IndicatorLook& look) {
  IndicatorSlot& slot = workspace.OpenStockSettings.Slots[static_cast<size_t>(slotIndex)];
  slot.LineFlags = SetFieldOf(slot.LineFlags, look.Line ? "1" : "0", item);
  slot.Colours = SetFieldOf(slot.Colours, std::to_string(look.Colour), item);
  slot.Widths = SetFieldOf(slot.Widths, TextToInt(look.Width) == 0 ? "1" : look.Width, item);
}

}  // namespace chartorium
