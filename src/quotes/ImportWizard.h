// The ASCII import wizard as the engine keeps it: the file's lines, the
// header line, the settings, the preview grid with its captions and the
// templates. The import window shows it; the batch update drives it unseen.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"
#include "quotes/ImportGuess.h"
#include "quotes/ImportProcess.h"
#include "quotes/ImportSettings.h"
#include "quotes/ImportText.h"

namespace chartorium {

class Dialogs;
struct DateLocale;

/// The preview list shows this many bytes of a line at most.
constexpr size_t MaxShownLineLength = 1000;

class ImportWizard {
 public:
  /// The wizard of a data folder; the last settings come from section "FMaj"
  /// of its "Quorex.ini" (call LoadMemory).
  explicit ImportWizard(std::filesystem::path appFolder);

  /// Reads section "FMaj": separator, date format, decimal separator, the
  /// window's place and the last folder.
  Status LoadMemory();
  /// Writes section "FMaj" with the settings in force and `memory`'s place.
  Status SaveMemory();
  ImportMemory& Memory() { return memory_; }

  // --- Page one --------------------------------------------------------

  /// Opens a file: its lines go to the preview and the first line is the
  /// header. A file that cannot be read leaves the preview empty; the
  /// error says why (shown when `visible`). A file chosen with "&Browse"
  /// (not `byBatch`) is shown and its folder remembered as "Fol".
  Status OpenFile(const std::filesystem::path& file, Dialogs& dialogs, bool visible,
                  bool byBatch = false);
  /// The file shown after "File:"; empty when none was chosen.
  const std::filesystem::path& FileName() const { return shownFile_; }
  const ImportText& Text() const { return text_; }
  /// A line as the preview list shows it (very long lines are cut).
  std::string LineText(size_t line) const;
  /// The header line; REQUIRES: line < Text().LineCount() (else ignored).
  void SelectLine(size_t line);
  size_t SelectedLine() const { return selectedLine_; }
  /// The text after "Header:".
  std::string HeaderText() const;

  /// "&Next": the warning EmptyFileMessage for an empty file (when
  /// `visible`); otherwise the separator of the header line is detected,
  /// the grid built, its captions preset from a header, and the date format
  /// and decimal separator proposed from the data lines. False when the
  /// second page is not to be shown.
  bool Next(Dialogs& dialogs, bool visible, const DateLocale& locale);

  // --- Page two --------------------------------------------------------

  ImportSettings Settings;

  /// A new separator entry rebuilds the grid without captions; a blank entry
  /// changes nothing.
  void ChangeSeparator(std::string_view entry);
  /// Presets the captions from the header line, as "&Next" does; "Ignore
  /// first" becomes "1" when a caption was found. Returns whether one was.
  bool PresetFromHeader();
  const PreviewGrid& Grid() const { return grid_; }
  /// One caption per grid column; "" for a column without a role.
  const std::vector<std::string>& Captions() const { return captions_; }
  /// Gives a column (0-based) the caption of a role list entry.
  void ChooseRole(size_t column, std::string_view entry);

  /// The template list as shown; "Default" first when the file lacks it.
  const std::vector<std::string>& Templates() const { return templates_; }
  /// Reloads the template list from "Templates.ini" (with "Default").
  Status ReloadTemplates();
  /// Loads the template into the settings, rebuilds the grid when its
  /// separator differs, and gives the columns the template's captions. A
  /// name that is not in the list (one being typed to save) changes nothing.
  Status ChooseTemplate(std::string_view name);
  /// "&Save": stores the settings and captions under `name` and reloads the
  /// list (the file's sections only). A blank name or one with brackets
  /// shows TemplateNameMessage and saves nothing.
  Status SaveTemplate(std::string_view name, Dialogs& dialogs);
  /// "&Delete": erases the template, except "Default", and reloads the list.
  Status DeleteTemplate(std::string_view name);

  // --- Showing and closing ---------------------------------------------

  /// The wizard is shown: date format "DMY", templates reloaded.
  void Shown();
  /// The wizard is hidden: the preview is emptied, both check boxes cleared.
  void Hidden();
  /// The wizard is closed: the file name is forgotten, "Ignore first" is "0".
  void Closed();

  /// "&Process" with the settings in force on the lines of the open file.
  ImportOutcome Process(const ImportPorts& ports, const ImportRunOptions& options);

 private:
  std::filesystem::path appFolder_;
  ImportMemory memory_;
  std::filesystem::path file_;       ///< the file whose lines are held
  std::filesystem::path shownFile_;  ///< the file shown after "File:"
  ImportText text_;
  size_t selectedLine_ = 0;
  PreviewGrid grid_;
  std::vector<std::string> captions_;
  std::vector<std::string> templates_;
};

/// "Import ASCII file", followed, when a stock is open, by " in " + its name +
/// " if no Ticker selected".
std::string ImportWindowTitle(std::string_view openStock);

/// The batch update's import: opens `file`, "&Next" and "&Process" with the
/// wizard's settings, unseen, so no warning or information is shown (the
/// gap question and the stock name question are asked all the same).
ImportOutcome ImportFileUnseen(ImportWizard& wizard, const std::filesystem::path& file,
                               const ImportPorts& ports, bool reportGaps);

}  // namespace chartorium
