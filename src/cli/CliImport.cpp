// chartorium-cli import: a delimited text file of quotes into the library,
// as the ASCII import wizard does it, with its questions answered by options.
#include <algorithm>
#include <ostream>
#include <system_error>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/LibraryCommands.h"
#include "core/LibraryTree.h"
#include "core/StockCommands.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "quotes/ImportAnalysis.h"
#include "quotes/ImportFields.h"
#include "quotes/ImportWizard.h"

namespace chartorium::cli {
namespace {

constexpr std::string_view Name = "chartorium-cli import: ";

// Messages go to stderr, the stock name question gets --stock (or nothing,
// which names the stock after the file) and the gap question --gaps.
class ImportDialogs final : public Dialogs {
 public:
  ImportDialogs(std::ostream& err, std::string stockName, std::optional<bool> gaps)
      : err_(err), stockName_(std::move(stockName)), gaps_(gaps) {}

  void Warning(std::string_view text) override { err_ << "chartorium-cli: " << text << "\n"; }
  // "Import is finished!": the command prints what it imported instead.
  void Information(std::string_view) override {}
  void Error(std::string_view, std::string_view text) override {
    err_ << "chartorium-cli: " << text << "\n";
  }
  bool Confirm(std::string_view text) override {
    if (text != GapQuestion) return false;
    if (!gaps_)
      err_ << "chartorium-cli: the file leaves a gap of more than a week: answered No "
              "(give --gaps yes to import it)\n";
    return gaps_.value_or(false);
  }
  std::string Input(std::string_view, std::string_view) override { return stockName_; }
  void Beep() override {}
  void ShowProgress(std::string_view) override {}
  void HideProgress() override {}
  bool ProgressVisible() const override { return false; }
  bool ProgressCancelled() const override { return false; }

 private:
  std::ostream& err_;
  std::string stockName_;
  std::optional<bool> gaps_;
};

// The separator entry an option names: tab, space or one character.
std::optional<std::string> SeparatorEntry(std::string_view text) {
  if (EqualsIgnoreCase(text, "tab")) return std::string("Tab");
  if (EqualsIgnoreCase(text, "space")) return std::string("Space");
  if (text.size() == 1) return std::string(text);
  return std::nullopt;
}

std::optional<int> DateFormatIndex(std::string_view text) {
  for (size_t i = 0; i < DateFormatNames.size(); ++i)
    if (EqualsIgnoreCase(text, DateFormatNames[i])) return static_cast<int>(i);
  return std::nullopt;
}

// Applies --template, --sep, --columns, --date, --decimal and --ignore after
// "&Next". Returns an empty text, or what was wrong with an option.
std::string ApplyOptions(ImportWizard& wizard, const CliArgs& args) {
  if (const auto sep = args.Value("--sep")) {
    const auto entry = SeparatorEntry(*sep);
    if (!entry) return "--sep needs one character, tab or space";
    wizard.ChangeSeparator(*entry);
    wizard.PresetFromHeader();
  }
  if (const auto name = args.Value("--template")) {
    const bool known =
        std::any_of(wizard.Templates().begin(), wizard.Templates().end(),
                    [&](const std::string& t) { return EqualsIgnoreCase(t, *name); });
    if (!known) return "no template '" + *name + "' in Templates.ini";
    if (const Status chosen = wizard.ChooseTemplate(*name); !chosen.ok())
      return std::string(chosen.message());
  }
  if (const auto columns = args.Value("--columns")) {
    for (size_t column = 0; column < wizard.Captions().size(); ++column) {
      const std::string role(Trim(FieldOf(*columns, static_cast<int>(column) + 1, ",")));
      const bool known = role.empty() || std::find(RoleEntries.begin(), RoleEntries.end(), role) !=
                                             RoleEntries.end();
      if (!known) return "unknown column role '" + role + "'";
      wizard.ChooseRole(column, role.empty() ? RoleEntries[0] : role);
    }
  }
  if (const auto date = args.Value("--date")) {
    const auto format = DateFormatIndex(*date);
    if (!format) return "--date needs DMY, MDY or YMD";
    wizard.Settings.DateFormat = *format;
  }
  if (const auto decimal = args.Value("--decimal")) {
    if (decimal->size() != 1) return "--decimal needs one character";
    wizard.Settings.DecimalSeparator = *decimal;
  }
  if (const auto ignore = args.Value("--ignore")) {
    if (ignore->size() != 1 || (*ignore)[0] < '0' || (*ignore)[0] > '9')
      return "--ignore needs a count of lines from 0 to 9";
    wizard.Settings.IgnoreLines = *ignore;
  }
  wizard.Settings.NewFile = args.Has("--new");
  wizard.Settings.DeleteExisting = args.Has("--replace");
  return {};
}

int RunImport(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--stock",   "--template", "--sep",  "--date",
                                         "--decimal", "--ignore",   "--gaps", "--columns"};
  constexpr std::string_view Flags[] = {"--new", "--replace"};
  const CliArgs parsed(args, Valued, Flags);
  const auto usage = [&](std::string_view why) {
    context.Err << Name << why << " (see import --help)\n";
    return ExitUsage;
  };
  if (!parsed.Error().empty()) return usage(parsed.Error());
  if (parsed.Positionals().size() != 1) return usage("expected one file to import");
  std::optional<bool> gaps;
  if (const auto answer = parsed.Value("--gaps")) {
    if (*answer != "yes" && *answer != "no") return usage("--gaps needs yes or no");
    gaps = *answer == "yes";
  }
  const std::string stock = parsed.Value("--stock").value_or("");
  if (parsed.Value("--stock") && Trim(stock).empty()) return usage("--stock needs a name");

