// The page preview window's settings and its copy of the page.
#include "reports/PagePreview.h"

#include "core/Cp1252.h"
#include "core/IniFile.h"
#include "core/SafeFile.h"

namespace chartorium {
namespace {

constexpr std::string_view Section = "HTML";

}  // namespace

PagePreviewSettings ReadPagePreviewSettings(const IniFile& quorex,
                                            const std::filesystem::path& appFolder) {
  const PagePreviewSettings defaults;
  PagePreviewSettings settings;
  settings.Left = quorex.ReadInteger(Section, "L", defaults.Left);
  settings.Top = quorex.ReadInteger(Section, "T", defaults.Top);
  settings.Width = quorex.ReadInteger(Section, "W", defaults.Width);
  settings.Height = quorex.ReadInteger(Section, "H", defaults.Height);
  settings.Folder = quorex.ReadString(Section, "Fol", appFolder.string());
  return settings;
}

void WritePagePreviewSettings(IniFile& quorex, const PagePreviewSettings& settings) {
  quorex.WriteInteger(Section, "L", settings.Left);
  quorex.WriteInteger(Section, "T", settings.Top);
  quorex.WriteInteger(Section, "W", settings.Width);
  quorex.WriteInteger(Section, "H", settings.Height);
  quorex.WriteString(Section, "Fol", settings.Folder);
}

Result<std::string> ReadPageText(const std::filesystem::path& page) {
  auto bytes = ReadWholeFile(page);
  if (!bytes) return bytes.status();
  return Cp1252ToUtf8(*bytes);
}

Status SaveReportCopy(const std::filesystem::path& page, const std::filesystem::path& target,
                      PagePreviewSettings& settings) {
  const auto bytes = ReadWholeFile(page);
  if (!bytes) return bytes.status();
  if (!WriteFileAtomically(target, *bytes).ok())
    return Status::IoError("cannot write the report '" + target.string() + "'");
  settings.Folder = target.parent_path().string();
  return Status::Ok();
}

}  // namespace chartorium
