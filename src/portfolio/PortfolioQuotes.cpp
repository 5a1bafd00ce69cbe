// Reading stock files for the portfolio. Files are read whole: a stock holds
// at most 2001 records of 40 bytes.
#include "portfolio/PortfolioQuotes.h"

#include <algorithm>
#include <span>
#include <system_error>

#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"

namespace chartorium {

std::vector<std::string> PortfolioStockList(const std::filesystem::path& appFolder) {
  std::vector<std::string> names;
  std::error_code error;
  const std::filesystem::path folder = ResolveFileName(appFolder, "Stocks");
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code kind;
    if (name.size() > 4 && it->is_regular_file(kind) &&
        EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".kvx"))
      names.push_back(name.substr(0, name.size() - 4));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FoldCase(a) < FoldCase(b); });
  return names;
}

std::filesystem::path PortfolioStockFile(const std::filesystem::path& appFolder,
                                         std::string_view stock) {
  return ResolveFileName(appFolder, "Stocks/" + std::string(stock) + ".kvx");
}

std::optional<std::vector<QuoteRecord>> ReadStockQuotes(const std::filesystem::path& stockFile) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(stockFile, error)) return std::nullopt;
  if (!ConvertOldStockFile(stockFile).ok()) return std::nullopt;
  const auto bytes = ReadWholeFile(stockFile);
  if (!bytes) return std::nullopt;
  std::vector<QuoteRecord> records;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
  for (size_t at = 0; at + QuoteRecordSize <= bytes->size(); at += QuoteRecordSize)
    records.push_back(DecodeQuoteRecord(
        std::span<const std::uint8_t, QuoteRecordSize>(data + at, QuoteRecordSize)));
  return records;
}

std::string ProposedPrice(const std::filesystem::path& appFolder, std::string_view stock,
                          double date) {
  const auto records = ReadStockQuotes(PortfolioStockFile(appFolder, stock));
  if (!records || records->empty()) return {};
  const auto dated =
      std::find_if(records->rbegin(), records->rend(),
                   [date](const QuoteRecord& record) { return record.Date <= date; });
  const QuoteRecord& chosen = dated == records->rend() ? records->back() : *dated;
  return PriceText(chosen.Close);
}

}  // namespace chartorium
