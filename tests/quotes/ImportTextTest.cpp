#include "quotes/ImportText.h"

#include <gtest/gtest.h>

namespace chartorium {
namespace {

std::vector<std::string> Lines(const ImportText& text) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < text.LineCount(); ++i) lines.emplace_back(text.Line(i));
  return lines;
}

TEST(ImportText, CutsLinesAtLineEnds) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"", {}},
      {"\xEF\xBB\xBF"
       "Date\n",
       {"Date"}},                                              // a UTF-8 byte order mark is dropped
      {"Soci\xE9t\xE9\n", {"Soci\xC3\xA9t\xC3\xA9"}},          // Windows-1252 becomes UTF-8
      {"Soci\xC3\xA9t\xC3\xA9\n", {"Soci\xC3\xA9t\xC3\xA9"}},  // UTF-8 stays
      {"a\tb\x1A", {"a\tb\x1A"}},
  };
  for (const Case& c : cases) {
    const auto text = ImportText::FromBytes(c.bytes);
    ASSERT_TRUE(text.ok()) << c.bytes;
    EXPECT_EQ(Lines(*text), c.lines) << c.bytes;
  }
}

TEST(ImportText, RefusesFilesThatAreNotTextOrTooLong) {
  const std::string binary[] = {std::string("Date,Close\n2020-01-02,1\0,2\n", 27),
                                "\x01\x02\x03\x04", "PK\x03\x04zip"};
  for (const std::string& bytes : binary) {
    const auto text = ImportText::FromBytes(bytes);
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.status().message(), NotTextMessage);
  }
  // Ten million lines: refused at once with a message, not read into a preview.
  std::string many(20'000'000, '\n');
  for (size_t i = 0; i < many.size(); i += 2) many[i] = '1';
  const auto text = ImportText::FromBytes(std::move(many));
  ASSERT_FALSE(text.ok());
  EXPECT_EQ(text.status().message(), TooLongMessage());
}

TEST(ImportText, KeepsAMegabyteLine) {
  const auto text = ImportText::FromBytes(std::string(1 << 20, 'x') + "\nshort");
  ASSERT_TRUE(text.ok());
  ASSERT_EQ(text->LineCount(), 2u);
  EXPECT_EQ(text->Line(0).size(), 1u << 20);
}

TEST(ImportText, ReportsAMissingFile) {
  const auto text = ImportText::Read("/nonexistent/quotes.csv");
  ASSERT_FALSE(text.ok());
  EXPECT_EQ(text.status().code(), StatusCode::NotFound);
}

}  // namespace
}  // namespace chartorium
