// The mouse over the chart: which bar's data the status bar and the data
// window show, the value under the mouse, the marker line and the cross-hair.
#pragma once

#include <optional>
#include <string>

namespace chartorium {

struct ChartScale;
class Workspace;

struct PointerReading {
  int Bar = 0;            ///< the visible bar under the mouse
  bool ShowData = false;  ///< its data replace the bar shown so far
  /// "Y: " + the value at the mouse, over the price pane only (else empty).
  std::string ValueText;
  /// The mouse is within 10 pixels of that bar's close: the price pane's
  /// tooltip is the data window's text.
  bool NearClose = false;
};

/// What the mouse at (x, y) of a pane `paneWidth` wide shows. The bar slot
/// under x is limited to the visible bars, so the empty slots right of the
/// last bar show the last bar. While the marker line is on the data stay on
/// the marked bar; otherwise they change when the bar differs from
/// `shownBar`. REQUIRES: BarCount > 0.
PointerReading ReadPointer(const Workspace& workspace, const ChartScale& scale, int x, int y,
                           int paneWidth, bool overPricePane, bool markerOn, int shownBar);

/// Puts the marker on the visible bar under x and returns that bar.
int SetMarkerAt(Workspace& workspace, const ChartScale& scale, int x, int paneWidth);

/// The x of the marker line when a marker is set on a visible bar.
std::optional<int> MarkerLineXOf(const Workspace& workspace, const ChartScale& scale,
                                 int paneWidth);

/// Whether (x, y) lies within the price pane's plot, where the cross-hair shows.
bool InPlot(const ChartScale& scale, int x, int y, int paneWidth);

}  // namespace chartorium
