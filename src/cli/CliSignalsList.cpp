// chartorium-cli signals-list: what each stored trading system says on a
// stock's last bar, as the signals window lists it.
#include <ostream>

#include "cli/CliCommandList.h"
#include "cli/CliMacro.h"
#include "cli/CliStock.h"
#include "core/Workspace.h"
#include "macro/SystemRunState.h"
#include "systems/SignalsList.h"

namespace chartorium::cli {
namespace {

int RunSignalsList(CliContext& context, std::span<const std::string> args) {
  if (args.size() != 1 || args[0].starts_with("--")) {
    context.Err
        << "chartorium-cli signals-list: expected one stock name (see signals-list --help)\n";
    return ExitUsage;
  }
  int exitCode = ExitOk;
  const std::unique_ptr<Workspace> workspace = OpenMacroStock(context, args[0], exitCode);
  if (!workspace) return exitCode;
  const SignalsList list = ComputeSignalsList(*workspace);
  const bool failed = PrintScriptErrors(context, list.Script);
  for (const SignalsListItem& item : list.Items)
    context.Out << item.System << '\t' << SignalName(item.Signal) << '\n';
  return failed ? ExitFailed : ExitOk;
}

}  // namespace

extern const CliCommand SignalsListCommand;
constexpr CliCommand SignalsListCommand{
    "signals-list", "each stored trading system's signal on a stock's last bar",
    "usage: chartorium-cli signals-list STOCK\n"
    "\n"
    "Runs every system named in Signals.dat over the last daily bar of STOCK and\n"
    "prints one line per system: its name, a tab, and the signal of that bar\n"
    "(Neutral, Buy, Sell, Short, Cover, Cover and Buy, Sell and Short). Systems\n"
    "without a file in Signals are skipped. A script error is printed on stderr,\n"
    "ends the list at that system and exits with 1.\n",
    RunSignalsList};

}  // namespace chartorium::cli