  Workspace workspace(context.Home);
  if (!LoadCliPreferences(context, workspace)) return ExitFailed;
  const auto treeFile = ResolveFileName(workspace.AppFolder(), "List.ini");
  if (const Status loaded = workspace.Library.Load(treeFile); !loaded.ok()) {
    context.Err << Name << loaded.message() << "\n";
    return ExitFailed;
  }
  LibraryObserver observer(workspace.Library);
  ImportDialogs dialogs(context.Err, stock, gaps);
  const DateLocale locale;
  const SystemClock clock;
  const ImportPorts ports{workspace, dialogs, observer, locale, clock};

  ImportWizard wizard(workspace.AppFolder());
  wizard.Shown();
  const std::filesystem::path file = parsed.Positionals()[0];
  if (const Status opened = wizard.OpenFile(file, dialogs, true, true); !opened.ok())
    return opened.code() == StatusCode::NotFound ? ExitUsage : ExitFailed;
  if (!wizard.Next(dialogs, true, locale)) return ExitFailed;
  if (const std::string wrong = ApplyOptions(wizard, parsed); !wrong.empty()) return usage(wrong);

  // A stock named without --new is the open stock the file goes into.
  if (!stock.empty() && !wizard.Settings.NewFile) {
    if (!IsStockName(stock)) {
      context.Err << "chartorium-cli: " << BadNameMessage << "\n";
      return ExitFailed;
    }
    workspace.Quotes().StockName = stock;
    if (const Status opened = Ouvre(workspace, dialogs, observer, StockFilePath(workspace, stock));
        !opened.ok()) {
      context.Err << Name << opened.message() << "\n";
      return ExitFailed;
    }
  }
  ImportRunOptions options;
  const ImportOutcome outcome = wizard.Process(ports, options);
  if (const Status saved = workspace.Library.Save(treeFile); !saved.ok())
    context.Err << Name << saved.message() << "\n";
  if (!outcome.ok()) return ExitFailed;
  for (const StockImported& imported : outcome.Stocks)
    context.Out << imported.Stock << '\t' << imported.Added << '\n';
  if (outcome.SkippedLines > 0)
    context.Err << Name << outcome.SkippedLines << " line(s) gave no quote\n";
  return ExitOk;
}

}  // namespace

extern const CliCommand ImportCommand;
constexpr CliCommand ImportCommand{
    "import", "import quotes from a delimited text file",
    "usage: chartorium-cli import FILE [--stock NAME] [--new] [--replace] [--template T]\n"
    "                             [--sep C|tab|space] [--columns ROLES] [--date DMY|MDY|YMD]\n"
    "                             [--decimal C] [--ignore N] [--gaps yes|no]\n"
    "\n"
    "Imports FILE as the ASCII import wizard does: the separator is found on the\n"
    "first line, a header line (Date, Open, High, Low, Close, Volume, Ticker)\n"
    "names the columns, and the date format and decimal separator are read off\n"
    "the data lines. A file with a Date column is the history of one stock\n"
    "(newest-first files are turned round; lines not later than the stock's last\n"
    "quote are skipped; the newest 2001 quotes are kept); a file with a Ticker or\n"
    "Name column holds quotes of many stocks, which are created when missing.\n"
    "\n"
    "  --stock NAME     the stock to import into (created when missing); without\n"
    "                   it the stock is named after FILE\n"
    "  --new            import into a new stock named by --stock (or after FILE)\n"
    "  --replace        delete the stock's quotes first\n"
    "  --template T     the settings and columns of a template of Templates.ini\n"
    "  --sep C          the field separator: one character, tab or space\n"
    "  --columns ROLES  the role of each column, comma-separated: Date, Open,\n"
    "                   High, Low, Close, Volume, OI, Ticker, Name or nothing\n"
    "  --date F         the order of the dates: DMY, MDY or YMD (yyyy-mm-dd\n"
    "                   dates read in every order)\n"
    "  --decimal C      the decimal separator of the numbers\n"
    "  --ignore N       the number of lines to skip at the top (0-9)\n"
    "  --gaps yes|no    the answer to the question about a gap of more than a week\n"
    "                   (without it: No, said on stderr)\n"
    "\n"
    "Prints each stock that got quotes and how many, tab-separated. A refused\n"
    "import prints why on stderr, changes no stock file and exits with 1.\n",
    RunImport};

}  // namespace chartorium::cli
