// Plain-number evaluation of pure expressions: each node gets, once at compile time, a function
// specialised for its operator and for how it reads its operands.
#pragma once

#include "vbscript/Ast.h"

namespace chartorium::vbscript {

/// Sets e.Numeric (and e.LiteralNumber) from the node and its already bound operands; leaves
/// Numeric null for nodes that can never be plain numbers.
void BindNumeric(Expr& e);

/// Sets e.Arith for a binary node whose sides are plain numbers or calls (see Expr::Arith).
/// Needs the sides' PlainArgs and Numeric already set.
void BindArith(Expr& e);

/// The plain number a Variant holds: Integer, Long or Double; Type Empty for anything else.
[[gnu::always_inline]] inline Number NumberOf(const Variant& v) {
  Number n;
  switch (v.Type()) {
    case VarType::Double:
      n.Type = VarType::Double;
      n.Real = v.AsDouble();
      return n;
    case VarType::Integer:
      n.Type = VarType::Integer;
      n.Int = v.AsInteger();
      return n;
    case VarType::Long:
      n.Type = VarType::Long;
      n.Int = v.AsLong();
      return n;
    default:
      return n;
  }
}

}  // namespace chartorium::vbscript
