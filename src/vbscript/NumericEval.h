// Plain-number evaluation of pure expressions: each node gets, once at compile time, a function
// specialised for its operator and for how it reads its operands.
#pragma once

#include "vbscript/Ast.h"
#include "vbscript/Numeric.h"

namespace chartorium::vbscript {

/// Sets e.Numeric (and e.LiteralNumber) from the node and its already bound operands; leaves
/// Numeric null for nodes that can never be plain numbers.
void BindNumeric(Expr& e);

/// Sets e.Arith for a binary node whose sides are plain numbers or calls (see Expr::Arith).
/// Needs the sides' PlainArgs and Numeric already set.
void BindArith(Expr& e);

}  // namespace chartorium::vbscript
