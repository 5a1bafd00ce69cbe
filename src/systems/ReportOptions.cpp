// The report options, kept with the other tester options in section "FBS".
#include "systems/ReportOptions.h"

#include "core/IniFile.h"

namespace chartorium {
namespace {
constexpr std::string_view Section = "FBS";
}  // namespace

ReportOptions LoadReportOptions(const IniFile& ini) {
  ReportOptions options;
  options.ChO1 = ini.ReadBool(Section, "Ch1", options.ChO1);
  options.ChO2 = ini.ReadBool(Section, "Ch2", options.ChO2);
  options.ChO3 = ini.ReadBool(Section, "Ch3", options.ChO3);
  options.ChO4 = ini.ReadBool(Section, "Ch4", options.ChO4);
  return options;
}

void SaveReportOptions(const ReportOptions& options, IniFile& ini) {
  ini.WriteBool(Section, "Ch1", options.ChO1);
  ini.WriteBool(Section, "Ch2", options.ChO2);
  ini.WriteBool(Section, "Ch3", options.ChO3);
  ini.WriteBool(Section, "Ch4", options.ChO4);
}

}  // namespace chartorium
