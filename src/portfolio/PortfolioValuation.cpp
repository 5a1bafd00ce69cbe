// The valuation, in fixed point with four places throughout.
#include "portfolio/PortfolioValuation.h"

#include <optional>

#include "core/TextHelpers.h"
#include "portfolio/Amount.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioQuotes.h"

namespace chartorium {
namespace {

const Amount Hundred = Amount::FromInt(100);

std::string ChangeText(Amount change) {
  const std::string text = change.TrimmedFixedText() + "%";
  return text.front() == '-' ? text : "+" + text;
}

// Values one row at the close of its stock's last record; returns Qty ×
// close, or nothing when the row's stock has no quotes.
std::optional<Amount> ValueRow(PositionRow& row, const std::filesystem::path& appFolder) {
  if (row.Stocks.empty()) return std::nullopt;
  const auto records = ReadStockQuotes(PortfolioStockFile(appFolder, row.Stocks));
  if (!records || records->empty()) return std::nullopt;
  const Amount close = Amount::FromDouble(records->back().Close);
  row.LastClose = close.FixedText();
  const Amount quantity = Amount::FromText(row.Qty);
  const Amount cost = quantity.IsZero() ? Amount() : Amount::FromText(row.TotalPrice) / quantity;
  const Amount last = Amount::FromText(row.LastClose);
  Amount change = cost.IsZero() ? Amount() : (last - cost) / cost * Hundred;
  if (Amount::FromText(row.TotalPrice).IsNegative()) change = -change;
  row.Change = ChangeText(change);
  return Amount::FromInt(TextToInt(row.Qty)) * close;
}

}  // namespace

void ValuePortfolio(Portfolio& portfolio, const std::filesystem::path& appFolder) {
  Amount value;
  for (PositionRow& row : portfolio.Rows)
    if (const auto rowValue = ValueRow(row, appFolder)) value = value + *rowValue;
  portfolio.TotalAssets = " " + (Amount::FromText(portfolio.Cash) + value).TrimmedFixedText();

  Amount invested;
  Amount current;
  for (const PositionRow& row : portfolio.Rows) {
    const Amount quantity = Amount::FromText(row.Qty);
    invested = invested + Amount::FromText(row.BuyPrice) * quantity;
    current = current + Amount::FromText(row.LastClose) * quantity;
  }
  const Amount change = current.IsZero() ? Amount() : (current - invested) / current * Hundred;
  const std::string text = change.TrimmedFixedText();
  portfolio.PortfolioChange = " " + text + "%";
  portfolio.ChangeIsNegative = text.front() == '-';
}

}  // namespace chartorium
