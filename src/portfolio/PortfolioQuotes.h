// What the portfolio reads of the stock files: the stock names, the last
// close and the close of a date.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/QuoteRecord.h"

namespace chartorium {

/// The names of the ".kvx" files of the "Stocks" folder (any case of the
/// extension) without it, sorted ignoring case.
std::vector<std::string> PortfolioStockList(const std::filesystem::path& appFolder);

/// The stock file "Stocks/<stock>.kvx", found without regard to case.
std::filesystem::path PortfolioStockFile(const std::filesystem::path& appFolder,
                                         std::string_view stock);

/// The records of a stock file, oldest first; an old-format file is brought
/// to the current format first. nullopt when the file does not exist or
/// cannot be read.
std::optional<std::vector<QuoteRecord>> ReadStockQuotes(const std::filesystem::path& stockFile);

/// The price the operation dialog proposes: the close ("%8.2f", trimmed) of
/// the newest record dated on or before `date`, or of the last record when
/// there is none (so NoDate proposes the last close). Empty when the stock
/// has no quotes.
std::string ProposedPrice(const std::filesystem::path& appFolder, std::string_view stock,
                          double date);

}  // namespace chartorium
