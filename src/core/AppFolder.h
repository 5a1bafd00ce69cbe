// Where the program's data lives: the folder every data file lies below.
#pragma once

#include <filesystem>
#include <string_view>

namespace chartorium {

/// The environment facts the data folder is chosen from.
struct AppFolderSources {
  std::string_view ChartoriumHome;         ///< $CHARTORIUM_HOME, empty when unset
  std::filesystem::path ExecutableFolder;  ///< folder of the running program
  std::string_view XdgDataHome;            ///< $XDG_DATA_HOME, empty when unset
  std::string_view UserHome;               ///< $HOME
};

/// $CHARTORIUM_HOME when set; else the executable's folder when it holds a
/// "Stocks" folder (a portable install); else $XDG_DATA_HOME/chartorium
/// (default ~/.local/share/chartorium).
std::filesystem::path ResolveAppFolder(const AppFolderSources& sources);

/// ResolveAppFolder with the values of this process's environment.
std::filesystem::path AppFolderFromEnvironment(const std::filesystem::path& executableFolder);

/// The folder of the running executable (empty when it cannot be told).
std::filesystem::path CurrentExecutableFolder();

}  // namespace chartorium
