// chartorium-cli signals: a trading system's signals over a stock's bars as CSV.
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "cli/CliMacro.h"
#include "cli/CliStock.h"
#include "core/Cp1252.h"
#include "core/DateTexts.h"
#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "systems/Exec.h"

namespace chartorium::cli {
namespace {

int RunSignals(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Valued[] = {"--from", "--to"};
  const CliArgs parsed(args, Valued, {});
  if (!parsed.Error().empty() || parsed.Positionals().size() != 2) {
    context.Err << "chartorium-cli signals: "
                << (parsed.Error().empty() ? "expected a stock name and a system name"
                                           : parsed.Error())
                << " (see signals --help)\n";
    return ExitUsage;
  }
  int exitCode = ExitOk;
  const std::unique_ptr<Workspace> workspace =
      OpenMacroStock(context, parsed.Positionals()[0], exitCode);
  if (!workspace) return exitCode;
  const std::string& system = parsed.Positionals()[1];
  const std::filesystem::path file = ResolveFileName(workspace->AppFolder() / "Signals", system);
  std::error_code error;
  if (system.empty() || !std::filesystem::is_regular_file(file, error)) {
    context.Err << "chartorium-cli signals: no system '" << system << "' in "
                << (workspace->AppFolder() / "Signals").string() << "\n";
    return ExitUsage;
  }
  const Result<std::string> text = ReadWholeFile(file);
  if (!text) {
    context.Err << "chartorium-cli signals: " << text.status().message() << "\n";
    return ExitFailed;
  }
  const int barCount = workspace->Quotes().BarCount;
  const int from = parsed.Value("--from") ? TextToInt(*parsed.Value("--from")) : 1;
  const int to = parsed.Value("--to") ? TextToInt(*parsed.Value("--to")) : barCount;
  if (from < 1 || to > barCount || from > to) {
    context.Err << "chartorium-cli signals: the range " << from << ".." << to
                << " is not within the bars 1.." << barCount << "\n";
    return ExitUsage;
  }
  const MacroStatus ran = Exec(*workspace, Cp1252ToUtf8(*text), from, to);
  const bool failed = PrintScriptErrors(context, ran);
  if (!ran.ok()) return ExitFailed;
  const SystemRunState& run = workspace->Macros.Run;
  context.Out << "Date,Signal,Text,Color\n";
  for (int bar = from; bar <= to; ++bar) {
    context.Out << IsoDateText(workspace->Quotes().BarSeries[static_cast<size_t>(bar)].Date) << ','
                << static_cast<int>(run.SignalArray[bar]) << ',' << CsvField(run.BarTextArray[bar])
                << ',' << run.BarColorArray[bar] << '\n';
  }
  return failed ? ExitFailed : ExitOk;
}

}  // namespace

std::unique_ptr<Workspace> OpenMacroStock(CliContext& context, std::string_view name,
                                          int& exitCode) {
  auto workspace = std::make_unique<Workspace>(context.Home, CliPorts(context));
  if (!LoadCliPreferences(context, *workspace)) {
    exitCode = ExitFailed;
    return nullptr;
  }
  exitCode = LoadCliStock(context, *workspace, name, Periodicity::Daily);
  if (exitCode != ExitOk) return nullptr;
  return workspace;
}

extern const CliCommand SignalsCommand;
constexpr CliCommand SignalsCommand{
    "signals", "run a trading system over a stock and print its signals as CSV",
    "usage: chartorium-cli signals STOCK SYSTEM [--from N] [--to N]\n"
    "\n"
    "Runs the system file Signals/SYSTEM of the home over the daily bars N..N of\n"
    "STOCK (all bars by default) and prints Date,Signal,Text,Color, one row per bar\n"
    "of the range. Signal is the code of the bar: 0 neutral, 1 buy, -1 sell, 2 short,\n"
    "-2 cover, 3 cover and buy, -3 sell and short. Text is the bar's AddText text,\n"
    "Color its SetBarColor colour (-1: the chart's own). A script error is printed\n"
    "on stderr with its line and exits with 1; an error of a custom indicator the\n"
    "system reads does not stop the system, whose signals are still printed.\n",
    RunSignals};

}  // namespace chartorium::cli
