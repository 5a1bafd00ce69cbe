// "&Process" and the import of a one-stock history.
#include "quotes/ImportProcess.h"

#include <algorithm>

#include "core/Dialogs.h"
#include "core/LibraryCommands.h"
#include "core/QuoteStore.h"
#include "core/RebuildBars.h"
#include "core/StockCommands.h"
#include "core/StockObserver.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"
#include "quotes/ImportAnalysis.h"
#include "quotes/ImportFields.h"
#include "quotes/ImportSteps.h"
#include "quotes/ImportText.h"

namespace chartorium {
namespace {

constexpr std::string_view ProductName = "Chartorium";
// Longer names do not fit a file name with its extension on common file systems.
constexpr size_t MaxStockNameBytes = 200;

// The store as it was before an import changed it, to put back when saving fails.
struct StoreSnapshot {
  explicit StoreSnapshot(const QuoteStore& store)
      : Quotes(store.QuoteArray), Count(store.QuoteCount) {}
  void Restore(Workspace& workspace) const {
    QuoteStore& store = workspace.Quotes();
    ClearQuoteStore(store);
    store.QuoteArray = Quotes;
    store.QuoteCount = Count;
    RebuildBars(workspace);
  }
  QuoteTable Quotes;
  int Count;
};

// Makes the record of one kept line from its mapped fields.
QuoteRecord RecordOfLine(const std::vector<std::string>& fields, const RoleMap& roles, double date,
                         char decimal) {
  QuoteRecord record;
  record.Date = date;
  const auto price = [&](ImportRole role, Single& into) {
    const std::string_view field = FieldAt(fields, roles.Column(role));
    if (roles.Has(role) && !field.empty()) into = ImportPrice(field, decimal);
  };
  price(ImportRole::Open, record.Open);
  price(ImportRole::Low, record.Low);
  price(ImportRole::High, record.High);
  price(ImportRole::Close, record.Close);
  record.Volume = ImportWhole(FieldAt(fields, roles.Column(ImportRole::Volume)), decimal);
  record.OpenInterest = ImportWhole(FieldAt(fields, roles.Column(ImportRole::OI)), decimal);
  return record;
}

size_t HighestColumn(const RoleMap& roles) {
  return static_cast<size_t>(*std::max_element(roles.Columns.begin(), roles.Columns.end()));
}

ImportOutcome ImportHistory(const ImportSource& source, const ImportPorts& ports,
                            const ImportRunOptions& options, const RoleMap& roles,
                            size_t firstLine) {
  ImportOutcome outcome;
  Workspace& workspace = ports.Space;
  QuoteStore& store = workspace.Quotes();
  const bool deleteExisting = source.Settings.DeleteExisting;
  if ((deleteExisting || store.QuoteCount == 0) && store.StockName.empty() &&
      !AskAndOpenStock(source, ports, options, outcome))
    return outcome;
  const int storedCount = deleteExisting ? 0 : store.QuoteCount;
  const std::optional<double> lastDate =
      storedCount > 0 ? std::optional(store.QuoteArray[static_cast<size_t>(storedCount)].Date)
                      : std::nullopt;

  const char separator = SeparatorChar(source.Settings.Separator);
  const char decimal = DecimalChar(source.Settings);
  const size_t columns = HighestColumn(roles);
  const int dateColumn = roles.Column(ImportRole::Date);
  const int closeColumn = roles.Column(ImportRole::Close);
  std::vector<DatedLine> lines;
  lines.reserve(source.Text.LineCount() - firstLine);
  for (size_t i = firstLine; i < source.Text.LineCount(); ++i) {
    const auto fields = SplitImportLine(source.Text.Line(i), separator, columns);
    lines.push_back(
        {i, ImportDate(FieldAt(fields, dateColumn), source.Settings.DateFormat, ports.Locale),
         ImportPrice(FieldAt(fields, closeColumn), decimal)});
  }
  auto kept = AnalyseLines(lines, lastDate, options.ReportGaps, ports.Messages);
  if (!kept) {
    EndImport(outcome, ports, options, ImportStatus::Refused, ImportFailedMessage);
    return outcome;
  }
  if (kept->empty()) {
    EndImport(outcome, ports, options, ImportStatus::Refused, NoNewDataMessage);
    return outcome;
  }

  const StoreSnapshot before(store);
  if (deleteExisting) ClearQuoteStore(store);
  const int overflow = static_cast<int>(kept->size()) + store.QuoteCount - MaxQuotes;
  if (overflow > 0) {
    if (kept->size() <= static_cast<size_t>(MaxQuotes)) {
      DropOldestQuotes(store, overflow);
    } else {
      kept->erase(kept->begin(), kept->end() - MaxQuotes);
      ClearQuoteStore(store);
    }
  }
  ProgressMeter progress(options.Progress, kept->size());
  int added = 0;
  for (const DatedLine& line : *kept) {
    const auto fields = SplitImportLine(source.Text.Line(line.Line), separator, columns);
    const QuoteRecord record = RecordOfLine(fields, roles, line.Date, decimal);
    if (record.Close != 0) {
      store.QuoteArray[static_cast<size_t>(++store.QuoteCount)] = record;
      ++added;
    }
    progress.Done(static_cast<size_t>(added));
  }
  RebuildBars(workspace);
  if (const Status saved = SauveFich(workspace); !saved.ok()) {
    before.Restore(workspace);
    EndImport(outcome, ports, options, ImportStatus::Failed, saved.message());
    return outcome;
  }
  outcome.Status = ImportStatus::Imported;
  outcome.Stocks.push_back({store.StockName, added});
  return outcome;
}

}  // namespace

void EndImport(ImportOutcome& outcome, const ImportPorts& ports, const ImportRunOptions& options,
               ImportStatus status, std::string_view message) {
  outcome.Status = status;
  outcome.Message = std::string(message);
  if (!options.Visible) return;
  if (status == ImportStatus::Failed) {
    ports.Messages.Error(ProductName, message);
    return;
  }
  ports.Messages.Warning(message);
}

bool IsStockName(std::string_view name) {
  return !Trim(name).empty() && name.size() <= MaxStockNameBytes &&
         name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

Status OpenNamedStock(const ImportPorts& ports, StockObserver& observer, std::string_view name) {
  ports.Space.Quotes().StockName = std::string(name);
  return Ouvre(ports.Space, ports.Messages, observer, StockFilePath(ports.Space, name));
}

bool AskAndOpenStock(const ImportSource& source, const ImportPorts& ports,
                     const ImportRunOptions& options, ImportOutcome& outcome) {
  std::string name(Trim(ports.Messages.Input(StockNamePrompt, "")));
  if (name.empty()) name = std::string(Trim(source.File.stem().string()));
  if (!IsStockName(name)) {
    EndImport(outcome, ports, options, ImportStatus::Refused, BadNameMessage);
    return false;
  }
  if (const Status opened = OpenNamedStock(ports, ports.Observer, name); !opened.ok()) {
    EndImport(outcome, ports, options, ImportStatus::Failed, opened.message());
    return false;
  }
  return true;
}

void ProgressMeter::Done(size_t lines) {
  if (!report_ || total_ == 0) return;
  const int percent = static_cast<int>(std::min<size_t>(100, lines * 100 / total_));
  if (percent == shown_) return;
  shown_ = percent;
  report_(percent);
}

QuietStockMessages::QuietStockMessages(Workspace& workspace)
    : workspace_(workspace), previous_(workspace.Activity.QuietStockMessages) {
  workspace_.Activity.QuietStockMessages = true;
}

QuietStockMessages::~QuietStockMessages() {
  workspace_.Activity.QuietStockMessages = previous_;
}

ImportOutcome ProcessImport(const ImportSource& source, const ImportPorts& ports,
                            const ImportRunOptions& options) {
  ImportOutcome outcome;
  const QuietStockMessages quiet(ports.Space);
  const int ignored = TextToInt(source.Settings.IgnoreLines);
  if (ignored < 0 || source.Text.LineCount() < static_cast<size_t>(ignored)) {
    EndImport(outcome, ports, options, ImportStatus::Refused, IgnoreLinesMessage);
    return outcome;
  }
  const RoleMap roles = ReadRoleMap(source.Captions);
  if (!roles.Has(ImportRole::Close)) {
    EndImport(outcome, ports, options, ImportStatus::Refused, CloseMissingMessage);
    return outcome;
  }
  const bool byStock = roles.Has(ImportRole::Ticker) || roles.Has(ImportRole::Name);
  if (!roles.Has(ImportRole::Date) && !byStock) {
    EndImport(outcome, ports, options, ImportStatus::Refused, DateMissingMessage);
    return outcome;
  }
  if (source.Settings.NewFile && !AskAndOpenStock(source, ports, options, outcome)) return outcome;

  const size_t firstLine = static_cast<size_t>(ignored);
  outcome = byStock ? ImportByStock(source, ports, options, roles, firstLine)
                    : ImportHistory(source, ports, options, roles, firstLine);
  if (!outcome.ok()) return outcome;
  QuoteStore& store = ports.Space.Quotes();
  store.FirstVisibleBar = store.BarCount;
  ports.Observer.StockOpened(false, false);
  if (options.Visible) ports.Messages.Information(ImportFinishedMessage);
  return outcome;
}

}  // namespace chartorium
