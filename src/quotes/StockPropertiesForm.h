// The stock properties dialog as the engine keeps it: ticker, update site,
// currency, shares, notes and yearly earnings of one stock.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"
#include "core/StockSettingsFile.h"

namespace chartorium {

class Dialogs;
class Workspace;

constexpr std::string_view YearPrompt = "Enter the year:";
/// "Enter the earnings of 1999:"
std::string EarningsPrompt(std::string_view year);
/// Shown instead of adding earnings that would break the ";"-lists they are kept in.
constexpr std::string_view EarningsSemicolonMessage = "The earnings can't hold \";\".";

struct EarningsRow {
  std::string Year;
  std::string Earnings;

  friend bool operator==(const EarningsRow&, const EarningsRow&) = default;
};

struct StockPropertiesForm {
  std::string Stock;   ///< the dialog's title: the stock's name
  std::string Ticker;  ///< "Stock ticker:"
  /// "Site for updates:": the sections of "Sites.ini" in file order.
  std::vector<std::string> Sites;
  /// The chosen site's place in Sites; -1 when "Sites.ini" lists none.
  int Site = -1;
  /// "Site" as the file holds it; written back unchanged while no site is listed.
  std::string StoredSite;
  std::string Currency = "USD";  ///< "Currency:"
  std::string Shares;            ///< "Number of released stocks:", as typed
  std::string Notes;             ///< "Notes:", one line
  std::vector<EarningsRow> Earnings;

  friend bool operator==(const StockPropertiesForm&, const StockPropertiesForm&) = default;
};

/// The stock "&General options of the selected stock" edits: the open stock;
/// "" when no stock is open, and the command does nothing.
std::string StockToEdit(const Workspace& workspace);

/// "Sites.ini" in the data folder.
std::filesystem::path SitesPath(const std::filesystem::path& appFolder);

/// Loads the properties of `stock`: every key of its settings file (the
/// defaults when it is missing), the site list with the stored site chosen
/// (the first site when it is missing or not listed), the earnings list from
/// "Years" and "Earnings" (one row per year up to the first empty year), and
/// last the ticker of "Stocks.ini", which wins over the settings file's.
Result<StockPropertiesForm> LoadStockPropertiesForm(const std::filesystem::path& appFolder,
                                                    std::string_view stock);

/// The keys the form writes: "Years" and "Earnings" as parallel ";"-lists.
StockProperties PropertiesOfForm(const StockPropertiesForm& form);

/// "Ok": writes every key to the stock's settings file (keeping its chart
/// settings) and "Tick" to "Stocks.ini"; when the stock is the open one, its
/// properties in the workspace follow.
Status ConfirmStockProperties(Workspace& workspace, const StockPropertiesForm& form);

/// Chooses the site of that name (ignoring case); false when it is not listed.
bool ChooseSite(StockPropertiesForm& form, std::string_view site);

/// "&Add": asks the year, then the earnings, and appends the row as typed. A
/// year that does not read as a whole number other than 0 ends it. Returns
/// whether a row was added.
bool AddEarnings(StockPropertiesForm& form, Dialogs& dialogs);

/// "&Delete": removes row `row` (0-based); nothing when there is no such row.
void DeleteEarnings(StockPropertiesForm& form, int row);

}  // namespace chartorium
