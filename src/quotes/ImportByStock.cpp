// The import of a file that holds quotes of many stocks, one line per stock
// and day, told apart by a ticker or a name column.
#include <algorithm>
#include <map>
#include <system_error>

#include "core/Clock.h"
#include "core/DateTexts.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/QuoteStore.h"
#include "core/RebuildBars.h"
#include "core/StockCommands.h"
#include "core/StockObserver.h"
#include "core/TextCase.h"
#include "core/Workspace.h"
#include "quotes/ImportFields.h"
#include "quotes/ImportSteps.h"
#include "quotes/ImportText.h"

namespace chartorium {
namespace {

// While the import goes from stock to stock, the windows are left alone;
// only a stock created for the file gets its node in the library.
class NodesOnlyObserver final : public StockObserver {
 public:
  explicit NodesOnlyObserver(StockObserver& windows) : windows_(windows) {}
  void StockNodeCreated(std::string_view stockName) override {
    windows_.StockNodeCreated(stockName);
  }

 private:
  StockObserver& windows_;
};

// "Stocks.ini": the stock whose "Tick" is a ticker, and the sections added
// for stocks the import creates.
class TickerRegistry {
 public:
  static Result<TickerRegistry> Load(const std::filesystem::path& appFolder) {
    TickerRegistry registry;
    registry.path_ = ResolveFileName(appFolder, "Stocks.ini");
    auto file = IniFile::Load(registry.path_);
    if (!file) return file.status();
    registry.file_ = std::move(*file);
    for (const std::string& stock : registry.file_.ReadSections()) {
      const std::string tick = registry.file_.ReadString(stock, "Tick", "");
      // The first section with a ticker wins, as a search from the top finds it.
      if (!tick.empty()) registry.stocks_.emplace(FoldCase(tick), stock);
    }
    return registry;
  }

  /// The stock named by a ticker: the registry's stock, else the ticker itself.
  std::string StockOf(std::string_view ticker) const {
    const auto found = stocks_.find(FoldCase(ticker));
    return found == stocks_.end() ? std::string(ticker) : found->second;
  }

  void Add(std::string_view stock) {
    file_.WriteString(stock, "Tick", stock);
    changed_ = true;
  }

  Status Save() const { return changed_ ? file_.Save(path_) : Status::Ok(); }

 private:
  std::filesystem::path path_;
  IniFile file_;
  std::map<std::string, std::string> stocks_;
  bool changed_ = false;
};

bool FileExists(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

}  // namespace

ImportOutcome ImportByStock(const ImportSource& source, const ImportPorts& ports,
                            const ImportRunOptions& options, const RoleMap& roles,
                            size_t firstLine) {
  ImportOutcome outcome;
  Workspace& workspace = ports.Space;
  QuoteStore& store = workspace.Quotes();
  auto registry = TickerRegistry::Load(workspace.AppFolder());
  if (!registry) {
    EndImport(outcome, ports, options, ImportStatus::Failed, registry.status().message());
    return outcome;
  }
  const std::string original = store.StockName;
  if (source.Settings.DeleteExisting) ClearQuoteStore(store);

  NodesOnlyObserver quietly(ports.Observer);
  const char separator = SeparatorChar(source.Settings.Separator);
  const char decimal = DecimalChar(source.Settings);
  const size_t columns =
      static_cast<size_t>(*std::max_element(roles.Columns.begin(), roles.Columns.end()));
  const bool byTicker = roles.Has(ImportRole::Ticker);
  const double today = ports.Today.Today();
  std::map<std::string, size_t> stockIndex;  // folded name -> place in outcome.Stocks
  size_t current = SIZE_MAX;                 // the open stock's place in outcome.Stocks
  ProgressMeter progress(options.Progress, source.Text.LineCount() - firstLine);
  Status failure;

  for (size_t i = firstLine; i < source.Text.LineCount() && failure.ok(); ++i) {
    progress.Done(i - firstLine);
    const auto fields = SplitImportLine(source.Text.Line(i), separator, columns);
    const auto field = [&](ImportRole role) { return FieldAt(fields, roles.Column(role)); };
    const Single close = ImportPrice(field(ImportRole::Close), decimal);
    const std::string stock = byTicker ? registry->StockOf(Trim(field(ImportRole::Ticker)))
                                       : std::string(Trim(field(ImportRole::Name)));
    if (!(close > 0) || !IsStockName(stock)) {
      ++outcome.SkippedLines;
      continue;
    }
    const bool open = !store.StockName.empty() && EqualsIgnoreCase(stock, store.StockName);
    if (!open) {
      if (!FileExists(StockFilePath(workspace, stock))) registry->Add(stock);
      failure = OpenNamedStock(ports, quietly, stock);
      if (!failure.ok()) break;
    }
    if (!open || current == SIZE_MAX) {
      const auto [place, added] =
          stockIndex.emplace(FoldCase(store.StockName), outcome.Stocks.size());
      if (added) outcome.Stocks.push_back({store.StockName, 0});
      current = place->second;
    }

    // A line without a date is today's quote; it replaces a quote of today
    // already stored, so a second import of the day updates it.
    const std::string_view dateField = field(ImportRole::Date);
    const bool dated = roles.Has(ImportRole::Date) && !dateField.empty();
    const double date =
        dated ? ImportDate(dateField, source.Settings.DateFormat, ports.Locale) : today;
    const double last = store.QuoteCount > 0 ? store.QuoteArray[store.QuoteCount].Date : NoDate;
    const bool replacesToday = !dated && store.QuoteCount > 0 && last == date;
    if (date == NoDate || (store.QuoteCount > 0 && date < last) ||
        (dated && store.QuoteCount > 0 && date == last)) {
      ++outcome.SkippedLines;
      continue;
    }
    if (!replacesToday && store.QuoteCount == MaxQuotes) DropOldestQuotes(store, 1);
    QuoteRecord record;
    record.Date = date;
    const auto price = [&](ImportRole role, Single& into) {
      if (roles.Has(role) && !field(role).empty()) into = ImportPrice(field(role), decimal);
    };
    price(ImportRole::Open, record.Open);
    price(ImportRole::Low, record.Low);
    price(ImportRole::High, record.High);
    record.Close = close;
    record.Volume = ImportWhole(field(ImportRole::Volume), decimal);
    const int place = replacesToday ? store.QuoteCount : store.QuoteCount + 1;
    store.QuoteArray[static_cast<size_t>(place)] = record;
    if (!replacesToday) {
      store.QuoteCount = place;
      ++outcome.Stocks[current].Added;
    }
  }
  progress.Done(source.Text.LineCount() - firstLine);

  // The registry is written before the stock open at the start is opened
  // again, which saves the last stock of the file.
  const Status registered = registry->Save();
  if (failure.ok()) failure = registered;
  // Ouvre saves the stock it leaves only under a name: with no stock open at
  // the start, the last stock of the file is saved here.
  if (original.empty() && failure.ok()) failure = SauveFich(workspace);
  const Status reopened = OpenNamedStock(ports, ports.Observer, original);
  if (failure.ok()) failure = reopened;
  if (original.empty()) store.StockName.clear();
  if (!failure.ok()) {
    EndImport(outcome, ports, options, ImportStatus::Failed, failure.message());
    return outcome;
  }
  outcome.Status = ImportStatus::Imported;
  return outcome;
}

}  // namespace chartorium
