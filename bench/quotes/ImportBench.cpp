// Importing quotes from text files: a full history into an empty stock, and a
// day of quotes for many stocks. Each runs twice: with the data folder in
// memory (the program's own work, file writes included) and on the disk of
// the temporary folder, where every crash-safe save also waits for the disk.
#include <benchmark/benchmark.h>

#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/Calendar.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/DateTexts.h"
#include "core/NullDialogs.h"
#include "core/QuoteStore.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/StockObserver.h"
#include "core/Workspace.h"
#include "quotes/ImportWizard.h"
#include "support/BenchLibrary.h"

namespace chartorium {
namespace {

enum class Storage { Memory, Disk };

// The folder the benchmark's data folder goes in.
std::filesystem::path StorageFolder(Storage storage) {
  std::error_code error;
  if (storage == Storage::Memory && std::filesystem::is_directory("/dev/shm", error))
    return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

std::string Number(double value) {
  char buffer[32];
  return std::string(
      buffer,
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr);
}

// 2001 days of quotes as a data site lists them: a header, newest first.
std::string HistoryText() {
  std::string text = "Date,Open,High,Low,Close,Adj Close,Volume\r\n";
  const int last = DayNumber(2024, 12, 31);
  for (int i = 0; i < MaxQuotes; ++i) {
    const double close = 100 + (i * 37 % 200) / 10.0;
    text += IsoDateText(last - i) + "," + Number(close - 0.4) + "," + Number(close + 1.1) + "," +
            Number(close - 1.3) + "," + Number(close) + "," + Number(close * 0.98) + "," +
            std::to_string(1'000'000 + i * 17) + "\r\n";
  }
  return text;
}

void ImportHistoryIntoEmptyStock(benchmark::State& state, Storage storage) {
  const auto home = StorageFolder(storage) / "chartorium-bench-import-history";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home / "Stocks");
  const auto file = home / "history.csv";
  static_cast<void>(WriteFileAtomically(file, HistoryText()));
  Workspace workspace(home);
  NullDialogs dialogs;
  NoStockObserver observer;
  const DateLocale locale;
  const FixedClock clock(DayNumber(2025, 1, 2));
  const ImportPorts ports{workspace, dialogs, observer, locale, clock};
  ImportRunOptions options;
  options.Visible = false;
  const auto stock = StockFilePath(workspace, "Bench");
  int added = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CloseStockFile(workspace);
    static_cast<void>(WriteFileAtomically(stock, {}));
    workspace.Quotes().StockName = "Bench";
    static_cast<void>(Ouvre(workspace, dialogs, observer, stock));
    state.ResumeTiming();

    ImportWizard wizard(home);
    static_cast<void>(wizard.OpenFile(file, dialogs, false, true));
    wizard.Next(dialogs, false, locale);
    const ImportOutcome outcome = wizard.Process(ports, options);
    added = outcome.Stocks.empty() ? 0 : outcome.Stocks[0].Added;
    benchmark::DoNotOptimize(added);
  }
  state.counters["quotes"] = added;
  std::filesystem::remove_all(home);
}
BENCHMARK_CAPTURE(ImportHistoryIntoEmptyStock, memory, Storage::Memory)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportHistoryIntoEmptyStock, disk, Storage::Disk)->Unit(benchmark::kMillisecond);

constexpr int ManyStocks = 500;

// One day of quotes for every stock of a generated library, by name.
std::string DayText(int day) {
  std::string text = "Date,Name,Close,Volume\r\n";
  for (int i = 0; i < ManyStocks; ++i)
    text += IsoDateText(day) + "," + GeneratedStockName(i) + "," + Number(50 + i % 90) + "," +
            std::to_string(20'000 + i) + "\r\n";
  return text;
}

void ImportDayOfManyStocks(benchmark::State& state, Storage storage) {
  const auto home = WriteGeneratedLibrary(
      (StorageFolder(storage) / "chartorium-bench-import-many").string(), ManyStocks, 15'000);
  const auto file = home / "day.csv";
  Workspace workspace(home);
  NullDialogs dialogs;
  NoStockObserver observer;
  const DateLocale locale;
  const FixedClock clock(DayNumber(2027, 1, 1));
  const ImportPorts ports{workspace, dialogs, observer, locale, clock};
  ImportRunOptions options;
  options.Visible = false;
  // Every run imports the day after the last one, so every line adds a quote.
  int day = DayNumber(2026, 12, 10);
  size_t stocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    static_cast<void>(WriteFileAtomically(file, DayText(day++)));
    state.ResumeTiming();

    ImportWizard wizard(home);
    static_cast<void>(wizard.OpenFile(file, dialogs, false, true));
    wizard.Next(dialogs, false, locale);
    wizard.ChooseRole(1, "Name");
    const ImportOutcome outcome = wizard.Process(ports, options);
    stocks = outcome.Stocks.size();
    benchmark::DoNotOptimize(stocks);
  }
  state.counters["stocks"] = static_cast<double>(stocks);
  std::filesystem::remove_all(home);
}
BENCHMARK_CAPTURE(ImportDayOfManyStocks, memory, Storage::Memory)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ImportDayOfManyStocks, disk, Storage::Disk)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace chartorium
