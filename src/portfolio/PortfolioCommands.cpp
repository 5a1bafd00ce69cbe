// The file commands of the portfolio window.
#include "portfolio/PortfolioCommands.h"

#include <system_error>

#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioFile.h"
#include "portfolio/PortfolioValuation.h"

namespace chartorium {
namespace {

constexpr std::string_view Section = "Port";
constexpr std::string_view ProductName = "Chartorium";

// The file name of a path written on any platform: "Last" may hold a path of
// the library's Windows days.
std::string_view FileNamePart(std::string_view file) {
  const size_t slash = file.find_last_of("/\\");
  return slash == std::string_view::npos ? file : file.substr(slash + 1);
}

bool IsFile(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

bool SaveTo(Portfolio& portfolio, const PortfolioContext& context,
            const std::filesystem::path& file) {
  if (const Status written = WritePortfolioFile(portfolio, file); !written.ok()) {
    context.Messages.Error(ProductName, written.message());
    return false;
  }
  portfolio.CurrentFile = file;
  portfolio.Modified = false;
  return true;
}

}  // namespace

std::string SaveChangesQuestion(std::string_view name) {
  return "Do you want to save the changes to the portfolio " + std::string(name) + "?";
}

std::filesystem::path PortfoliosFolder(const std::filesystem::path& appFolder) {
  const std::filesystem::path folder = ResolveFileName(appFolder, "Portfolios");
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return folder;
}

bool SaveChangesBeforeClosing(Portfolio& portfolio, const PortfolioContext& context,
                              PortfolioFileDialogs& files) {
  if (!portfolio.Loaded() || !portfolio.Modified) return true;
  if (!context.Messages.Confirm(SaveChangesQuestion(portfolio.TrimmedName()))) return true;
  return SavePortfolioCommand(portfolio, context, files, false);
}

bool NewPortfolioCommand(Portfolio& portfolio, const PortfolioContext& context,
                         PortfolioFileDialogs& files) {
  if (!SaveChangesBeforeClosing(portfolio, context, files)) return false;
  const std::string name = context.Messages.Input(NewPortfolioPrompt, "");
  if (name.empty()) return false;
  portfolio = Portfolio{};
  portfolio.PortfolioName = " " + name;
  // Never saved yet: closing it asks first.
  portfolio.Modified = true;
  return true;
}

bool OpenPortfolioCommand(Portfolio& portfolio, const PortfolioContext& context,
                          PortfolioFileDialogs& files) {
  if (!SaveChangesBeforeClosing(portfolio, context, files)) return false;
  const auto chosen = files.ChooseFileToOpen(PortfoliosFolder(context.AppFolder));
  if (!chosen) return false;
  return OpenPortfolioFile(portfolio, context, chosen->string());
}

bool OpenPortfolioFile(Portfolio& portfolio, const PortfolioContext& context,
                       std::string_view file) {
  std::filesystem::path path(file);
  if (!IsFile(path)) {
    path = ResolveFileName(context.AppFolder, "Portfolios/" + std::string(FileNamePart(file)));
    if (FileNamePart(file).empty() || !IsFile(path)) return false;
  }
  auto read = ReadPortfolioFile(path);
  if (!read) {
    context.Messages.Error(ProductName, read.status().message());
    return false;
  }
  portfolio = std::move(*read);
  ValuePortfolio(portfolio, context.AppFolder);
  return true;
}

void ReopenLastPortfolio(Portfolio& portfolio, const PortfolioContext& context,
                         std::string_view last) {
  portfolio = Portfolio{};
  if (!last.empty()) static_cast<void>(OpenPortfolioFile(portfolio, context, last));
}

bool SavePortfolioCommand(Portfolio& portfolio, const PortfolioContext& context,
                          PortfolioFileDialogs& files, bool saveAs) {
  if (portfolio.CurrentFile && !saveAs) return SaveTo(portfolio, context, *portfolio.CurrentFile);
  const auto chosen =
      files.ChooseFileToSave(PortfoliosFolder(context.AppFolder), portfolio.TrimmedName());
  if (!chosen) return false;
  return SaveTo(portfolio, context, *chosen);
}

bool RenamePortfolioCommand(Portfolio& portfolio, const PortfolioContext& context) {
  if (!portfolio.Loaded()) return false;
  const std::string name = context.Messages.Input(RenamePortfolioPrompt, portfolio.TrimmedName());
  if (name.empty()) return false;
  portfolio.PortfolioName = " " + name;
  portfolio.Modified = true;
  return true;
}

PortSettings ReadPortSettings(const IniFile& quorex) {
  const PortSettings defaults;
  PortSettings settings;
  settings.Left = quorex.ReadInteger(Section, "Left", defaults.Left);
  settings.Top = quorex.ReadInteger(Section, "Top", defaults.Top);
  settings.Width = quorex.ReadInteger(Section, "Width", defaults.Width);
  settings.Last = quorex.ReadString(Section, "Last", "");
  return settings;
}

void WritePortSettings(IniFile& quorex, const PortSettings& settings) {
  quorex.WriteInteger(Section, "Left", settings.Left);
  quorex.WriteInteger(Section, "Top", settings.Top);
  quorex.WriteInteger(Section, "Width", settings.Width);
  quorex.WriteString(Section, "Last", settings.Last);
}

std::string LastPortfolioFile(const Portfolio& portfolio) {
  return portfolio.CurrentFile ? portfolio.CurrentFile->string() : std::string();
}

}  // namespace chartorium
