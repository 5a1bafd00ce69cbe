// Money texts.
#include "core/MoneyFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace chartorium {

std::string MoneyText(double value, const MoneyFormat& format) {
  const int decimals = std::clamp(format.Decimals, 0, 6);
  std::string digits;
  bool negative = false;
  if (std::isfinite(value)) {
    // Halves round away from zero, as prices do; the scaling is exact enough
    // in extended precision for every amount a single holds.
    const long double scaled =
        std::roundl(static_cast<long double>(value) * std::pow(10.0L, decimals));
    negative = scaled < 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.0Lf", std::fabs(scaled));
    digits = text;
  } else {
    digits = "0";
  }
  if (static_cast<int>(digits.size()) <= decimals) {
    digits.insert(0, static_cast<size_t>(decimals + 1) - digits.size(), '0');
  }
  const std::string whole = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
  std::string amount;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) amount += format.ThousandSeparator;
    amount += whole[i];
  }
  if (decimals > 0) {
    amount += format.DecimalSeparator;
    amount += digits.substr(whole.size());
  }
  std::string text;
  switch (format.Place) {
    case CurrencyPlace::Before:
      text = format.CurrencySymbol + amount;
      break;
    case CurrencyPlace::BeforeWithSpace:
      text = format.CurrencySymbol + " " + amount;
      break;
    case CurrencyPlace::After:
      text = amount + format.CurrencySymbol;
      break;
    case CurrencyPlace::AfterWithSpace:
      text = amount + " " + format.CurrencySymbol;
      break;
  }
  return negative ? "-" + text : text;
}

MoneyFormat WithCurrency(MoneyFormat format, std::string_view symbol) {
  format.CurrencySymbol = std::string(symbol);
  return format;
}

}  // namespace chartorium
