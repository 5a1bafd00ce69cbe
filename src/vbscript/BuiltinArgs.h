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

/// An integer argument whose text is read as the script's locale writes numbers.
inline int32_t IntArg(const Variant& v, const ScriptLocale& locale) {
  if (v.IsString()) return ToLong(Variant::Double(ToDouble(v, locale)));
  return IntArg(v);
}

/// The integer arguments of a string function (starts, lengths, compare modes) in VBScript's
/// order of checks: all are converted first (13 for a text that is no number), then a Null
/// among them is 94; range checks (5) are the caller's, after both. A null pointer is an
/// argument not given, whose `values` entry is kept.
inline void ReadIntArgs(std::span<const Variant* const> args, std::span<int32_t> values,
                        const ScriptLocale& locale) {
  bool null = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (!args[i]) continue;
    if (args[i]->IsNull())
      null = true;
    else
      values[i] = IntArg(*args[i], locale);
  }
  if (null) ThrowRuntime(94);
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
inline SearchArgs ReadSearchArgs(std::span<Variant> a, const ScriptLocale& locale) {
  SearchArgs args;
  const size_t i = a.size() >= 3 ? 1 : 0;
  const Variant* given[] = {i == 1 ? &a[0] : nullptr, a.size() == 4 ? &a[3] : nullptr};
  int32_t values[] = {1, 0};
  ReadIntArgs(given, values, locale);
  args.Start = values[0];
  if (args.Start < 1 || (values[1] != 0 && values[1] != 1)) ThrowRuntime(5);
  args.TextCompare = values[1] == 1;
  args.Text = &a[i];
  args.Find = &a[i + 1];
  return args;
}

/// A new zero-based array of the given values.
Variant MakeArray(std::vector<Variant> values);

}  // namespace chartorium::vbscript
