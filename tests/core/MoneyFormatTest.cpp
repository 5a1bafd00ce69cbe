// Money texts in the default format and in other locales' formats.
#include "core/MoneyFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace chartorium {
namespace {

struct MoneyCase {
  double Value;
  const char* Text;
};

TEST(MoneyFormatTest, TheDefaultFormat) {
  const std::vector<MoneyCase> cases = {
      {0, "0.00 USD"},
      {5, "5.00 USD"},
      {999.99, "999.99 USD"},
      {1234.56, "1,234.56 USD"},
      {-1234.5, "-1,234.50 USD"},
      {1234567.891, "1,234,567.89 USD"},
      {-100000, "-100,000.00 USD"},
      {0.125, "0.13 USD"},
      {-0.125, "-0.13 USD"},
      {-0.004, "0.00 USD"},
      {static_cast<float>(1260.1), "1,260.10 USD"},
  };
  for (const MoneyCase& c : cases) EXPECT_EQ(MoneyText(c.Value, MoneyFormat()), c.Text) << c.Value;
}

TEST(MoneyFormatTest, OtherLocales) {
  MoneyFormat german;
  german.ThousandSeparator = ".";
  german.DecimalSeparator = ",";
  german.CurrencySymbol = "EUR";
  EXPECT_EQ(MoneyText(-1234567.5, german), "-1.234.567,50 EUR");
  MoneyFormat dollars = WithCurrency(MoneyFormat(), "$");
  dollars.Place = CurrencyPlace::Before;
  EXPECT_EQ(MoneyText(1234.5, dollars), "$1,234.50");
  EXPECT_EQ(MoneyText(-2, dollars), "-$2.00");
  dollars.Place = CurrencyPlace::BeforeWithSpace;
  EXPECT_EQ(MoneyText(2, dollars), "$ 2.00");
  dollars.Place = CurrencyPlace::After;
  dollars.Decimals = 0;
  dollars.ThousandSeparator = "";
  EXPECT_EQ(MoneyText(1234.5, dollars), "1235$");
}

}  // namespace
}  // namespace chartorium
