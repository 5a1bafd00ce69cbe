// chartorium-cli: the engine without windows, for batch work and scripts.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliDialogs.h"
#include "core/AppFolder.h"

namespace {

using chartorium::cli::CliCommand;
using chartorium::cli::CliCommands;

constexpr std::string_view Usage =
    "usage: chartorium-cli [--home DIR] COMMAND [ARGS...]\n"
    "       chartorium-cli COMMAND --help\n"
    "\n"
    "--home DIR  the data folder (default: $CHARTORIUM_HOME, a portable install's\n"
    "            folder, or ~/.local/share/chartorium)\n"
    "\n"
    "commands:\n";

void PrintUsage(std::ostream& out) {
  out << Usage;
  for (const CliCommand& command : CliCommands())
    out << "  " << command.Name << std::string(16 - std::min<size_t>(15, command.Name.size()), ' ')
        << command.Summary << "\n";
}

const CliCommand* FindCommand(std::string_view name) {
  for (const CliCommand& command : CliCommands())
    if (command.Name == name) return &command;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::filesystem::path home;
  size_t next = 0;
  while (next < args.size() && args[next].starts_with("--")) {
    const std::string& option = args[next];
    if (option == "--help" || option == "-h") {
      PrintUsage(std::cout);
      return chartorium::cli::ExitOk;
    }
    if (option == "--home" && next + 1 < args.size()) {
      home = args[next + 1];
      next += 2;
      continue;
    }
    if (option.starts_with("--home=")) {
      home = option.substr(7);
      ++next;
      continue;
    }
    std::cerr << "chartorium-cli: unknown option '" << option << "'\n";
    return chartorium::cli::ExitUsage;
  }
  if (next >= args.size()) {
    PrintUsage(std::cerr);
    return chartorium::cli::ExitUsage;
  }
  const CliCommand* command = FindCommand(args[next]);
  if (!command) {
    std::cerr << "chartorium-cli: unknown command '" << args[next] << "' (see --help)\n";
    return chartorium::cli::ExitUsage;
  }
  const std::vector<std::string> rest(args.begin() + static_cast<long>(next) + 1, args.end());
  for (const std::string& arg : rest) {
    if (arg == "--help" || arg == "-h") {
      std::cout << command->Usage;
      return chartorium::cli::ExitOk;
    }
  }
  if (home.empty())
    home = chartorium::AppFolderFromEnvironment(chartorium::CurrentExecutableFolder());
  chartorium::cli::CliDialogs dialogs(std::cerr);
  chartorium::cli::CliContext context{home, std::cout, std::cerr, dialogs};
  return command->Run(context, rest);
}
