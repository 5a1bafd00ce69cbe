// Everything the macro subsystem keeps per process, as one member of Workspace.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/MacroStatus.h"
#include "macro/MacroRecords.h"
#include "macro/SystemRunState.h"

namespace chartorium {

class TesterHost;
class Workspace;

/// The fill options of the system tester that the signal methods read.
struct FillOptions {
  bool OnDayClose = true;   ///< "On day close"
  bool OnNextOpen = false;  ///< "On next open"; "On next close" when neither is set
};

/// Runs a trading system over bars beginBar..endBar (the system tester's
/// `Exec`); GetSignal starts one for the system it names.
using SystemRunner = std::function<MacroStatus(Workspace& workspace, std::string_view code,
                                               int beginBar, int endBar)>;

class MacroState {
 public:
  MacroState();
  MacroState(const MacroState&) = delete;
  MacroState& operator=(const MacroState&) = delete;
  ~MacroState();

  SystemRunState Run;
  ReportGrid Grid;
  ReportState Report;
  ConsoleLines Console;
  FillOptions Fill;
  /// The buffer SetValue and SetIndic write outside a custom indicator run
  /// (a system or report macro calling them has no indicator to fill).
  CustomIndicatorOutput SpareOutput;
  /// Custom indicators and GetSignal systems whose runs are in progress
  /// (lower-case names): a macro that asks for itself gets nothing instead of
  /// starting the same run again and again.
  std::vector<std::string> RunningIndicators;
  std::vector<std::string> RunningSystems;
  /// Runs the systems GetSignal names; every Workspace sets it (the system
  /// tester lives a layer above the macros).
  SystemRunner RunSystem;

  /// The system tester's host, created with its macro object and colour
  /// constants on first use and kept for the life of the process.
  TesterHost& Tester(Workspace& workspace);
  /// Whether the tester host exists yet.
  bool HasTester() const { return tester_ != nullptr; }

 private:
  std::unique_ptr<TesterHost> tester_;
};

}  // namespace chartorium
