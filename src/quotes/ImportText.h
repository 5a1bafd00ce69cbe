// The lines of a text file to import, read once and kept whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

namespace chartorium {

/// More lines than this are refused: such a file is not a quote history, and
/// its preview alone would take the memory of many.
constexpr size_t MaxImportLines = 5'000'000;
/// Bigger files are refused before they are read.
constexpr std::uintmax_t MaxImportBytes = 512ull * 1024 * 1024;

constexpr std::string_view NotTextMessage = "The file you try to import is not a text file";
/// "The file you try to import has more than 5000000 lines" and its size twin.
std::string TooLongMessage();

/// A file's text in UTF-8 (Windows-1252 files are converted, a UTF-8 byte
/// order mark is dropped), cut into lines at LF with a CR before it removed.
/// A last line without a line end counts; the empty text after a final line
/// end does not.
class ImportText {
 public:
  ImportText() = default;
  /// Reads a file. NotFound or IoError when it cannot be read; InvalidArgument
  /// with NotTextMessage for bytes no text holds (NUL and other control
  /// characters), or with TooLongMessage() beyond the limits above.
  static Result<ImportText> Read(const std::filesystem::path& file);
  /// The same rules on bytes already in memory.
  static Result<ImportText> FromBytes(std::string bytes);

  size_t LineCount() const { return lines_.size(); }
  bool Empty() const { return lines_.empty(); }
  /// Line i, 0-based. REQUIRES: i < LineCount(). Valid while this object lives.
  std::string_view Line(size_t i) const {
    return std::string_view(text_).substr(lines_[i].Start, lines_[i].Size);
  }

 private:
  struct Span {
    size_t Start = 0;
    size_t Size = 0;
  };
  std::string text_;
  std::vector<Span> lines_;
};

}  // namespace chartorium
