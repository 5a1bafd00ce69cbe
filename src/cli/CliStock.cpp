// Shared pieces of the stock commands.
#include "cli/CliStock.h"

#include "cli/CliArgs.h"

#include <charconv>
#include <ostream>
#include <system_error>

#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/MacroStatus.h"
#include "core/StockCommands.h"
#include "core/Workspace.h"

namespace chartorium::cli {

WorkspacePorts CliPorts(CliContext& context) {
  WorkspacePorts ports;
  ports.Messages = &context.Messages;
  return ports;
}

bool LoadCliPreferences(CliContext& context, Workspace& workspace) {
  const auto quorex = IniFile::Load(ResolveFileName(workspace.AppFolder(), "Quorex.ini"));
  if (!quorex) {
    context.Err << "chartorium-cli: " << quorex.status().message() << "\n";
    return false;
  }
  workspace.Prefs.Load(*quorex);
  return true;
}

bool PrintScriptErrors(CliContext& context, const MacroStatus& status) {
  for (const MacroError& error : status.Errors()) {
    context.Err << ScriptErrorText(error, "\n") << "\n";
  }
  return !status.Clean();
}

std::optional<Periodicity> ParsePeriod(CliContext& context, std::string_view text) {
  if (text == "daily") return Periodicity::Daily;
  if (text == "weekly") return Periodicity::Weekly;
  if (text == "monthly") return Periodicity::Monthly;
  context.Err << "chartorium-cli: unknown period '" << text
              << "' (expected daily, weekly or monthly)\n";
  return std::nullopt;
}

int LoadCliStock(CliContext& context, Workspace& workspace, std::string_view name,
                 Periodicity period) {
  const auto file = StockFilePath(workspace, name);
  std::error_code error;
  if (name.empty() || !std::filesystem::is_regular_file(file, error)) {
    context.Err << "chartorium-cli: no stock '" << name << "' in " << workspace.AppFolder().string()
                << "\n";
    return ExitUsage;
  }
  workspace.Quotes().Period = period;
  const auto outcome = LoadStockQuietly(workspace, file);
  if (!outcome) {
    context.Err << "chartorium-cli: " << outcome.status().message() << "\n";
    return ExitFailed;
  }
  if (*outcome == LoadOutcome::Damaged) {
    context.Err << "chartorium-cli: stock file '" << file.string()
                << "' is corrupted (a record has no close); a copy is kept as '"
                << file.filename().string() << ".corrupt'\n";
    return ExitFailed;
  }
  return ExitOk;
}

int OpenCliStock(CliContext& context, Workspace& workspace, std::string_view name,
                 const CliArgs& args) {
  const auto period = ParsePeriod(context, args.Value("--period").value_or("daily"));
  if (!period) return ExitUsage;
  if (!LoadCliPreferences(context, workspace)) return ExitFailed;
  return LoadCliStock(context, workspace, name, *period);
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string SingleText(Single value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace chartorium::cli
