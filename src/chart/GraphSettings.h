// The chart window's settings in "Quorex.ini" section "Graph": its place,
// the heights of the indicator panes, the buttons and the tool windows.
#pragma once

#include <array>

#include "chart/ChartButtons.h"

namespace chartorium {

class IniFile;

/// Height, width, top, left and visibility of one tool window.
struct ToolWindowPlace {
  int Height = 200;
  int Width = 190;
  int Top = 0;
  int Left = 0;
  bool Visible = true;

  friend bool operator==(const ToolWindowPlace&, const ToolWindowPlace&) = default;
};

/// Tool windows 1 "Indicators list", 2 "Systems list", 3 "Datas", 4 "Stocks list".
constexpr int ToolWindowCount = 4;

/// Where the "Tools" toolbar docks ("TB1").
enum class ToolsDock { Top = 1, DateSeekerRow = 2, Left = 3 };

struct GraphSettings {
  int Left = 147;
  int Top = 45;
  int Width = 606;
  int Height = 513;
  bool Maximized = false;
  std::array<int, 3> PaneHeights{74, 74, 74};  ///< "IE1".."IE3"
  ChartButtons Buttons;
  bool MarkerButton = false;  ///< "BScr"
  std::array<ToolWindowPlace, ToolWindowCount> ToolWindows{};
  ToolsDock Tools = ToolsDock::Top;
  /// Indicator pane 1 shows ("Indic"): written for other programs, never read.
  bool FirstPaneVisible = false;

  friend bool operator==(const GraphSettings&, const GraphSettings&) = default;
};

/// Reads section "Graph"; missing or unreadable keys keep the defaults, a
/// pane height below 1 or a dock outside 1..3 too.
GraphSettings ReadGraphSettings(const IniFile& quorex);

/// Writes section "Graph". The place and the pane heights are written only
/// when the window is not maximized, so a maximized window comes back to
/// the size it had before.
void WriteGraphSettings(IniFile& quorex, const GraphSettings& settings);

}  // namespace chartorium
