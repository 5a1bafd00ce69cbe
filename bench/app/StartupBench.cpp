// The engine's share of the program's start and of a click in the library:
// reading the tree, the settings and the preferences, then opening a stock
// and computing its summary. The windows' own share is timed from outside
// with `chartorium --quit-after-first-paint`.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/Calendar.h"
#include "core/DateLocale.h"
#include "core/DemoLibrary.h"
#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/LibraryCommands.h"
#include "core/LibraryTree.h"
#include "core/MainSettings.h"
#include "core/NullDialogs.h"
#include "core/PreferencesCommands.h"
#include "core/Summary.h"
#include "core/Workspace.h"
#include "support/BenchLibrary.h"

namespace chartorium {
namespace {

const std::filesystem::path& StartupHome() {
  static const std::filesystem::path home = [] {
    auto path = std::filesystem::temp_directory_path() / "chartorium-bench-startup";
    std::filesystem::remove_all(path);
    static_cast<void>(WriteDemoLibrary(path, DayNumber(2026, 12, 10)));
    return path;
  }();
  return home;
}

void StartupSettingsAndTree(benchmark::State& state) {
  for (auto _ : state) {
    Workspace workspace(StartupHome());
    static_cast<void>(workspace.Library.Load(StartupHome() / "List.ini"));
    const auto quorex = IniFile::Load(QuorexFile(workspace));
    benchmark::DoNotOptimize(ReadMainSettings(quorex ? *quorex : IniFile()));
    LoadPreferencesAtStart(workspace);
    benchmark::DoNotOptimize(workspace.Library.Root().Children.size());
  }
}
BENCHMARK(StartupSettingsAndTree)->Unit(benchmark::kMicrosecond);

void OpenStockAndSummary(benchmark::State& state) {
  Workspace workspace(StartupHome());
  static_cast<void>(workspace.Library.Load(StartupHome() / "List.ini"));
  NullDialogs dialogs;
  LibraryObserver observer(workspace.Library);
  const DateLocale locale;
  const char* names[] = {"Kestrel Software", "Lumen Devices"};
  int turn = 0;
  for (auto _ : state) {
    // Alternate two stocks, so each click really opens one.
    workspace.Library.Select(workspace.Library.Find(names[turn++ % 2]));
    benchmark::DoNotOptimize(OpenSelectedStock({workspace, dialogs, observer}));
    benchmark::DoNotOptimize(Affiche(workspace, locale).YearRange.size());
  }
}
BENCHMARK(OpenStockAndSummary)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace chartorium
