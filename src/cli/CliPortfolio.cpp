// chartorium-cli portfolio: print a portfolio valued at the last closes, book
// one operation in it, or export its page.
#include <optional>
#include <ostream>
#include <system_error>
#include <variant>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliDialogs.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/DateTexts.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioFile.h"
#include "portfolio/PortfolioOperations.h"
#include "portfolio/PortfolioPage.h"
#include "portfolio/PortfolioQuotes.h"
#include "portfolio/PortfolioValuation.h"
#include "quotes/ImportFields.h"

namespace chartorium::cli {
namespace {

constexpr std::string_view Name = "chartorium-cli portfolio: ";
constexpr int YearMonthDay = 2;

// The command line's dialogs, with the merge question answered by --merge.
class PortfolioDialogs final : public Dialogs {
 public:
  PortfolioDialogs(std::ostream& err, bool merge) : messages_(err), merge_(merge) {}

  void Warning(std::string_view text) override { messages_.Warning(text); }
  void Information(std::string_view text) override { messages_.Information(text); }
  void Error(std::string_view caption, std::string_view text) override {
    messages_.Error(caption, text);
  }
  bool Confirm(std::string_view) override { return merge_; }
  std::string Input(std::string_view, std::string_view) override { return {}; }
  void Beep() override {}
  void ShowProgress(std::string_view) override {}
  void HideProgress() override {}
  bool ProgressVisible() const override { return false; }
  bool ProgressCancelled() const override { return false; }

