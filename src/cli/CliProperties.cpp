// chartorium-cli properties: print or set a stock's properties.
#include <ostream>
#include <system_error>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "quotes/StockPropertiesForm.h"

namespace chartorium::cli {
namespace {

constexpr std::string_view Name = "chartorium-cli properties: ";

// "1999=1.2,2000=1.5" as earnings rows; nullopt when a row is not year=amount.
std::optional<std::vector<EarningsRow>> ParseEarnings(std::string_view text) {
  std::vector<EarningsRow> rows;
  if (Trim(text).empty()) return rows;
  for (int i = 1;; ++i) {
    const std::string item = FieldOf(text, i, ",");
    if (item.empty()) {
      if (!FieldOf(text, i + 1, ",").empty()) return std::nullopt;
      return rows;
    }
    const size_t equals = item.find('=');
    if (equals == std::string::npos) return std::nullopt;
    EarningsRow row{std::string(Trim(item.substr(0, equals))),
                    std::string(Trim(item.substr(equals + 1)))};
    if (TextToInt(row.Year) == 0 || row.Earnings.find(';') != std::string::npos)
      return std::nullopt;
    rows.push_back(std::move(row));
  }
}

void Print(std::ostream& out, const StockPropertiesForm& form) {
  const StockProperties p = PropertiesOfForm(form);
  out << "Tick\t" << p.Tick << "\nSite\t" << p.Site << "\nCur\t" << p.Cur << "\nNbr\t" << p.Nbr
      << "\nNot\t" << p.Not << "\nYears\t" << p.Years << "\nEarnings\t" << p.Earnings << "\n";
}

int RunProperties(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--ticker", "--site",  "--currency",
                                         "--shares", "--notes", "--earnings"};
  const CliArgs parsed(args, Valued, {});
  const auto usage = [&](std::string_view why) {
    context.Err << Name << why << " (see properties --help)\n";
    return ExitUsage;
  };
  if (!parsed.Error().empty()) return usage(parsed.Error());
  if (parsed.Positionals().size() != 1) return usage("expected one stock name");
  Workspace workspace(context.Home);
  const std::string stock = parsed.Positionals()[0];
  std::error_code error;
  if (stock.empty() || !std::filesystem::is_regular_file(StockFilePath(workspace, stock), error)) {
    context.Err << "chartorium-cli: no stock '" << stock << "' in " << context.Home.string()
                << "\n";
    return ExitUsage;
  }
  auto form = LoadStockPropertiesForm(workspace.AppFolder(), stock);
  if (!form) {
    context.Err << Name << form.status().message() << "\n";
    return ExitFailed;
  }
  bool changed = false;
  const auto set = [&](std::string_view option, std::string& field) {
    if (const auto value = parsed.Value(option)) {
      field = *value;
      changed = true;
    }
  };
  set("--ticker", form->Ticker);
  set("--currency", form->Currency);
  set("--shares", form->Shares);
  set("--notes", form->Notes);
  if (const auto site = parsed.Value("--site")) {
    if (form->Sites.empty()) {
      form->StoredSite = *site;
    } else if (!ChooseSite(*form, *site)) {
      return usage("no site '" + *site + "' in Sites.ini");
    }
    changed = true;
  }
  if (const auto earnings = parsed.Value("--earnings")) {
    const auto rows = ParseEarnings(*earnings);
    if (!rows) return usage("--earnings needs YEAR=AMOUNT,... (a year other than 0, no \";\")");
    form->Earnings = *rows;
    changed = true;
  }
  if (changed) {
    if (const Status saved = ConfirmStockProperties(workspace, *form); !saved.ok()) {
      context.Err << Name << saved.message() << "\n";
      return ExitFailed;
    }
  }
  Print(context.Out, *form);
  return ExitOk;
}

}  // namespace

extern const CliCommand PropertiesCommand;
constexpr CliCommand PropertiesCommand{
    "properties", "print or set a stock's ticker, site, currency and earnings",
    "usage: chartorium-cli properties STOCK [--ticker T] [--site S] [--currency C]\n"
    "                                 [--shares N] [--notes TEXT] [--earnings Y=E,...]\n"
    "\n"
    "Prints the properties of STOCK as key<TAB>value lines (Tick, Site, Cur, Nbr,\n"
    "Not, Years, Earnings), after setting those given. They are kept in the\n"
    "stock's Preferences/<stock>.ini, the ticker also in Stocks.ini, whose ticker\n"
    "is the one shown. --site names a section of Sites.ini (any name while it\n"
    "lists none); a stock whose site is not listed shows the first site.\n"
    "--earnings replaces the yearly earnings, e.g. --earnings 2021=1.2,2022=1.5\n"
    "(--earnings \"\" clears them).\n",
    RunProperties};

}  // namespace chartorium::cli
