// The system tester's four test commands and the stock selection they test:
// each runs its tests and writes the report page; the window only shows it.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/MacroStatus.h"
#include "core/Status.h"
#include "systems/TestStatistics.h"

namespace chartorium {

class Dialogs;
class StockObserver;
class Workspace;
struct ReportOptions;
struct TesterOptions;

/// The title of "&Test the stock" when no system is selected.
constexpr std::string_view UnsavedSystemName = "(unsaved system)";

/// "Do you want to save the <name> system?"
std::string SaveSystemQuestion(std::string_view name);

/// The choice made in the "Stocks to check" tool window.
struct StockSelection {
  /// "&Folders" (RB44); false: "&Stocks" (RB33).
  bool ByFolders = false;
  std::vector<std::string> CheckedStocks;   ///< checked entries of LAct, in list order
  std::vector<std::string> CheckedFolders;  ///< checked entries of LFol, in list order
};

/// The stocks to test: the checked stocks, or for each checked folder the
/// first library node of that name and its direct children that have a stock
/// file (sub-folders are not entered, children without a file are skipped).
std::vector<std::string> ListeAct(const Workspace& workspace, const StockSelection& selection);

/// The entries of the stock list LAct: every "*.kvx" file of "Stocks" without
/// its extension, sorted by name ignoring case.
std::vector<std::string> StockListEntries(const std::filesystem::path& appFolder);

/// The entries of the folder list LFol: the library's node texts in tree
/// order, without the nodes that name an existing stock file.
std::vector<std::string> FolderListEntries(const Workspace& workspace);

/// The system shown in the tester's editor.
struct SystemEditor {
  std::string SystemName;  ///< the current (selected) system; empty when none
  std::string Text;        ///< the editor's text, saved or not
  bool Modified = false;   ///< the text differs from the system's file
};

/// What a test command works with.
struct TestContext {
  Workspace& Space;
  Dialogs& Messages;
  /// Told when the user's stock is opened again at the end of a batch.
  StockObserver& Observer;
  const TesterOptions& Options;
  const ReportOptions& Report;
  /// Where the page goes; empty: "~temp002.html" in the data folder.
  std::filesystem::path PageFile;
};

enum class TestOutcome {
  PageWritten,
  /// Nothing to test ("&Test the stock" without an open stock): no page.
  NothingDone,
  /// A system's script error or a file that could not be read or written: no
  /// page was written.
  Failed,
};

/// One test of a command.
struct TestSummary {
  std::string Stock;
  std::string System;
  /// Lister's statistics; named after the system in "Test selected &systems".
  TestStatistics Statistics;
};

/// The commands show the errors of files they cannot read or write as error
/// boxes; the script errors they meet are returned in Script for the caller
/// to show (ReportScriptErrors).
struct TestRun {
  TestOutcome Outcome = TestOutcome::NothingDone;
  std::filesystem::path Page;  ///< the page written
  /// Every test the command ran, in test order (also those of a failed command).
  std::vector<TestSummary> Tests;
  /// The script errors the command met, in order: those of custom indicators
  /// a system asked for, which did not stop the tests, and the system's own
  /// error that stopped the command (Script then fails too).
  MacroStatus Script;
};

/// "&Test the stock": the editor's text on the open stock, the single-test page.
TestRun TestTheStock(const TestContext& context, const SystemEditor& editor);

/// "Test s&elected stocks": the editor's text on each stock of ListeAct. The
/// open stock is saved first and opened again at the end.
TestRun TestSelectedStocks(const TestContext& context, const StockSelection& stocks,
                           const SystemEditor& editor);

/// "Test selected &systems": each checked system's file on the open stock (or,
/// with none open, on the first checked stock). Asks to save a modified system first.
TestRun TestSelectedSystems(const TestContext& context, const StockSelection& stocks,
                            std::span<const std::string> systems, const SystemEditor& editor);

/// "Selected stocks and systems": every checked system on every stock of
/// ListeAct, the table of their returns. Asks to save a modified system first;
/// the open stock is saved first and opened again at the end.
TestRun TestStocksAndSystems(const TestContext& context, const StockSelection& stocks,
                             std::span<const std::string> systems, const SystemEditor& editor);

}  // namespace chartorium
