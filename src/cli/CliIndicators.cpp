// chartorium-cli indicators: the catalogue of built-in indicators.
#include <ostream>

#include "cli/CliCommandList.h"
#include "cli/CliStock.h"
#include "indicators/Catalogue.h"

namespace chartorium::cli {
namespace {

int RunIndicators(CliContext& context, std::span<const std::string> args) {
  if (!args.empty()) {
    context.Err << "chartorium-cli indicators: takes no arguments (see indicators --help)\n";
    return ExitUsage;
  }
  context.Out << "ListEntry,Name,Parameters,LevelsText\n";
  for (const CatalogueEntry& entry : IndicatorCatalogue())
    context.Out << CsvField(entry.ListEntry) << ',' << CsvField(entry.Name) << ','
                << CsvField(entry.Parameters) << ',' << CsvField(entry.LevelsText) << '\n';
  return ExitOk;
}

}  // namespace

extern const CliCommand IndicatorsCommand;
constexpr CliCommand IndicatorsCommand{
    "indicators", "list the built-in indicators",
    "usage: chartorium-cli indicators\n"
    "\n"
    "Prints the catalogue of built-in indicators as CSV with the header\n"
    "ListEntry,Name,Parameters,LevelsText: the entry of the chart's indicators\n"
    "list (empty for the price overlays), the name of the series, its periods\n"
    "(preference names with their defaults, or the fixed numbers) and its\n"
    "reference levels.\n",
    RunIndicators};

}  // namespace chartorium::cli
