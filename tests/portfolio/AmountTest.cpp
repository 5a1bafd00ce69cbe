#include "portfolio/Amount.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace chartorium {
namespace {

TEST(Amount, ReadsNumberTextsToFourPlaces) {
  struct Case {
    std::string_view text;
    std::int64_t units;
  };
  constexpr Case Cases[] = {
      {"12.5", 125000},
      {" 7 ", 70000},
      {"+3", 30000},
      {"-0.1", -1000},
      {"0.00005", 1},
      {"-0.00005", -1},
      {"0.00004999", 0},
      {"1.23456", 12346},
      {"1e3", 10000000},
      {"2.5E-3", 25},
      {".5", 5000},
      {"5.", 50000},
      {"0000012.30", 123000},
      {"abc", 0},
      {"", 0},
      {"1,5", 0},
      {"12 3", 0},
      {"1e400", 9'000'000'000'000'000'000},
      {"-1e400", -9'000'000'000'000'000'000},
      {"1e-400", 0},
  };
  for (const Case& c : Cases) EXPECT_EQ(Amount::FromText(c.text).Units(), c.units) << c.text;
}

TEST(Amount, WritesShortestAndTwoDecimalTexts) {
  struct Case {
    std::int64_t units;
    std::string_view shortest;
    std::string_view fixed;
  };
  constexpr Case Cases[] = {
      {0, "0", "    0.00"},         {510000, "51", "   51.00"},
      {505000, "50.5", "   50.50"}, {-1, "-0.0001", "    0.00"},
      {1250, "0.125", "    0.13"},  {-1250, "-0.125", "   -0.13"},
      {1240, "0.124", "    0.12"},  {12345678901234, "1234567890.1234", "1234567890.12"},
      {-70000, "-7", "   -7.00"},
  };
  for (const Case& c : Cases) {
    const Amount amount = Amount::FromUnits(c.units);
    EXPECT_EQ(amount.ShortestText(), c.shortest) << c.units;
    EXPECT_EQ(amount.FixedText(), c.fixed) << c.units;
    EXPECT_EQ(Amount::FromText(amount.ShortestText()), amount) << c.units;
  }
}

TEST(Amount, RoundsEveryProductAndQuotientToFourPlaces) {
  struct Case {
    std::string_view a;
    char op;
    std::string_view b;
    std::string_view result;
  };
  constexpr Case Cases[] = {
      {"0.1", '+', "0.2", "0.3"},
      {"50.5", '-', "51", "-0.5"},
      {"5", '*', "10", "50"},
      {"0.0001", '*', "0.5", "0.0001"},
      {"-0.0001", '*', "0.5", "-0.0001"},
      {"0.0001", '*', "0.4", "0"},
      {"31", '/', "3", "10.3333"},
      {"2", '/', "3", "0.6667"},
      {"-2", '/', "3", "-0.6667"},
      {"2", '/', "-3", "-0.6667"},
      {"1", '/', "0", "0"},
      {"900000000000000", '*', "10", "900000000000000"},
  };
  for (const Case& c : Cases) {
    const Amount a = Amount::FromText(c.a);
    const Amount b = Amount::FromText(c.b);
    const Amount result = c.op == '+' ? a + b : c.op == '-' ? a - b : c.op == '*' ? a * b : a / b;
    EXPECT_EQ(result.ShortestText(), c.result) << c.a << ' ' << c.op << ' ' << c.b;
  }
}

TEST(Amount, StoredPricesBecomeTheirNearestFourPlaceAmount) {
  EXPECT_EQ(Amount::FromDouble(static_cast<float>(10.1)).ShortestText(), "10.1");
  EXPECT_EQ(Amount::FromDouble(12.345678).ShortestText(), "12.3457");
  EXPECT_EQ(Amount::FromDouble(-0.00006).ShortestText(), "-0.0001");
  EXPECT_EQ(Amount::FromDouble(0.0 / 0.0).ShortestText(), "0");
}

}  // namespace
}  // namespace chartorium
