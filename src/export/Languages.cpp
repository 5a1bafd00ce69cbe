// The translator. Errors never reach the user: whatever cannot be read
// leaves the window's own texts.
#include "export/Languages.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/TextCase.h"

namespace chartorium {
namespace {

struct NamedColour {
  std::string_view Name;
  std::uint32_t Value;
};

constexpr NamedColour Colours[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
};
constexpr std::string_view WindowTextColour = "clWindowText";

std::optional<int> ReadInt(std::string_view text, int base = 10) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  return value;
}

// A colour name, or a hexadecimal "$..." or decimal value. The outer
// optional is empty when the text is none of these.
std::optional<std::optional<std::uint32_t>> ReadColour(std::string_view text) {
  if (EqualsIgnoreCase(text, WindowTextColour)) return std::optional<std::uint32_t>();
  for (const NamedColour& colour : Colours)
    if (EqualsIgnoreCase(text, colour.Name)) return std::optional<std::uint32_t>(colour.Value);
  std::optional<int> value;
  if (text.starts_with('$'))
    value = ReadInt(text.substr(1), 16);
  else if (text.starts_with("0x"))
    value = ReadInt(text.substr(2), 16);
  else
    value = ReadInt(text);
  if (!value) return {};
  return std::optional<std::uint32_t>(static_cast<std::uint32_t>(*value));
}

bool WriteMode(const IniFile& file) {
  return EqualsIgnoreCase(file.ReadString("Configuration", "Method", ""), "WRITE");
}

std::string CaptionKey(std::string_view window) {
  return std::string(window) + ".Caption";
}

std::string PropertyKey(const TextProperty& property) {
  return property.Component + "." + property.Property;
}

bool IsName(std::string_view property) {
  return EqualsIgnoreCase(property, "Name");
}

}  // namespace

std::optional<LanguageFont> ReadLanguageFont(std::string_view text) {
  LanguageFont font;
  const size_t nameEnd = text.find(',');
  if (nameEnd == std::string_view::npos) return {};
  font.Font.Name = std::string(text.substr(0, nameEnd));
  text.remove_prefix(nameEnd + 1);
  const size_t sizeEnd = text.find(',');
  if (sizeEnd == std::string_view::npos) return {};
  const auto size = ReadInt(text.substr(0, sizeEnd));
  if (!size) return {};
  font.Font.Size = *size;
  text.remove_prefix(sizeEnd + 1);
  // Exactly four style digits, then a comma.
  if (text.size() < 5 || text[4] != ',') return {};
  bool* styles[] = {&font.Font.Bold, &font.Font.Italic, &font.Font.Underline, &font.Font.Strikeout};
  for (size_t i = 0; i < 4; ++i) {
    if (text[i] != '0' && text[i] != '1') return {};
    *styles[i] = text[i] == '1';
  }
  const auto colour = ReadColour(text.substr(5));
  if (!colour) return {};
  font.Colour = *colour;
  return font;
}

std::string LanguageFontText(const LanguageFont& font) {
  std::string text = font.Font.Name + "," + std::to_string(font.Font.Size) + ",";
  for (const bool style :
       {font.Font.Bold, font.Font.Italic, font.Font.Underline, font.Font.Strikeout})
    text += style ? '1' : '0';
  text += ',';
  if (!font.Colour) return text + std::string(WindowTextColour);
  for (const NamedColour& colour : Colours)
    if (colour.Value == *font.Colour) return text + std::string(colour.Name);
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%08X", static_cast<unsigned>(*font.Colour));
  return text + hex;
}

std::filesystem::path LanguageFilePath(const std::filesystem::path& appFolder,
                                       std::string_view language) {
  if (language.empty()) return {};
  return ResolveFileName(appFolder, "Languages/" + std::string(language) + ".lng");
}

Status Translate(const std::filesystem::path& languageFile, TranslationTarget& window) {
  std::error_code error;
  if (languageFile.empty() || !std::filesystem::is_regular_file(languageFile, error))
    return Status::Ok();
  auto loaded = IniFile::Load(languageFile);
  if (!loaded) return loaded.status();
  IniFile& file = *loaded;
  const std::string section = window.WindowName();

  if (WriteMode(file)) {
    file.WriteString(section, "$$FONT$$", LanguageFontText(window.Font()));
    file.WriteString(section, CaptionKey(section), window.Caption());
    for (const TextProperty& property : window.Properties())
      if (!IsName(property.Property))
        file.WriteString(section, PropertyKey(property), property.Value);
    return file.Save(languageFile);
  }

  if (const auto fontText = file.Find(section, "$$FONT$$"))
    window.SetFont(ReadLanguageFont(*fontText).value_or(DefaultLanguageFont()));
  if (const auto caption = file.Find(section, CaptionKey(section))) window.SetCaption(*caption);
  for (const TextProperty& property : window.Properties()) {
    if (IsName(property.Property)) continue;
    if (const auto text = file.Find(section, PropertyKey(property)))
      window.SetProperty(property.Component, property.Property, *text);
  }
  return Status::Ok();
}

std::vector<std::string> LanguageFiles(const std::filesystem::path& appFolder) {
  std::vector<std::string> files;
  std::error_code error;
  const auto folder = ResolveFileName(appFolder, "Languages");
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && name.size() > 4 &&
        EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".lng"))
      files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string LanguageOfFile(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  const std::string name(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
  return EqualsIgnoreCase(name, "English") ? std::string() : name;
}

}  // namespace chartorium
