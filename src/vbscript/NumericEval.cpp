// The specialised plain-number evaluators. A binary node's function is chosen by its operator
// and by whether each operand is a local variable, a literal a parameter or another node, so the
// common `s + i * 0.5` costs no switch over node kinds or operators at run time.
//
// Only Integer, Long and Double take part, with the operators and widening of Numeric.h. Anything
// else (Empty, strings, Booleans in arithmetic, division by zero, `\` and Mod on reals) gives Type
// Empty and the caller evaluates the node the general way, which then raises the proper error.
#include "vbscript/NumericEval.h"

#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

enum class Leaf { Local, Ref, Literal, Other };

template <Leaf K>
[[gnu::always_inline]] inline Number Read(const Expr& x, Frame& f) {
  if constexpr (K == Leaf::Local)
    return NumberOf(f.Slots[x.Slot]);
  else if constexpr (K == Leaf::Ref)
    return NumberOf(f.Slots[x.Slot].Deref());
  else if constexpr (K == Leaf::Literal)
    return x.LiteralNumber;
  else
    return x.Numeric(x, f);
}

// A variable read gives a plain number or Empty, a bound literal always a plain number; only
// another node may give a Boolean, which arithmetic does not take here.
template <Leaf K>
[[gnu::always_inline]] inline bool Usable(const Number& n) {
  if constexpr (K == Leaf::Literal)
    return true;
  else if constexpr (K == Leaf::Other)
    return IsPlainNumber(n);
  else
    return n.Type != VarType::Empty;
}

// A binary node's operand. The node holds copies of its leaves' slots and of its right
// literal (see BindNumeric), which saves a dependent load on every evaluation.
template <Leaf K, bool Right>
[[gnu::always_inline]] inline Number Side(const Expr& e, Frame& f) {
  if constexpr (K == Leaf::Local)
    return NumberOf(f.Slots[Right ? e.Index : e.Slot]);
  else if constexpr (K == Leaf::Ref)
    return NumberOf(f.Slots[Right ? e.Index : e.Slot].Deref());
  else if constexpr (K == Leaf::Literal && Right)
    return e.LiteralNumber;
  else
    return Read<K>(Right ? *e.Right : *e.Left, f);
}

template <Op O, Leaf L, Leaf R>
Number Binary(const Expr& e, Frame& f) {
  const Number x = Side<L, false>(e, f);
  if (!Usable<L>(x)) return Number{};
  const Number y = Side<R, true>(e, f);
  if (!Usable<R>(y)) return Number{};
  return ApplyNumbers<O>(x, y);
}

template <Op O, Leaf L>
NumberFn PickRight(Leaf right) {
  switch (right) {
    case Leaf::Local:
      return &Binary<O, L, Leaf::Local>;
    case Leaf::Ref:
      return &Binary<O, L, Leaf::Ref>;
    case Leaf::Literal:
      return &Binary<O, L, Leaf::Literal>;
    default:
      return &Binary<O, L, Leaf::Other>;
  }
}

template <Op O>
NumberFn PickLeft(Leaf left, Leaf right) {
  switch (left) {
    case Leaf::Local:
      return PickRight<O, Leaf::Local>(right);
    case Leaf::Ref:
      return PickRight<O, Leaf::Ref>(right);
    case Leaf::Literal:
      return PickRight<O, Leaf::Literal>(right);
    default:
      return PickRight<O, Leaf::Other>(right);
  }
}

NumberFn PickBinary(Op op, Leaf left, Leaf right) {
  switch (op) {
    case Op::Plus:
      return PickLeft<Op::Plus>(left, right);
    case Op::Minus:
      return PickLeft<Op::Minus>(left, right);
    case Op::Mul:
      return PickLeft<Op::Mul>(left, right);
    case Op::Div:
      return PickLeft<Op::Div>(left, right);
    case Op::IntDiv:
      return PickLeft<Op::IntDiv>(left, right);
    case Op::Mod:
      return PickLeft<Op::Mod>(left, right);
    case Op::Eq:
      return PickLeft<Op::Eq>(left, right);
    case Op::Ne:
      return PickLeft<Op::Ne>(left, right);
    case Op::Lt:
      return PickLeft<Op::Lt>(left, right);
    case Op::Gt:
      return PickLeft<Op::Gt>(left, right);
    case Op::Le:
      return PickLeft<Op::Le>(left, right);
    case Op::Ge:
      return PickLeft<Op::Ge>(left, right);
    default:
      return nullptr;
  }
}

template <Op O>
Number ApplyPair(const Number& x, const Number& y) {
  return ApplyNumbers<O>(x, y);
}

