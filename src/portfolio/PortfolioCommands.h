// The portfolio window's file commands: new, open, save, rename, the
// question before unsaved changes are closed, and the "Port" settings.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "portfolio/PortfolioOperations.h"

namespace chartorium {

class IniFile;
struct Portfolio;

/// The open and save dialogs of the portfolio window; tests answer them.
class PortfolioFileDialogs {
 public:
  PortfolioFileDialogs() = default;
  PortfolioFileDialogs(const PortfolioFileDialogs&) = delete;
  PortfolioFileDialogs& operator=(const PortfolioFileDialogs&) = delete;
  virtual ~PortfolioFileDialogs() = default;

  /// A portfolio file chosen in `folder`; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToOpen(
      const std::filesystem::path& folder) = 0;
  /// The file to save to, proposing `name` in `folder`; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path& folder,
                                                                std::string_view name) = 0;
};

constexpr std::string_view NewPortfolioPrompt = "Name of the new portfolio:";
constexpr std::string_view RenamePortfolioPrompt = "Enter the new name of the portfolio:";
constexpr std::string_view PortfolioCaption = "Portfolio management";

/// "Do you want to save the changes to the portfolio <name>?"
std::string SaveChangesQuestion(std::string_view name);

/// The folder "Portfolios" of the data folder, created when missing; the
/// open and save dialogs start there.
std::filesystem::path PortfoliosFolder(const std::filesystem::path& appFolder);

/// Asks whether to save a modified portfolio before it is closed (the window
/// closes, another portfolio is opened or created, the program ends). Yes
/// saves it (through the save dialog when it has no file yet). True when
/// the portfolio may be closed: it was not modified, the user answered No,
/// or it was saved; false when the save was cancelled or failed.
bool SaveChangesBeforeClosing(Portfolio& portfolio, const PortfolioContext& context,
                              PortfolioFileDialogs& files);

/// "New portfolio": after the save question, asks the name (empty cancels)
/// and starts an empty portfolio without a file. True when created.
bool NewPortfolioCommand(Portfolio& portfolio, const PortfolioContext& context,
                         PortfolioFileDialogs& files);

/// "Open a portfolio": after the save question, the open dialog; the chosen
/// file is opened as OpenPortfolioFile does. True when a portfolio was read.
bool OpenPortfolioCommand(Portfolio& portfolio, const PortfolioContext& context,
                          PortfolioFileDialogs& files);

/// Opens `file`, or the file of that name in the "Portfolios" folder when
/// it does not exist; when neither exists nothing happens (false). A file
/// that does not read as a portfolio is shown as an error and leaves the
/// portfolio as it was. The portfolio read is valued and becomes current.
bool OpenPortfolioFile(Portfolio& portfolio, const PortfolioContext& context,
                       std::string_view file);

/// Showing the window: the portfolio starts empty and the "Last" file, when
/// there is one, is opened as OpenPortfolioFile does.
void ReopenLastPortfolio(Portfolio& portfolio, const PortfolioContext& context,
                         std::string_view last);

/// "Save": to the current file, else (and always with `saveAs`) to the file
/// the save dialog gives. An error is shown; true when written.
bool SavePortfolioCommand(Portfolio& portfolio, const PortfolioContext& context,
                          PortfolioFileDialogs& files, bool saveAs);

/// Double click on the name bar: a loaded portfolio takes a new name when
/// the answer is not empty. True when renamed.
bool RenamePortfolioCommand(Portfolio& portfolio, const PortfolioContext& context);

/// The window's settings, section "Port" of "Quorex.ini".
struct PortSettings {
  int Left = 160;   ///< key "Left"
  int Top = 120;    ///< key "Top"
  int Width = 780;  ///< key "Width"; the height is the program's
  /// Key "Last": the portfolio file reopened when the window is shown.
  std::string Last;

  friend bool operator==(const PortSettings&, const PortSettings&) = default;
};

PortSettings ReadPortSettings(const IniFile& quorex);
void WritePortSettings(IniFile& quorex, const PortSettings& settings);

/// The "Last" file of a portfolio: its current file, so that the window
/// reopens what it showed; empty for a portfolio that was never saved.
std::string LastPortfolioFile(const Portfolio& portfolio);

}  // namespace chartorium
