#include "core/IniFile.h"

#include <gtest/gtest.h>

#include "core/SafeFile.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

constexpr std::string_view Sample =
    "; settings\r\n"
    "[Main]\r\n"
    "W = 622 \r\n"
    "Lang=\r\n"
    "\r\n"
    "[General]\r\n"
    "ND=100\r\n"
    "OnOpen=1\r\n"
    "Bad=12x\r\n";

TEST(IniFile, FindsSectionsAndKeysIgnoringCaseAndTrimsValues) {
  const IniFile ini = IniFile::FromText(Sample);
  EXPECT_EQ(ini.ReadString("main", "w", "?"), "622");
  EXPECT_EQ(ini.ReadString("MAIN", "Lang", "?"), "");  // present but empty
  EXPECT_EQ(ini.ReadString("Main", "Missing", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadString("Nowhere", "W", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadInteger("general", "nd", 5), 100);
  EXPECT_EQ(ini.ReadInteger("General", "Bad", 5), 5);  // not a whole number
  EXPECT_EQ(ini.ReadInteger("General", "Missing", -1), -1);
  EXPECT_TRUE(ini.ReadBool("General", "OnOpen", false));
  EXPECT_TRUE(ini.ReadBool("General", "Missing", true));
  EXPECT_FALSE(ini.ReadBool("General", "Missing", false));
  EXPECT_EQ(ini.ReadSection("general"), (std::vector<std::string>{"ND", "OnOpen", "Bad"}));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Main", "General"}));
}

TEST(IniFile, AnyNonZeroIntegerIsOnAndFlagsAreWrittenAsOneOrZero) {
  IniFile ini = IniFile::FromText("[F]\r\na=2\r\nb=-1\r\nc=0\r\n");
  EXPECT_TRUE(ini.ReadBool("F", "a", false));
  EXPECT_TRUE(ini.ReadBool("F", "b", false));
  EXPECT_FALSE(ini.ReadBool("F", "c", true));
  ini.WriteBool("F", "a", true);
  ini.WriteBool("F", "c", false);
  EXPECT_EQ(ini.Text(), "[F]\r\na=1\r\nb=-1\r\nc=0\r\n");
}

TEST(IniFile, WritingOneKeyKeepsEveryOtherLine) {
  struct Case {
    std::string_view section, key, value, expected;
  };
  constexpr Case Cases[] = {
      // A changed key keeps its place and its spelling.
      {"MAIN", "w", "800",
       "; settings\r\n[Main]\r\nW =800\r\nLang=\r\n\r\n[General]\r\nND=100\r\nOnOpen=1\r\n"
       "Bad=12x\r\n"},
      // A new key goes after the section's last line, before the blank line.
      {"Main", "H", "421",
       "; settings\r\n[Main]\r\nW = 622 \r\nLang=\r\nH=421\r\n\r\n[General]\r\nND=100\r\n"
       "OnOpen=1\r\nBad=12x\r\n"},
      // A new section goes at the end.
      {"Graph", "B1", "1",
       "; settings\r\n[Main]\r\nW = 622 \r\nLang=\r\n\r\n[General]\r\nND=100\r\nOnOpen=1\r\n"
       "Bad=12x\r\n[Graph]\r\nB1=1\r\n"},
  };
  for (const Case& c : Cases) {
    IniFile ini = IniFile::FromText(Sample);
    ini.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(ini.Text(), c.expected) << c.section << "/" << c.key;
  }
}

TEST(IniFile, ErasesASectionWithAllItsLines) {
  IniFile ini = IniFile::FromText(Sample);
  ini.EraseSection("main");
  EXPECT_FALSE(ini.SectionExists("Main"));
  EXPECT_EQ(ini.Text(), "; settings\r\n[General]\r\nND=100\r\nOnOpen=1\r\nBad=12x\r\n");
  ini.EraseSection("absent");  // nothing happens
  EXPECT_TRUE(ini.SectionExists("GENERAL"));
}

TEST(IniFile, RoundTripsThroughDiskInWindows1252) {
  const testing::TempFolder folder;
  const auto path = folder / "Quorex.ini";
  // On disk: "é" is 0xE9 and the separator of custom levels is 0xA8; LF line ends read too.
  ASSERT_TRUE(WriteFileAtomically(path,
                                  "[Stock]\nName=Soci\xE9t\xE9\nLevels=20;\xA8"
                                  "255*0\n")
                  .ok());
  auto ini = IniFile::Load(path);
  ASSERT_TRUE(ini.ok());
  EXPECT_EQ(ini->ReadString("stock", "name", ""), "Soci\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(ini->ReadString("stock", "levels", ""),
            "20;\xC2\xA8"
            "255*0");
  ini->WriteString("Stock", "Cur", "\xE2\x82\xAC");  // the euro sign is 0x80 in the code page
  ASSERT_TRUE(ini->Save(path).ok());
  const auto bytes = ReadWholeFile(path);
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(*bytes,
            "[Stock]\r\nName=Soci\xE9t\xE9\r\nLevels=20;\xA8"
            "255*0\r\nCur=\x80\r\n");
}

TEST(IniFile, AMissingFileIsEmptyAndSavingCreatesIt) {
  const testing::TempFolder folder;
  auto ini = IniFile::Load(folder / "none.ini");
  ASSERT_TRUE(ini.ok());
  EXPECT_TRUE(ini->ReadSections().empty());
  ini->WriteInteger("Main", "PerTyp", 2);
  ASSERT_TRUE(ini->Save(folder / "none.ini").ok());
  EXPECT_EQ(IniFile::Load(folder / "none.ini")->ReadInteger("main", "pertyp", 0), 2);
  EXPECT_FALSE(std::filesystem::exists(folder / "none.ini.tmp~"));
}

}  // namespace
}  // namespace chartorium
