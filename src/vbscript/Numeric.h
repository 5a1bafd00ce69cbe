// The numeric rules of the operators, in one place: which subtype an integer result takes, when
// it widens instead of overflowing, and the operators on plain numbers that every fast path of
// the VM uses. The general operators on Variants (Operators.cpp) widen with the same rule.
#pragma once

#include <cstdint>

#include "vbscript/Op.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

/// An Integer, Long, Double or Boolean value outside a Variant, so that arithmetic keeps its
/// intermediate results in registers. (Byte appears only as a widening rank.) Type Empty: not
/// such a number; the caller then takes the general rules.
struct Number {
  VarType Type = VarType::Empty;
  union {
    int64_t Int = 0;
    double Real;
  };
};

/// Integer widening: a result of integer `rank` (Byte, Integer or Long) keeps that subtype
/// while it fits and widens otherwise, Byte -> Integer -> Long -> Double, as VBScript promotes
/// instead of overflowing.
[[gnu::always_inline]] inline Number WidenInteger(int64_t value, VarType rank) {
  Number n;
  if (rank == VarType::Byte && value >= 0 && value <= 255) {
    n.Type = VarType::Byte;
    n.Int = value;
  } else if (rank != VarType::Long && value >= -32768 && value <= 32767) {
    n.Type = VarType::Integer;
    n.Int = value;
  } else if (value >= -2147483648LL && value <= 2147483647LL) {
    n.Type = VarType::Long;
    n.Int = value;
  } else {
    n.Type = VarType::Double;
    n.Real = static_cast<double>(value);
  }
  return n;
}

/// The rank of an integer result of two Integer/Long operands: Integer only when both are.
[[gnu::always_inline]] inline VarType PairRank(VarType a, VarType b) {
  return a == VarType::Integer && b == VarType::Integer ? VarType::Integer : VarType::Long;
}

[[gnu::always_inline]] inline Number RealNumber(double value) {
  Number n;
  n.Type = VarType::Double;
  n.Real = value;
  return n;
}

[[gnu::always_inline]] inline Number BooleanNumber(bool value) {
  Number n;
  n.Type = VarType::Boolean;
  n.Int = value ? -1 : 0;
  return n;
}

/// Integer, Long or Double: the subtypes the fast paths compute with.
[[gnu::always_inline]] inline bool IsPlainNumber(const Number& n) {
  return n.Type == VarType::Double || n.Type == VarType::Integer || n.Type == VarType::Long;
}

[[gnu::always_inline]] inline double RealOf(const Number& n) {
  return n.Type == VarType::Double ? n.Real : static_cast<double>(n.Int);
}

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

/// Operator `O` on two plain numbers (IsPlainNumber), or Type Empty where the general rules
/// must decide: division by zero, `\` and Mod of reals, and operators other than arithmetic
/// and comparison.
template <Op O>
[[gnu::always_inline]] inline Number ApplyNumbers(const Number& x, const Number& y) {
  const bool integers = x.Type != VarType::Double && y.Type != VarType::Double;
  const VarType rank = PairRank(x.Type, y.Type);
  if constexpr (O == Op::Plus)
    return integers ? WidenInteger(x.Int + y.Int, rank) : RealNumber(RealOf(x) + RealOf(y));
  else if constexpr (O == Op::Minus)
    return integers ? WidenInteger(x.Int - y.Int, rank) : RealNumber(RealOf(x) - RealOf(y));
  else if constexpr (O == Op::Mul)
    return integers ? WidenInteger(x.Int * y.Int, rank) : RealNumber(RealOf(x) * RealOf(y));
  else if constexpr (O == Op::Div)
    return RealOf(y) == 0 ? Number{} : RealNumber(RealOf(x) / RealOf(y));
  else if constexpr (O == Op::IntDiv)
    return !integers || y.Int == 0 ? Number{} : WidenInteger(x.Int / y.Int, rank);
  else if constexpr (O == Op::Mod)
    return !integers || y.Int == 0 ? Number{} : WidenInteger(x.Int % y.Int, rank);
  else if constexpr (O == Op::Eq)
    return BooleanNumber(integers ? x.Int == y.Int : RealOf(x) == RealOf(y));
  else if constexpr (O == Op::Ne)
    return BooleanNumber(integers ? x.Int != y.Int : RealOf(x) != RealOf(y));
  else if constexpr (O == Op::Lt)
    return BooleanNumber(integers ? x.Int < y.Int : RealOf(x) < RealOf(y));
  else if constexpr (O == Op::Gt)
    return BooleanNumber(integers ? x.Int > y.Int : RealOf(x) > RealOf(y));
  else if constexpr (O == Op::Le)
    return BooleanNumber(integers ? x.Int <= y.Int : RealOf(x) <= RealOf(y));
  else if constexpr (O == Op::Ge)
    return BooleanNumber(integers ? x.Int >= y.Int : RealOf(x) >= RealOf(y));
  else
    return Number{};
}

/// ApplyNumbers for an operator known only at run time.
Number ApplyNumbers(Op op, const Number& x, const Number& y);

/// -x of a plain number, widening as `0 - x` does.
[[gnu::always_inline]] inline Number NegateNumber(const Number& x) {
  return x.Type == VarType::Double ? RealNumber(-x.Real) : WidenInteger(-x.Int, x.Type);
}

/// Stores a number (not Type Empty) into a Variant without building a temporary.
[[gnu::always_inline]] inline void StoreNumber(Variant& slot, const Number& n) {
  switch (n.Type) {
    case VarType::Integer:
      slot.SetInteger(static_cast<int16_t>(n.Int));
      return;
    case VarType::Long:
      slot.SetLong(static_cast<int32_t>(n.Int));
      return;
    case VarType::Boolean:
      slot = Variant::Boolean(n.Int != 0);
      return;
    case VarType::Byte:
      slot = Variant::Byte(static_cast<uint8_t>(n.Int));
      return;
    default:
      slot.SetDouble(n.Real);
      return;
  }
}

/// The Variant of a number (not Type Empty).
[[gnu::always_inline]] inline Variant ToVariant(const Number& n) {
  switch (n.Type) {
    case VarType::Integer:
      return Variant::Integer(static_cast<int16_t>(n.Int));
    case VarType::Long:
      return Variant::Long(static_cast<int32_t>(n.Int));
    case VarType::Boolean:
      return Variant::Boolean(n.Int != 0);
    case VarType::Byte:
      return Variant::Byte(static_cast<uint8_t>(n.Int));
    default:
      return Variant::Double(n.Real);
  }
}

}  // namespace chartorium::vbscript
