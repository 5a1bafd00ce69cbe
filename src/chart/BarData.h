// The data of one bar as the chart window shows it: status bar panels, the
// data window, and the bar under the mouse or the marker.
#pragma once

#include <string>

namespace chartorium {

struct ChartScale;
struct DateLocale;
class Workspace;

struct BarDataTexts {
  std::string DatePanel;   ///< "Date: " + the bar's date
  std::string PricePanel;  ///< "C: .. O: .. L: .. H: .. V: .."
  /// "Date: ..", "Close: ..", "Open: ..", "Low: ..", "High: ..", "Volume: ..",
  /// then each indicator of the six slots (but "Volume") with its value;
  /// lines joined by CR LF.
  std::string DataWindow;
};

/// The texts of bar 1..BarCount (a bar outside is limited to that range).
BarDataTexts ShowBarData(Workspace& workspace, int bar, const DateLocale& locale);

/// The offset of the visible bar under x on the screen chart, 0..VisibleBarCount - 1.
int BarOffsetAt(const Workspace& workspace, const ChartScale& scale, int x, int paneWidth);

/// The x of the marker line on bar offset `offset` of a pane `paneWidth` wide.
int MarkerLineX(const ChartScale& scale, int offset, int paneWidth);

}  // namespace chartorium
