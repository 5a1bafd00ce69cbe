// The command table of chartorium-cli: one entry per command.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace chartorium {
class Dialogs;
}

namespace chartorium::cli {

/// What every command receives: the home folder, the two output streams and
/// the dialogs of the command line (messages on Err, questions answered No).
struct CliContext {
  std::filesystem::path Home;
  std::ostream& Out;
  std::ostream& Err;
  Dialogs& Messages;
};

/// Exit codes: 0 success, 1 the work failed, 2 bad usage or a missing input.
enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

using CliRun = int (*)(CliContext& context, std::span<const std::string> args);

struct CliCommand {
  std::string_view Name;
  std::string_view Summary;  ///< one line for the command list
  std::string_view Usage;    ///< the full text of `COMMAND --help`
  CliRun Run;
};

/// Every command, in the order `--help` lists them.
std::span<const CliCommand> CliCommands();

}  // namespace chartorium::cli
