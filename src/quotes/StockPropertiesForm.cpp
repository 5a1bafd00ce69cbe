// Loading and saving the stock properties.
#include "quotes/StockPropertiesForm.h"

#include <algorithm>
#include <system_error>

#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

std::filesystem::path TickersPath(const std::filesystem::path& appFolder) {
  return ResolveFileName(appFolder, "Stocks.ini");
}

// A settings value is one line: line breaks typed into a field become blanks.
std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return line;
}

}  // namespace

std::string EarningsPrompt(std::string_view year) {
  return "Enter the earnings of " + std::string(year) + ":";
}

std::string StockToEdit(const Workspace& workspace) {
  const std::string& stock = workspace.Quotes().StockName;
  return Trim(stock).empty() ? std::string() : stock;
}

std::filesystem::path SitesPath(const std::filesystem::path& appFolder) {
  return ResolveFileName(appFolder, "Sites.ini");
}

Result<StockPropertiesForm> LoadStockPropertiesForm(const std::filesystem::path& appFolder,
                                                    std::string_view stock) {
  StockPropertiesForm form;
  form.Stock = std::string(stock);
  auto sites = IniFile::Load(SitesPath(appFolder));
  if (!sites) return sites.status();
  form.Sites = sites->ReadSections();
  auto settings = LoadStockSettings(appFolder, stock);
  if (!settings) return settings.status();
  const StockProperties& p = settings->Properties;
  form.Ticker = p.Tick;
  form.StoredSite = p.Site;
  form.Currency = p.Cur;
  form.Shares = p.Nbr;
  form.Notes = p.Not;
  if (!ChooseSite(form, p.Site)) form.Site = form.Sites.empty() ? -1 : 0;
  for (int i = 1;; ++i) {
    std::string year = FieldOf(p.Years, i, ";");
    if (year.empty()) break;
    form.Earnings.push_back({std::move(year), FieldOf(p.Earnings, i, ";")});
  }
  auto tickers = IniFile::Load(TickersPath(appFolder));
  if (!tickers) return tickers.status();
  form.Ticker = tickers->ReadString(stock, "Tick", form.Ticker);
  return form;
}

StockProperties PropertiesOfForm(const StockPropertiesForm& form) {
  StockProperties p;
  p.Tick = OneLine(Trim(form.Ticker));
  p.Site = form.Site >= 0 && static_cast<size_t>(form.Site) < form.Sites.size()
               ? form.Sites[static_cast<size_t>(form.Site)]
               : form.StoredSite;
  p.Cur = OneLine(form.Currency);
  p.Nbr = OneLine(form.Shares);
  p.Not = OneLine(form.Notes);
  for (size_t i = 0; i < form.Earnings.size(); ++i) {
    if (i > 0) {
      p.Years += ';';
      p.Earnings += ';';
    }
    p.Years += OneLine(form.Earnings[i].Year);
    p.Earnings += OneLine(form.Earnings[i].Earnings);
  }
  return p;
}

Status ConfirmStockProperties(Workspace& workspace, const StockPropertiesForm& form) {
  const StockProperties properties = PropertiesOfForm(form);
  const auto settingsPath = StockSettingsPath(workspace.AppFolder(), form.Stock);
  auto settings = IniFile::Load(settingsPath);
  if (!settings) return settings.status();
  WriteStockProperties(*settings, form.Stock, properties);
  std::error_code error;
  std::filesystem::create_directories(settingsPath.parent_path(), error);
  if (const Status saved = settings->Save(settingsPath); !saved.ok()) return saved;

  const auto tickersPath = TickersPath(workspace.AppFolder());
  auto tickers = IniFile::Load(tickersPath);
  if (!tickers) return tickers.status();
  tickers->WriteString(form.Stock, "Tick", properties.Tick);
  if (const Status saved = tickers->Save(tickersPath); !saved.ok()) return saved;

  if (EqualsIgnoreCase(workspace.Quotes().StockName, form.Stock))
    workspace.OpenStockSettings.Properties = properties;
  return Status::Ok();
}

bool ChooseSite(StockPropertiesForm& form, std::string_view site) {
  const auto found =
      std::find_if(form.Sites.begin(), form.Sites.end(),
                   [&](const std::string& name) { return EqualsIgnoreCase(name, site); });
  if (site.empty() || found == form.Sites.end()) return false;
  form.Site = static_cast<int>(found - form.Sites.begin());
  return true;
}

bool AddEarnings(StockPropertiesForm& form, Dialogs& dialogs) {
  const std::string year = dialogs.Input(YearPrompt, "");
  if (TextToInt(year) == 0) return false;
  const std::string earnings = dialogs.Input(EarningsPrompt(year), "");
  if (earnings.find(';') != std::string::npos || year.find(';') != std::string::npos) {
    dialogs.Warning(EarningsSemicolonMessage);
    return false;
  }
  form.Earnings.push_back({year, earnings});
  return true;
}

void DeleteEarnings(StockPropertiesForm& form, int row) {
  if (row < 0 || static_cast<size_t>(row) >= form.Earnings.size()) return;
  form.Earnings.erase(form.Earnings.begin() + row);
}

}  // namespace chartorium
