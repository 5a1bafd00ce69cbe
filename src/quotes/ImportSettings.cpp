// The import's settings, roles and memory.
#include "quotes/ImportSettings.h"

#include "core/FileNames.h"
#include "core/IniFile.h"

namespace chartorium {
namespace {

constexpr std::string_view Section = "FMaj";

std::filesystem::path QuorexPath(const std::filesystem::path& appFolder) {
  return ResolveFileName(appFolder, "Quorex.ini");
}

}  // namespace

std::string CaptionOfEntry(std::string_view entry) {
  return entry == RoleEntries[0] ? std::string() : std::string(entry);
}

RoleMap ReadRoleMap(std::span<const std::string> captions) {
  RoleMap map;
  for (size_t column = 0; column < captions.size(); ++column)
    for (size_t role = 0; role < ImportRoleCount; ++role)
      if (captions[column] == RoleEntries[role + 1])
        map.Columns[role] = static_cast<int>(column) + 1;
  return map;
}

char DecimalChar(const ImportSettings& settings) {
  return settings.DecimalSeparator.empty() ? '.' : settings.DecimalSeparator.front();
}

ImportMemory ReadImportMemory(const IniFile& quorex) {
  ImportMemory memory;
  memory.Separator = quorex.ReadString(Section, "Sep", memory.Separator);
  memory.DateFormat = quorex.ReadInteger(Section, "Date", memory.DateFormat);
  memory.DecimalSeparator = quorex.ReadString(Section, "DS", memory.DecimalSeparator);
  memory.Top = quorex.ReadInteger(Section, "T2", memory.Top);
  memory.Left = quorex.ReadInteger(Section, "L2", memory.Left);
  memory.Height = quorex.ReadInteger(Section, "H2", memory.Height);
  memory.Width = quorex.ReadInteger(Section, "W2", memory.Width);
  memory.Folder = quorex.ReadString(Section, "Fol", memory.Folder);
  return memory;
}

void WriteImportMemory(IniFile& quorex, const ImportMemory& memory) {
  quorex.WriteString(Section, "Sep", memory.Separator);
  quorex.WriteInteger(Section, "Date", memory.DateFormat);
  quorex.WriteString(Section, "DS", memory.DecimalSeparator);
  quorex.WriteInteger(Section, "T2", memory.Top);
  quorex.WriteInteger(Section, "L2", memory.Left);
  quorex.WriteInteger(Section, "H2", memory.Height);
  quorex.WriteInteger(Section, "W2", memory.Width);
  quorex.WriteString(Section, "Fol", memory.Folder);
}

Result<ImportMemory> LoadImportMemory(const std::filesystem::path& appFolder) {
  auto quorex = IniFile::Load(QuorexPath(appFolder));
  if (!quorex) return quorex.status();
  return ReadImportMemory(*quorex);
}

Status SaveImportMemory(const std::filesystem::path& appFolder, const ImportMemory& memory) {
  const auto path = QuorexPath(appFolder);
  auto quorex = IniFile::Load(path);
  if (!quorex) return quorex.status();
  WriteImportMemory(*quorex, memory);
  return quorex->Save(path);
}

Status RememberImportFolder(const std::filesystem::path& appFolder,
                            const std::filesystem::path& folder) {
  const auto path = QuorexPath(appFolder);
  auto quorex = IniFile::Load(path);
  if (!quorex) return quorex.status();
  quorex->WriteString(Section, "Fol", folder.string());
  return quorex->Save(path);
}

}  // namespace chartorium
