// Plain-number evaluation of pure expressions: each node gets, once at compile time, a function
// specialised for its operator and for how it reads its operands.
#pragma once

#include "vbscript/Code.h"

namespace chartorium::vbscript {

/// Sets e.Numeric (and a literal's Plain, a binary node's copies of its leaves) from the node and
/// its already bound operands; leaves Numeric null for nodes that can never be plain numbers.
void BindNumeric(Node& e);

/// Sets Arith of a binary node whose sides are plain numbers or calls (see BinaryNode::Arith).
/// Needs the sides' PlainArgs and Numeric already set.
void BindArith(Node& e);

}  // namespace chartorium::vbscript
