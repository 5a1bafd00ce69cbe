// chartorium-cli series: named series of a stock as CSV.
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "core/DateTexts.h"
#include "core/MacroStatus.h"
#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium::cli {
namespace {

void PrintLevels(std::ostream& out, Workspace& workspace, std::span<const std::string> names) {
  out << "Name,LevelsText\n";
  for (const std::string& name : names) {
    const int slot = workspace.Indicators.Find(SeriesKey(name));
    out << CsvField(name) << ','
        << CsvField(slot < 0 ? std::string() : workspace.Indicators.LevelsText(slot)) << '\n';
  }
}

void PrintValues(std::ostream& out, Workspace& workspace, std::span<const std::string> names) {
  out << "Date";
  for (const std::string& name : names) out << ',' << CsvField(name);
  out << '\n';
  const QuoteStore& store = workspace.Quotes();
  // Every series is computed already: reading one starts no run.
  MacroStatus none;
  for (int place = 1; place <= store.BarCount; ++place) {
    out << IsoDateText(store.BarSeries[static_cast<size_t>(place)].Date);
    for (const std::string& name : names)
      out << ',' << SingleText(SeriesValue(workspace, name, place, none));
    out << '\n';
  }
}

int RunSeries(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--period"};
  constexpr std::string_view Flags[] = {"--levels"};
  const CliArgs parsed(args, Valued, Flags);
  if (!parsed.Error().empty() || parsed.Positionals().size() < 2) {
    context.Err << "chartorium-cli series: "
                << (parsed.Error().empty() ? "expected a stock name and at least one series name"
                                           : parsed.Error())
                << " (see series --help)\n";
    return ExitUsage;
  }
  Workspace workspace(context.Home, CliPorts(context));
  const std::vector<std::string>& positionals = parsed.Positionals();
  if (const int opened = OpenCliStock(context, workspace, positionals[0], parsed); opened != ExitOk)
    return opened;
  const std::span<const std::string> names = std::span(positionals).subspan(1);
  // A custom indicator whose macro fails still gives the values it set.
  MacroStatus runs;
  for (const std::string& name : names)
    runs.AddNested(ComputeIndicator(workspace, SeriesKey(name)));
  const bool failed = PrintScriptErrors(context, runs);
  if (parsed.Has("--levels")) {
    PrintLevels(context.Out, workspace, names);
  } else {
    PrintValues(context.Out, workspace, names);
  }
  return failed ? ExitFailed : ExitOk;
}

}  // namespace

extern const CliCommand SeriesCommand;
constexpr CliCommand SeriesCommand{
    "series", "print named series of a stock as CSV",
    "usage: chartorium-cli series STOCK NAME... [--period daily|weekly|monthly] [--levels]\n"
    "\n"
    "Prints the series NAME... of STOCK as CSV with the header Date,NAME1,NAME2,...\n"
    "(the names as given) and one row per bar. A name is any indicator of the\n"
    "catalogue (see indicators), a price field (close, open, high, low, volume,\n"
    "oi), an overlay (sma, lma, bollh, bolll, sar) or a custom indicator; case\n"
    "does not matter, and an unknown name prints zeros. Values are the shortest\n"
    "texts that read back as the stored single-precision values; the periods\n"
    "come from the preferences in Quorex.ini. A script error of a custom\n"
    "indicator is printed on stderr and exits with 1; its series still prints\n"
    "the values the macro set before the error.\n"
    "\n"
    "--levels prints each name with its reference levels (Name,LevelsText) instead.\n",
    RunSeries};

}  // namespace chartorium::cli
