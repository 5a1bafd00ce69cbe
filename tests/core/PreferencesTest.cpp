#include "core/Preferences.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/PreferenceFields.h"

namespace chartorium {
namespace {

TEST(Preferences, AFirstStartHasTheDefaults) {
  Preferences prefs;
  prefs.Load(IniFile());
  EXPECT_EQ(prefs.Integer("ENbD"), 100);
  EXPECT_FALSE(prefs.Flag("CBX"));
  EXPECT_FALSE(prefs.Flag("CBY"));
  EXPECT_TRUE(prefs.Flag("RQ"));
  EXPECT_FALSE(prefs.Flag("RB"));
  EXPECT_FALSE(prefs.Flag("RS"));
  EXPECT_EQ(prefs.Integer("MAT1"), 0);
  EXPECT_EQ(prefs.Integer("EMCT"), 21);
  EXPECT_EQ(prefs.Integer("EMLT"), 51);
  EXPECT_EQ(prefs.Number("EP3"), 0.4);
  EXPECT_EQ(prefs.Colour("C5"), 0xF0F0F0u);
  EXPECT_EQ(prefs.Colour("C99"), 0x400000u);
}

TEST(Preferences, ReadsTheirKeysFromTheirSections) {
  const IniFile quorex = IniFile::FromText(
      "[General]\r\nND=250\r\nLMA=13\r\nHMA=34\r\nRSI=9\r\nXAxis=1\r\nMAT2=2\r\nRS=1\r\n"
      "RB=0\r\nRQ=0\r\n[Colors]\r\n5=255\r\nBFon=Tahoma, 10, Bold\r\n");
  Preferences prefs;
  prefs.Load(quorex);
  EXPECT_EQ(prefs.Integer("ENbD"), 250);
  EXPECT_EQ(prefs.Integer("EMCT"), 13);  // the 1st average is stored under "LMA"
  EXPECT_EQ(prefs.Integer("EMLT"), 34);
  EXPECT_EQ(prefs.Integer("ERSI"), 9);
  EXPECT_TRUE(prefs.Flag("CBX"));
  EXPECT_EQ(prefs.Integer("MAT2"), 2);
  EXPECT_TRUE(prefs.Flag("RS"));
  EXPECT_FALSE(prefs.Flag("RQ"));
  EXPECT_EQ(prefs.Colour("C5"), 255u);
  EXPECT_EQ(prefs.Text("BFon"), "Tahoma, 10, Bold");
  EXPECT_EQ(prefs.Integer("ATR"), 28);  // never stored
}

TEST(Preferences, ANumberFieldThatIsNotANumberReadsAsZero) {
  Preferences prefs;
  prefs.Load(IniFile::FromText("[General]\r\nRSI=abc\r\n"));
  EXPECT_EQ(prefs.Text("ERSI"), "abc");
  EXPECT_EQ(prefs.Integer("ERSI"), 0);
}

TEST(PreferenceFields, NamesAndStoredKeysAreUnique) {
  const auto fields = PreferenceFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    for (size_t j = i + 1; j < fields.size(); ++j) {
      EXPECT_NE(fields[i].Name, fields[j].Name);
      if (!fields[i].Key.empty() && fields[i].Section == fields[j].Section)
        EXPECT_NE(fields[i].Key, fields[j].Key) << fields[i].Name << " " << fields[j].Name;
    }
  }
}

}  // namespace
}  // namespace chartorium
