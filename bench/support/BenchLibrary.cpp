#include "support/BenchLibrary.h"

#include "core/Calendar.h"
#include "core/DemoLibrary.h"
#include "core/DemoMacros.h"
#include "core/StockCommands.h"
#include "core/Workspace.h"

namespace chartorium {

std::string GeneratedStockName(int i) {
  return "Stock " + std::to_string(i);
}

std::filesystem::path WriteGeneratedLibrary(std::string_view folderName, int stockCount,
                                            unsigned long long seedBase) {
  const auto path = std::filesystem::temp_directory_path() / folderName;
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path / "Stocks");
  Workspace workspace(path);
  QuoteStore& store = workspace.Quotes();
  for (int i = 0; i < stockCount; ++i) {
    const DemoStock& kind = DemoStocks()[static_cast<size_t>(i) % DemoStocks().size()];
    GenerateQuotes(kind, seedBase + static_cast<unsigned long long>(i), DayNumber(2026, 12, 9),
                   MaxQuotes, store.QuoteArray);
    store.QuoteCount = MaxQuotes;
    store.StockName = GeneratedStockName(i);
    store.OpenFileStock = store.StockName;
    store.OpenFile = path / "Stocks" / (store.StockName + ".kvx");
    static_cast<void>(SauveFich(workspace));
  }
  return path;
}

std::string DemoMacroText(std::string_view path) {
  for (const DemoMacroFile& file : DemoMacroFiles()) {
    if (file.Path == path) return std::string(file.Text);
  }
  return {};
}

}  // namespace chartorium
