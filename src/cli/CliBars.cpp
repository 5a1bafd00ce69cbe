// chartorium-cli bars: a stock's bars as CSV.
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "core/DateTexts.h"
#include "core/Workspace.h"

namespace chartorium::cli {
namespace {

int RunBars(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--period"};
  const CliArgs parsed(args, Valued, {});
  if (!parsed.Error().empty() || parsed.Positionals().size() != 1) {
    context.Err << "chartorium-cli bars: "
                << (parsed.Error().empty() ? "expected one stock name" : parsed.Error())
                << " (see bars --help)\n";
    return ExitUsage;
  }
  Workspace workspace(context.Home, CliPorts(context));
  if (const int opened = OpenCliStock(context, workspace, parsed.Positionals()[0], parsed);
      opened != ExitOk)
    return opened;

  const QuoteStore& store = workspace.Quotes();
  std::ostream& out = context.Out;
  out << "Date,Open,High,Low,Close,Volume,OI\n";
  for (int i = 1; i <= store.BarCount; ++i) {
    const QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
    out << IsoDateText(bar.Date) << ',' << SingleText(bar.Open) << ',' << SingleText(bar.High)
        << ',' << SingleText(bar.Low) << ',' << SingleText(bar.Close) << ',' << bar.Volume << ','
        << bar.OpenInterest << '\n';
  }
  return ExitOk;
}

}  // namespace

extern const CliCommand BarsCommand;
constexpr CliCommand BarsCommand{
    "bars", "print a stock's bars as CSV",
    "usage: chartorium-cli bars STOCK [--period daily|weekly|monthly]\n"
    "\n"
    "Prints the bars of STOCK (daily by default; weekly and monthly bars are\n"
    "condensed from the daily quotes) as CSV with the header\n"
    "Date,Open,High,Low,Close,Volume,OI. Dates are yyyy-mm-dd; prices are the\n"
    "shortest texts that read back as the stored single-precision values.\n"
    "A missing stock exits with 2, a corrupted one is reported and prints no rows.\n",
    RunBars};

}  // namespace chartorium::cli
