// The arrays every indicator computes in and yields, and the bar fields it reads.
#pragma once

#include <array>
#include <string_view>

#include "core/Numbers.h"
#include "core/QuoteStore.h"

namespace chartorium {

/// 2001 singles, indices 0..2000: index j holds the value of place j + 1.
/// Zero-filled when created.
using WorkArray = std::array<Single, MaxQuotes>;

/// 2001 values for places 1..2001 (index = place; element 0 is unused and 0).
using SeriesValues = std::array<Single, MaxQuotes + 1>;

/// What a period-parameterised routine returns: its values with the catalogue's
/// name and reference levels. Places the routine does not reach hold 0.
struct ResultSeries {
  std::string_view Name;        ///< exactly as the catalogue spells it
  std::string_view LevelsText;  ///< ";"-separated reference values, may be empty
  SeriesValues Values{};
};

/// Read access to the bars of a store, each field as an extended value so
/// that arithmetic on them runs in extended precision.
/// Places outside 1..MaxQuotes must not be asked for; places after BarCount read 0.
class BarView {
 public:
  explicit BarView(const QuoteStore& store) : bars_(store.BarSeries), count_(store.BarCount) {}

  /// Number of bars, N.
  int Count() const { return count_; }
  Extended C(int p) const { return bars_[p].Close; }
  Extended O(int p) const { return bars_[p].Open; }
  Extended H(int p) const { return bars_[p].High; }
  Extended L(int p) const { return bars_[p].Low; }
  Extended V(int p) const { return bars_[p].Volume; }
  Extended OI(int p) const { return bars_[p].OpenInterest; }
  /// The stored Low and High, for comparisons that need no arithmetic.
  Single Low(int p) const { return bars_[p].Low; }
  Single High(int p) const { return bars_[p].High; }
  Single Close(int p) const { return bars_[p].Close; }
  /// (H + L + C) / 3, stored as a single.
  Single TypicalPrice(int p) const { return ToSingle((H(p) + L(p) + C(p)) / 3); }
  /// (H + L) / 2, stored as a single.
  Single MedianPrice(int p) const { return ToSingle((H(p) + L(p)) / 2); }

 private:
  const QuoteTable& bars_;
  int count_;
};

/// The value of a single as an extended operand: keeps an expression that
/// starts with a stored value from being evaluated in single precision.
inline Extended Ext(Single value) {
  return value;
}

/// sum + term, rounded to a single as a running sum is stored. When the term
/// is itself a single the addition is done in single precision: the exact sum
/// of two singles rounds to the same single whether or not it passes through
/// extended precision first (64 bits exceed twice 24 plus 2), and the single
/// addition keeps a long chain of running sums out of the x87 unit.
inline Single AddToSingle(Single sum, Single term) {
  return sum + term;
}
inline Single AddToSingle(Single sum, Extended term) {
  const Single single = static_cast<Single>(term);
  if (single == term) return sum + single;
  return ToSingle(Ext(sum) + term);
}

/// A term that many running sums add, prepared once: whether it is exactly a
/// single decides, once instead of at every addition, how it is added.
/// AsSingle has the sign of Value: the terms are differences of singles,
/// which are 0 or at least the smallest single in magnitude.
struct SumTerm {
  Extended Value = 0;
  Single AsSingle = 0;
  bool IsSingle = true;
};

inline SumTerm MakeSumTerm(Extended value) {
  const Single single = static_cast<Single>(value);
  return SumTerm{value, single, single == value};
}

/// The term's magnitude; a single stays a single.
inline SumTerm Magnitude(SumTerm term) {
  if (term.AsSingle < 0) {
    term.Value = -term.Value;
    term.AsSingle = -term.AsSingle;
  }
  return term;
}

/// sum + term rounded to a single, as AddToSingle.
inline Single AddToSingle(Single sum, const SumTerm& term) {
  return term.IsSingle ? sum + term.AsSingle : ToSingle(Ext(sum) + term.Value);
}

/// The close changes C[p] - C[p-1] of places 2..count (index = place).
using CloseChanges = std::array<SumTerm, MaxQuotes + 1>;
inline void FillCloseChanges(const BarView& bars, CloseChanges& changes) {
  for (int p = 2; p <= bars.Count(); ++p) changes[p] = MakeSumTerm(bars.C(p) - bars.C(p - 1));
}

}  // namespace chartorium
