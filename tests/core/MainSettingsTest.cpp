#include "core/MainSettings.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/NewsTicker.h"

namespace chartorium {
namespace {

TEST(MainSettings, RoundTripsAndFallsBackToTheDefaults) {
  EXPECT_EQ(ReadMainSettings(IniFile()), MainSettings{});
  const MainSettings changed{800, 600, 10, 20, 200, 200, 2, "Francais", "http://example.org/"};
  IniFile quorex = IniFile::FromText("[Main]\r\nFol=/data/\r\n");
  WriteMainSettings(quorex, changed);
  EXPECT_EQ(ReadMainSettings(IniFile::FromText(quorex.Text())), changed);
  EXPECT_EQ(quorex.ReadString("Main", "Fol", ""), "/data/");
  const IniFile odd = IniFile::FromText("[Main]\r\nLang=English.lng\r\nPerTyp=7\r\nW=abc\r\n");
  const MainSettings read = ReadMainSettings(odd);
  EXPECT_EQ(read.Language, "");
  EXPECT_EQ(read.Periodicity, 1);
  EXPECT_EQ(read.Width, 622);
}

TEST(NewsTicker, ShowsEachItemInTurnWithItsLink) {
  NewsTicker news;
  EXPECT_EQ(news.Tick(), "");
  EXPECT_EQ(news.CurrentLink(), "");
  news.SetText("Markets up;https://example.org/a\r\n\r\nRates steady\r\nLast; https://x.org/ \n");
  const std::pair<std::string_view, std::string_view> expected[] = {
      {"Markets up", "https://example.org/a"},
      {"Rates steady", ""},
      {"Last", "https://x.org/"},
      {"Markets up", "https://example.org/a"}};
  for (const auto& [text, link] : expected) {
    EXPECT_EQ(news.Tick(), text);
    EXPECT_EQ(news.CurrentLink(), link) << text;
  }
  news.SetText("Only");
  EXPECT_EQ(news.Tick(), "Only");
}

}  // namespace
}  // namespace chartorium
