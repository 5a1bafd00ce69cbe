// chartorium-cli patterns: the dates where candlestick patterns appear.
#include <algorithm>
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "core/DateTexts.h"
#include "core/TextCase.h"
#include "core/Workspace.h"
#include "indicators/CandlePatterns.h"

namespace chartorium::cli {
namespace {

bool IsPatternName(std::string_view name) {
  const auto names = CandlePatternNames();
  return std::find(names.begin(), names.end(), FoldCase(name)) != names.end();
}

int RunPatterns(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--period"};
  const CliArgs parsed(args, Valued, {});
  if (!parsed.Error().empty() || parsed.Positionals().empty()) {
    context.Err << "chartorium-cli patterns: "
                << (parsed.Error().empty() ? "expected a stock name" : parsed.Error())
                << " (see patterns --help)\n";
    return ExitUsage;
  }
  Workspace workspace(context.Home, CliPorts(context));
  const std::vector<std::string>& positionals = parsed.Positionals();
  if (const int opened = OpenCliStock(context, workspace, positionals[0], parsed); opened != ExitOk)
    return opened;

  std::vector<std::string> names(positionals.begin() + 1, positionals.end());
  if (names.empty()) names.assign(CandlePatternNames().begin(), CandlePatternNames().end());
  for (const std::string& name : names)
    if (!IsPatternName(name))
      context.Err << "chartorium-cli patterns: '" << name
                  << "' is not a pattern name; it is never found\n";

  const QuoteStore& store = workspace.Quotes();
  context.Out << "Pattern,Date\n";
  for (const std::string& name : names)
    for (int place = 1; place <= store.BarCount; ++place)
      if (CandlePattern(workspace, name, place))
        context.Out << name << ',' << IsoDateText(store.BarSeries[static_cast<size_t>(place)].Date)
                    << '\n';
  return ExitOk;
}

}  // namespace

extern const CliCommand PatternsCommand;
constexpr CliCommand PatternsCommand{
    "patterns", "list the dates of candlestick patterns in a stock",
    "usage: chartorium-cli patterns STOCK [NAME...] [--period daily|weekly|monthly]\n"
    "\n"
    "Prints, as CSV with the header Pattern,Date, every bar of STOCK where the\n"
    "candlestick pattern NAME is present, pattern by pattern in the order given\n"
    "(all patterns when no NAME is given). Names ignore case; a name that is\n"
    "not a pattern is reported on stderr and never found.\n",
    RunPatterns};

}  // namespace chartorium::cli
