// The main window's own section "Main" of "Quorex.ini".
#pragma once

#include <string>

namespace chartorium {

class IniFile;

/// Window geometry, splitter, periodicity, language and the last import folder.
struct MainSettings {
  int Width = 622;      ///< key "W"
  int Height = 421;     ///< key "H"
  int Top = 126;        ///< key "T"
  int Left = 207;       ///< key "L"
  int Splitter = 153;   ///< key "Sp": left edge of the splitter
  int LeftPanel = 153;  ///< key "P2": width of the tree panel
  int Periodicity = 1;  ///< key "PerTyp": 1 daily, 2 weekly, 3 monthly
  /// Key "Lang": language file name without ".lng"; empty = built-in English.
  std::string Language;
  /// Key "News": where "news.txt" is downloaded from; empty = never downloaded.
  std::string NewsAddress;

  friend bool operator==(const MainSettings&, const MainSettings&) = default;
};

/// Reads section "Main"; absent keys keep their defaults, a periodicity
/// outside 1..3 reads as daily, and "English.lng" reads as English.
MainSettings ReadMainSettings(const IniFile& quorex);
/// Writes the keys the main window keeps at exit ("Fol" belongs to the import).
void WriteMainSettings(IniFile& quorex, const MainSettings& settings);

}  // namespace chartorium