 private:
  CliDialogs messages_;
  bool merge_;
};

void PrintPortfolio(std::ostream& out, const Portfolio& portfolio, bool journal) {
  if (journal) {
    for (const std::string& line : portfolio.Journal) out << line << '\n';
    return;
  }
  for (size_t i = 0; i < PositionColumnTitles.size(); ++i)
    out << (i ? "\t" : "") << PositionColumnTitles[i];
  out << '\n';
  for (const PositionRow& row : portfolio.Rows) {
    for (int column = 0; column < PositionColumnCount; ++column)
      out << (column ? "\t" : "") << Trim(row.Column(static_cast<PositionColumn>(column)));
    out << '\n';
  }
  out << "Portfolio cash:\t" << Trim(portfolio.Cash) << "\nTotal assets:\t"
      << Trim(portfolio.TotalAssets) << "\nPortfolio change:\t" << Trim(portfolio.PortfolioChange)
      << '\n';
}

// The stock as its file spells it; nullopt when the home has no such stock.
std::optional<std::string> HomeStock(const std::filesystem::path& home, std::string_view stock) {
  std::error_code error;
  const std::filesystem::path file = PortfolioStockFile(home, stock);
  if (stock.empty() || !std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const std::string name = file.filename().string();
  return name.substr(0, name.size() - 4);
}

struct Request {
  std::string Operation;  ///< "--buy", ..., or empty to print
  std::vector<std::string> Values;
};

// Which operation the arguments ask for, with its values; an error text
// when they ask for more than one or give the wrong number of values.
std::variant<Request, std::string> ReadRequest(const CliArgs& parsed) {
  Request request;
  std::vector<std::string> positionals(parsed.Positionals().begin() + 1,
                                       parsed.Positionals().end());
  int operations = 0;
  for (const std::string_view flag : {"--buy", "--sell", "--dividends"}) {
    if (!parsed.Has(flag)) continue;
    ++operations;
    request.Operation = flag;
    request.Values = positionals;
    const size_t expected = flag == "--dividends" ? 2 : 3;
    if (positionals.size() != expected)
      return std::string(flag) +
             (expected == 2 ? " needs STOCK PER_SHARE" : " needs STOCK QUANTITY PRICE");
  }
  for (const std::string_view option : {"--new", "--deposit", "--withdraw"}) {
    const auto value = parsed.Value(option);
    if (!value) continue;
    ++operations;
    request.Operation = option;
    request.Values = {*value};
    if (!positionals.empty()) return "unexpected argument '" + positionals[0] + "'";
  }
  if (operations > 1) return std::string("give one operation at a time");
  if (operations == 0 && !positionals.empty())
    return "unexpected argument '" + positionals[0] + "'";
  const bool trades = request.Operation == "--buy" || request.Operation == "--sell";
  if (!trades && parsed.Value("--commission"))
    return std::string("--commission needs --buy or --sell");
  if (request.Operation != "--buy" && parsed.Value("--merge"))
    return std::string("--merge needs --buy");
  if (!trades && request.Operation != "--deposit" && request.Operation != "--withdraw" &&
      parsed.Value("--date"))
    return std::string("--date needs an operation that takes a date");
  return request;
}

int RunPortfolio(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--new",  "--deposit", "--withdraw", "--commission",
                                         "--date", "--merge",   "--html"};
  constexpr std::string_view Flags[] = {"--buy", "--sell", "--dividends", "--journal"};
  const CliArgs parsed(args, Valued, Flags);
  const auto usage = [&](std::string_view why) {
    context.Err << Name << why << " (see portfolio --help)\n";
    return ExitUsage;
  };
  const auto failed = [&](std::string_view why) {
    context.Err << Name << why << "\n";
    return ExitFailed;
  };
  if (!parsed.Error().empty()) return usage(parsed.Error());
  if (parsed.Positionals().empty()) return usage("expected a portfolio file");
  const std::filesystem::path file = parsed.Positionals()[0];
  const auto read = ReadRequest(parsed);
  if (const auto* why = std::get_if<std::string>(&read)) return usage(*why);
  const Request& request = std::get<Request>(read);

  const auto merge = parsed.Value("--merge");
  if (merge && *merge != "yes" && *merge != "no") return usage("--merge takes yes or no");
  const DateLocale locale;
  std::string date;
  if (const auto text = parsed.Value("--date")) {
    const double day = ImportDate(*text, YearMonthDay, locale);
    if (day == NoDate) return usage("'" + *text + "' is not a date of the form yyyy-mm-dd");
    date = DateText(day, locale);
  }
  PortfolioDialogs dialogs(context.Err, merge == "yes");
  const SystemClock clock;
  const PortfolioContext portfolioContext{context.Home, dialogs, locale, clock};

  Portfolio portfolio;
  std::error_code error;
  if (request.Operation == "--new") {
    if (std::filesystem::exists(file, error))
      return failed("'" + file.string() + "' already exists");
    if (Trim(request.Values[0]).empty()) return usage("--new needs a name");
    portfolio.PortfolioName = " " + std::string(Trim(request.Values[0]));
    portfolio.CurrentFile = file;
  } else {
    auto opened = ReadPortfolioFile(file);
    if (!opened && opened.status().code() == StatusCode::NotFound)
      return usage("no portfolio file '" + file.string() + "'");
    if (!opened) return failed(opened.status().message());
    portfolio = std::move(*opened);
    ValuePortfolio(portfolio, context.Home);
  }

  const std::string& operation = request.Operation;
  if (operation == "--buy" || operation == "--sell") {
    const auto stock = HomeStock(context.Home, request.Values[0]);
    if (!stock) return usage("no stock '" + request.Values[0] + "' in " + context.Home.string());
    const OperationInput input{*stock, request.Values[1], request.Values[2],
                               parsed.Value("--commission").value_or(""), date};
    const OperationKind kind = operation == "--buy" ? OperationKind::Buy : OperationKind::Sell;
    const OperationOutcome outcome = AcceptOperation(portfolio, portfolioContext, kind, input);
    if (outcome == OperationOutcome::Refused) return ExitFailed;
    if (outcome == OperationOutcome::Ignored) return failed("a quantity of 0 books nothing");
  } else if (operation == "--deposit" || operation == "--withdraw") {
    if (!IsNumber(request.Values[0])) return usage("'" + request.Values[0] + "' is not an amount");
    (operation == "--deposit" ? Deposit : Withdraw)(portfolio, portfolioContext,
                                                    std::string(Trim(request.Values[0])), date);
  } else if (operation == "--dividends") {
    int row = portfolio.FindRow(request.Values[0]);
    for (size_t i = 0; row < 0 && i < portfolio.Rows.size(); ++i)
      if (EqualsIgnoreCase(portfolio.Rows[i].Stocks, request.Values[0])) row = static_cast<int>(i);
    if (row < 0) {
      dialogs.Information(SelectDividendsMessage);
      return ExitFailed;
    }
    if (!IsNumber(request.Values[1])) return usage("'" + request.Values[1] + "' is not an amount");
    PayDividends(portfolio, portfolioContext, row, std::string(Trim(request.Values[1])));
  }
  if (!operation.empty()) {
    if (const Status written = WritePortfolioFile(portfolio, file); !written.ok())
      return failed(written.message());
  }
  if (const auto html = parsed.Value("--html")) {
    if (const Status written = WritePortfolioPage(portfolio, *html); !written.ok())
      return failed(written.message());
  }
  PrintPortfolio(context.Out, portfolio, parsed.Has("--journal"));
  return ExitOk;
}

}  // namespace

extern const CliCommand PortfolioCommand;
constexpr CliCommand PortfolioCommand{
    "portfolio", "print a portfolio valued at the last closes, or book an operation in it",
    "usage: chartorium-cli portfolio FILE.por [--journal] [--html OUT]\n"
    "       chartorium-cli portfolio FILE.por --new NAME\n"
    "       chartorium-cli portfolio FILE.por --buy STOCK QUANTITY PRICE [--commission C]\n"
    "                                          [--date DATE] [--merge yes|no]\n"
    "       chartorium-cli portfolio FILE.por --sell STOCK QUANTITY PRICE [--commission C]\n"
    "                                          [--date DATE]\n"
    "       chartorium-cli portfolio FILE.por --deposit AMOUNT [--date DATE]\n"
    "       chartorium-cli portfolio FILE.por --withdraw AMOUNT [--date DATE]\n"
    "       chartorium-cli portfolio FILE.por --dividends STOCK PER_SHARE\n"
    "\n"
    "Values every position of the portfolio file at the last close of its stock\n"
    "and prints the positions (Stocks, Buy date, Qty, Buy price, Total price,\n"
    "Last Close, Change) and the cash, total assets and portfolio change, tab-\n"
    "separated; --journal prints the journal of operations instead. --new\n"
    "creates an empty portfolio file named NAME. The other options book one\n"
    "operation, dated DATE (yyyy-mm-dd; today by default), and save the file:\n"
    "a buy needs the cash for QUANTITY x PRICE + C and, for a stock already held,\n"
    "adds to its row with --merge yes (a new row by default); a sale of a stock\n"
    "not held opens a short position. Dividends are PER_SHARE times the quantity\n"
    "held, dated today. --html writes the portfolio's HTML page to OUT. A refused\n"
    "operation prints the reason, leaves the file as it was and exits with 1.\n",
    RunPortfolio};

}  // namespace chartorium::cli
