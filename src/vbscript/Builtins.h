// The built-in functions, one table per family, looked up by name once at compile time.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "vbscript/Variant.h"

namespace chartorium::vbscript {

class Vm;

/// A built-in's body; `args` has between MinArgs and MaxArgs values (objects already replaced
/// by their default value unless KeepObjects).
using BuiltinFn = Variant (*)(Vm& vm, std::span<Variant> args);

struct BuiltinFunction {
  std::string_view Name;
  int MinArgs = 0;
  int MaxArgs = 0;
  BuiltinFn Fn = nullptr;
  bool KeepObjects = false;  ///< sees objects as they are (IsObject, TypeName, ...)
  bool Conversion = false;   ///< `Call CInt(1)` raises 458
};

std::span<const BuiltinFunction> StringBuiltins();
std::span<const BuiltinFunction> ByteStringBuiltins();
std::span<const BuiltinFunction> MathBuiltins();
std::span<const BuiltinFunction> ConversionBuiltins();
std::span<const BuiltinFunction> DateTimeBuiltins();
std::span<const BuiltinFunction> HostBuiltins();

/// The built-in named `key` (lower case), or nullptr.
const BuiltinFunction* FindBuiltin(std::string_view key);
/// The value of a vb* constant named `key` (lower case).
std::optional<Variant> FindBuiltinConstant(std::string_view key);

}  // namespace chartorium::vbscript
