// "&Process": importing the lines of a file into one stock (a history with a
// date column) or into many (a ticker or name column).
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

class Clock;
class Dialogs;
class ImportText;
class StockObserver;
class Workspace;
struct DateLocale;
struct ImportSettings;

constexpr std::string_view EmptyFileMessage = "The file you try to import is empty";
constexpr std::string_view IgnoreLinesMessage =
    "The number of lines to ignore is incorrect, please change it!";
constexpr std::string_view CloseMissingMessage = "Close price must be defined, please do it!";
constexpr std::string_view DateMissingMessage = "Date must be defined for an historical import!";
constexpr std::string_view StockNamePrompt = "Enter the stock's name you're importing:";
constexpr std::string_view ImportFailedMessage =
    "Import procedure failed, please correct the errors";
constexpr std::string_view NoNewDataMessage =
    "After processing the file, there are no new data to import!";
constexpr std::string_view ImportFinishedMessage = "Import is finished!";

/// The workspace and the ports an import works through.
struct ImportPorts {
  Workspace& Space;
  Dialogs& Messages;
  /// Told about stocks created for the file and about the open stock's change.
  StockObserver& Observer;
  const DateLocale& Locale;
  /// Today's date for multi-stock lines without a date.
  const Clock& Today;
};

struct ImportRunOptions {
  /// The wizard is on screen: warnings and informations are shown. A batch
  /// run ends silently on the same conditions; questions are asked in any case.
  bool Visible = true;
  /// Whether a gap of more than a week asks the gap question.
  bool ReportGaps = true;
  /// Told the share of lines done, 0 to 100, as it grows.
  std::function<void(int)> Progress;
};

/// What the file is imported from: its lines, the captions of its columns and
/// the second page's settings.
struct ImportSource {
  const ImportText& Text;
  std::span<const std::string> Captions;
  const ImportSettings& Settings;
  /// The imported file; a stock without a given name is named after it.
  std::filesystem::path File;
};

enum class ImportStatus {
  Imported,  ///< quotes were added and saved
  Refused,   ///< a check, a question or the file's contents stopped it; nothing changed
  Failed     ///< a stock file could not be read or written; the file is as it was
};

struct StockImported {
  std::string Stock;
  int Added = 0;  ///< quotes added to the stock
};

struct ImportOutcome {
  ImportStatus Status = ImportStatus::Refused;
  /// Why it was refused or failed, in the program's words.
  std::string Message;
  /// Each stock quotes went to, in the order the file first names them.
  std::vector<StockImported> Stocks;
  /// Lines of a multi-stock file that gave no quote: no close above 0, no
  /// stock, a date that is no date or not later than the stock's last.
  int SkippedLines = 0;

  bool ok() const { return Status == ImportStatus::Imported; }
};

/// Whether a stock of this name can have a file: not blank, no "/" or NUL,
/// not longer than a file name may be.
bool IsStockName(std::string_view name);

/// Runs "&Process" on the open stock of the workspace: checks the lines to
/// ignore and the mapped columns, opens or creates the stock asked for with
/// "&Import in a new file", and imports a one-stock history (lines older than
/// the stock's last quote are dropped, the newest 2001 quotes kept) or the
/// lines of many stocks, creating stocks the library does not have. The
/// stocks are saved crash-safely; a refused or failed import leaves every
/// stock file as it was.
ImportOutcome ProcessImport(const ImportSource& source, const ImportPorts& ports,
                            const ImportRunOptions& options);

}  // namespace chartorium
