#include "core/TextHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Cp1252.h"
#include "core/TextCase.h"
#include "support/CommaLocale.h"

namespace chartorium {
namespace {

TEST(FieldOf, ReadsFieldsAsIfASeparatorFollowedTheEnd) {
  struct Case {
    std::string_view text;
    int n;
    std::string_view separator;
    std::string_view expected;
  };
  constexpr Case Cases[] = {
      {"a;b", 1, ";", "a"},      {"a;b", 2, ";", "b"},      {"a;b", 3, ";", ""},
      {"a;;b", 2, ";", ""},      {"a;;b", 3, ";", "b"},     {"a;b;", 3, ";", ""},
      {"", 1, ";", ""},          {"a;b", 1, "", ""},        {"a;b", 0, ";", ""},
      {"x<>y<>z", 3, "<>", "z"}, {"x<>y<>z", 2, "<>", "y"}, {";a", 1, ";", ""},
      {"abc", 1, ";", "abc"},    {"abc", 2, ";", ""},
  };
  for (const Case& c : Cases)
    EXPECT_EQ(FieldOf(c.text, c.n, c.separator), c.expected) << c.text << " field " << c.n;
}

TEST(SetFieldOf, RebuildsUpToTheFirstEmptyField) {
  struct Case {
    std::string_view list;
    std::string_view value;
    int n;
    std::string_view expected;
  };
  constexpr Case Cases[] = {
      {"a;b;c", "X", 2, "a;X;c"}, {"a;b;c", "", 2, "a;c"},  // an empty value drops the field
      {"a;b", "X", 5, "a;b"},                               // beyond the end: not appended
      {"a;b", "X", 3, "a;b"},     {"", "X", 1, "X"},
      {"a;;c", "X", 3, "a"},  // stops at the first empty field
      {";b", "X", 2, ";X"},   // an empty first field is kept
      {"a;b;c", "X", 1, "X;b;c"},
  };
  for (const Case& c : Cases)
    EXPECT_EQ(SetFieldOf(c.list, c.value, c.n), c.expected)
        << c.list << " <- " << c.value << " at " << c.n;
}

TEST(IndexOfPrefix, FindsTheFirstEntryStartingWithTheText) {
  const std::vector<std::string> list = {"Moving Average", "MACD", "Momentum", "RSI"};
  EXPECT_EQ(IndexOfPrefix("m", list), 0);
  EXPECT_EQ(IndexOfPrefix("ma", list), 1);
  EXPECT_EQ(IndexOfPrefix("mo", list), 0);
  EXPECT_EQ(IndexOfPrefix("MOM", list), 2);
  EXPECT_EQ(IndexOfPrefix("rsi", list), 3);
  EXPECT_EQ(IndexOfPrefix("x", list), -1);
  EXPECT_EQ(IndexOfPrefix("", list), 0);
  EXPECT_EQ(IndexOfPrefix("", std::vector<std::string>{}), -1);
}

TEST(NumberTexts, ReadDecimalNumbersWithAPoint) {
  struct Case {
    std::string_view text;
    bool isNumber;
    double number;
    int integer;
  };
  const Case Cases[] = {
      {"12.9", true, 12.9, 12},
      {"-3.5", true, -3.5, -3},
      {"", false, 0, 0},
      {"abc", false, 0, 0},
      {" 42 ", true, 42, 42},
      {"+7", true, 7, 7},
      {"1e3", true, 1000, 1000},
      {"2.5E-1", true, 0.25, 0},
      {".5", true, 0.5, 0},
      {"5.", true, 5, 5},
      {"1,5", false, 0, 0},
      {"12abc", false, 0, 0},
      {"inf", false, 0, 0},
      {"nan", false, 0, 0},
      {"-", false, 0, 0},
      {"1e", false, 0, 0},
      {"0x10", false, 0, 0},
      {"-0.9", true, -0.9, 0},
      {"1e400", true, HUGE_VAL, 2147483647},
  };
  for (const Case& c : Cases) {
    EXPECT_EQ(IsNumber(c.text), c.isNumber) << c.text;
    EXPECT_EQ(TextToNumber(c.text), c.number) << c.text;
    EXPECT_EQ(TextToInt(c.text), c.integer) << c.text;
  }
}

TEST(PriceText, ShowsTwoDecimalsWithHalvesAwayFromZero) {
  struct Case {
    double value;
    std::string_view expected;
  };
  const Case Cases[] = {
      {10.5, "10.50"}, {-5, "-5.00"},    {40.125, "40.13"},           {-40.125, "-40.13"},
      {0.004, "0.00"}, {1.005f, "1.00"}, {1234567.891, "1234567.89"}, {0.125, "0.13"},
      {2.675, "2.67"},  // 2.675 is stored a little below the half
  };
  for (const Case& c : Cases) EXPECT_EQ(PriceText(c.value), c.expected) << c.value;
  // The same under a C library locale that writes "1,5".
  const testing::ScopedCommaLocale comma;
  ASSERT_TRUE(comma.Active()) << "cannot load " << testing::CommaLocaleName;
  for (const Case& c : Cases) EXPECT_EQ(PriceText(c.value), c.expected) << c.value;
}

TEST(TextCase, FoldsAsciiAndLatinLetters) {
  EXPECT_TRUE(EqualsIgnoreCase("Société", "SOCIÉTÉ"));
  EXPECT_TRUE(EqualsIgnoreCase("IBM", "ibm"));
  EXPECT_FALSE(EqualsIgnoreCase("IBM", "ibn"));
  EXPECT_EQ(FoldCase("ÀÞ×"), "àþ×");  // the multiplication sign is not a letter
  EXPECT_EQ(Trim("  a b \r\n"), "a b");
}

TEST(Cp1252, EveryByteRoundTrips) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
  EXPECT_EQ(Cp1252ToUtf8("\xA8"), "\xC2\xA8");  // the separator of custom indicator levels
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC caf\xC3\xA9"), "\x80 caf\xE9");
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // not in the code page
}

}  // namespace
}  // namespace chartorium
