// VBScript's operators on Variants, with their result-subtype rules and overflow promotion.
#pragma once

#include "vbscript/Variant.h"

namespace chartorium::vbscript {

/// Operands reaching these functions are plain values: objects were already replaced by their
/// default property value (Nothing and objects throw 91 / 438 here).
Variant Add(const Variant& a, const Variant& b);
Variant Subtract(const Variant& a, const Variant& b);
Variant Multiply(const Variant& a, const Variant& b);
Variant Divide(const Variant& a, const Variant& b);
Variant IntDivide(const Variant& a, const Variant& b);
Variant Modulo(const Variant& a, const Variant& b);
Variant Power(const Variant& a, const Variant& b);
Variant Negate(const Variant& a);
Variant Concat(const Variant& a, const Variant& b);

Variant And(const Variant& a, const Variant& b);
Variant Or(const Variant& a, const Variant& b);
Variant Xor(const Variant& a, const Variant& b);
Variant Eqv(const Variant& a, const Variant& b);
Variant Imp(const Variant& a, const Variant& b);
Variant Not(const Variant& a);

/// Result of comparing two values.
enum class Ordering { Less, Equal, Greater, Null };

/// `=`/`<` semantics: numbers numerically, strings by code unit (or ignoring case when
/// `textCompare`), a number always below a string, Null unordered.
Ordering Compare(const Variant& a, const Variant& b, bool textCompare = false);

/// Comparison operators as Variants: Boolean, or Null when either side is Null.
enum class CompareOp { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };
Variant CompareValues(CompareOp op, const Variant& a, const Variant& b);

/// Compares two strings ignoring ASCII case; <0, 0, >0.
int CompareTextNoCase(std::string_view a, std::string_view b);

}  // namespace chartorium::vbscript
