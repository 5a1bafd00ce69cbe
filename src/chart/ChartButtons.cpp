// The chart buttons in the settings file. The key numbers are the buttons'
// own: "B1" Bollinger bands ... "B20" parabolic SAR.
#include "chart/ChartButtons.h"

#include "core/IniFile.h"

namespace chartorium {
namespace {

constexpr const char* Section = "Graph";

struct Overlay {
  const char* Key;
  bool ChartButtons::*Flag;
};

constexpr Overlay Overlays[] = {
    {"B4", &ChartButtons::SpeedResistance},     {"B7", &ChartButtons::Quadrant},
    {"B10", &ChartButtons::FibonacciTimeZones}, {"B11", &ChartButtons::FibonacciRetracements},
    {"B13", &ChartButtons::FibonacciFans},      {"B19", &ChartButtons::SupportResistance},
    {"B20", &ChartButtons::ParabolicSar},
};

struct TypeKey {
  const char* Key;
  ChartType Type;
};

constexpr TypeKey Types[] = {{"B5", ChartType::Line},
                             {"B9", ChartType::Bars},
                             {"B8", ChartType::Candles},
                             {"B6", ChartType::ZigZag}};

}  // namespace

ChartButtons LoadChartButtons(const IniFile& quorex) {
  ChartButtons buttons;
  buttons.Overlays.BollingerBands = quorex.ReadBool(Section, "B1", true);
  buttons.Overlays.ShortAverage = quorex.ReadBool(Section, "B2", true);
  buttons.Overlays.LongAverage = quorex.ReadBool(Section, "B3", true);
  for (const Overlay& overlay : Overlays)
    buttons.*overlay.Flag = quorex.ReadBool(Section, overlay.Key, false);
  // The first type whose button is down wins; none down leaves the line chart.
  for (const TypeKey& type : Types) {
    if (quorex.ReadBool(Section, type.Key, false)) {
      buttons.Type = type.Type;
      break;
    }
  }
  return buttons;
}

void SaveChartButtons(IniFile& quorex, const ChartButtons& buttons) {
  quorex.WriteBool(Section, "B1", buttons.Overlays.BollingerBands);
  quorex.WriteBool(Section, "B2", buttons.Overlays.ShortAverage);
  quorex.WriteBool(Section, "B3", buttons.Overlays.LongAverage);
  for (const Overlay& overlay : Overlays)
    quorex.WriteBool(Section, overlay.Key, buttons.*overlay.Flag);
  for (const TypeKey& type : Types) quorex.WriteBool(Section, type.Key, buttons.Type == type.Type);
}

}  // namespace chartorium
