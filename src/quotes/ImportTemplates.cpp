// Import templates.
#include "quotes/ImportTemplates.h"

#include <algorithm>

#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"

namespace chartorium {

std::filesystem::path TemplatesPath(const std::filesystem::path& appFolder) {
  return ResolveFileName(appFolder, "Templates.ini");
}

std::vector<std::string> TemplateNames(const IniFile& templates, bool withDefault) {
  std::vector<std::string> names = templates.ReadSections();
  const bool hasDefault = std::any_of(names.begin(), names.end(), [](const std::string& name) {
    return EqualsIgnoreCase(name, DefaultTemplate);
  });
  if (withDefault && !hasDefault) names.insert(names.begin(), std::string(DefaultTemplate));
  return names;
}

std::string HeadText(std::span<const std::string> captions) {
  std::string head;
  for (size_t i = 0; i < captions.size(); ++i) {
    if (i > 0) head += ';';
    head += captions[i];
  }
  return head;
}

void ApplyTemplateSettings(const IniFile& templates, std::string_view name,
                           ImportSettings& settings) {
  settings.Separator = templates.ReadString(name, "Sep", settings.Separator);
  settings.IgnoreLines = templates.ReadString(name, "Ign", settings.IgnoreLines);
  settings.DecimalSeparator = templates.ReadString(name, "DS", settings.DecimalSeparator);
  settings.DateFormat = std::clamp(templates.ReadInteger(name, "Date", settings.DateFormat), 0, 2);
}

std::vector<std::string> TemplateCaptions(const IniFile& templates, std::string_view name,
                                          size_t columns) {
  std::vector<std::string> captions(columns);
  const std::string head = templates.ReadString(name, "Head", "");
  const int named = std::min(MaxTemplateColumns, static_cast<int>(columns));
  for (int i = 1; i <= named; ++i) captions[static_cast<size_t>(i - 1)] = FieldOf(head, i, ";");
  return captions;
}

void StoreTemplate(IniFile& templates, std::string_view name, const ImportSettings& settings,
                   std::span<const std::string> captions) {
  templates.WriteString(name, "Sep", settings.Separator);
  templates.WriteString(name, "Ign", settings.IgnoreLines);
  templates.WriteString(name, "DS", settings.DecimalSeparator);
  templates.WriteInteger(name, "Date", settings.DateFormat);
  templates.WriteString(name, "Head", HeadText(captions));
}

bool IsTemplateName(std::string_view name) {
  name = Trim(name);
  return !name.empty() && name.find_first_of("[]") == std::string_view::npos;
}

}  // namespace chartorium
