// Case-insensitive resolution of file names.
#include "core/FileNames.h"

#include <system_error>

#include "core/TextCase.h"

namespace chartorium {
namespace {

std::filesystem::path MatchComponent(const std::filesystem::path& folder,
                                     std::string_view component) {
  std::error_code error;
  std::filesystem::path exact = folder / std::string(component);
  if (std::filesystem::exists(exact, error)) return exact;
  const std::string wanted = FoldCase(component);
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (FoldCase(it->path().filename().string()) == wanted) return it->path();
  }
  return exact;
}

}  // namespace

std::filesystem::path ResolveFileName(const std::filesystem::path& folder,
                                      std::string_view relative) {
  std::filesystem::path result = folder;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view component = relative.substr(start, end - start);
    if (!component.empty()) result = MatchComponent(result, component);
    start = end + 1;
  }
  return result;
}

}  // namespace chartorium
