// The summary values. They come from the bars, so with weekly or monthly
// bars the previous close is that of the previous week or month.
#include "core/Summary.h"

#include "core/DateTexts.h"
#include "core/HautBas.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium {

SummaryTexts Affiche(const Workspace& workspace, const DateLocale& locale) {
  SummaryTexts summary;
  const QuoteStore& store = workspace.Quotes();
  if (store.StockName.empty()) return summary;
  summary.HasStock = true;
  const int count = store.BarCount;

  std::string first;
  std::string last;
  if (count > 0 && store.BarSeries[static_cast<size_t>(count)].Date != 0) {
    first = DateText(store.BarSeries[1].Date, locale);
    last = DateText(store.BarSeries[static_cast<size_t>(count)].Date, locale);
  }
  summary.NameLine = store.StockName;
  const std::string& ticker = workspace.OpenStockSettings.Properties.Tick;
  if (!EqualsIgnoreCase(ticker, store.StockName)) summary.NameLine += " (" + ticker + ")";
  summary.PeriodLine = "(" + first + " - " + last + ")";

  if (count <= 0) {
    summary.LastClose = "Stock's file is empty";
    return summary;
  }
  const QuoteRecord& lastBar = store.BarSeries[static_cast<size_t>(count)];
  summary.LastClose = "Last close: " + PriceText(lastBar.Close);
  if (count <= 1) return summary;

  const Single previous = store.BarSeries[static_cast<size_t>(count - 1)].Close;
  summary.PreviousClose = "Previous close: " + PriceText(previous);
  const Extended change =
      previous == 0 ? 0 : (static_cast<Extended>(lastBar.Close) - previous) / previous * 100;
  summary.ChangeLabel = "Change: ";
  summary.Change = PriceText(static_cast<double>(change)) + "%";
  summary.ChangeIsNegative = summary.Change.front() == '-';

  int start = count >= 261 ? count - 260 : 1;
  while (start < count && !(store.BarSeries[static_cast<size_t>(start)].Date > lastBar.Date - 365))
    ++start;
  const PriceRange range = HautBas(store, start, count, HautBasMode::PricesOnly);
  summary.YearRange = "52 weeks Low/High: " + PriceText(range.Low) + " - " + PriceText(range.High);
  return summary;
}

}  // namespace chartorium
