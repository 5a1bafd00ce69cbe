// The indicator panes under the price chart: their contents per stock (the
// indicator slots), the values gathered for drawing, and the edits of the
// chart window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/MacroStatus.h"

namespace chartorium {

class Workspace;

constexpr int PaneCount = 3;

/// The slot (0-based index into the six indicator slots) of pane 1, 2 or 3.
constexpr int SlotOfPane(int pane) {
  return 2 * (pane - 1);
}

/// What one slot's pane draws: 2001 values per indicator found, indicator k
/// (0-based) at Values[k * 2001 + bar - 1], and the pane's reference levels.
struct PaneValues {
  std::vector<double> Values;
  std::string Levels;

  int IndicatorCount() const { return static_cast<int>(Values.size() / 2001); }
  double Value(int indicator, int bar) const {
    return Values[static_cast<size_t>(indicator) * 2001 + static_cast<size_t>(bar - 1)];
  }
};

struct IndicatorPaneData {
  std::array<PaneValues, 6> Slots;
  /// Pane 1..3 shows exactly when its slot names an indicator.
  std::array<bool, PaneCount> Visible{};
  /// The script errors of the custom indicators computed for this refresh.
  MacroStatus Script;
};

/// Moves the indicators of an emptied pane up, gathers every pane's values
/// from the indicator cache (computing them on first use), applies a custom
/// indicator's default colour and histogram choice, and takes the levels of
/// the last indicator found in each pane. Names that give no series are skipped.
IndicatorPaneData RefreshPanes(Workspace& workspace);

enum class PaneEdit {
  Done,
  Refused,  ///< a pane already shows exactly that indicator
  NoRoom,   ///< all three panes are in use
};

/// A new pane for the indicator in the first empty pane; "MACD" comes with its
/// moving average. Colours "C23" (and "C24" for the MACD average).
PaneEdit AddIndicatorPane(Workspace& workspace, std::string_view name);
/// Adds the indicator to pane 1..3 in the pane's second colour ("C24", "C26", "C28").
PaneEdit AppendToPane(Workspace& workspace, int pane, std::string_view name);
/// Removes item 1.. of a slot from its four lists.
void RemoveFromPane(Workspace& workspace, int slot, int item);
/// Removes every indicator of pane 1..3.
void RemovePane(Workspace& workspace, int pane);

/// The look of one indicator, as the indicator options dialog shows it.
struct IndicatorLook {
  std::uint32_t Colour = 0;
  std::string Width = "1";
  bool Line = true;
};
IndicatorLook LookOf(const Workspace& workspace, int slot, int item);
/// Writes item 1.. of a slot's line flags ("1" line, "0" histogram), colours and
/// widths (a width that reads as 0 becomes "1").
void SetIndicatorLook(Workspace& workspace, int slot, int item, const IndicatorLook& look);

}  // namespace chartorium
