// The operations booked in a portfolio: buys, sales, short sales, deposits,
// withdrawals and dividends, with the program's messages.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace chartorium {

class Clock;
class Dialogs;
struct DateLocale;
struct Portfolio;

/// What the portfolio commands work with: the data folder (whose "Stocks"
/// value the positions) and the ports.
struct PortfolioContext {
  std::filesystem::path AppFolder;
  Dialogs& Messages;
  const DateLocale& Locale;
  const Clock& Today;
};

constexpr std::string_view SelectStockToBuyMessage =
    "You have to select a stock to buy in the list!";
/// The same for a sale: without a stock a sale would open a nameless short position.
constexpr std::string_view SelectStockToSellMessage =
    "You have to select a stock to sell in the list!";
/// A fractional quantity would be paid in full but held as a whole number.
constexpr std::string_view WholeNumberMessage = "The number of stocks must be a whole number!";
constexpr std::string_view NotEnoughMoneyMessage = "There is not enough money to buy this action!";
constexpr std::string_view MergeQuestion =
    "This stock is already listed in this portfolio, do you want to merge this one with the "
    "existing?";
constexpr std::string_view SelectDividendsMessage = "Select a stock for the dividends";
constexpr std::string_view DepositPrompt = "Input the amount to add:";
constexpr std::string_view WithdrawalPrompt = "Input the amount to withdraw:";
constexpr std::string_view OperationDatePrompt = "Enter the date of the operation:";
constexpr std::string_view DividendsPrompt = "Input the earning by share:";

/// Which operation the dialog books.
enum class OperationKind { Buy, Sell };

/// The operation dialog's fields, as typed.
struct OperationInput {
  std::string Stock;       ///< the stock selected in the list; empty when none is
  std::string Number;      ///< "Number of stocks:"
  std::string Price;       ///< "Price of the stock:"
  std::string Commission;  ///< "Commission:"; empty means 0
  std::string Date;        ///< "Date of the operation:"; empty means today
};

/// What the dialog does after "&Accept".
enum class OperationOutcome {
  Booked,   ///< the operation is booked: the dialog closes
  Ignored,  ///< a number of 0: the dialog closes and nothing happens
  Refused,  ///< a message was shown: the dialog stays open
};

/// Books a buy or a sale typed in the operation dialog.
///
/// A buy needs a stock and the cash for price × number + commission. For a
/// stock already held the user is asked whether to merge: the merged row
/// takes the operation's date, the summed quantity and the summed cost (the
/// commission excluded), and its buy price is the average cost. A sale of
/// the row's quantity (the same text) removes the row; another quantity is
/// taken from it, the total following the unit price (the quantity may
/// become 0 or negative); a stock not held opens a short row. Cash, journal
/// and valuation follow.
OperationOutcome AcceptOperation(Portfolio& portfolio, const PortfolioContext& context,
                                 OperationKind kind, const OperationInput& input);

/// Adds `amount` to the cash, dated `date` (empty: today).
void Deposit(Portfolio& portfolio, const PortfolioContext& context, std::string_view amount,
             std::string_view date);
/// Takes `amount` from the cash, which may become negative.
void Withdraw(Portfolio& portfolio, const PortfolioContext& context, std::string_view amount,
              std::string_view date);
/// Pays `perShare` × the row's quantity into the cash, dated today.
/// REQUIRES: row is an index of portfolio.Rows.
void PayDividends(Portfolio& portfolio, const PortfolioContext& context, int row,
                  std::string_view perShare);

/// Today's date as the date field shows it.
std::string OperationDateToday(const PortfolioContext& context);

/// The price the operation dialog proposes for `stock` on the date typed in
/// its date field (an empty or unreadable date proposes the last close).
std::string ProposePrice(const PortfolioContext& context, std::string_view stock,
                         std::string_view dateText);

/// "&Deposit": asks the amount (empty cancels) and the date; true when booked.
bool DepositCommand(Portfolio& portfolio, const PortfolioContext& context);
/// " &Withdrawal": asks the amount (empty cancels) and the date.
bool WithdrawalCommand(Portfolio& portfolio, const PortfolioContext& context);
/// "D&ividends" on the selected row (-1: none, which shows a message); asks
/// the dividend per share (empty cancels).
bool DividendsCommand(Portfolio& portfolio, const PortfolioContext& context, int selectedRow);

}  // namespace chartorium
