// Reading the custom indicator list and texts.
#include "indicators/CustomIndicatorList.h"

#include <sstream>

#include "core/Cp1252.h"
#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"

namespace chartorium {

std::vector<std::string> ReadCustomIndicatorList(const std::filesystem::path& appFolder) {
  std::vector<std::string> names;
  std::istringstream lines(Cp1252ToUtf8(
      ReadWholeFile(ResolveFileName(appFolder, "Indicators.dat")).value_or(std::string())));
  for (std::string line; std::getline(lines, line);) {
    const std::string_view name = Trim(line);
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
}

std::optional<std::string> FindCustomIndicator(const std::filesystem::path& appFolder,
                                               std::string_view name) {
  for (std::string& listed : ReadCustomIndicatorList(appFolder))
    if (EqualsIgnoreCase(listed, name)) return std::move(listed);
  return std::nullopt;
}

Result<std::string> ReadCustomIndicatorText(const std::filesystem::path& appFolder,
                                            std::string_view listName) {
  const Result<std::string> bytes =
      ReadWholeFile(ResolveFileName(appFolder, "Indicators/" + std::string(listName)));
  if (!bytes) return bytes.status();
  return Cp1252ToUtf8(*bytes);
}

}  // namespace chartorium
