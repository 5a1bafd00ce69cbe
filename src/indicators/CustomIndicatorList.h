// The custom indicator list "Indicators.dat" and the macro texts it names.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

namespace chartorium {

/// The names of "Indicators.dat" in the data folder, one per line with the
/// tree's tab indentation removed, in file order. A file that is missing or
/// cannot be read is an empty list.
std::vector<std::string> ReadCustomIndicatorList(const std::filesystem::path& appFolder);

/// The name as the list writes it when `name` is in the list (ignoring case).
std::optional<std::string> FindCustomIndicator(const std::filesystem::path& appFolder,
                                               std::string_view name);

/// The macro text of a custom indicator: the file of that name (no extension)
/// in the "Indicators" folder, as UTF-8.
Result<std::string> ReadCustomIndicatorText(const std::filesystem::path& appFolder,
                                            std::string_view listName);

}  // namespace chartorium
