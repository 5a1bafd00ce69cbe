// Money texts ("%m"): the one place that knows the locale's currency format,
// held in the Workspace so reports and windows never disagree.
#pragma once

#include <string>
#include <string_view>

namespace chartorium {

/// Where the currency symbol stands beside the amount.
enum class CurrencyPlace { Before, After, BeforeWithSpace, AfterWithSpace };

/// The locale's currency format. The default is a plain "1,234.56 USD"; the
/// program may fill it from the system locale. Negative amounts always take a
/// leading "-" ("-1,234.56 USD").
struct MoneyFormat {
  std::string CurrencySymbol = "USD";
  std::string ThousandSeparator = ",";
  std::string DecimalSeparator = ".";
  int Decimals = 2;
  CurrencyPlace Place = CurrencyPlace::AfterWithSpace;
};

/// The amount in the money format; halves are rounded away from zero.
std::string MoneyText(double value, const MoneyFormat& format);

/// The same format with another currency symbol.
MoneyFormat WithCurrency(MoneyFormat format, std::string_view symbol);

}  // namespace chartorium
