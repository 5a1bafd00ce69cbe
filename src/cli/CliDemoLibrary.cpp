// chartorium-cli demo-library: write the demo library into the home.
#include <ostream>
#include <system_error>

#include "cli/CliArgs.h"
#include "cli/CliCommandList.h"
#include "core/Clock.h"
#include "core/DemoLibrary.h"
#include "core/FileNames.h"
#include "core/TextCase.h"

namespace chartorium::cli {
namespace {

bool HoldsStockFiles(const std::filesystem::path& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() > 4 && EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".kvx"))
      return true;
  }
  return false;
}

int RunDemoLibrary(CliContext& context, std::span<const std::string> args) {
  constexpr std::string_view Flags[] = {"--force"};
  const CliArgs parsed(args, {}, Flags);
  if (!parsed.Error().empty() || !parsed.Positionals().empty()) {
    context.Err << "chartorium-cli demo-library: "
                << (parsed.Error().empty() ? "takes no arguments" : parsed.Error())
                << " (see demo-library --help)\n";
    return ExitUsage;
  }
  if (!parsed.Has("--force") && HoldsStockFiles(ResolveFileName(context.Home, "Stocks"))) {
    context.Err << "chartorium-cli demo-library: " << context.Home.string()
                << " already holds stock files; use --force to overwrite the demo stocks\n";
    return ExitFailed;
  }
  const SystemClock clock;
  if (const Status written = WriteDemoLibrary(context.Home, clock.Today()); !written.ok()) {
    context.Err << "chartorium-cli demo-library: " << written.message() << "\n";
    return ExitFailed;
  }
  context.Out << "demo library of " << DemoStocks().size() << " stocks written to "
              << context.Home.string() << "\n";
  return ExitOk;
}

}  // namespace

extern const CliCommand DemoLibraryCommand;
constexpr CliCommand DemoLibraryCommand{
    "demo-library", "write the demo library into the home",
    "usage: chartorium-cli demo-library [--force]\n"
    "\n"
    "Writes the demo library: made-up stocks in several folders, each with 2001\n"
    "weekday bars ending on the last weekday before today, with the library tree\n"
    "(List.ini), the tickers (Stocks.ini) and each stock's settings file. Refuses\n"
    "when the home's Stocks folder already holds stock files, unless --force.\n",
    RunDemoLibrary};

}  // namespace chartorium::cli
