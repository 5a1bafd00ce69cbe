// Quotes, named series, whole price arrays and dates through the macro object.
#include "macro/MacroLang.h"

#include <cmath>

#include "indicators/CandlePatterns.h"
#include "indicators/SeriesByName.h"
#include "macro/MacroFixture.h"

namespace chartorium::testing {
namespace {

using vbscript::VarType;

class MacroPrices : public MacroFixture {
 protected:
  MacroPrices() { SetCloses({10, 12, 11, 15, 14}); }
};

TEST_F(MacroPrices, BarFieldsAreEmptyOutsideTheBars) {
  EXPECT_TRUE(Eval("Close(0)").IsEmpty());
  EXPECT_TRUE(Eval("Close(6)").IsEmpty());
  EXPECT_TRUE(Eval("Volume(-1)").IsEmpty());
  EXPECT_EQ(Number("Close(1)"), 10);
  EXPECT_EQ(Number("KVX.Close(5)"), 14);
  EXPECT_EQ(Number("Open(2)"), 11.5);
  EXPECT_EQ(Number("High(3)"), 12);
  EXPECT_EQ(Number("Low(4)"), 14);
  EXPECT_EQ(Eval("Volume(3)").Type(), VarType::Long);
  EXPECT_EQ(Number("Volume(3)"), 300);
  EXPECT_EQ(Number("OI(4)"), 4);
}

TEST_F(MacroPrices, PlacesRoundHalfToEvenOrTruncateByMethod) {
  struct Row {
    const char* Expression;
    double Expected;
  };
  const Row rows[] = {
      {"Close(1.5)", 12},                // half to even: 2
      {"Close(2.5)", 12},                // half to even: 2
      {"Close(3.6)", 15},                // nearest: 4
      {"GetValue(\"close\", 3.9)", 11},  // truncated: 3
      {"Mov(\"close\", 2.5, 2)", 11},    // rounded: place 2, mean of 10 and 12
      {"RGB(255, 0, 0)", 255},
      {"RGB(1.9, 2.9, 1)", 1 + 256 * 2 + 65536},  // truncated
      {"Variation(110, 100)", 10},
      {"PercentChange(90, 100)", -10},
      {"Variation(5, 0)", 0},
  };
  for (const Row& row : rows)
    EXPECT_NEAR(Number(row.Expression), row.Expected, 1e-9) << row.Expression;
}

TEST_F(MacroPrices, HighestAndLowestOfSeriesAndArrays) {
  EXPECT_EQ(Number("HHV(\"close\", 4, 2)"), 15);  // bounds exchanged
  EXPECT_EQ(Number("LLV(\"close\", 2, 5)"), 11);
  EXPECT_EQ(Number("HHV(\"close\", -3, 3)"), 12);  // raised to 1
  EXPECT_EQ(Number("HHV(GetClose(), 1, 5)"), 15);
  EXPECT_EQ(Number("LLV(GetClose(), 2, 3)"), 11);
  EXPECT_EQ(Number("HHV(GetClose(), 0, 3)"), 0);  // outside the array's bounds
}

TEST_F(MacroPrices, WholeArraysSpanTheFullRangeWithZerosAfterTheBars) {
  ASSERT_TRUE(
      RunGlobal("a = GetClose()\nlo = LBound(a)\nhi = UBound(a)\nlast = a(5)\nafter = a(6)\n"
                "v = GetVolume()\nvol = v(2)\nc = GetIndic(\"Close\")\nc4 = c(4)\n"
                "z = GetIndic(\"sma\")\nz2 = z(2)"));
  EXPECT_EQ(Number("lo"), 1);
  EXPECT_EQ(Number("hi"), 2001);
  EXPECT_EQ(Number("last"), 14);
  EXPECT_EQ(Number("after"), 0);
  EXPECT_EQ(Number("vol"), 200);
  EXPECT_EQ(Number("c4"), 15);
  EXPECT_EQ(Number("z2"), 0);  // overlays are not in the cache
}

TEST_F(MacroPrices, GetIndicReadsTheCachedSeries) {
  SetCloses({1, 2, 3, 4, 5, 4, 3, 4, 5, 6, 7, 6, 5, 6, 7, 8, 9, 8});
  ASSERT_TRUE(RunGlobal("r = GetIndic(\"RSI\")\nr18 = r(18)"));
  MacroStatus runs;
  EXPECT_EQ(static_cast<Single>(Number("r18")), SeriesValue(Ws(), "rsi", 18, runs));
  EXPECT_TRUE(runs.Clean());
  EXPECT_NE(Number("r18"), 0);
}

TEST_F(MacroPrices, TextsStockAndDates) {
  EXPECT_EQ(Text("CurrentStock()"), "ACME");
  Ws().Locale.ShortDateFormat = "dd/MM/yyyy";
  // Day 40001 is 7 July 2009.
  EXPECT_EQ(Text("DateToStr(1)"), "07/07/2009");
  EXPECT_EQ(Text("DateToStr(0)"), "");
  EXPECT_EQ(Eval("DateToStr(0)").Type(), VarType::String);
  EXPECT_EQ(Eval("CandlePattern(\"nothing such\", 3)").Type(), VarType::Boolean);
}

TEST_F(MacroPrices, CandlePatternAsksThePatternAtThePlace) {
  // Bar 3 opens and closes at 11: a doji among bars with bodies.
  SetBars({{10, 12, 9, 11.5F, 100, 0},
           {11.5F, 13, 11, 12.5F, 100, 0},
           {11, 13, 9, 11, 100, 0},
           {11, 12, 10, 11.8F, 100, 0}});
  int found = 0;
  for (int p = 1; p <= 4; ++p) {
    const bool expected = CandlePattern(Ws(), "doji", p);
    EXPECT_EQ(Eval("CandlePattern(\"Doji\", " + std::to_string(p) + ".9)").AsBoolean(), expected)
        << p;
    found += expected;
  }
  EXPECT_EQ(found, 1);
  EXPECT_TRUE(CandlePattern(Ws(), "doji", 3));
}

TEST_F(MacroPrices, TextForANumberIsAScriptErrorAtItsLine) {
  EXPECT_FALSE(RunGlobal("x = 1\nx = Close(\"abc\")"));
  EXPECT_EQ(Host().LastError().Number, 13);
  EXPECT_EQ(Host().LastError().Line, 2);
  ASSERT_EQ(Errors().size(), 1u);
}

}  // namespace
}  // namespace chartorium::testing
