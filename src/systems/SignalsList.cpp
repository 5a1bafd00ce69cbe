// The signals window's list: one run of each stored system over the last bar.
#include "systems/SignalsList.h"

#include <sstream>
#include <system_error>

#include "core/Cp1252.h"
#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"
#include "systems/Exec.h"

namespace chartorium {
namespace {

// The names of "Signals.dat", one per line; the flat tree has no indentation,
// but a stray tab or blank is not part of a name.
std::vector<std::string> SystemNames(const Workspace& workspace) {
  const auto text = ReadWholeFile(ResolveFileName(workspace.AppFolder(), "Signals.dat"));
  std::vector<std::string> names;
  if (!text) return names;
  std::istringstream lines(Cp1252ToUtf8(*text));
  for (std::string line; std::getline(lines, line);) {
    const std::string_view name = Trim(line);
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
}

SignalPicture PictureOf(int signal) {
  if (signal == 1) return SignalPicture::Buy;
  if (signal == 0) return SignalPicture::Neutral;
  return SignalPicture::Sell;
}

}  // namespace

SignalsList ComputeSignalsList(Workspace& workspace) {
  SignalsList list;
  const std::vector<std::string> names = SystemNames(workspace);
  const int last = workspace.Quotes().BarCount;
  if (last <= 0) return list;
  for (const std::string& name : names) {
    const std::filesystem::path file = ResolveFileName(workspace.AppFolder() / "Signals", name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) continue;
    const auto text = ReadWholeFile(file);
    if (!text) continue;
    const MacroStatus ran = Exec(workspace, Cp1252ToUtf8(*text), last, last);
    list.Script.Append(ran);
    if (!ran.ok()) {
      list.Failed = true;
      list.FailedSystem = name;
      return list;
    }
    const int signal = workspace.Macros.Run.SignalArray[static_cast<size_t>(last)];
    list.Items.push_back({name, signal, PictureOf(signal)});
  }
  return list;
}

}  // namespace chartorium
