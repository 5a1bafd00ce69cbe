// The tester options in "Quorex.ini".
#include "systems/TesterOptions.h"

#include "core/IniFile.h"

namespace chartorium {

TesterOptions LoadTesterOptions(const IniFile& ini) {
  const std::string_view s = TesterOptionsSection;
  TesterOptions o;
  o.InitialAmount = ini.ReadString(s, "Am", o.InitialAmount);
  if (o.InitialAmount.empty()) o.InitialAmount = TesterOptions().InitialAmount;
  o.QuoteCount = ini.ReadString(s, "Nb", o.QuoteCount);
  o.FromDate = ini.ReadString(s, "DFr", o.FromDate);
  o.ToDate = ini.ReadString(s, "DTo", o.ToDate);
  // The three fill buttons are one radio group read in this order: the last
  // one stored as checked wins, and a group left with none checked fills on
  // the next close, as the simulation does when neither of the others is set.
  const bool onClose = ini.ReadBool(s, "OC", true);
  const bool nextOpen = ini.ReadBool(s, "OO", false);
  const bool nextClose = ini.ReadBool(s, "RON", false);
  o.Fill = nextClose  ? FillRule::NextClose
           : nextOpen ? FillRule::NextOpen
           : onClose  ? FillRule::DayClose
                      : FillRule::NextClose;
  // Likewise the commission group: checking "Percentage:" unchecks "Fixed:".
  o.FixedCommission = !ini.ReadBool(s, "RBP", false) && ini.ReadBool(s, "RBF", true);
  o.Fixed = ini.ReadString(s, "Fix", o.Fixed);
  o.Percentage = ini.ReadString(s, "Per", o.Percentage);
  o.Maximum = ini.ReadString(s, "Max", o.Maximum);
  o.KeepStock = ini.ReadBool(s, "RKm", o.KeepStock);
  o.KeepDays = ini.ReadString(s, "EMP", o.KeepDays);
  return o;
}

void SaveTesterOptions(const TesterOptions& options, IniFile& ini) {
  const std::string_view s = TesterOptionsSection;
  ini.WriteString(s, "Am", options.InitialAmount);
  ini.WriteString(s, "Nb", options.QuoteCount);
  ini.WriteString(s, "DFr", options.FromDate);
  ini.WriteString(s, "DTo", options.ToDate);
  ini.WriteBool(s, "OC", options.Fill == FillRule::DayClose);
  ini.WriteBool(s, "OO", options.Fill == FillRule::NextOpen);
  ini.WriteBool(s, "RON", options.Fill == FillRule::NextClose);
  ini.WriteBool(s, "RBF", options.FixedCommission);
  ini.WriteString(s, "Fix", options.Fixed);
  ini.WriteBool(s, "RBP", !options.FixedCommission);
  ini.WriteString(s, "Per", options.Percentage);
  ini.WriteString(s, "Max", options.Maximum);
  ini.WriteBool(s, "RKm", options.KeepStock);
  ini.WriteString(s, "EMP", options.KeepDays);
}

}  // namespace chartorium
