// The preference table. The keys of the two averages are crossed on purpose:
// the 1st average is stored under "LMA" and the 2nd under "HMA".
#include "core/PreferenceFields.h"

namespace chartorium {
namespace {

using K = PreferenceKind;

constexpr PreferenceField Fields[] = {
    // General options
    {"ENbD", K::Number, "100", "General", "ND"},
    {"EAdd", K::Number, "0", "General", "EAdd"},
    {"B1", K::Flag, "0", "General", "OnOpen"},
    {"CBX", K::Flag, "0", "General", "XAxis"},
    {"CBY", K::Flag, "0", "General", "Dates"},
    {"CBY2", K::Flag, "0", "General", "Dates Ind"},
    {"CBYM", K::Flag, "0", "General", "CBYM"},
    {"CBS", K::Flag, "0", "General", "Sign"},
    {"RB", K::Flag, "0", "General", "RB"},
    {"RS", K::Flag, "0", "General", "RS"},
    {"RQ", K::Flag, "1", "General", "RQ"},
    {"RRe", K::Flag, "0", "General", "RRE"},
    {"CCom", K::Flag, "0", "General", "CCom"},
    {"ChHi", K::Flag, "0", "Colors", "ChHi"},
    {"C99", K::Colour, "4194304", "Colors", "99"},
    {"C98", K::Colour, "16777215", "Colors", "98"},
    {"BFon", K::Font, "Arial, 8", "Colors", "BFon"},
    // Colours
    {"C14", K::Colour, "16711680", "Colors", "14"},
    {"C15", K::Colour, "16711680", "Colors", "15"},
    {"C5", K::Colour, "15790320", "Colors", "5"},
    {"C29", K::Colour, "15790320", "Colors", "29"},
    {"C16", K::Colour, "0", "Colors", "16"},
    {"C17", K::Colour, "0", "Colors", "17"},
    {"C19", K::Colour, "12632256", "Colors", "19"},
    {"C22", K::Colour, "128", "Colors", "22"},
    {"EBW", K::Number, "1", "General", "EBW"},
    {"C10", K::Colour, "0", "Colors", "10"},
    {"C11", K::Colour, "0", "Colors", "11"},
    {"C12", K::Colour, "0", "Colors", "12"},
    {"C13", K::Colour, "0", "Colors", "13"},
    {"C23", K::Colour, "10041101", "Colors", "23"},
    {"C24", K::Colour, "234", "Colors", "24"},
    {"C25", K::Colour, "40192", "Colors", "25"},
    {"C26", K::Colour, "4227327", "Colors", "26"},
    {"C27", K::Colour, "1366192", "Colors", "27"},
    {"C28", K::Colour, "15766304", "Colors", "28"},
    {"C2", K::Colour, "0", "Colors", "2"},
    {"C3", K::Colour, "32768", "Colors", "3"},
    {"C4", K::Colour, "255", "Colors", "4"},
    {"C6", K::Colour, "0", "Colors", "6"},
    {"C8", K::Colour, "255", "Colors", "8"},
    {"C9", K::Colour, "16711680", "Colors", "9"},
    {"C18", K::Colour, "16711680", "Colors", "18"},
    {"C20", K::Colour, "13696976", "Colors", "20"},
    {"C21", K::Colour, "4227327", "Colors", "21"},
    // Indicator periods
    {"WD", K::Number, "14", "General", "WD"},
    {"ERSI", K::Number, "12", "General", "RSI"},
    {"EZZ", K::Number, "4", "General", "ZZ"},
    {"EBoll", K::Number, "20", "General", "Boll"},
    {"M26", K::Number, "26", "General", "M26"},
    {"M12", K::Number, "12", "General", "M12"},
    {"M9", K::Number, "9", "General", "M9"},
    {"MFI", K::Number, "14", "General", "MFI"},
    {"VHF", K::Number, "28", "General", "VHF"},
    {"StK", K::Number, "13", "General", "StK"},
    {"StD", K::Number, "9", "General", "StD"},
    {"EMCT", K::Number, "21", "General", "LMA"},
    {"MAT1", K::Choice, "0", "General", "MAT1"},
    {"EMLT", K::Number, "51", "General", "HMA"},
    {"MAT2", K::Choice, "0", "General", "MAT2"},
    {"Ar", K::Number, "9", "General", "AR"},
    {"TR", K::Number, "12", "General", "TR"},
    {"IV", K::Number, "14", "General", "IV"},
    {"ATR", K::Number, "28", "General", ""},
    {"EP1", K::Number, "0.02", "General", "EP1"},
    {"EP2", K::Number, "0.02", "General", "EP2"},
    {"EP3", K::Number, "0.4", "General", "EP3"},
    {"CCI", K::Number, "20", "General", "CCI"},
    // Internet
    {"ChProx", K::Flag, "0", "General", "ChProx"},
    {"EP", K::Text, "", "General", "EP"},
    {"EPU", K::Text, "", "General", "EPU"},
    {"EPP", K::Text, "", "General", "EPP"},
    {"EPPo", K::Text, "", "General", "EPPo"},
};

}  // namespace

std::span<const PreferenceField> PreferenceFields() {
  return Fields;
}

}  // namespace chartorium
