// chartorium-cli split: the quotes of a date range rescaled for a stock split.
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliDialogs.h"
#include "cli/CliStock.h"
#include "core/DateLocale.h"
#include "core/Workspace.h"
#include "export/Split.h"
#include "quotes/ImportFields.h"

namespace chartorium::cli {
namespace {

constexpr std::string_view Name = "chartorium-cli split: ";
/// 31 December 9999: a "to" date after every quote.
constexpr double LastPossibleDate = 2958465;

int RunSplit(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--from", "--to", "--ratio"};
  constexpr std::string_view Flags[] = {"--undo"};
  const CliArgs parsed(args, Valued, Flags);
  const auto usage = [&](std::string_view why) {
    context.Err << Name << why << " (see split --help)\n";
    return ExitUsage;
  };
  if (!parsed.Error().empty()) return usage(parsed.Error());
  if (parsed.Positionals().size() != 1) return usage("expected one stock name");
  const std::string stock = parsed.Positionals()[0];
  Workspace workspace(context.Home);

  if (parsed.Has("--undo")) {
    if (parsed.Value("--ratio") || parsed.Value("--from") || parsed.Value("--to"))
      return usage("--undo takes no other option");
    if (const int loaded = LoadCliStock(context, workspace, stock, Periodicity::Daily);
        loaded != ExitOk)
      return loaded;
    if (const Status undone = UndoSplit(workspace, stock); !undone.ok()) {
      context.Err << Name << undone.message() << "\n";
      return ExitFailed;
    }
    context.Out << "restored " << stock << " as it was before its last split\n";
    return ExitOk;
  }

  const auto ratio = parsed.Value("--ratio");
  const size_t colon = ratio ? ratio->find(':') : std::string::npos;
  if (colon == std::string::npos) return usage("--ratio needs A:B, e.g. 2:1 for a 2-for-1 split");
  SplitRequest request;
  request.Divisor1 = ratio->substr(0, colon);
  request.Divisor2 = ratio->substr(colon + 1);
  const DateLocale locale;
  request.FromDate = NoDate;
  request.ToDate = LastPossibleDate;
  for (const auto& [option, date] :
       {std::pair{"--from", &request.FromDate}, std::pair{"--to", &request.ToDate}}) {
    const auto text = parsed.Value(option);
    if (!text) continue;
    *date = ImportDate(*text, 2, locale);
    if (*date == NoDate) return usage("'" + *text + "' is not a date of the form yyyy-mm-dd");
  }

  if (!LoadCliPreferences(context, workspace)) return ExitFailed;
  if (const int loaded = LoadCliStock(context, workspace, stock, Periodicity::Daily);
      loaded != ExitOk)
    return loaded;
  const SplitRange range = FindSplitRange(workspace.Quotes(), request.FromDate, request.ToDate);
  CliDialogs dialogs(context.Err);
  if (SplitStock(workspace, dialogs, request) != SplitResult::Done) return ExitFailed;
  context.Out << stock << '\t' << (range.Empty() ? 0 : range.Last - range.First + 1) << '\n';
  return ExitOk;
}

}  // namespace

extern const CliCommand SplitCommand;
constexpr CliCommand SplitCommand{
    "split", "rescale a stock's quotes for a split, or undo the last split",
    "usage: chartorium-cli split STOCK --ratio A:B [--from DATE] [--to DATE]\n"
    "       chartorium-cli split STOCK --undo\n"
    "\n"
    "Divides the prices of STOCK between the two dates (yyyy-mm-dd; by default\n"
    "its first and last quotes) by A/B and multiplies the volumes and open\n"
    "interest by it, truncated: --ratio 2:1 for a 2-for-1 split, 1:10 for a\n"
    "1-for-10 reverse split. The stock file as it was is kept beside it as\n"
    "<stock>.kvx.presplit (replacing the copy of an earlier split); --undo puts\n"
    "it back. Prints the stock and the number of quotes changed.\n",
    RunSplit};

}  // namespace chartorium::cli