ArithFn PickArith(Op op) {
  switch (op) {
    case Op::Plus:
      return &ApplyPair<Op::Plus>;
    case Op::Minus:
      return &ApplyPair<Op::Minus>;
    case Op::Mul:
      return &ApplyPair<Op::Mul>;
    case Op::Div:
      return &ApplyPair<Op::Div>;
    case Op::IntDiv:
      return &ApplyPair<Op::IntDiv>;
    case Op::Mod:
      return &ApplyPair<Op::Mod>;
    case Op::Eq:
      return &ApplyPair<Op::Eq>;
    case Op::Ne:
      return &ApplyPair<Op::Ne>;
    case Op::Lt:
      return &ApplyPair<Op::Lt>;
    case Op::Gt:
      return &ApplyPair<Op::Gt>;
    case Op::Le:
      return &ApplyPair<Op::Le>;
    case Op::Ge:
      return &ApplyPair<Op::Ge>;
    default:
      return nullptr;
  }
}

bool NumberOrCall(const Expr& e) {
  return e.Numeric || (e.Kind == ExprKind::CallProc && e.PlainArgs);
}

Number ReadLocal(const Expr& e, Frame& f) {
  return NumberOf(f.Slots[e.Slot]);
}

Number ReadRef(const Expr& e, Frame& f) {
  return NumberOf(f.Slots[e.Slot].Deref());
}

Number ReadDirect(const Expr& e, Frame&) {
  return NumberOf(*e.Direct);
}

Number ReadLiteral(const Expr& e, Frame&) {
  return e.LiteralNumber;
}

Number Negative(const Expr& e, Frame& f) {
  const Number x = e.Left->Numeric(*e.Left, f);
  if (!IsPlainNumber(x)) return Number{};
  return NegateNumber(x);
}

// v(i) of a one-dimensional array in a local or global variable.
template <Leaf K>
Number Element(const Expr& e, Frame& f) {
  const Variant& holder = e.Direct ? *e.Direct : f.Slots[e.Slot];
  if (!holder.IsArray()) return Number{};
  const Number index = Read<K>(*e.Args[0], f);
  if (index.Type != VarType::Integer && index.Type != VarType::Long) return Number{};
  const ArrayRep& rep = holder.AsArray();
  if (rep.Bounds.size() != 1) return Number{};
  const int64_t offset = index.Int - rep.Bounds[0].Lower;
  if (offset < 0 || offset >= rep.Bounds[0].Count) return Number{};
  return NumberOf(rep.Data[static_cast<size_t>(offset)]);
}

Leaf LeafOf(const Expr& e) {
  if (e.Fast == FastRead::Local) return Leaf::Local;
  if (e.Fast == FastRead::Ref) return Leaf::Ref;
  if (e.Fast == FastRead::Literal) return Leaf::Literal;
  return Leaf::Other;
}

}  // namespace

void BindNumeric(Expr& e) {
  e.Numeric = nullptr;
  switch (e.Fast) {
    case FastRead::Local:
      e.Numeric = &ReadLocal;
      return;
    case FastRead::Ref:
      e.Numeric = &ReadRef;
      return;
    case FastRead::Direct:
      e.Numeric = &ReadDirect;
      return;
    case FastRead::Literal:
      e.LiteralNumber = NumberOf(e.Value);
      if (e.LiteralNumber.Type != VarType::Empty) e.Numeric = &ReadLiteral;
      return;
    case FastRead::None:
      break;
  }
  if (!e.Pure) return;
  if (e.Kind == ExprKind::Binary) {
    if (e.Left->Numeric && e.Right->Numeric) {
      const Leaf left = LeafOf(*e.Left), right = LeafOf(*e.Right);
      e.Numeric = PickBinary(e.Operator, left, right);
      if (left == Leaf::Local || left == Leaf::Ref) e.Slot = e.Left->Slot;
      if (right == Leaf::Local || right == Leaf::Ref) e.Index = e.Right->Slot;
      if (right == Leaf::Literal) e.LiteralNumber = e.Right->LiteralNumber;
    }
    return;
  }
  if (e.Kind == ExprKind::Unary && e.Operator == Op::Neg && e.Left->Numeric) {
    e.Numeric = &Negative;
    return;
  }
  if (e.Kind == ExprKind::Variable && e.Args.size() == 1 && e.Args[0]->Numeric &&
      (e.Loc == Location::Local || e.Direct))
    e.Numeric = e.Args[0]->Fast == FastRead::Local ? &Element<Leaf::Local> : &Element<Leaf::Other>;
}

void BindArith(Expr& e) {
  e.Arith = nullptr;
  if (e.Kind != ExprKind::Binary || e.Pure) return;
  if (NumberOrCall(*e.Left) && NumberOrCall(*e.Right)) e.Arith = PickArith(e.Operator);
}

}  // namespace chartorium::vbscript
