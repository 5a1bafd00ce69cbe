// Import templates: named settings and column captions in "Templates.ini",
// one section per template.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"
#include "quotes/ImportSettings.h"

namespace chartorium {

class IniFile;

/// The template that is always offered and never deleted.
constexpr std::string_view DefaultTemplate = "Default";
/// Shown instead of saving a template without a usable name.
constexpr std::string_view TemplateNameMessage =
    "Type the template's name in the list first; it can't hold \"[\" or \"]\".";
/// A template names the captions of at most this many columns.
constexpr int MaxTemplateColumns = 49;

/// "Templates.ini" in the data folder.
std::filesystem::path TemplatesPath(const std::filesystem::path& appFolder);

/// The template list: the file's sections in file order, with "Default" first
/// when `withDefault` is set and the file has no section of that name.
std::vector<std::string> TemplateNames(const IniFile& templates, bool withDefault);

/// "Head": each caption followed by ";" except the last ('Date;Close;' for
/// three columns whose last is unmapped).
std::string HeadText(std::span<const std::string> captions);

/// Loads a template's settings: separator, lines to ignore, decimal
/// separator and date format, each kept when its key is absent.
void ApplyTemplateSettings(const IniFile& templates, std::string_view name,
                           ImportSettings& settings);

/// A template's captions for `columns` columns: entry i of "Head" (1 to 49)
/// names column i when it is not empty; every other column has none.
std::vector<std::string> TemplateCaptions(const IniFile& templates, std::string_view name,
                                          size_t columns);

/// Writes the settings and captions as section `name`, creating or replacing it.
void StoreTemplate(IniFile& templates, std::string_view name, const ImportSettings& settings,
                   std::span<const std::string> captions);

/// Whether `name` can be a section name: not blank, no brackets.
bool IsTemplateName(std::string_view name);

}  // namespace chartorium
