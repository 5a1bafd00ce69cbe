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
[[gnu::always_inline]] inline Number Read(const Node& x, Frame& f) {
  if constexpr (K == Leaf::Local)
    return NumberOf(f.Slots[x.As<VariableNode>().Slot]);
  else if constexpr (K == Leaf::Ref)
    return NumberOf(f.Slots[x.As<VariableNode>().Slot].Deref());
  else if constexpr (K == Leaf::Literal)
    return x.As<LiteralNode>().Plain;
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
[[gnu::always_inline]] inline Number Side(const BinaryNode& e, Frame& f) {
  if constexpr (K == Leaf::Local)
    return NumberOf(f.Slots[Right ? e.RightSlot : e.LeftSlot]);
  else if constexpr (K == Leaf::Ref)
    return NumberOf(f.Slots[Right ? e.RightSlot : e.LeftSlot].Deref());
  else if constexpr (K == Leaf::Literal && Right)
    return e.RightPlain;
  else
    return Read<K>(Right ? *e.Right : *e.Left, f);
}

template <Op O, Leaf L, Leaf R>
Number Binary(const Node& node, Frame& f) {
  const BinaryNode& e = node.As<BinaryNode>();
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

bool NumberOrCall(const Node& e) {
  return e.Numeric || (e.Kind == NodeKind::CallProc && e.As<CallProcNode>().PlainArgs);
}

Number ReadLocal(const Node& e, Frame& f) {
  return NumberOf(f.Slots[e.As<VariableNode>().Slot]);
}

Number ReadRef(const Node& e, Frame& f) {
  return NumberOf(f.Slots[e.As<VariableNode>().Slot].Deref());
}

Number ReadDirect(const Node& e, Frame&) {
  return NumberOf(*e.As<VariableNode>().Direct);
}

Number ReadLiteral(const Node& e, Frame&) {
  return e.As<LiteralNode>().Plain;
}

Number Negative(const Node& node, Frame& f) {
  const Node& operand = *node.As<UnaryNode>().Operand;
  const Number x = operand.Numeric(operand, f);
  if (!IsPlainNumber(x)) return Number{};
  return NegateNumber(x);
}

// v(i) of a one-dimensional array in a local or global variable.
template <Leaf K>
Number Element(const Node& node, Frame& f) {
  const VariableNode& e = node.As<VariableNode>();
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

Leaf LeafOf(const Node& e) {
  if (e.Fast == FastRead::Local) return Leaf::Local;
  if (e.Fast == FastRead::Ref) return Leaf::Ref;
  if (e.Fast == FastRead::Literal) return Leaf::Literal;
  return Leaf::Other;
}

}  // namespace

void BindNumeric(Node& e) {
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
    case FastRead::Literal: {
      auto& literal = static_cast<LiteralNode&>(e);
      literal.Plain = NumberOf(literal.Value);
      if (literal.Plain.Type != VarType::Empty) e.Numeric = &ReadLiteral;
      return;
    }
    case FastRead::None:
      break;
  }
  if (!e.Pure) return;
  if (e.Kind == NodeKind::Binary) {
    auto& b = static_cast<BinaryNode&>(e);
    if (!b.Left->Numeric || !b.Right->Numeric) return;
    const Leaf left = LeafOf(*b.Left), right = LeafOf(*b.Right);
    b.Numeric = PickBinary(b.Operator, left, right);
    if (left == Leaf::Local || left == Leaf::Ref) b.LeftSlot = b.Left->As<VariableNode>().Slot;
    if (right == Leaf::Local || right == Leaf::Ref) b.RightSlot = b.Right->As<VariableNode>().Slot;
    if (right == Leaf::Literal) b.RightPlain = b.Right->As<LiteralNode>().Plain;
    return;
  }
  if (e.Kind == NodeKind::Unary) {
    const auto& u = static_cast<UnaryNode&>(e);
    if (u.Operator == Op::Neg && u.Operand->Numeric) e.Numeric = &Negative;
    return;
  }
  if (e.Kind == NodeKind::Variable) {
    const auto& v = static_cast<VariableNode&>(e);
    if (v.Args.size() == 1 && v.Args[0]->Numeric && (v.Loc == Location::Local || v.Direct))
      e.Numeric =
          v.Args[0]->Fast == FastRead::Local ? &Element<Leaf::Local> : &Element<Leaf::Other>;
  }
}

void BindArith(Node& e) {
  if (e.Kind != NodeKind::Binary || e.Pure) return;
  auto& b = static_cast<BinaryNode&>(e);
  b.Arith = nullptr;
  if (NumberOrCall(*b.Left) && NumberOrCall(*b.Right)) b.Arith = PickArith(b.Operator);
}

}  // namespace chartorium::vbscript
