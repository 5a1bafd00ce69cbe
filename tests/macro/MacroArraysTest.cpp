// Moving functions, shifts and arithmetic on arrays through the macro object.
#include "macro/MacroLang.h"

#include <cmath>

#include "macro/MacroFixture.h"

namespace chartorium::testing {
namespace {

class MacroArrays : public MacroFixture {
 protected:
  // a(1..5) = 0, a(6..10) = 10, 12, 11, 15, 14, then zeros up to 2001.
  MacroArrays() {
    SetCloses({10, 12, 11, 15, 14});
    EXPECT_TRUE(RunGlobal("a = Shift(GetClose(), 5)"));
  }
};

TEST_F(MacroArrays, ShiftMovesTowardsLaterPlacesWhateverTheSign) {
  EXPECT_TRUE(RunGlobal("b = Shift(a, -2)"));
  struct Row {
    const char* Expression;
    double Expected;
  };
  const Row rows[] = {
      {"LBound(a)", 1}, {"UBound(a)", 2001}, {"a(5)", 0},  {"a(6)", 10},        {"a(10)", 14},
      {"a(11)", 0},     {"b(7)", 0},         {"b(8)", 10}, {"UBound(b)", 2001},
  };
  for (const Row& row : rows) EXPECT_EQ(Number(row.Expression), row.Expected) << row.Expression;
}

TEST_F(MacroArrays, MovingFunctionsStartAfterTheLeadingZeros) {
  EXPECT_TRUE(
      RunGlobal("s = SMA(a, 3)\ne = EMA(a, 3)\nen = EMA(a, -3)\nw = WMA(a, 3)\n"
                "d = StdDev(a, 3)\nd1 = StdDev(a, 1)\nsl = Slope(a, 3)\nl = LinReg(a, 3)\n"
                "c = Corr(a, Multiply(a, -1), 3)"));
  struct Row {
    const char* Expression;
    double Expected;
  };
  const Row rows[] = {
      {"s(7)", 0},         {"s(8)", 11},         // (10 + 12 + 11) / 3
      {"s(9)", 38.0 / 3},  {"s(11)", 29.0 / 3},  // the window takes the zero after the bars
      {"UBound(s)", 2001}, {"e(5)", 0},
      {"e(6)", 10},  // k = 0.5; no warm-up
      {"e(7)", 11},        {"e(9)", 13},
      {"en(9)", 13},       {"w(7)", 0},
      {"w(8)", 67.0 / 6},  // (1*10 + 2*12 + 3*11) / 6
      {"d(7)", 0},         {"d(8)", std::sqrt(2.0 / 3)},
      {"d1(8)", 0},  // one place has no deviation
      {"sl(8)", 0.5},      {"l(8)", 11.5},
      {"c(7)", 0},         {"c(9)", -1},
  };
  for (const Row& row : rows) {
    EXPECT_NEAR(Number(row.Expression), row.Expected, 1e-12) << row.Expression;
  }
}

TEST_F(MacroArrays, ArithmeticTakesTheCommonRangeOrAppliesTheNumber) {
  EXPECT_TRUE(
      RunGlobal("Dim f(8)\nFor i = 0 To 8: f(i) = 2: Next\n"
                "p = Add(a, f)\nq = Substract(100, a)\nr = Divide(5, a)\n"
                "z = Divide(a, 0)\nm = Multiply(f, a)\nv = Divide(a, f)\n"
                "n = IsEmpty(Add(1, 2))\nu = IsEmpty(Sum())"));
  struct Row {
    const char* Expression;
    double Expected;
  };
  const Row rows[] = {
      {"LBound(p)", 1},    {"UBound(p)", 8},    {"p(6)", 12},  {"p(1)", 2}, {"LBound(q)", 1},
      {"UBound(q)", 2001}, {"q(6)", -90},        // a - 100
      {"r(6)", 2},         {"r(10)", 14.0 / 5},  // a / 5
      {"z(6)", 0},         {"m(7)", 24},        {"v(8)", 5.5}, {"n", -1},   {"u", -1},
  };
  for (const Row& row : rows) {
    EXPECT_NEAR(Number(row.Expression), row.Expected, 1e-12) << row.Expression;
  }
}

TEST_F(MacroArrays, ANonArrayWhereAnArrayIsNeededIsAScriptError) {
  EXPECT_FALSE(RunGlobal("x = SMA(5, 3)"));
  EXPECT_EQ(Host().LastError().Number, 13);
}

}  // namespace
}  // namespace chartorium::testing
