// The portfolio as an HTML page and as the lines of its printed page.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/Status.h"
#include "reports/PagePreview.h"

namespace chartorium {

struct Portfolio;

/// The page file the portfolio is exported to, in the data folder.
constexpr std::string_view PortfolioPageFile = PreviewPageFile;

/// The HTML page of the positions and totals (UTF-8, CR LF lines). Unlike
/// the tag functions, the page escapes the texts it takes from the portfolio
/// (stock names, the portfolio's name, every cell), so a "<" or "&" in a
/// name shows as itself.
std::string PortfolioPage(const Portfolio& portfolio);

/// Writes the page to `file` in Windows-1252, crash-safely.
Status WritePortfolioPage(const Portfolio& portfolio, const std::filesystem::path& file);

/// What the printed page shows.
struct PortfolioPrintout {
  std::string Header;  ///< "Portfolio " + the name
  std::string Footer;  ///< the program's name
  /// One line per position, its columns joined with "|", then an empty line,
  /// "Funds: " + the cash and the total assets.
  std::vector<std::string> Lines;
};

PortfolioPrintout PrintPortfolio(const Portfolio& portfolio);

}  // namespace chartorium
