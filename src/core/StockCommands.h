// Opening, loading, saving and converting stock files.
#pragma once

#include <filesystem>
#include <string_view>

#include "core/Status.h"

namespace chartorium {

class Dialogs;
class StockObserver;
class Workspace;

/// The warning shown when a stock file holds a bad record.
constexpr std::string_view CorruptedFileMessage = "The file is corrupted, KVX rewrites it!";

/// Opens a stock interactively: saves the stock open so far, clears the store
/// and the derived series, reads (converting or repairing) the stock file,
/// rebuilds the bars and loads the stock's settings. A missing file with a
/// name is created empty and announced to the observer as a new tree node.
/// A damaged file is copied aside as "<file>.corrupt" and opens with no quotes.
/// Fails only on input/output errors; the store keeps what was read so far.
Status Ouvre(Workspace& workspace, Dialogs& dialogs, StockObserver& observer,
             const std::filesystem::path& stockFile);

/// What a quiet load found.
enum class LoadOutcome { Loaded, Damaged, Missing };

/// Loads a stock for batch work: no save first, no message, no window update.
/// Here only a record with a Close of exactly 0 counts as damaged; a damaged
/// file is copied aside and loads no quotes.
Result<LoadOutcome> LoadStockQuietly(Workspace& workspace, const std::filesystem::path& stockFile);

/// Writes the open stock back (marker 'Y' in byte 0 of record 1, records
/// 1..QuoteCount, crash-safely) and its indicator slots to its settings file.
/// Writes nothing when no quotes are held or no stock file is open.
Status SauveFich(Workspace& workspace);

/// Forgets the open stock file, so a later SauveFich writes nothing to it.
void CloseStockFile(Workspace& workspace);

/// What a stock file holds, read without changing it.
struct StockFileInfo {
  int RecordCount = 0;
  double FirstDate = 0;
  double LastDate = 0;
  bool OldFormat = false;  ///< 32-byte records, converted on the next open
};

/// Reads the record count and the first and last dates of a stock file.
Result<StockFileInfo> InspectStockFile(const std::filesystem::path& stockFile);

/// Converts a file of 32-byte records (told by a size that is not a multiple
/// of 40) to the current format in place. A file with a bad record is kept
/// aside as "<file>.corrupt" and left empty. Other files are not touched.
Status ConvertOldStockFile(const std::filesystem::path& stockFile);

}  // namespace chartorium
