// The operators on plain numbers for an operator known only at run time.
#include "vbscript/Numeric.h"

namespace chartorium::vbscript {

Number ApplyNumbers(Op op, const Number& x, const Number& y) {
  switch (op) {
    case Op::Plus:
      return ApplyNumbers<Op::Plus>(x, y);
    case Op::Minus:
      return ApplyNumbers<Op::Minus>(x, y);
    case Op::Mul:
      return ApplyNumbers<Op::Mul>(x, y);
    case Op::Div:
      return ApplyNumbers<Op::Div>(x, y);
    case Op::IntDiv:
      return ApplyNumbers<Op::IntDiv>(x, y);
    case Op::Mod:
      return ApplyNumbers<Op::Mod>(x, y);
    case Op::Eq:
      return ApplyNumbers<Op::Eq>(x, y);
    case Op::Ne:
      return ApplyNumbers<Op::Ne>(x, y);
    case Op::Lt:
      return ApplyNumbers<Op::Lt>(x, y);
    case Op::Gt:
      return ApplyNumbers<Op::Gt>(x, y);
    case Op::Le:
      return ApplyNumbers<Op::Le>(x, y);
    case Op::Ge:
      return ApplyNumbers<Op::Ge>(x, y);
    default:
      return Number{};
  }
}

}  // namespace chartorium::vbscript
