#include "core/DateTexts.h"

#include <gtest/gtest.h>

#include "core/Calendar.h"
#include "core/Clock.h"

namespace chartorium {
namespace {

const FixedClock Today(DayNumber(2026, 12, 10));

double Day(int year, int month, int day) {
  return DayNumber(year, month, day);
}

DateLocale DayMonthYear() {
  return LocaleFromPattern("dd/MM/yyyy");
}

TEST(Calendar, CountsDaysFromThe30thOfDecember1899) {
  EXPECT_EQ(DayNumber(1899, 12, 30), 0);
  EXPECT_EQ(DayNumber(1900, 1, 1), 2);
  EXPECT_EQ(DayNumber(2000, 1, 1), 36526);
  EXPECT_EQ(DayNumber(1812, 5, 20), -32000);  // the no-date value is a real day
  EXPECT_EQ(DateOf(36526), (CivilDate{2000, 1, 1}));
  EXPECT_EQ(DateOf(36526.75), (CivilDate{2000, 1, 1}));
  EXPECT_EQ(DayOfWeek(0), 7);                  // a Saturday
  EXPECT_EQ(DayOfWeek(Day(2026, 12, 10)), 5);  // a Thursday
  EXPECT_EQ(DayOfWeek(-1), 6);
  EXPECT_TRUE(IsValidDate(2024, 2, 29));
  EXPECT_FALSE(IsValidDate(2025, 2, 29));
  EXPECT_FALSE(IsValidDate(1900, 2, 29));
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
}

TEST(TextToDateOrdered, ReadsDatesFoundInFiles) {
  struct Case {
    std::string_view text, format;
    double expected;
  };
  const Case Cases[] = {
      {"26-Feb-99", "DMY", Day(1999, 2, 26)},
      {"020131", "YMD", Day(2002, 1, 31)},
      {"19990226", "YMD", Day(1999, 2, 26)},
      {"26021999", "DMY", Day(1999, 2, 26)},
      {"3/2002", "DMY", NoDate},                // two parts only
      {"02/26/1999", "MDY", Day(1999, 2, 26)},  // whatever the locale's order
      {"26/02/xx", "DMY", Day(2000, 2, 26)},    // a year that is not a number is 0
      {"26 fe 2001", "DMY", Day(2001, 2, 26)},
      {"26-February-2001", "DMY", Day(2001, 2, 26)},
      {"26-Foo-2001", "DMY", NoDate},
      {"31/02/2005", "DMY", NoDate},
      {"", "DMY", NoDate},
      {"15/03/19", "DMY", Day(2019, 3, 15)},
      {"15/03/20", "DMY", Day(1920, 3, 15)},
      {"2005-03-15/", "YMD", Day(2005, 3, 15)},  // a trailing separator is dropped
  };
  for (const Case& c : Cases)
    EXPECT_EQ(TextToDateOrdered(c.text, c.format, DayMonthYear()), c.expected)
        << c.text << " as " << c.format;
}

TEST(TextToDateOrdered, JoinsThePartsInTheSystemOrder) {
  const DateLocale american = LocaleFromPattern("M/d/yyyy");
  EXPECT_EQ(TextToDateOrdered("26/02/1999", "DMY", american), Day(1999, 2, 26));
  const DateLocale iso = LocaleFromPattern("yyyy-MM-dd");
  EXPECT_EQ(iso.Separator, '-');
  EXPECT_EQ(TextToDateOrdered("26/02/99", "DMY", iso), Day(1999, 2, 26));
}

TEST(TextToDate, ReadsWhatUsersType) {
  struct Case {
    std::string_view text;
    double expected;
  };
  const Case Cases[] = {
      {"15", Day(2026, 12, 15)},
      {"15/3", Day(2026, 3, 15)},
      {"15 3 05", Day(2005, 3, 15)},
      {"15/03/19", Day(2019, 3, 15)},
      {"15/03/20", Day(1920, 3, 15)},
      {"15-Mar-2005", NoDate},
      {"", NoDate},
      {"31/02/2005", NoDate},
      {"15/3/2005/", Day(2005, 3, 15)},
      {"/", NoDate},
      {"32", NoDate},
      {"1/1/1", Day(2001, 1, 1)},
  };
  for (const Case& c : Cases)
    EXPECT_EQ(TextToDate(c.text, DayMonthYear(), Today), c.expected) << c.text;
}

TEST(TextToDate, FollowsTheLocaleOrder) {
  EXPECT_EQ(TextToDate("3/15", LocaleFromPattern("M/d/yy"), Today), Day(2026, 3, 15));
  EXPECT_EQ(TextToDate("2005.3.15", LocaleFromPattern("yyyy.MM.dd"), Today), Day(2005, 3, 15));
  EXPECT_EQ(TextToDate("3.15", LocaleFromPattern("yyyy.MM.dd"), Today), Day(2026, 3, 15));
}

TEST(DateText, WritesTheShortDateFormat) {
  EXPECT_EQ(DateText(0, DayMonthYear()), "");
  EXPECT_EQ(DateText(Day(2005, 3, 7), DayMonthYear()), "07/03/2005");
  EXPECT_EQ(DateText(Day(2005, 3, 7), LocaleFromPattern("M/d/yy")), "3/7/05");
  EXPECT_EQ(DateText(Day(2005, 3, 7), LocaleFromPattern("dd.MM.yyyy")), "07.03.2005");
  EXPECT_EQ(DateText(Day(2005, 3, 7), LocaleFromPattern("d-MMM-yyyy")), "7-Mar-2005");
  EXPECT_EQ(DateText(NoDate, DayMonthYear()), "20/05/1812");
  EXPECT_EQ(IsoDateText(Day(2005, 3, 7)), "2005-03-07");
}

}  // namespace
}  // namespace chartorium
