// Reading whole files, and writing them so that a crash never leaves half a file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/Status.h"

namespace chartorium {

/// The file's bytes; NotFound when it does not exist, IoError when it cannot be read.
Result<std::string> ReadWholeFile(const std::filesystem::path& file);

/// Writes the bytes to a temporary file beside `file`, flushes it to disk and
/// renames it over `file`. On failure the old file is untouched and the
/// temporary file is removed.
Status WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

/// Renames (moves) `from` to `to`, replacing a file of that name; fails with
/// "cannot rename 'from' to 'to': <reason>".
Status RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);

/// Copies `file` to `file` + `suffix` (replacing an older copy); used to keep a
/// damaged or about-to-shrink stock file before it is rewritten.
Status KeepCopyOf(const std::filesystem::path& file, std::string_view suffix);

}  // namespace chartorium
