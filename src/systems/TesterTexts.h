// Number texts of the trade log and the statistics text.
#pragma once

#include <string>

#include "core/TextHelpers.h"

namespace chartorium {

/// "%8.2f", trimmed; a value that rounds to 0 has no sign ("0.00", not "-0.00").
inline std::string TwoDecimals(double value) {
  std::string text = PriceText(value);
  if (text == "-0.00") text.erase(0, 1);
  return text;
}

/// "%8.2f": two decimals right-aligned in eight characters.
inline std::string PaddedTwoDecimals(double value) {
  std::string text = TwoDecimals(value);
  if (text.size() < 8) text.insert(0, 8 - text.size(), ' ');
  return text;
}

}  // namespace chartorium
