#include "export/Languages.h"

#include <gtest/gtest.h>

#include <map>

#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

TEST(LanguageFont, ReadsOnlyTheExactFormat) {
  struct Case {
    std::string_view Text;
    std::optional<LanguageFont> Expected;
  };
  const Case cases[] = {
      {"Arial,9,1000,clNavy", LanguageFont{{"Arial", 9, true}, 0x800000}},
      {"Times New Roman,12,0110,$000000FF",
       LanguageFont{{"Times New Roman", 12, false, true, true, false}, 0xFF}},
      {"Tahoma,8,0001,clWindowText", LanguageFont{{"Tahoma", 8, false, false, false, true}, {}}},
      {"Arial,9,100,clNavy", {}},    // three style digits
      {"Arial,9,10000,clNavy", {}},  // five
      {"Arial,9,1020,clNavy", {}},   // a digit that is not 0 or 1
      {"Arial,x,1000,clNavy", {}},
      {"Arial,9,1000,clNowhere", {}},
      {"Arial", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadLanguageFont(c.Text), c.Expected) << c.Text;
    if (c.Expected) {
      EXPECT_EQ(ReadLanguageFont(LanguageFontText(*c.Expected)), c.Expected);
    }
  }
  EXPECT_EQ(LanguageFontText(LanguageFont{{"Arial", 9, true}, 0x800000}), "Arial,9,1000,clNavy");
}

// A window of two buttons and a label.
class FakeWindow final : public TranslationTarget {
 public:
  std::string WindowName() const override { return "FOptions"; }
  std::string Caption() const override { return caption; }
  void SetCaption(std::string_view text) override { caption = text; }
  LanguageFont Font() const override { return font; }
  void SetFont(const LanguageFont& value) override { font = value; }
  std::vector<TextProperty> Properties() const override {
    std::vector<TextProperty> properties;
    for (const auto& [key, value] : texts) properties.push_back({key.first, key.second, value});
    return properties;
  }
  bool SetProperty(std::string_view component, std::string_view property,
                   std::string_view value) override {
    const auto found = texts.find({std::string(component), std::string(property)});
    if (found == texts.end()) return false;
    found->second = value;
    return true;
  }

  std::string Text(const std::string& component, const std::string& property) const {
    return texts.at({component, property});
  }

  std::string caption = "Options";
  LanguageFont font{{"Arial", 8}, 0};
  std::map<std::pair<std::string, std::string>, std::string> texts = {
      {{"BOk", "Caption"}, "&Ok"},
      {{"BCancel", "Caption"}, "&Cancel"},
      {{"BOk", "Hint"}, ""},
      {{"L1", "Caption"}, "Plot on"}};
};

class Languages : public ::testing::Test {
 protected:
  std::filesystem::path Write(std::string_view name, std::string_view text) {
    std::filesystem::create_directories(folder / "Languages");
    const auto file = folder / "Languages" / std::string(name);
    EXPECT_TRUE(WriteFileAtomically(file, text).ok());
    return file;
  }
  testing::TempFolder folder;
  FakeWindow window;
};

TEST_F(Languages, ASingleKeyChangesOnlyItsControl) {
  const auto file = Write("Francais.lng", "[FOptions]\r\nBOk.Caption=&Valider\r\n");
  ASSERT_TRUE(Translate(file, window).ok());
  EXPECT_EQ(window.Text("BOk", "Caption"), "&Valider");
  EXPECT_EQ(window.Text("BCancel", "Caption"), "&Cancel");
  EXPECT_EQ(window.caption, "Options");
  EXPECT_EQ(window.font, (LanguageFont{{"Arial", 8}, 0}));
}

TEST_F(Languages, AppliesTheFontTitleAndTextsOfTheWindowsSection) {
  struct Case {
    std::string_view FontLine;
    LanguageFont Expected;
  };
  const Case cases[] = {{"Arial,9,1000,clNavy", {{"Arial", 9, true}, 0x800000}},
                        {"Arial,9,100,clNavy", DefaultLanguageFont()}};
  for (const Case& c : cases) {
    const auto file =
        Write("Deutsch.lng",
              "[Other]\r\nBOk.Caption=Nein\r\n[FOptions]\r\n$$FONT$$=" + std::string(c.FontLine) +
                  "\r\nFOptions.Caption=Optionen\r\n"
                  "bok.hint=Best\xE4tigen\r\nL1.Caption=Zeige\r\n"
                  "L1.Name=Renamed\r\n");
    ASSERT_TRUE(Translate(file, window).ok());
    EXPECT_EQ(window.font, c.Expected) << c.FontLine;
    EXPECT_EQ(window.caption, "Optionen");
    EXPECT_EQ(window.Text("BOk", "Hint"), "Bestätigen");  // Windows-1252 on disk; keys ignore case
    EXPECT_EQ(window.Text("L1", "Caption"), "Zeige");
    EXPECT_EQ(window.Text("BOk", "Caption"), "&Ok");
  }
}

TEST_F(Languages, WriteModeFillsTheWindowsSection) {
  const auto file = Write("New.lng", "[Configuration]\r\nMethod=WRITE\r\n");
  ASSERT_TRUE(Translate(file, window).ok());
  const IniFile written = *IniFile::Load(file);
  EXPECT_EQ(written.ReadString("FOptions", "$$FONT$$", ""), "Arial,8,0000,clBlack");
  EXPECT_EQ(written.ReadString("FOptions", "FOptions.Caption", ""), "Options");
  EXPECT_EQ(written.ReadString("FOptions", "BOk.Caption", ""), "&Ok");
  EXPECT_EQ(written.ReadString("FOptions", "L1.Caption", ""), "Plot on");
  EXPECT_EQ(window.caption, "Options");  // the window itself is unchanged
}

TEST_F(Languages, MissingOrDamagedFilesLeaveTheBuiltInTexts) {
  EXPECT_TRUE(Translate({}, window).ok());
  EXPECT_TRUE(Translate(folder / "Languages" / "None.lng", window).ok());
  const auto file = Write("Broken.lng", "\xFF\xFE garbage [[[\r\n=\r\nBOk.Caption\r\n");
  EXPECT_TRUE(Translate(file, window).ok());
  EXPECT_EQ(window.Text("BOk", "Caption"), "&Ok");
  EXPECT_EQ(window.caption, "Options");
}

TEST_F(Languages, ListsTheLanguageFilesAndNamesTheirLanguage) {
  Write("Francais.lng", "");
  Write("English.lng", "");
  Write("notes.txt", "");
  EXPECT_EQ(LanguageFiles(folder.Path()),
            (std::vector<std::string>{"English.lng", "Francais.lng"}));
  EXPECT_EQ(LanguageOfFile("English.lng"), "");
  EXPECT_EQ(LanguageOfFile("Francais.lng"), "Francais");
  EXPECT_EQ(LanguageFilePath(folder.Path(), ""), std::filesystem::path());
  EXPECT_EQ(LanguageFilePath(folder.Path(), "francais"), folder / "Languages" / "Francais.lng");
}

}  // namespace
}  // namespace chartorium
