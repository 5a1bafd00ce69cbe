// The portfolio record's small helpers.
#include "portfolio/Portfolio.h"

#include <cassert>

#include "core/TextCase.h"

namespace chartorium {

const std::string& PositionRow::Column(PositionColumn column) const {
  switch (column) {
    case PositionColumn::Stocks:
      return Stocks;
    case PositionColumn::BuyDate:
      return BuyDate;
    case PositionColumn::Qty:
      return Qty;
    case PositionColumn::BuyPrice:
      return BuyPrice;
    case PositionColumn::TotalPrice:
      return TotalPrice;
    case PositionColumn::LastClose:
      return LastClose;
    case PositionColumn::Change:
      return Change;
  }
  assert(false && "a position has seven columns");
  return Stocks;
}

std::string Portfolio::TrimmedName() const {
  return std::string(Trim(PortfolioName));
}

int Portfolio::FindRow(std::string_view stock) const {
  for (size_t i = 0; i < Rows.size(); ++i)
    if (Rows[i].Stocks == stock) return static_cast<int>(i);
  return -1;
}

}  // namespace chartorium
