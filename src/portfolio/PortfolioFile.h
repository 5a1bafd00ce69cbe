// The portfolio file (".por"): a Windows-1252 text of CR LF lines.
//
//    Cash (as shown, with its leading space)
//    PortfolioName (trimmed)
//    USD
//    Stocks;Buy date;Qty;Buy price;Total price;Last Close;Change;USD   one per position
//    $^<0xA8>                                                           the separator
//    journal lines, oldest first, to the end of the file
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/Status.h"
#include "portfolio/Portfolio.h"

namespace chartorium {

/// The separator line between the positions and the journal; the byte 0xA8
/// is written as it is, whatever the code page.
constexpr std::string_view JournalSeparator = "$^\xA8";

/// The file's bytes for the portfolio: every line ends with CR LF.
std::string PortfolioFileBytes(const Portfolio& portfolio);

/// Whether the bytes read as a portfolio: a text without NUL bytes of at
/// least three lines, whose first line is an amount (or empty) and whose
/// position lines hold at least five ";"-fields (up to the total price). Corruption says what is
/// wrong.
Status CheckPortfolioBytes(std::string_view bytes);

/// Reads name, cash, positions and journal. The first line, trimmed, becomes
/// the cash and the second the name, each with one leading space; the third
/// is skipped; every line up to the separator line (or the end, in a file
/// without one) is a position whose first six fields fill its columns (the
/// change is left to the valuation); the lines after the separator are the
/// journal. Lines may end with CR LF or LF. Fails as CheckPortfolioBytes does.
Result<Portfolio> ReadPortfolioBytes(std::string_view bytes);

/// Reads a portfolio file; NotFound when it does not exist.
Result<Portfolio> ReadPortfolioFile(const std::filesystem::path& file);

/// Writes the portfolio crash-safely. An existing file that does not read
/// as a portfolio (an empty one aside) is not overwritten: the write fails
/// with Corruption.
Status WritePortfolioFile(const Portfolio& portfolio, const std::filesystem::path& file);

}  // namespace chartorium
