// Language files: "Languages/<name>.lng", an INI text with one section per
// window that gives its font, its title and the texts of its controls.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/PreferencesCommands.h"

namespace chartorium {

/// Shown after a language was chosen in the language dialog.
constexpr std::string_view RestartMessage = "Please restart KVX to change the language! Thanks!";

/// A window's font as a language file gives it.
struct LanguageFont {
  FontSpec Font{"MS Sans Serif", 8};
  /// 0x00BBGGRR; none means the system's window-text colour.
  std::optional<std::uint32_t> Colour;

  friend bool operator==(const LanguageFont&, const LanguageFont&) = default;
};

/// The font every window falls back to when its "$$FONT$$" entry cannot be read.
inline LanguageFont DefaultLanguageFont() {
  return {};
}

/// Reads "name,size,BIUS,colour" (four digits 0 or 1, then a colour name such
/// as clNavy or a hexadecimal value "$00800000"); nullopt on any deviation.
std::optional<LanguageFont> ReadLanguageFont(std::string_view text);
/// The same format; a colour with a name is written by its name.
std::string LanguageFontText(const LanguageFont& font);

/// One translatable text of a window: a control's property ("Caption", "Hint").
struct TextProperty {
  std::string Component;
  std::string Property;
  std::string Value;
};

/// A window as the translator sees it; the windows implement it by walking
/// their controls by object name.
class TranslationTarget {
 public:
  TranslationTarget() = default;
  TranslationTarget(const TranslationTarget&) = delete;
  TranslationTarget& operator=(const TranslationTarget&) = delete;
  virtual ~TranslationTarget() = default;

  /// The window's section name, e.g. "FOptions".
  virtual std::string WindowName() const = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual LanguageFont Font() const = 0;
  virtual void SetFont(const LanguageFont& font) = 0;
  /// Every text property of every named control, with its current text.
  virtual std::vector<TextProperty> Properties() const = 0;
  /// Sets one property; false when the control has no such text property.
  virtual bool SetProperty(std::string_view component, std::string_view property,
                           std::string_view value) = 0;
};

/// "Languages/<language>.lng" below the data folder; empty for the built-in English.
std::filesystem::path LanguageFilePath(const std::filesystem::path& appFolder,
                                       std::string_view language);

/// Applies the language file to a window: nothing when the file is missing or
/// unreadable. In read mode the window takes the file's font, title and
/// texts; a key the file lacks leaves that text as it is. With "Method=WRITE"
/// in section "Configuration" the window's texts are written into its section.
Status Translate(const std::filesystem::path& languageFile, TranslationTarget& window);

/// The language files of the "Languages" folder (file names with extension), sorted.
std::vector<std::string> LanguageFiles(const std::filesystem::path& appFolder);
/// The language a file name stands for: the name without its extension, and
/// "" (the built-in English) for "English".
std::string LanguageOfFile(std::string_view fileName);

}  // namespace chartorium
