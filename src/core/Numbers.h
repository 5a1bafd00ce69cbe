// The two number types of the program: what is stored, and what is computed.
#pragma once

namespace chartorium {

/// Stored prices and series values: IEEE single precision.
using Single = float;
/// Intermediate arithmetic: x87 extended precision, rounded to Single when stored.
using Extended = long double;

/// Rounds an intermediate value to what a stored Single holds.
inline Single ToSingle(Extended value) {
  return static_cast<Single>(value);
}

}  // namespace chartorium
