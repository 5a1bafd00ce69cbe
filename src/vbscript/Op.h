// The operators of the language: the parser names them, the numeric rules and the VM apply them.
#pragma once

#include <cstdint>

namespace chartorium::vbscript {

enum class Op : uint8_t {
  Plus,
  Minus,
  Mul,
  Div,
  IntDiv,
  Mod,
  Pow,
  Concat,
  Eq,
  Ne,
  Lt,
  Gt,
  Le,
  Ge,
  Is,
  Not,
  And,
  Or,
  Xor,
  Eqv,
  Imp,
  Neg,
  Pos,
};

/// `=`, `<>`, `<`, `>`, `<=`, `>=`.
constexpr bool IsComparison(Op op) {
  return op >= Op::Eq && op <= Op::Ge;
}

}  // namespace chartorium::vbscript
