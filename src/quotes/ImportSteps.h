// Steps the one-stock and the multi-stock import share. Internal to src/quotes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/Status.h"
#include "quotes/ImportProcess.h"
#include "quotes/ImportSettings.h"

namespace chartorium {

/// Ends an outcome as refused or failed with `message`, shown as a warning
/// (refused) or an error (failed) while the wizard is on screen.
void EndImport(ImportOutcome& outcome, const ImportPorts& ports, const ImportRunOptions& options,
               ImportStatus status, std::string_view message);

/// Opens the stock `name` with Ouvre, creating it when it has no file.
Status OpenNamedStock(const ImportPorts& ports, StockObserver& observer, std::string_view name);

/// Asks the stock's name with the input box ("" gives the file's name without
/// its extension) and opens or creates that stock. False, with the outcome
/// ended, when the name cannot be a file name or the stock cannot be opened.
bool AskAndOpenStock(const ImportSource& source, const ImportPorts& ports,
                     const ImportRunOptions& options, ImportOutcome& outcome);

/// Tells the share of lines done when it grows by a whole percent.
class ProgressMeter {
 public:
  ProgressMeter(const std::function<void(int)>& report, size_t total)
      : report_(report), total_(total) {}
  void Done(size_t lines);

 private:
  const std::function<void(int)>& report_;
  size_t total_;
  int shown_ = -1;
};

/// Sets the workspace's "quiet" flag for the time of an import: opening a
/// damaged stock shows no message while the import window is on screen.
class QuietStockMessages {
 public:
  explicit QuietStockMessages(Workspace& workspace);
  QuietStockMessages(const QuietStockMessages&) = delete;
  QuietStockMessages& operator=(const QuietStockMessages&) = delete;
  ~QuietStockMessages();

 private:
  Workspace& workspace_;
  bool previous_;
};

/// The import of a file with a ticker or name column, one stock after the other.
ImportOutcome ImportByStock(const ImportSource& source, const ImportPorts& ports,
                            const ImportRunOptions& options, const RoleMap& roles,
                            size_t firstLine);

}  // namespace chartorium
