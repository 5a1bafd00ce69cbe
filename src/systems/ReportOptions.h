// The report options of the system tester: which sections a multi-test page holds.
#pragma once

namespace chartorium {

class IniFile;

/// The check boxes ChO1..ChO5 of the tester's "Options" page.
struct ReportOptions {
  bool ChO1 = true;   ///< "Performances report": one performance table per result
  bool ChO2 = true;   ///< "Histogram" of the overall returns
  bool ChO3 = true;   ///< "Detailed buys/sells": one order list per result
  bool ChO4 = true;   ///< "Overall results": losing and winning counts and averages
  bool ChO5 = false;  ///< "Vertical applet"; not stored, so every run starts without it
};

/// Keys "Ch1".."Ch4" of section "FBS"; a missing key keeps its default.
ReportOptions LoadReportOptions(const IniFile& ini);
/// Writes "Ch1".."Ch4" of section "FBS"; ChO5 is not stored.
void SaveReportOptions(const ReportOptions& options, IniFile& ini);

}  // namespace chartorium
