// What the stock commands of chartorium-cli share: opening the home as a
// Workspace, loading one stock into it, and writing numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"
#include "core/Numbers.h"
#include "core/QuoteStore.h"

namespace chartorium {
class MacroStatus;
class Workspace;
struct WorkspacePorts;
}  // namespace chartorium

namespace chartorium::cli {

class CliArgs;

/// The ports of a command's workspace: the command line's dialogs, the
/// computer's clock, no network access, and the default locale.
WorkspacePorts CliPorts(CliContext& context);

/// Reads the home's preferences ("Quorex.ini") into the workspace; false with
/// a message on stderr when the file cannot be read.
bool LoadCliPreferences(CliContext& context, Workspace& workspace);

/// Prints each script error of the status on stderr in the host's layout
/// (source, description, line and character, help file); true when there was one.
bool PrintScriptErrors(CliContext& context, const MacroStatus& status);

/// Reads "daily", "weekly" or "monthly"; nullopt (and a message) otherwise.
std::optional<Periodicity> ParsePeriod(CliContext& context, std::string_view text);

/// Loads the stock `name` of the home quietly with the given periodicity.
/// Returns ExitOk, or prints why not and returns ExitUsage for a missing stock
/// and ExitFailed for a file that cannot be read or is damaged (reported on stderr).
int LoadCliStock(CliContext& context, Workspace& workspace, std::string_view name,
                 Periodicity period);

/// What the stock commands do first: read the --period option (daily by
/// default), the home's preferences and the stock. Returns ExitOk, or the exit
/// code to end with (the reason is on stderr).
int OpenCliStock(CliContext& context, Workspace& workspace, std::string_view name,
                 const CliArgs& args);

/// A CSV field: quoted (with doubled quotes) when it holds a comma, a quote
/// or a line break.
std::string CsvField(std::string_view text);

/// The shortest text that reads back as the same single-precision value.
std::string SingleText(Single value);

}  // namespace chartorium::cli
