// The process-wide records of the program, owned in one place.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/LibraryTree.h"
#include "core/MoneyFormat.h"
#include "core/Preferences.h"
#include "core/QuoteStore.h"
#include "core/StockSettingsFile.h"
#include "indicators/IndicatorCache.h"
#include "macro/MacroState.h"

namespace chartorium {

/// Which long runs and windows are active; some engine rules depend on them.
struct ActivityState {
  /// The system tester, custom report, automatic update or ASCII import window
  /// is visible: opening a corrupted stock shows no message then.
  bool QuietStockMessages = false;
  /// An automatic update of many stocks is running: Ouvre leaves the windows alone.
  bool AutomaticUpdateRunning = false;
  /// The signals window has been created; Ouvre shows it again on every open.
  bool SignalsWindowExists = false;
};

/// Created once by main() (and once per test) and handed by reference to
/// whatever needs it; there are no other process-wide records.
class Workspace {
 public:
  explicit Workspace(std::filesystem::path appFolder);
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  ~Workspace();

  /// The data folder; every data file lies below it.
  const std::filesystem::path& AppFolder() const { return appFolder_; }
  QuoteStore& Quotes() { return *quotes_; }
  const QuoteStore& Quotes() const { return *quotes_; }

  Preferences Prefs;
  /// Properties and indicator slots of the open stock.
  StockSettings OpenStockSettings;
  /// The chart window's caption. SauveFich names the stock it saves after it,
  /// because callers set StockName to the next stock before opening it.
  std::string ChartCaption;
  ActivityState Activity;
  /// The named-series cache of the open stock with the price overlays.
  IndicatorCache Indicators;
  /// The stock library tree shown in the main window.
  LibraryTree Library;
  /// System runs, custom indicator output, report grid and console of the macros.
  MacroState Macros;
  /// The locale's currency format of money texts.
  MoneyFormat Money;
  /// Lets the user interface handle its pending events during long runs (the
  /// system tester calls it before every order); none in the engine's tests.
  std::function<void()> ProcessPendingMessages;

 private:
  std::filesystem::path appFolder_;
  std::unique_ptr<QuoteStore> quotes_;
};

/// "Stocks/<name>.kvx" below the data folder, resolved without regard to case.
std::filesystem::path StockFilePath(const Workspace& workspace, std::string_view stockName);

}  // namespace chartorium
