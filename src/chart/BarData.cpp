// Bar data texts and the bar under the mouse.
#include "chart/BarData.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartScale.h"
#include "core/DateTexts.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "indicators/SeriesByName.h"

namespace chartorium {

BarDataTexts ShowBarData(Workspace& workspace, int bar, const DateLocale& locale) {
  const QuoteStore& store = workspace.Quotes();
  bar = std::clamp(bar, 1, std::max(1, store.BarCount));
  const QuoteRecord& q = store.BarSeries[static_cast<size_t>(bar)];
  BarDataTexts texts;
  const std::string date = DateText(q.Date, locale);
  texts.DatePanel = "Date: " + date;
  texts.PricePanel = "C: " + PriceText(q.Close) + " O: " + PriceText(q.Open) +
                     " L: " + PriceText(q.Low) + " H: " + PriceText(q.High) +
                     " V: " + std::to_string(q.Volume);
  std::string& window = texts.DataWindow;
  window = "Date: " + date + "\r\nClose: " + PriceText(q.Close) + "\r\nOpen: " + PriceText(q.Open) +
           "\r\nLow: " + PriceText(q.Low) + "\r\nHigh: " + PriceText(q.High) +
           "\r\nVolume: " + std::to_string(q.Volume);
  // The panes have computed their series; an error of a run started here is not shown.
  MacroStatus ignored;
  for (const IndicatorSlot& slot : workspace.OpenStockSettings.Slots) {
    for (int k = 1;; ++k) {
      const std::string name = FieldOf(slot.Names, k, ";");
      if (name.empty()) break;
      if (EqualsIgnoreCase(name, "Volume")) continue;
      window += "\r\n" + name + ": " + PriceText(SeriesValue(workspace, name, bar, ignored));
    }
  }
  return texts;
}

int BarOffsetAt(const Workspace& workspace, const ChartScale& scale, int x, int paneWidth) {
  const int visible = workspace.Quotes().VisibleBarCount;
  if (scale.BarWidth <= 0) return 0;
  const int offset = static_cast<int>(std::floor((x - 0.05 * paneWidth) / scale.BarWidth));
  return std::clamp(offset, 0, std::max(0, visible - 1));
}

int MarkerLineX(const ChartScale& scale, int offset, int paneWidth) {
  const double left = std::trunc(0.05 * paneWidth);
  return static_cast<int>(
      std::trunc(left + offset * static_cast<double>(scale.BarWidth) + scale.BarWidth / 2.0));
}

}  // namespace chartorium
