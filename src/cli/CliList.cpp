// chartorium-cli list: the stock files of the home.
#include <algorithm>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/CliCommandList.h"
#include "core/DateTexts.h"
#include "core/FileNames.h"
#include "core/StockCommands.h"
#include "core/TextCase.h"

namespace chartorium::cli {
namespace {

int RunList(CliContext& context, std::span<const std::string> args) {
  if (!args.empty()) {
    context.Err << "chartorium-cli list: takes no arguments (see list --help)\n";
    return ExitUsage;
  }
  const auto folder = ResolveFileName(context.Home, "Stocks");
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (it->is_regular_file() && name.size() > 4 &&
        EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".kvx"))
      files.push_back(it->path());
  }
  if (error) {
    context.Err << "chartorium-cli list: cannot read '" << folder.string()
                << "': " << error.message() << "\n";
    return ExitFailed;
  }
  std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
    return FoldCase(a.filename().string()) < FoldCase(b.filename().string());
  });
  int status = ExitOk;
  for (const auto& file : files) {
    const std::string name = file.filename().string();
    const auto info = InspectStockFile(file);
    if (!info) {
      context.Err << "chartorium-cli list: " << info.status().message() << "\n";
      status = ExitFailed;
      continue;
    }
    context.Out << name.substr(0, name.size() - 4) << '\t' << info->RecordCount << '\t'
                << (info->RecordCount ? IsoDateText(info->FirstDate) : "") << '\t'
                << (info->RecordCount ? IsoDateText(info->LastDate) : "") << '\n';
  }
  return status;
}

}  // namespace

extern const CliCommand ListCommand;
constexpr CliCommand ListCommand{
    "list", "list the stock files with their record counts and dates",
    "usage: chartorium-cli list\n"
    "\n"
    "Prints one line per stock file of the home's Stocks folder: the stock name,\n"
    "a tab, the number of records, a tab, the first date, a tab, the last date\n"
    "(dates as yyyy-mm-dd; empty for an empty file). Files are not changed.\n",
    RunList};

}  // namespace chartorium::cli
