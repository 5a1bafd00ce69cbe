// The main window's settings.
#include "core/MainSettings.h"

#include "core/IniFile.h"
#include "core/TextCase.h"

namespace chartorium {

MainSettings ReadMainSettings(const IniFile& quorex) {
  MainSettings settings;
  settings.Language = quorex.ReadString("Main", "Lang", "");
  if (EqualsIgnoreCase(settings.Language, "English.lng")) settings.Language.clear();
  settings.Width = quorex.ReadInteger("Main", "W", settings.Width);
  settings.Height = quorex.ReadInteger("Main", "H", settings.Height);
  settings.Top = quorex.ReadInteger("Main", "T", settings.Top);
  settings.Left = quorex.ReadInteger("Main", "L", settings.Left);
  settings.Splitter = quorex.ReadInteger("Main", "Sp", settings.Splitter);
  settings.LeftPanel = quorex.ReadInteger("Main", "P2", settings.LeftPanel);
  settings.Periodicity = quorex.ReadInteger("Main", "PerTyp", settings.Periodicity);
  if (settings.Periodicity < 1 || settings.Periodicity > 3) settings.Periodicity = 1;
  settings.NewsAddress = quorex.ReadString("Main", "News", "");
  return settings;
}

void WriteMainSettings(IniFile& quorex, const MainSettings& settings) {
  quorex.WriteInteger("Main", "W", settings.Width);
  quorex.WriteInteger("Main", "H", settings.Height);
  quorex.WriteInteger("Main", "T", settings.Top);
  quorex.WriteInteger("Main", "L", settings.Left);
  quorex.WriteInteger("Main", "Sp", settings.Splitter);
  quorex.WriteInteger("Main", "P2", settings.LeftPanel);
  quorex.WriteInteger("Main", "PerTyp", settings.Periodicity);
  quorex.WriteString("Main", "Lang", settings.Language);
  // The news address is the user's to set; it is written only once it is.
  if (!settings.NewsAddress.empty()) quorex.WriteString("Main", "News", settings.NewsAddress);
}

}  // namespace chartorium
