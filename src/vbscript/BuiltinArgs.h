// Argument helpers shared by the built-in families.
#pragma once

#include <span>
#include <string>

#include "vbscript/Conversion.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

/// An integer argument (lengths, starts, modes): banker's-rounded; Null is 94.
inline int32_t IntArg(const Variant& v) {
  if (v.IsNull()) ThrowRuntime(94);
  return ToLong(v);
}

/// A left-out argument, as in FormatNumber(x, , 0).
inline bool IsMissing(const Variant& v) {
  return v.Type() == VarType::Error && v.AsErrorCode() == MissingArgument;
}

/// An argument given neither as left out nor as Empty.
inline bool Given(std::span<Variant> args, size_t i) {
  return i < args.size() && !IsMissing(args[i]) && !args[i].IsEmpty();
}

/// A text argument: Null is 94.
inline std::string TextArg(const Variant& v) {
  return ToString(v);
}

/// Argument `i`, or `fallback` when the call has fewer.
inline const Variant& ArgOr(std::span<Variant> args, size_t i, const Variant& fallback) {
  return i < args.size() ? args[i] : fallback;
}

/// A compare-mode argument: 0 binary or 1 text, else 5.
inline bool TextCompareArg(const Variant& v) {
  const int32_t mode = IntArg(v);
  if (mode != 0 && mode != 1) ThrowRuntime(5);
  return mode == 1;
}

/// The arguments of InStr and InStrB: ([start,] text, find[, compare]).
struct SearchArgs {
  int32_t Start = 1;  ///< 1 or more
  const Variant* Text = nullptr;
  const Variant* Find = nullptr;
  bool TextCompare = false;
};
inline SearchArgs ReadSearchArgs(std::span<Variant> a) {
  SearchArgs args;
  size_t i = 0;
  if (a.size() >= 3) {
    args.Start = IntArg(a[0]);
    if (args.Start < 1) ThrowRuntime(5);
    i = 1;
  }
  args.TextCompare = a.size() == 4 ? TextCompareArg(a[3]) : false;
  args.Text = &a[i];
  args.Find = &a[i + 1];
  return args;
}

/// A new zero-based array of the given values.
Variant MakeArray(std::vector<Variant> values);

}  // namespace chartorium::vbscript
