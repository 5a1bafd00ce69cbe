// The process-wide records of the program, owned in one place, and the ports
// through which the engine reaches the outside.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/DateLocale.h"
#include "core/LibraryTree.h"
#include "core/MoneyFormat.h"
#include "core/Preferences.h"
#include "core/QuoteStore.h"
#include "core/StockSettingsFile.h"

namespace chartorium {

class Clock;
class DerivedSeries;
class Dialogs;
class HttpClient;
class IndicatorCache;
class MacroState;

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

/// What a Workspace talks to the outside through. Each port must outlive the
/// Workspace; a port left null is replaced by the Workspace's own quiet one:
/// dialogs that show nothing, the computer's clock, and an HTTP client
/// without network access.
struct WorkspacePorts {
  Dialogs* Messages = nullptr;
  const Clock* Today = nullptr;
  HttpClient* Http = nullptr;
  /// Date texts of the locale (the default: day/month/year with "/").
  DateLocale Locale;
  /// Money texts of the locale.
  MoneyFormat Money;
};

/// Created once by main() (and once per test) and handed by reference to
/// whatever needs it; there are no other process-wide records. It is complete
/// once constructed: custom indicators listed in "Indicators.dat" are computed
/// by running their macros.
class Workspace {
 public:
  explicit Workspace(std::filesystem::path appFolder, WorkspacePorts ports = {});
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  ~Workspace();

  /// The data folder; every data file lies below it.
  const std::filesystem::path& AppFolder() const { return appFolder_; }
  QuoteStore& Quotes() { return *quotes_; }
  const QuoteStore& Quotes() const { return *quotes_; }

  /// Where the engine's commands show messages and ask questions.
  Dialogs& Messages() const { return *messages_; }
  /// Today's date.
  const Clock& Today() const { return *today_; }
  /// Every download of the program.
  HttpClient& Http() const { return *http_; }
  /// The series computed from the open stock's bars, as the core reaches them.
  DerivedSeries& Derived() const { return *derived_; }

 private:
  // Declared before the public records: Indicators and Macros refer to what
  // these own, and members are built in the order they are declared. Behind
  // pointers, the records of the higher layers stay out of this header.
  struct OwnPorts;
  std::filesystem::path appFolder_;
  std::unique_ptr<QuoteStore> quotes_;
  std::unique_ptr<OwnPorts> ownPorts_;
  std::unique_ptr<IndicatorCache> indicators_;
  std::unique_ptr<MacroState> macros_;
  std::unique_ptr<DerivedSeries> derived_;
  Dialogs* messages_;
  const Clock* today_;
  HttpClient* http_;

 public:
  Preferences Prefs;
  /// Properties and indicator slots of the open stock.
  StockSettings OpenStockSettings;
  /// The chart window's caption. SauveFich names the stock it saves after it,
  /// because callers set StockName to the next stock before opening it.
  std::string ChartCaption;
  ActivityState Activity;
  /// The named-series cache of the open stock with the price overlays
  /// (indicators/IndicatorCache.h).
  IndicatorCache& Indicators;
  /// The stock library tree shown in the main window.
  LibraryTree Library;
  /// System runs, report grid and console of the macros (macro/MacroState.h).
  MacroState& Macros;
  /// The locale's date texts.
  DateLocale Locale;
  /// The locale's currency format of money texts.
  MoneyFormat Money;
  /// Lets the user interface handle its pending events during long runs (the
  /// system tester calls it before every order); none in the engine's tests.
  std::function<void()> ProcessPendingMessages;
};

/// "Stocks/<name>.kvx" below the data folder, resolved without regard to case.
std::filesystem::path StockFilePath(const Workspace& workspace, std::string_view stockName);

}  // namespace chartorium
