// Valuing the portfolio at the last close of each stock.
#pragma once

#include <filesystem>

namespace chartorium {

struct Portfolio;

/// Fills "Last Close" and "Change" of every row whose stock file exists, and
/// the portfolio's TotalAssets, PortfolioChange and ChangeIsNegative.
///
/// A row's change is (last − cost) / cost × 100, cost being Total price /
/// Qty and last the close rounded to two places, negated for a short row
/// (negative total), so a short position gains when the price falls. Total
/// assets are the cash plus Σ Qty × close over the valued rows. The portfolio
/// change is (current − invested) / current × 100 over all rows, current
/// being Σ Last Close × Qty and invested Σ Buy price × Qty: relative to what
/// the positions are worth now, not to what they cost (" 0.00%" when current
/// is 0). Rows whose stock file is missing keep their texts and add nothing
/// to the total assets. Every step is rounded to 0.0001.
void ValuePortfolio(Portfolio& portfolio, const std::filesystem::path& appFolder);

}  // namespace chartorium
