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

// The lines of one stock, in file order.
struct StockLines {
  std::string Stock;
  std::vector<size_t> Lines;
};

// How the lines of the file are read.
struct LineReader {
  const ImportSource& Source;
  const RoleMap& Roles;
  char Separator;
  char Decimal;
  size_t Columns;

  std::vector<std::string> Fields(size_t line) const {
    return SplitImportLine(Source.Text.Line(line), Separator, Columns);
  }
  std::string_view Field(const std::vector<std::string>& fields, ImportRole role) const {
    return FieldAt(fields, Roles.Column(role));
  }
};

// Sorts the lines by stock, in the order the file first names each stock. A
// stock's lines keep their order, so the result is the same as going from
// stock to stock line by line, while each stock is opened and saved once
// (a file of many days lists every stock once a day).
std::vector<StockLines> GroupLines(const LineReader& reader, const TickerRegistry& registry,
                                   size_t firstLine, int& skipped) {
  std::vector<StockLines> groups;
  std::map<std::string, size_t> place;  // folded name -> group
  const bool byTicker = reader.Roles.Has(ImportRole::Ticker);
  for (size_t i = firstLine; i < reader.Source.Text.LineCount(); ++i) {
    const auto fields = reader.Fields(i);
    const Single close = ImportPrice(reader.Field(fields, ImportRole::Close), reader.Decimal);
    std::string stock = byTicker ? registry.StockOf(Trim(reader.Field(fields, ImportRole::Ticker)))
                                 : std::string(Trim(reader.Field(fields, ImportRole::Name)));
    if (!(close > 0) || !IsStockName(stock)) {
      ++skipped;
      continue;
    }
    const auto [found, added] = place.emplace(FoldCase(stock), groups.size());
    if (added) groups.push_back({std::move(stock), {}});
    groups[found->second].Lines.push_back(i);
  }
  return groups;
}

// Appends one line's quote to the open stock; false when the line gives none.
// A line without a date is today's quote; it replaces a quote of today
// already stored, so a second import of the day updates it.
bool AddLine(QuoteStore& store, const LineReader& reader, size_t line, double today,
             const ImportPorts& ports, bool& added) {
  const auto fields = reader.Fields(line);
  const auto field = [&](ImportRole role) { return reader.Field(fields, role); };
  const std::string_view dateField = field(ImportRole::Date);
  const bool dated = reader.Roles.Has(ImportRole::Date) && !dateField.empty();
  const double date =
      dated ? ImportDate(dateField, reader.Source.Settings.DateFormat, ports.Locale) : today;
  const double last = store.QuoteCount > 0 ? store.QuoteArray[store.QuoteCount].Date : NoDate;
  const bool replacesToday = !dated && store.QuoteCount > 0 && last == date;
  if (date == NoDate || (store.QuoteCount > 0 && date < last) ||
      (dated && store.QuoteCount > 0 && date == last))
    return false;
  if (!replacesToday && store.QuoteCount == MaxQuotes) DropOldestQuotes(store, 1);
  QuoteRecord record;
  record.Date = date;
  const auto price = [&](ImportRole role, Single& into) {
    if (reader.Roles.Has(role) && !field(role).empty())
      into = ImportPrice(field(role), reader.Decimal);
  };
  price(ImportRole::Open, record.Open);
  price(ImportRole::Low, record.Low);
  price(ImportRole::High, record.High);
  price(ImportRole::Close, record.Close);
  record.Volume = ImportWhole(field(ImportRole::Volume), reader.Decimal);
  const int place = replacesToday ? store.QuoteCount : store.QuoteCount + 1;
  store.QuoteArray[static_cast<size_t>(place)] = record;
  store.QuoteCount = place;
  added = !replacesToday;
  return true;
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

  const LineReader reader{
      source, roles, SeparatorChar(source.Settings.Separator), DecimalChar(source.Settings),
      static_cast<size_t>(*std::max_element(roles.Columns.begin(), roles.Columns.end()))};
  const std::vector<StockLines> groups =
      GroupLines(reader, *registry, firstLine, outcome.SkippedLines);
  NodesOnlyObserver quietly(ports.Observer);
  const double today = ports.Today.Today();
  ProgressMeter progress(options.Progress, source.Text.LineCount() - firstLine);
  size_t done = static_cast<size_t>(outcome.SkippedLines);
  Status failure;

  for (const StockLines& group : groups) {
    if (store.StockName.empty() || !EqualsIgnoreCase(group.Stock, store.StockName)) {
      const std::filesystem::path file = StockFilePath(workspace, group.Stock);
      if (!FileExists(file)) registry->Add(group.Stock);
      store.StockName = group.Stock;
      failure = Ouvre(workspace, ports.Messages, quietly, file);
      if (!failure.ok()) break;
    }
    StockImported imported{store.StockName, 0};
    for (const size_t line : group.Lines) {
      bool added = false;
      if (!AddLine(store, reader, line, today, ports, added)) ++outcome.SkippedLines;
      if (added) ++imported.Added;
      progress.Done(++done);
    }
    outcome.Stocks.push_back(std::move(imported));
  }

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
