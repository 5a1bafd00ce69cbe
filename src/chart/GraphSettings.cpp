// The chart window's settings in section "Graph".
#include "chart/GraphSettings.h"

#include <string>

#include "core/IniFile.h"

namespace chartorium {
namespace {

constexpr const char* Section = "Graph";

std::string PaneKey(int pane) {
  return "IE" + std::to_string(pane);
}

std::string ToolKey(int window, const char* what) {
  return "TW" + std::to_string(window) + what;
}

}  // namespace

GraphSettings ReadGraphSettings(const IniFile& quorex) {
  GraphSettings settings;
  settings.Left = quorex.ReadInteger(Section, "Left", settings.Left);
  settings.Top = quorex.ReadInteger(Section, "Top", settings.Top);
  settings.Width = quorex.ReadInteger(Section, "Width", settings.Width);
  settings.Height = quorex.ReadInteger(Section, "Height", settings.Height);
  settings.Maximized = quorex.ReadBool(Section, "Max", false);
  for (int pane = 1; pane <= 3; ++pane) {
    int& height = settings.PaneHeights[static_cast<size_t>(pane - 1)];
    const int read = quorex.ReadInteger(Section, PaneKey(pane), height);
    if (read >= 1) height = read;
  }
  settings.Buttons = LoadChartButtons(quorex);
  settings.MarkerButton = quorex.ReadBool(Section, "BScr", false);
  for (int window = 1; window <= ToolWindowCount; ++window) {
    ToolWindowPlace& place = settings.ToolWindows[static_cast<size_t>(window - 1)];
    place.Height = quorex.ReadInteger(Section, ToolKey(window, "H"), place.Height);
    place.Width = quorex.ReadInteger(Section, ToolKey(window, "W"), place.Width);
    place.Top = quorex.ReadInteger(Section, ToolKey(window, "T"), place.Top);
    place.Left = quorex.ReadInteger(Section, ToolKey(window, "L"), place.Left);
    place.Visible = quorex.ReadBool(Section, ToolKey(window, "V"), place.Visible);
  }
  const int dock = quorex.ReadInteger(Section, "TB1", 1);
  if (dock >= 1 && dock <= 3) settings.Tools = static_cast<ToolsDock>(dock);
  return settings;
}

void WriteGraphSettings(IniFile& quorex, const GraphSettings& settings) {
  if (!settings.Maximized) {
    quorex.WriteInteger(Section, "Left", settings.Left);
    quorex.WriteInteger(Section, "Top", settings.Top);
    quorex.WriteInteger(Section, "Width", settings.Width);
    quorex.WriteInteger(Section, "Height", settings.Height);
    for (int pane = 1; pane <= 3; ++pane)
      quorex.WriteInteger(Section, PaneKey(pane),
                          settings.PaneHeights[static_cast<size_t>(pane - 1)]);
  }
  quorex.WriteBool(Section, "Max", settings.Maximized);
  SaveChartButtons(quorex, settings.Buttons);
  quorex.WriteBool(Section, "BScr", settings.MarkerButton);
  for (int window = 1; window <= ToolWindowCount; ++window) {
    const ToolWindowPlace& place = settings.ToolWindows[static_cast<size_t>(window - 1)];
    quorex.WriteInteger(Section, ToolKey(window, "H"), place.Height);
    quorex.WriteInteger(Section, ToolKey(window, "W"), place.Width);
    quorex.WriteInteger(Section, ToolKey(window, "T"), place.Top);
    quorex.WriteInteger(Section, ToolKey(window, "L"), place.Left);
    quorex.WriteBool(Section, ToolKey(window, "V"), place.Visible);
  }
  quorex.WriteInteger(Section, "TB1", static_cast<int>(settings.Tools));
  quorex.WriteBool(Section, "Indic", settings.FirstPaneVisible);
}

}  // namespace chartorium
