// The import wizard's state and its page commands.
#include "quotes/ImportWizard.h"

#include <algorithm>

#include "core/Dialogs.h"
#include "core/IniFile.h"
#include "core/TextCase.h"
#include "quotes/ImportFields.h"
#include "quotes/ImportTemplates.h"

namespace chartorium {
namespace {

constexpr std::string_view ProductName = "Chartorium";

}  // namespace

ImportWizard::ImportWizard(std::filesystem::path appFolder) : appFolder_(std::move(appFolder)) {}

Status ImportWizard::LoadMemory() {
  auto memory = LoadImportMemory(appFolder_);
  if (!memory) return memory.status();
  memory_ = std::move(*memory);
  Settings.Separator = memory_.Separator;
  Settings.DateFormat = std::clamp(memory_.DateFormat, 0, 2);
  Settings.DecimalSeparator = memory_.DecimalSeparator;
  return Status::Ok();
}

Status ImportWizard::SaveMemory() {
  memory_.Separator = Settings.Separator;
  memory_.DateFormat = Settings.DateFormat;
  memory_.DecimalSeparator = Settings.DecimalSeparator;
  return SaveImportMemory(appFolder_, memory_);
}

Status ImportWizard::OpenFile(const std::filesystem::path& file, Dialogs& dialogs, bool visible,
                              bool byBatch) {
  text_ = ImportText();
  selectedLine_ = 0;
  file_ = file;
  if (!byBatch) {
    shownFile_ = file;
    memory_.Folder = file.parent_path().string();
    if (const Status remembered = RememberImportFolder(appFolder_, file.parent_path());
        !remembered.ok() && visible)
      dialogs.Error(ProductName, remembered.message());
  }
  auto text = ImportText::Read(file);
  if (!text) {
    if (visible) dialogs.Warning(text.status().message());
    return text.status();
  }
  text_ = std::move(*text);
  return Status::Ok();
}

std::string ImportWizard::LineText(size_t line) const {
  if (line >= text_.LineCount()) return {};
  std::string_view text = text_.Line(line);
  if (text.size() <= MaxShownLineLength) return std::string(text);
  size_t cut = MaxShownLineLength;
  // Cut before a UTF-8 continuation byte's lead, never inside a character.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

void ImportWizard::SelectLine(size_t line) {
  if (line < text_.LineCount()) selectedLine_ = line;
}

std::string ImportWizard::HeaderText() const {
  return LineText(selectedLine_);
}

bool ImportWizard::Next(Dialogs& dialogs, bool visible, const DateLocale& locale) {
  if (text_.Empty()) {
    if (visible) dialogs.Warning(EmptyFileMessage);
    return false;
  }
  const std::string_view header = text_.Line(selectedLine_);
  Settings.Separator = std::string(DetectSeparator(header));
  const char separator = SeparatorChar(Settings.Separator);
  grid_ = BuildPreview(text_, selectedLine_, separator);
  const bool hasHeader = PresetFromHeader();

  // The file's own lines tell how its dates and numbers are written.
  const size_t firstData = selectedLine_ + (hasHeader ? 1 : 0);
  int dateColumn = ReadRoleMap(captions_).Column(ImportRole::Date);
  if (dateColumn == 0)
    dateColumn = GuessDateColumn(text_, firstData, separator, grid_.Columns, locale);
  if (const auto format =
          ProposeDateFormat(text_, firstData, separator, dateColumn, Settings.DateFormat, locale))
    Settings.DateFormat = *format;
  if (const auto decimal = ProposeDecimalSeparator(text_, firstData, separator, dateColumn))
    Settings.DecimalSeparator = std::string(1, *decimal);
  return true;
}

void ImportWizard::ChangeSeparator(std::string_view entry) {
  if (Trim(entry).empty()) return;
  Settings.Separator = std::string(entry);
  grid_ = BuildPreview(text_, selectedLine_, SeparatorChar(entry));
  captions_.assign(grid_.Columns, std::string());
}

bool ImportWizard::PresetFromHeader() {
  if (selectedLine_ >= text_.LineCount()) return false;
  captions_ =
      PresetCaptions(text_.Line(selectedLine_), SeparatorChar(Settings.Separator), grid_.Columns);
  const bool found = std::any_of(captions_.begin(), captions_.end(),
                                 [](const std::string& caption) { return !caption.empty(); });
  if (found) Settings.IgnoreLines = "1";
  return found;
}

void ImportWizard::ChooseRole(size_t column, std::string_view entry) {
  if (column < captions_.size()) captions_[column] = CaptionOfEntry(entry);
}

Status ImportWizard::ReloadTemplates() {
  auto templates = IniFile::Load(TemplatesPath(appFolder_));
  if (!templates) return templates.status();
  templates_ = TemplateNames(*templates, true);
  return Status::Ok();
}

Status ImportWizard::ChooseTemplate(std::string_view name) {
  // A name typed into the list that is no template yet is a name to save under.
  const bool listed = std::any_of(templates_.begin(), templates_.end(), [&](const std::string& t) {
    return EqualsIgnoreCase(t, Trim(name));
  });
  if (!listed) return Status::Ok();
  auto templates = IniFile::Load(TemplatesPath(appFolder_));
  if (!templates) return templates.status();
  const std::string separator = Settings.Separator;
  ApplyTemplateSettings(*templates, Trim(name), Settings);
  if (Settings.Separator != separator)
    grid_ = BuildPreview(text_, selectedLine_, SeparatorChar(Settings.Separator));
  captions_ = TemplateCaptions(*templates, Trim(name), grid_.Columns);
  return Status::Ok();
}

Status ImportWizard::SaveTemplate(std::string_view name, Dialogs& dialogs) {
  if (!IsTemplateName(name)) {
    dialogs.Warning(TemplateNameMessage);
    return Status::InvalidArgument(TemplateNameMessage);
  }
  const auto path = TemplatesPath(appFolder_);
  auto templates = IniFile::Load(path);
  if (!templates) return templates.status();
  StoreTemplate(*templates, Trim(name), Settings, captions_);
  if (const Status saved = templates->Save(path); !saved.ok()) return saved;
  templates_ = TemplateNames(*templates, false);
  return Status::Ok();
}

Status ImportWizard::DeleteTemplate(std::string_view name) {
  const auto path = TemplatesPath(appFolder_);
  auto templates = IniFile::Load(path);
  if (!templates) return templates.status();
  if (!EqualsIgnoreCase(Trim(name), DefaultTemplate) && templates->SectionExists(Trim(name))) {
    templates->EraseSection(Trim(name));
    if (const Status saved = templates->Save(path); !saved.ok()) return saved;
  }
  templates_ = TemplateNames(*templates, true);
  return Status::Ok();
}

void ImportWizard::Shown() {
  Settings.DateFormat = 0;
  static_cast<void>(ReloadTemplates());
}

void ImportWizard::Hidden() {
  text_ = ImportText();
  selectedLine_ = 0;
  Settings.NewFile = false;
  Settings.DeleteExisting = false;
}

void ImportWizard::Closed() {
  shownFile_.clear();
  Settings.IgnoreLines = "0";
}

ImportOutcome ImportWizard::Process(const ImportPorts& ports, const ImportRunOptions& options) {
  const ImportSource source{text_, captions_, Settings, file_};
  ImportOutcome outcome = ProcessImport(source, ports, options);
  if (outcome.ok()) Shown();
  return outcome;
}

std::string ImportWindowTitle(std::string_view openStock) {
  std::string title = "Import ASCII file";
  if (!openStock.empty()) title += " in " + std::string(openStock) + " if no Ticker selected";
  return title;
}

ImportOutcome ImportFileUnseen(ImportWizard& wizard, const std::filesystem::path& file,
                               const ImportPorts& ports, bool reportGaps) {
  ImportOutcome outcome;
  if (const Status opened = wizard.OpenFile(file, ports.Messages, false, true); !opened.ok()) {
    // A file that is not text or too long is refused; one that cannot be read failed.
    outcome.Status =
        opened.code() == StatusCode::InvalidArgument ? ImportStatus::Refused : ImportStatus::Failed;
    outcome.Message = std::string(opened.message());
    return outcome;
  }
  if (!wizard.Next(ports.Messages, false, ports.Locale)) {
    outcome.Message = std::string(EmptyFileMessage);
    return outcome;
  }
  ImportRunOptions options;
  options.Visible = false;
  options.ReportGaps = reportGaps;
  return wizard.Process(ports, options);
}

}  // namespace chartorium
