// The data folder rule.
#include "core/AppFolder.h"

#include <cstdlib>
#include <system_error>

namespace chartorium {
namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

}  // namespace

std::filesystem::path ResolveAppFolder(const AppFolderSources& sources) {
  if (!sources.ChartoriumHome.empty()) return std::filesystem::path(sources.ChartoriumHome);
  std::error_code error;
  if (!sources.ExecutableFolder.empty() &&
      std::filesystem::is_directory(sources.ExecutableFolder / "Stocks", error))
    return sources.ExecutableFolder;
  if (!sources.XdgDataHome.empty())
    return std::filesystem::path(sources.XdgDataHome) / "chartorium";
  return std::filesystem::path(sources.UserHome) / ".local" / "share" / "chartorium";
}

std::filesystem::path AppFolderFromEnvironment(const std::filesystem::path& executableFolder) {
  return ResolveAppFolder({Environment("CHARTORIUM_HOME"), executableFolder,
                           Environment("XDG_DATA_HOME"), Environment("HOME")});
}

std::filesystem::path CurrentExecutableFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : exe.parent_path();
}

}  // namespace chartorium
