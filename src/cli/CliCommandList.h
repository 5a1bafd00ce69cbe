// Every command of chartorium-cli, each defined in its own Cli<Name>.cpp.
#pragma once

#include "cli/CliCommand.h"

namespace chartorium::cli {

extern const CliCommand DemoLibraryCommand;
extern const CliCommand ListCommand;
extern const CliCommand BarsCommand;
extern const CliCommand ChartCommand;
extern const CliCommand SeriesCommand;
extern const CliCommand PatternsCommand;
extern const CliCommand IndicatorsCommand;
extern const CliCommand ScriptCommand;
extern const CliCommand SignalsCommand;
extern const CliCommand SignalsListCommand;
extern const CliCommand TestCommand;
extern const CliCommand ImportCommand;
extern const CliCommand PropertiesCommand;
extern const CliCommand SplitCommand;
extern const CliCommand PortfolioCommand;

}  // namespace chartorium::cli
