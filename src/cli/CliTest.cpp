// chartorium-cli test: the system tester's four test commands, writing the
// report page and printing each test's statistics.
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "core/Cp1252.h"
#include "core/DateTexts.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "core/StockObserver.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "systems/PerformanceReport.h"
#include "systems/ReportOptions.h"
#include "systems/TestCommands.h"
#include "systems/TestStatistics.h"
#include "systems/TesterOptions.h"

namespace chartorium::cli {
namespace {

class Usage {
 public:
  explicit Usage(std::ostream& err) : err_(err) {}
  int operator()(std::string_view message) {
    err_ << "chartorium-cli test: " << message << " (see test --help)\n";
    return ExitUsage;
  }

 private:
  std::ostream& err_;
};

std::vector<std::string> SplitList(std::string_view text) {
  std::vector<std::string> items;
  std::istringstream in{std::string(text)};
  for (std::string item; std::getline(in, item, ',');) {
    const std::string_view trimmed = Trim(item);
    if (!trimmed.empty()) items.emplace_back(trimmed);
  }
  return items;
}

bool IsWholeNumber(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A yyyy-mm-dd date as the tester's date fields hold it (the locale's short date).
std::optional<std::string> TesterDate(std::string_view iso, const Workspace& workspace) {
  const bool shaped = iso.size() == 10 && iso[4] == '-' && iso[7] == '-' &&
                      IsWholeNumber(iso.substr(0, 4)) && IsWholeNumber(iso.substr(5, 2)) &&
                      IsWholeNumber(iso.substr(8, 2));
  if (!shaped) return std::nullopt;
  const double date = TextToDateOrdered(iso, "YMD", workspace.Locale);
  if (date == NoDate) return std::nullopt;
  return DateText(date, workspace.Locale);
}

// Applies the options given on the command line over the stored ones.
// Returns ExitOk or the usage error already printed.
int ApplyOptions(const CliArgs& args, const Workspace& workspace, TesterOptions& options,
                 ReportOptions& report, Usage& usage) {
  const auto number = [&](std::string_view option, std::string& into) {
    const auto value = args.Value(option);
    if (!value) return true;
    if (!IsNumber(*value)) return false;
    into = *value;
    return true;
  };
  const auto whole = [&](std::string_view option, std::string& into) {
    const auto value = args.Value(option);
    if (!value) return true;
    if (!IsWholeNumber(*value)) return false;
    into = *value;
    return true;
  };
  if (!number("--amount", options.InitialAmount)) return usage("--amount needs a number");
  const auto from = args.Value("--from");
  const auto to = args.Value("--to");
  if (args.Value("--last") && (from || to)) return usage("give either --last or --from/--to");
  if (args.Value("--last")) {
    if (!whole("--last", options.QuoteCount) || TextToInt(options.QuoteCount) < 1)
      return usage("--last needs a count of bars of at least 1");
    options.LastQuotes = true;
  }
  if (from || to) {
    options.LastQuotes = false;
    options.FromDate.clear();
    options.ToDate.clear();
    for (const auto& [value, field] :
         {std::pair{&from, &options.FromDate}, {&to, &options.ToDate}}) {
      if (!*value) continue;
      const auto date = TesterDate(**value, workspace);
      if (!date) return usage("'" + **value + "' is not a date of the form yyyy-mm-dd");
      *field = *date;
    }
  }
  if (const auto fill = args.Value("--fill")) {
    if (*fill == "close") {
      options.Fill = FillRule::DayClose;
    } else if (*fill == "next-open") {
      options.Fill = FillRule::NextOpen;
    } else if (*fill == "next-close") {
      options.Fill = FillRule::NextClose;
    } else {
      return usage("unknown fill '" + *fill + "' (expected close, next-open or next-close)");
    }
  }
  if (args.Value("--fixed") && args.Value("--percent"))
    return usage("give either --fixed or --percent");
  if (!number("--fixed", options.Fixed)) return usage("--fixed needs a number");
  if (args.Value("--fixed")) options.FixedCommission = true;
  if (!number("--percent", options.Percentage)) return usage("--percent needs a number");
  if (args.Value("--percent")) options.FixedCommission = false;
  if (!number("--max", options.Maximum)) return usage("--max needs a number");
  if (args.Value("--keep")) {
    if (!whole("--keep", options.KeepDays)) return usage("--keep needs a count of bars");
    options.KeepStock = true;
  }
  if (args.Value("--max-shares") && args.Value("--max-percent"))
    return usage("give either --max-shares or --max-percent");
  if (args.Value("--max-shares")) {
    if (!whole("--max-shares", options.MaximumShares))
      return usage("--max-shares needs a count of shares");
    options.BuyMaximum = true;
    options.MaximumIsShares = true;
  }
  if (args.Value("--max-percent")) {
    if (!number("--max-percent", options.MaximumPercent))
      return usage("--max-percent needs a number");
    options.BuyMaximum = true;
    options.MaximumIsShares = false;
  }
  if (const auto sections = args.Value("--report-options")) {
    report = ReportOptions{false, false, false, false, false};
    bool* const flags[] = {&report.ChO1, &report.ChO2, &report.ChO3, &report.ChO4, &report.ChO5};
    for (const std::string& item : SplitList(*sections)) {
      if (item == "none") continue;
      if (item.size() != 1 || item[0] < '1' || item[0] > '5')
        return usage("--report-options takes numbers 1 to 5 (or none), not '" + item + "'");
      *flags[item[0] - '1'] = true;
    }
  }
  return ExitOk;
}

bool HasSystem(const Workspace& workspace, std::string_view name) {
  std::error_code error;
  return !name.empty() && std::filesystem::is_regular_file(
                              ResolveFileName(workspace.AppFolder() / "Signals", name), error);
}

void PrintStatistics(std::ostream& out, const TestSummary& test) {
  out << "Stock\t" << test.Stock << "\n";
  out << "System\t" << test.System << "\n";
  for (const StatisticsLine& line : StatisticsLines(FormatStatistics(test.Statistics)))
    out << line.Label << '\t' << line.Value << "\n";
}

int RunTest(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {
      "--stocks",     "--folders",     "--systems",        "--amount",  "--last",  "--from",
      "--to",         "--fill",        "--fixed",          "--percent", "--max",   "--keep",
      "--max-shares", "--max-percent", "--report-options", "--out",     "--period"};
  Usage usage(context.Err);
  const CliArgs parsed(args, Valued, {});
  if (!parsed.Error().empty()) return usage(parsed.Error());
  const auto stockList = parsed.Value("--stocks");
  const auto folderList = parsed.Value("--folders");
  const auto systemList = parsed.Value("--systems");
  if (stockList && folderList) return usage("give either --stocks or --folders");
  const bool batch = stockList || folderList;
  const size_t wanted = batch ? (systemList ? 0 : 1) : (systemList ? 1 : 2);
  const std::vector<std::string>& positionals = parsed.Positionals();
  if (positionals.size() != wanted) {
    return usage(wanted == 2   ? "expected a stock name and a system name"
                 : !systemList ? "expected a system name"
                 : batch       ? "takes no stock or system names beside the lists"
                               : "expected a stock name");
  }
  const auto period = ParsePeriod(context, parsed.Value("--period").value_or("daily"));
  if (!period) return ExitUsage;

  Workspace workspace(context.Home, CliPorts(context));
  if (!LoadCliPreferences(context, workspace)) return ExitFailed;
  const auto quorex = IniFile::Load(ResolveFileName(workspace.AppFolder(), "Quorex.ini"));
  if (!quorex) {
    context.Err << "chartorium-cli test: " << quorex.status().message() << "\n";
    return ExitFailed;
  }
  TesterOptions options = LoadTesterOptions(*quorex);
  ReportOptions report = LoadReportOptions(*quorex);
  if (const int applied = ApplyOptions(parsed, workspace, options, report, usage);
      applied != ExitOk)
    return applied;

  std::vector<std::string> systems =
      systemList ? SplitList(*systemList) : std::vector<std::string>{positionals.back()};
  if (systems.empty()) return usage("--systems names no system");
  for (const std::string& system : systems) {
    if (!HasSystem(workspace, system)) {
      context.Err << "chartorium-cli test: no system '" << system << "' in "
                  << (workspace.AppFolder() / "Signals").string() << "\n";
      return ExitUsage;
    }
  }

  StockSelection selection;
  workspace.Quotes().Period = *period;
  if (batch) {
    selection.ByFolders = folderList.has_value();
    if (stockList) selection.CheckedStocks = SplitList(*stockList);
    if (folderList) selection.CheckedFolders = SplitList(*folderList);
    if (selection.CheckedStocks.empty() && selection.CheckedFolders.empty())
      return usage(stockList ? "--stocks names no stock" : "--folders names no folder");
    for (const std::string& stock : selection.CheckedStocks) {
      std::error_code error;
      if (!std::filesystem::is_regular_file(StockFilePath(workspace, stock), error)) {
        context.Err << "chartorium-cli test: no stock '" << stock << "' in "
                    << workspace.AppFolder().string() << "\n";
        return ExitUsage;
      }
    }
    if (const Status loaded =
            workspace.Library.Load(ResolveFileName(workspace.AppFolder(), "List.ini"));
        !loaded.ok()) {
      context.Err << "chartorium-cli test: " << loaded.message() << "\n";
      return ExitFailed;
    }
    for (const std::string& folder : selection.CheckedFolders) {
      if (!workspace.Library.Find(folder)) {
        context.Err << "chartorium-cli test: no folder '" << folder << "' in the library\n";
        return ExitUsage;
      }
    }
  } else if (const int loaded = LoadCliStock(context, workspace, positionals.front(), *period);
             loaded != ExitOk) {
    return loaded;
  }

  SystemEditor editor;
  if (!systemList) {
    const auto text = ReadWholeFile(ResolveFileName(workspace.AppFolder() / "Signals", systems[0]));
    if (!text) {
      context.Err << "chartorium-cli test: " << text.status().message() << "\n";
      return ExitFailed;
    }
    editor = {systems[0], Cp1252ToUtf8(*text), false};
  }
  NoStockObserver observer;
  const TestContext testContext{
      workspace,
      context.Messages,
      observer,
      options,
      report,
      parsed.Value("--out").value_or((workspace.AppFolder() / ReportPageFileName).string())};
  const TestRun run = !batch && !systemList  ? TestTheStock(testContext, editor)
                      : batch && !systemList ? TestSelectedStocks(testContext, selection, editor)
                      : !batch ? TestSelectedSystems(testContext, selection, systems, editor)
                               : TestStocksAndSystems(testContext, selection, systems, editor);
  const bool failed = PrintScriptErrors(context, run.Script);
  if (run.Outcome != TestOutcome::PageWritten) return ExitFailed;
  for (size_t i = 0; i < run.Tests.size(); ++i) {
    if (i > 0) context.Out << "\n";
    PrintStatistics(context.Out, run.Tests[i]);
  }
  context.Err << "chartorium-cli test: report written to " << run.Page.string() << "\n";
  return failed ? ExitFailed : ExitOk;
}

}  // namespace

extern const CliCommand TestCommand;
constexpr CliCommand TestCommand{
    "test", "run the system tester and write its HTML report",
    "usage: chartorium-cli test STOCK SYSTEM [OPTIONS]\n"
    "       chartorium-cli test --stocks A,B,... | --folders F,... SYSTEM [OPTIONS]\n"
    "       chartorium-cli test STOCK --systems S1,S2,... [OPTIONS]\n"
    "       chartorium-cli test --stocks A,B,... | --folders F,... --systems S1,... [OPTIONS]\n"
    "\n"
    "Tests the trading systems of the home's Signals folder as the system tester's\n"
    "four commands do: one system on one stock, one system on many stocks (the\n"
    "stocks directly in the library folders F,... with --folders), many systems on\n"
    "one stock, or every system on every stock (a table of returns). Writes the\n"
    "HTML report page and prints each test's statistics as label<TAB>value lines\n"
    "(a blank line between tests). A script error is printed on stderr, writes no\n"
    "page and exits with 1; an error of a custom indicator a system reads does not\n"
    "stop the tests, but the command still exits with 1.\n"
    "\n"
    "Options default to the tester's stored options (Quorex.ini, section FBS):\n"
    "  --amount X                 initial amount\n"
    "  --last N                   test the last N bars, or\n"
    "  --from DATE --to DATE      the bars between two dates (yyyy-mm-dd)\n"
    "  --fill close|next-open|next-close   when orders fill\n"
    "  --fixed X                  a fixed commission per order, or\n"
    "  --percent P --max M        a percentage commission capped at M\n"
    "  --keep N                   close positions after N bars\n"
    "  --max-shares N | --max-percent P   buy at most N shares or P % of the cash\n"
    "  --report-options 1,2,3,4,5 the sections of a multi-test page: performances,\n"
    "                             histogram, buys/sells, overall results, vertical\n"
    "                             applet (none: no section)\n"
    "  --period daily|weekly|monthly      the bars tested (daily by default)\n"
    "  --out FILE                 the page (default: ~temp002.html in the home)\n",
    RunTest};

}  // namespace chartorium::cli
