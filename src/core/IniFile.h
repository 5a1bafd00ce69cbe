// Settings files: sections of key=value lines, read and written the way
// users of profile files expect.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

namespace chartorium {

/// An INI file held in memory. Sections and keys are found without regard to
/// case and values are trimmed. A write changes or adds one line and keeps
/// every other line, with its order, as it was. The text is UTF-8 inside and
/// Windows-1252 on disk; CR LF and LF are read, CR LF is written.
class IniFile {
 public:
  IniFile() = default;
  /// Parses the text of a file (already converted to UTF-8).
  static IniFile FromText(std::string_view text);
  /// Reads a file; a missing file gives an empty one (writing then creates it).
  static Result<IniFile> Load(const std::filesystem::path& file);

  /// The file's text, UTF-8, CR LF line ends.
  std::string Text() const;
  /// Writes the file crash-safely, in Windows-1252.
  Status Save(const std::filesystem::path& file) const;

  /// The value, or nullopt when the section or key is absent.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  /// The value as a whole number (optional sign and decimal digits); the
  /// fall-back when it is absent or not a whole number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  /// Any non-zero integer is on.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, long long value);
  /// Flags are written "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);

  bool SectionExists(std::string_view section) const;
  /// Removes the section's header and all its lines.
  void EraseSection(std::string_view section);
  /// The keys of a section, in file order.
  std::vector<std::string> ReadSection(std::string_view section) const;
  /// The section names, in file order.
  std::vector<std::string> ReadSections() const;

 private:
  struct Line {
    std::string Text;
    std::string Section;  ///< header name for a header line, else empty
    std::string Key;      ///< trimmed key for a key line, else empty
    bool IsHeader = false;
  };
  static Line ParseLine(std::string_view text);
  /// Index of the header line of the section, or npos.
  size_t FindSection(std::string_view section) const;
  /// Index of the key line, or npos.
  size_t FindKey(size_t header, std::string_view key) const;
  /// One past the last line of the section that starts at `header`.
  size_t SectionEnd(size_t header) const;

  std::vector<Line> lines_;
};

}  // namespace chartorium
