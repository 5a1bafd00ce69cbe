// The program's own file names, resolved without regard to case as on the
// platform the libraries come from.
#pragma once

#include <filesystem>
#include <string_view>

namespace chartorium {

/// `folder` / `relative` ("Stocks/IBM.kvx"), where each component that does
/// not exist with that spelling is matched against the folder's entries
/// ignoring case. A component found in neither spelling is kept as given, so
/// the result also names a file that is about to be created.
std::filesystem::path ResolveFileName(const std::filesystem::path& folder,
                                      std::string_view relative);

}  // namespace chartorium
