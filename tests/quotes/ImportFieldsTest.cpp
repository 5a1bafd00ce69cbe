#include "quotes/ImportFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/Calendar.h"
#include "core/DateLocale.h"
#include "core/DateTexts.h"

namespace chartorium {
namespace {

double Day(int year, int month, int day) {
  return DayNumber(year, month, day);
}

TEST(ImportFields, SplitsLinesWithQuotedFields) {
  struct Case {
    std::string_view line;
    char separator;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"a,b,c", ',', {"a", "b", "c"}},
      {"a,,c", ',', {"a", "", "c"}},
      {"a,b,", ',', {"a", "b"}},
      {"", ',', {}},
      {" a ; b", ';', {" a ", " b"}},
      {"2020-01-02,\"1,234.50\",7", ',', {"2020-01-02", "1,234.50", "7"}},
      {"\"say \"\"hi\"\"\",x", ',', {"say \"hi\"", "x"}},
      {"\"unclosed,x", ',', {"\"unclosed", "x"}},
      {"\"a\"b,c", ',', {"ab", "c"}},
      {"1\t2\t3", '\t', {"1", "2", "3"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitImportLine(c.line, c.separator), c.fields) << c.line;
  EXPECT_EQ(SplitImportLine("a,b,c,d", ',', 2), (std::vector<std::string>{"a", "b"}));
}

TEST(ImportFields, SplitsAMegabyteLineInLinearTime) {
  std::string line;
  for (int i = 0; i < 500'000; ++i) line += "1,";
  EXPECT_EQ(SplitImportLine(line, ',').size(), 500'000u);
  EXPECT_EQ(SplitImportLine(line, ',', 49).size(), 49u);
}

TEST(ImportFields, ReadsNumbersWithTheFilesDecimalSeparator) {
  struct Case {
    std::string_view text;
    char decimal;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"12.5", '.', 12.5},
      {" 12.5 ", '.', 12.5},
      {"-3", '.', -3.0},
      {"12,5", ',', 12.5},
      {"1.234,5", ',', 1234.5},
      {"1,234.50", '.', 1234.5},
      {"12,345,678", '.', 12345678.0},
      {"1.5", ',', std::nullopt},  // no thousands group, no decimal: not a number
      {"12,5", '.', std::nullopt},
      {"1,23.5", '.', std::nullopt},
      {"", '.', std::nullopt},
      {"abc", '.', std::nullopt},
      {"inf", '.', std::nullopt},
      {"nan", '.', std::nullopt},
      {"1e3", '.', 1000.0},
      {"12;5", ';', 12.5},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadImportNumber(c.text, c.decimal), c.value) << c.text;
}

TEST(ImportFields, PricesAndVolumesStayInTheStockFilesRange) {
  struct Case {
    std::string_view text;
    Single price;
    std::int32_t whole;
  };
  constexpr auto Max = std::numeric_limits<std::int32_t>::max();
  constexpr auto Min = std::numeric_limits<std::int32_t>::min();
  const Case cases[] = {
      {"12.75", 12.75f, 12}, {"-3.5", -3.5f, -3}, {"1e400", 0, Max},
      {"-1e400", 0, Min},    {"1e39", 0, Max},    {"inf", 0, 0},
      {"nan", 0, 0},         {"3e9", 3e9f, Max},  {"garbage", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImportPrice(c.text, '.'), c.price) << c.text;
    EXPECT_TRUE(std::isfinite(ImportPrice(c.text, '.'))) << c.text;
    EXPECT_EQ(ImportWhole(c.text, '.'), c.whole) << c.text;
  }
}

TEST(ImportFields, ReadsDatesInTheFilesOrderAndIsoDatesInEveryOrder) {
  const DateLocale locale;  // day/month/year with "/"
  struct Case {
    std::string_view text;
    int format;
    double date;
  };
  const Case cases[] = {
      {"26-Feb-99", 0, Day(1999, 2, 26)},
      {"26-Feb-99", 2, NoDate},
      {"02/26/1999", 1, Day(1999, 2, 26)},
      {"2020-01-13", 0, Day(2020, 1, 13)},
      {"2020-01-13", 1, Day(2020, 1, 13)},
      {"2020-1-3", 2, Day(2020, 1, 3)},
      {" 2020/01/13 ", 1, Day(2020, 1, 13)},
      {"13.01.2020", 0, Day(2020, 1, 13)},
      {"20200113", 2, Day(2020, 1, 13)},
      {"31/02/2020", 0, NoDate},
      {"2020-02-31", 0, NoDate},
      {"13/01/99999", 0, NoDate},
      {"99999-01-13", 2, NoDate},
      {"", 0, NoDate},
      {"Date", 0, NoDate},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ImportDate(c.text, c.format, locale), c.date) << c.text << " " << c.format;
}

TEST(ImportFields, SeparatorEntriesStandForTheirCharacters) {
  EXPECT_EQ(SeparatorChar(","), ',');
  EXPECT_EQ(SeparatorChar("Space"), ' ');
  EXPECT_EQ(SeparatorChar("Tab"), '\t');
  EXPECT_EQ(SeparatorChar(""), '\0');
}

}  // namespace
}  // namespace chartorium
