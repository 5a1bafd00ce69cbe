// Reading the custom indicator list and texts.
#include "indicators/CustomIndicatorList.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/Cp1252.h"
#include "core/FileNames.h"
#include "core/TextCase.h"

namespace chartorium {
namespace {

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

std::vector<std::string> ReadCustomIndicatorList(const std::filesystem::path& appFolder) {
  std::vector<std::string> names;
  std::istringstream lines(
      Cp1252ToUtf8(ReadFileBytes(ResolveFileName(appFolder, "Indicators.dat"))));
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

std::string ReadCustomIndicatorText(const std::filesystem::path& appFolder,
                                    std::string_view listName) {
  return Cp1252ToUtf8(
      ReadFileBytes(ResolveFileName(appFolder, "Indicators/" + std::string(listName))));
}

}  // namespace chartorium
