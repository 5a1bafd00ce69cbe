// The operations of the portfolio manager. Amounts are read from the texts
// as typed and computed in fixed point; the results are written back as
// the shortest texts that read as the same amounts.
#include "portfolio/PortfolioOperations.h"

#include <cassert>

#include "core/Clock.h"
#include "core/DateTexts.h"
#include "core/Dialogs.h"
#include "core/TextHelpers.h"
#include "portfolio/Amount.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioQuotes.h"
#include "portfolio/PortfolioValuation.h"

namespace chartorium {
namespace {

// The "Buy date" of an operation: its date as read back, so a text that is
// no date shows as the no-date value's day.
std::string BuyDateText(const PortfolioContext& context, std::string_view date) {
  return DateText(TextToDate(date, context.Locale, context.Today), context.Locale);
}

void SetCash(Portfolio& portfolio, Amount cash) {
  portfolio.Cash = " " + cash.ShortestText();
}

Amount CashOf(const Portfolio& portfolio) {
  return Amount::FromText(portfolio.Cash);
}

// Journal, valuation and the mark that the portfolio needs saving: what every
// booked operation ends with.
void Book(Portfolio& portfolio, const PortfolioContext& context, std::string line) {
  portfolio.Journal.push_back(std::move(line));
  portfolio.Modified = true;
  ValuePortfolio(portfolio, context.AppFolder);
}

PositionRow NewRow(const PortfolioContext& context, const OperationInput& input) {
  PositionRow row;
  row.Stocks = input.Stock;
  row.BuyDate = BuyDateText(context, input.Date);
  return row;
}

// The fields of one accepted dialog, read once.
struct Operation {
  OperationInput Typed;
  int Quantity = 0;
  Amount Number;
  Amount Price;
  Amount Commission;
};

void BookBuy(Portfolio& portfolio, const PortfolioContext& context, const Operation& op) {
  const Amount spent = op.Price * op.Number;
  const int held = portfolio.FindRow(op.Typed.Stock);
  if (held >= 0 && context.Messages.Confirm(MergeQuestion)) {
    PositionRow& row = portfolio.Rows[held];
    row.BuyDate = BuyDateText(context, op.Typed.Date);
    const long long quantity = static_cast<long long>(TextToInt(row.Qty)) + op.Quantity;
    row.Qty = std::to_string(quantity);
    if (quantity != 0) {
      // The total is the sum of both costs; the unit price is its average.
      const Amount total = Amount::FromText(row.TotalPrice) + spent;
      row.BuyPrice = (total / Amount::FromInt(quantity)).ShortestText();
      row.TotalPrice = total.ShortestText();
    } else {
      row.TotalPrice = "0";
    }
    if (row.Qty == "0") portfolio.Rows.erase(portfolio.Rows.begin() + held);
  } else {
    PositionRow row = NewRow(context, op.Typed);
    row.Qty = std::to_string(op.Quantity);
    row.BuyPrice = op.Price.ShortestText();
    row.TotalPrice = spent.ShortestText();
    portfolio.Rows.push_back(std::move(row));
  }
  const Amount paid = op.Commission + spent;
  SetCash(portfolio, CashOf(portfolio) - paid);
  Book(portfolio, context,
       op.Typed.Date + " Buy " + op.Typed.Number + " stocks of " + op.Typed.Stock + " for " +
           paid.ShortestText());
}

void BookSell(Portfolio& portfolio, const PortfolioContext& context, const Operation& op) {
  const Amount received = op.Price * op.Number - op.Commission;
  SetCash(portfolio, received + CashOf(portfolio));
  const int held = portfolio.FindRow(op.Typed.Stock);
  if (held >= 0 && portfolio.Rows[held].Qty == op.Typed.Number) {
    portfolio.Rows.erase(portfolio.Rows.begin() + held);
  } else if (held >= 0) {
    PositionRow& row = portfolio.Rows[held];
    const long long quantity = static_cast<long long>(TextToInt(row.Qty)) - op.Quantity;
    row.Qty = std::to_string(quantity);
    row.TotalPrice = (Amount::FromText(row.BuyPrice) * Amount::FromInt(quantity)).ShortestText();
  } else {
    // A short sale: the position owes the stocks, at what the sale brought
    // before the commission.
    const Amount proceeds = op.Price * op.Number + op.Commission;
    PositionRow row = NewRow(context, op.Typed);
    row.Qty = std::to_string(-static_cast<long long>(op.Quantity));
    row.BuyPrice = (proceeds / op.Number).ShortestText();
    row.TotalPrice = (-proceeds).ShortestText();
    portfolio.Rows.push_back(std::move(row));
  }
  Book(portfolio, context,
       op.Typed.Date + " Sell " + op.Typed.Number + " stocks of " + op.Typed.Stock + " for " +
           received.ShortestText());
}

}  // namespace

std::string OperationDateToday(const PortfolioContext& context) {
  return DateText(context.Today.Today(), context.Locale);
}

std::string ProposePrice(const PortfolioContext& context, std::string_view stock,
                         std::string_view dateText) {
  return ProposedPrice(context.AppFolder, stock,
                       TextToDate(dateText, context.Locale, context.Today));
}

OperationOutcome AcceptOperation(Portfolio& portfolio, const PortfolioContext& context,
                                 OperationKind kind, const OperationInput& input) {
  Operation op;
  op.Typed = input;
  if (op.Typed.Date.empty()) op.Typed.Date = OperationDateToday(context);
  if (op.Typed.Commission.empty()) op.Typed.Commission = "0";
  op.Quantity = TextToInt(input.Number);
  if (op.Quantity == 0) return OperationOutcome::Ignored;
  op.Number = Amount::FromText(input.Number);
  if (op.Number != Amount::FromInt(op.Quantity)) {
    context.Messages.Warning(WholeNumberMessage);
    return OperationOutcome::Refused;
  }
  if (input.Stock.empty()) {
    context.Messages.Warning(kind == OperationKind::Buy ? SelectStockToBuyMessage
                                                        : SelectStockToSellMessage);
    return OperationOutcome::Refused;
  }
  op.Price = Amount::FromText(input.Price);
  op.Commission = Amount::FromText(op.Typed.Commission);
  if (kind == OperationKind::Sell) {
    BookSell(portfolio, context, op);
    return OperationOutcome::Booked;
  }
  if (CashOf(portfolio) < op.Price * op.Number + op.Commission) {
    context.Messages.Information(NotEnoughMoneyMessage);
    return OperationOutcome::Refused;
  }
  BookBuy(portfolio, context, op);
  return OperationOutcome::Booked;
}

void Deposit(Portfolio& portfolio, const PortfolioContext& context, std::string_view amount,
             std::string_view date) {
  const std::string day = date.empty() ? OperationDateToday(context) : std::string(date);
  SetCash(portfolio, CashOf(portfolio) + Amount::FromText(amount));
  Book(portfolio, context, day + " Add " + std::string(amount) + " in cash");
}

void Withdraw(Portfolio& portfolio, const PortfolioContext& context, std::string_view amount,
              std::string_view date) {
  const std::string day = date.empty() ? OperationDateToday(context) : std::string(date);
  SetCash(portfolio, CashOf(portfolio) - Amount::FromText(amount));
  Book(portfolio, context, day + " Withdraw " + std::string(amount) + " in cash");
}

void PayDividends(Portfolio& portfolio, const PortfolioContext& context, int row,
                  std::string_view perShare) {
  assert(row >= 0 && row < static_cast<int>(portfolio.Rows.size()) && "a row of the grid");
  const PositionRow& position = portfolio.Rows[row];
  const Amount amount = Amount::FromText(perShare) * Amount::FromInt(TextToInt(position.Qty));
  SetCash(portfolio, CashOf(portfolio) + amount);
  // The valuation follows, so the total assets show the dividends at once.
  Book(portfolio, context,
       OperationDateToday(context) + " Dividends from " + position.Stocks + " : " +
           amount.ShortestText());
}

bool DepositCommand(Portfolio& portfolio, const PortfolioContext& context) {
  const std::string amount = context.Messages.Input(DepositPrompt, "");
  if (amount.empty()) return false;
  const std::string date = context.Messages.Input(OperationDatePrompt, OperationDateToday(context));
  Deposit(portfolio, context, amount, date);
  return true;
}

bool WithdrawalCommand(Portfolio& portfolio, const PortfolioContext& context) {
  const std::string amount = context.Messages.Input(WithdrawalPrompt, "");
  if (amount.empty()) return false;
  const std::string date = context.Messages.Input(OperationDatePrompt, OperationDateToday(context));
  Withdraw(portfolio, context, amount, date);
  return true;
}

bool DividendsCommand(Portfolio& portfolio, const PortfolioContext& context, int selectedRow) {
  if (selectedRow < 0 || selectedRow >= static_cast<int>(portfolio.Rows.size())) {
    context.Messages.Information(SelectDividendsMessage);
    return false;
  }
  const std::string perShare = context.Messages.Input(DividendsPrompt, "");
  if (perShare.empty()) return false;
  PayDividends(portfolio, context, selectedRow, perShare);
  return true;
}

}  // namespace chartorium
