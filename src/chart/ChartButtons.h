// The chart window's chart-type and overlay buttons, kept in "Quorex.ini"
// section "Graph" under "B1".."B20".
#pragma once

#include "chart/ChartScale.h"

namespace chartorium {

class IniFile;

enum class ChartType { Line, Bars, Candles, ZigZag };

/// One chart type is down at a time; the overlays are each on or off. The
/// defaults are a line chart with the Bollinger bands and both averages.
struct ChartButtons {
  ChartType Type = ChartType::Line;
  ShownOverlays Overlays{true, true, true};
  bool SpeedResistance = false;
  bool Quadrant = false;
  bool FibonacciTimeZones = false;
  bool FibonacciRetracements = false;
  bool FibonacciFans = false;
  bool SupportResistance = false;
  bool ParabolicSar = false;

  friend bool operator==(const ChartButtons&, const ChartButtons&) = default;
};

/// Reads the buttons' down states; missing keys keep the defaults.
ChartButtons LoadChartButtons(const IniFile& quorex);
/// Writes every button's down state as "1" or "0".
void SaveChartButtons(IniFile& quorex, const ChartButtons& buttons);

}  // namespace chartorium
