// What the import wizard's second page holds: the settings, the column
// roles, and the part of them kept in "Quorex.ini" between runs.
#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/Status.h"

namespace chartorium {

class IniFile;

/// What a column of the file may hold.
enum class ImportRole { Date, Open, Low, High, Close, Volume, OI, Ticker, Name };
constexpr size_t ImportRoleCount = 9;

/// The role list under a column header; "[None]" empties the caption. A
/// role's caption is its entry (ImportRole n is entry n + 1).
constexpr std::array<std::string_view, ImportRoleCount + 1> RoleEntries = {
    "[None]", "Date", "Open", "Low", "High", "Close", "Volume", "OI", "Ticker", "Name"};

constexpr std::string_view RoleCaption(ImportRole role) {
  return RoleEntries[static_cast<size_t>(role) + 1];
}

/// The caption that choosing a role list entry gives a column.
std::string CaptionOfEntry(std::string_view entry);

/// For each role, the 1-based column whose caption is that role; 0 when
/// none is (the last of two columns with the same caption counts).
struct RoleMap {
  std::array<int, ImportRoleCount> Columns{};

  int Column(ImportRole role) const { return Columns[static_cast<size_t>(role)]; }
  bool Has(ImportRole role) const { return Column(role) != 0; }
};

RoleMap ReadRoleMap(std::span<const std::string> captions);

/// The fields of the second page, as the user typed or chose them.
struct ImportSettings {
  std::string Separator = ",";         ///< a separator entry: "," ... "Space", "Tab"
  int DateFormat = 0;                  ///< 0 "DMY", 1 "MDY", 2 "YMD"
  std::string DecimalSeparator = ".";  ///< one character
  std::string IgnoreLines = "0";       ///< "Ignore first" ... "line(s)", one character
  bool NewFile = false;                ///< "&Import in a new file"
  bool DeleteExisting = false;         ///< "&Delete existing data"

  friend bool operator==(const ImportSettings&, const ImportSettings&) = default;
};

/// The decimal separator in force for an import: the field's character, '.'
/// when the field is empty.
char DecimalChar(const ImportSettings& settings);

/// Section "FMaj" of "Quorex.ini": the wizard's settings and place between runs.
struct ImportMemory {
  std::string Separator = ",";         ///< "Sep"
  int DateFormat = 0;                  ///< "Date"
  std::string DecimalSeparator = ".";  ///< "DS"
  int Top = 0;                         ///< "T2"
  int Left = 0;                        ///< "L2"
  int Height = 0;                      ///< "H2"; 0 = the window's own size
  int Width = 0;                       ///< "W2"
  std::string Folder;  ///< "Fol": the folder of the last file chosen; "" = the data folder

  friend bool operator==(const ImportMemory&, const ImportMemory&) = default;
};

ImportMemory ReadImportMemory(const IniFile& quorex);
void WriteImportMemory(IniFile& quorex, const ImportMemory& memory);

/// Reads section "FMaj" of the data folder's "Quorex.ini" (defaults when it is missing).
Result<ImportMemory> LoadImportMemory(const std::filesystem::path& appFolder);
/// Writes section "FMaj", keeping the rest of the file.
Status SaveImportMemory(const std::filesystem::path& appFolder, const ImportMemory& memory);
/// Writes "Fol" alone, as soon as a file is chosen with "&Browse".
Status RememberImportFolder(const std::filesystem::path& appFolder,
                            const std::filesystem::path& folder);

}  // namespace chartorium
