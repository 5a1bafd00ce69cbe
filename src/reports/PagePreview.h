// What the page preview window keeps and does: its settings in section
// "HTML" of "Quorex.ini", the page it shows and the copy "Save the report" makes.
#pragma once

#include <filesystem>
#include <string>

#include "core/Status.h"

namespace chartorium {

class IniFile;

/// The page file the portfolio and the custom reports write and preview.
constexpr std::string_view PreviewPageFile = "~temp003.html";

/// Section "HTML": position and size of the window and the folder of the
/// last saved report.
struct PagePreviewSettings {
  int Left = 120;    ///< key "L"
  int Top = 90;      ///< key "T"
  int Width = 760;   ///< key "W"
  int Height = 560;  ///< key "H"
  /// Key "Fol": where "Save the report" starts; the data folder by default.
  std::string Folder;

  friend bool operator==(const PagePreviewSettings&, const PagePreviewSettings&) = default;
};

PagePreviewSettings ReadPagePreviewSettings(const IniFile& quorex,
                                            const std::filesystem::path& appFolder);
void WritePagePreviewSettings(IniFile& quorex, const PagePreviewSettings& settings);

/// The text of a page the program wrote (Windows-1252), in UTF-8 for display.
Result<std::string> ReadPageText(const std::filesystem::path& page);

/// "Save the report": copies the page to `target` crash-safely and, when it
/// is written, remembers the target's folder in the settings.
Status SaveReportCopy(const std::filesystem::path& page, const std::filesystem::path& target,
                      PagePreviewSettings& settings);

}  // namespace chartorium
