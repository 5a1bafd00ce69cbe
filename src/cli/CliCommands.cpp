// The one table of chartorium-cli commands.
#include "cli/CliCommand.h"
#include "cli/CliCommandList.h"

namespace chartorium::cli {

std::span<const CliCommand> CliCommands() {
  // clang-format off
  static const CliCommand Commands[] = {
      DemoLibraryCommand, ListCommand,        BarsCommand,       ChartCommand,
      SeriesCommand,      PatternsCommand,    IndicatorsCommand, ScriptCommand,
      SignalsCommand,     SignalsListCommand, TestCommand,
      ImportCommand,      PropertiesCommand,  SplitCommand,
      PortfolioCommand,
  };
  // clang-format on
  return Commands;
}

}  // namespace chartorium::cli
