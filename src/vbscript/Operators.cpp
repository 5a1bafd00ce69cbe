// Arithmetic, concatenation, logic and comparison on Variants.
#include "vbscript/Operators.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <optional>

#include "vbscript/Conversion.h"
#include "vbscript/Numeric.h"
#include "vbscript/ScriptError.h"
#include "vbscript/TextUnits.h"

namespace chartorium::vbscript {

namespace {

// Operand classes in the order the result-type rules rank them.
enum class Kind { Empty, Boolean, Byte, Integer, Long, Single, Double, Currency, Date, String };

Kind Classify(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty:
      return Kind::Empty;
    case VarType::Boolean:
      return Kind::Boolean;
    case VarType::Byte:
      return Kind::Byte;
    case VarType::Integer:
      return Kind::Integer;
    case VarType::Long:
      return Kind::Long;
    case VarType::Single:
      return Kind::Single;
    case VarType::Double:
      return Kind::Double;
    case VarType::Currency:
      return Kind::Currency;
    case VarType::Date:
      return Kind::Date;
    case VarType::String:
      return Kind::String;
    case VarType::Object:
      if (v.IsNothing()) ThrowRuntime(91);
      ThrowRuntime(438);
    default:
      ThrowRuntime(13);
  }
}

bool Either(Kind a, Kind b, Kind k) {
  return a == k || b == k;
}

// An integer result of a given rank, widened while it does not fit (Byte -> Integer -> Long ->
// Double), as the arithmetic operators promote instead of overflowing.
Variant FitRank(int64_t value, Kind rank) {
  const VarType type = rank == Kind::Byte      ? VarType::Byte
                       : rank == Kind::Integer ? VarType::Integer
                                               : VarType::Long;
  return ToVariant(WidenInteger(value, type));
}

int64_t IntegerValue(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty:
      return 0;
    case VarType::Boolean:
    case VarType::Integer:
      return v.AsInteger();
    case VarType::Byte:
      return v.AsByte();
    case VarType::Long:
      return v.AsLong();
    default:
      return static_cast<int64_t>(ToDouble(v));
  }
}

Variant SingleResult(double value, bool operandsFinite) {
  const float f = static_cast<float>(value);
  if (std::isinf(f) && operandsFinite && !std::isinf(value)) return Variant::Double(value);
  return Variant::Single(f);
}

Variant CurrencyResult(long double scaled) {
  if (!(scaled >= -9.223372036854775807e18L && scaled <= 9.223372036854775807e18L)) ThrowRuntime(6);
  return Variant::Currency(static_cast<int64_t>(scaled));
}

// Integer rank of two operands for the integer-valued results: Byte if both Byte(or Empty),
// Integer for Byte/Integer/Boolean/Empty, else Long.
Kind IntegerRank(Kind a, Kind b) {
  auto small = [](Kind k) { return k == Kind::Empty || k == Kind::Byte; };
  if (small(a) && small(b) && (a == Kind::Byte || b == Kind::Byte)) return Kind::Byte;
  auto integer = [](Kind k) {
    return k == Kind::Empty || k == Kind::Byte || k == Kind::Integer || k == Kind::Boolean;
  };
  if (integer(a) && integer(b)) return Kind::Integer;
  return Kind::Long;
}

int64_t RoundedInteger(const Variant& v) {
  switch (v.Type()) {
    case VarType::Integer:
    case VarType::Boolean:
      return v.AsInteger();
    case VarType::Long:
      return v.AsLong();
    case VarType::Byte:
      return v.AsByte();
    case VarType::Empty:
      return 0;
    default: {
      const double d = RoundHalfEven(ToDouble(v));
      if (!(d >= -2147483648.0 && d <= 2147483647.0)) ThrowRuntime(6);
      return static_cast<int64_t>(d);
    }
  }
}

// Logic operands: Booleans stay Boolean, Byte/Integer as they are, the rest become Long.
struct LogicOperand {
  Kind Rank;
  int64_t Bits;
};

LogicOperand ToLogic(const Variant& v) {
  if (v.IsString()) {
    if (const std::optional<bool> b = ParseBooleanText(v.AsString()))
      return {Kind::Boolean, *b ? -1 : 0};
    return {Kind::Long, RoundedInteger(v)};
  }
  const Kind k = Classify(v);
  switch (k) {
    case Kind::Empty:
      return {Kind::Empty, 0};
    case Kind::Boolean:
    case Kind::Byte:
    case Kind::Integer:
      return {k, IntegerValue(v)};
    default:
      return {Kind::Long, RoundedInteger(v)};
  }
}

Variant LogicResult(int64_t bits, Kind a, Kind b) {
  if (a == Kind::Boolean && b == Kind::Boolean) return Variant::Boolean(bits != 0);
  if (a == Kind::Byte && b == Kind::Byte) return Variant::Byte(static_cast<uint8_t>(bits));
  const Kind rank =
      IntegerRank(a == Kind::Boolean ? Kind::Integer : a, b == Kind::Boolean ? Kind::Integer : b);
  if (rank == Kind::Long) return Variant::Long(static_cast<int32_t>(bits));
  return Variant::Integer(static_cast<int16_t>(bits));
}

// A single operand's logic value in its own type (for the Null rows of the truth tables).
Variant LogicSelf(const LogicOperand& x) {
  return LogicResult(x.Bits, x.Rank, x.Rank);
}

template <typename Op>
Variant Logic(const Variant& a, const Variant& b, Op op) {
  const LogicOperand x = ToLogic(a);
  const LogicOperand y = ToLogic(b);
  return LogicResult(op(x.Bits, y.Bits), x.Rank, y.Rank);
}

}  // namespace

Variant Add(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::MakeNull();
  const Kind ka = Classify(a), kb = Classify(b);
  if (Either(ka, kb, Kind::Date)) return Variant::Date(ToDouble(a) + ToDouble(b));
  if (Either(ka, kb, Kind::Currency))
    return CurrencyResult(static_cast<long double>(ToCurrencyScaled(a)) + ToCurrencyScaled(b));
  if (Either(ka, kb, Kind::Double)) return Variant::Double(ToDouble(a) + ToDouble(b));
  if (Either(ka, kb, Kind::String)) {
    if ((ka == Kind::String || ka == Kind::Empty) && (kb == Kind::String || kb == Kind::Empty))
      return Concat(a, b);
    return Variant::Double(ToDouble(a) + ToDouble(b));
  }
  if (Either(ka, kb, Kind::Single)) {
    if (Either(ka, kb, Kind::Long)) return Variant::Double(ToDouble(a) + ToDouble(b));
    return SingleResult(static_cast<double>(ToDouble(a)) + ToDouble(b), true);
  }
  return FitRank(IntegerValue(a) + IntegerValue(b), IntegerRank(ka, kb));
}

Variant Subtract(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::MakeNull();
  const Kind ka = Classify(a), kb = Classify(b);
  auto textual = [](Kind k) { return k == Kind::String || k == Kind::Empty; };
  if ((textual(ka) && textual(kb) && Either(ka, kb, Kind::String)) ||
      (ka == Kind::Date && kb == Kind::Date))
    return Variant::Double(ToDouble(a) - ToDouble(b));
  if (Either(ka, kb, Kind::Date)) return Variant::Date(ToDouble(a) - ToDouble(b));
  if (Either(ka, kb, Kind::Currency))
    return CurrencyResult(static_cast<long double>(ToCurrencyScaled(a)) - ToCurrencyScaled(b));
  if (Either(ka, kb, Kind::Double) || Either(ka, kb, Kind::String))
    return Variant::Double(ToDouble(a) - ToDouble(b));
  if (Either(ka, kb, Kind::Single)) {
    if (Either(ka, kb, Kind::Long)) return Variant::Double(ToDouble(a) - ToDouble(b));
    return SingleResult(static_cast<double>(ToDouble(a)) - ToDouble(b), true);
  }
  return FitRank(IntegerValue(a) - IntegerValue(b), IntegerRank(ka, kb));
}

Variant Multiply(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::MakeNull();
  const Kind ka = Classify(a), kb = Classify(b);
  if (Either(ka, kb, Kind::Double) || Either(ka, kb, Kind::String) || Either(ka, kb, Kind::Date))
    return Variant::Double(ToDouble(a) * ToDouble(b));
  if (Either(ka, kb, Kind::Single)) {
    if (Either(ka, kb, Kind::Long) || Either(ka, kb, Kind::Currency))
      return Variant::Double(ToDouble(a) * ToDouble(b));
    return SingleResult(static_cast<double>(ToDouble(a)) * ToDouble(b), true);
  }
  if (Either(ka, kb, Kind::Currency)) {
    const long double product = static_cast<long double>(ToCurrencyScaled(a)) *
                                static_cast<long double>(ToCurrencyScaled(b)) / 10000.0L;
    return CurrencyResult(std::nearbyint(product));
  }
  return FitRank(IntegerValue(a) * IntegerValue(b), IntegerRank(ka, kb));
}

Variant Divide(const Variant& a, const Variant& b) {
  if (a.IsNull()) return Variant::MakeNull();
  if (b.IsEmpty()) ThrowRuntime(11);
  if (b.IsNull()) return Variant::MakeNull();
  const Kind ka = Classify(a), kb = Classify(b);
  const double x = ToDouble(a), y = ToDouble(b);
  if (y == 0) ThrowRuntime(x == 0 ? 6 : 11);
  auto singleFriend = [](Kind k) {
    return k == Kind::Single || k == Kind::Integer || k == Kind::Boolean || k == Kind::Byte ||
           k == Kind::Empty;
  };
  if ((ka == Kind::Single && singleFriend(kb)) || (kb == Kind::Single && singleFriend(ka)))
    return SingleResult(x / y, true);
  return Variant::Double(x / y);
}

Variant IntDivide(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::MakeNull();
  const Kind rank = IntegerRank(Classify(a), Classify(b));
  const int64_t x = RoundedInteger(a), y = RoundedInteger(b);
  if (y == 0) ThrowRuntime(11);
  const int64_t q = x / y;
  if (rank == Kind::Long && q > 2147483647LL) ThrowRuntime(6);
  return FitRank(q, rank);
}

Variant Modulo(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::MakeNull();
  const Kind rank = IntegerRank(Classify(a), Classify(b));
  const int64_t x = RoundedInteger(a), y = RoundedInteger(b);
  if (y == 0) ThrowRuntime(11);
  return FitRank(x % y, rank);
}

Variant Power(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return Variant::MakeNull();
  const double x = ToDouble(a), y = ToDouble(b);
  if (x < 0 && y != std::floor(y)) ThrowRuntime(5);
  return Variant::Double(std::pow(x, y));
}

Variant Negate(const Variant& a) {
  switch (a.Type()) {
    case VarType::Null:
      return a;
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Boolean:
    case VarType::Integer:
      return FitRank(-static_cast<int64_t>(a.AsInteger()), Kind::Integer);
    case VarType::Byte:
      return FitRank(-static_cast<int64_t>(a.AsByte()), Kind::Integer);
    case VarType::Long:
      return FitRank(-static_cast<int64_t>(a.AsLong()), Kind::Long);
    case VarType::Single:
      return Variant::Single(-a.AsSingle());
    case VarType::Currency:
      return CurrencyResult(-static_cast<long double>(a.AsCurrency()));
    case VarType::Date:
      return Variant::Date(-a.AsDate());
    default:
      return Variant::Double(-ToDouble(a));
  }
}

Variant Concat(const Variant& a, const Variant& b) {
  if (a.IsNull() && b.IsNull()) return a;
  std::string text;
  AppendText(text, a);
  AppendText(text, b);
  return Variant::String(std::move(text));
}

Variant And(const Variant& a, const Variant& b) {
  if (a.IsNull() && b.IsNull()) return a;
  if (a.IsNull() || b.IsNull()) {
    const LogicOperand x = ToLogic(a.IsNull() ? b : a);
    return x.Bits == 0 ? LogicSelf(x) : Variant::MakeNull();
  }
  return Logic(a, b, [](int64_t x, int64_t y) { return x & y; });
}

Variant Or(const Variant& a, const Variant& b) {
  if (a.IsNull() && b.IsNull()) return a;
  if (a.IsNull() || b.IsNull()) {
    const LogicOperand x = ToLogic(a.IsNull() ? b : a);
    return x.Bits != 0 ? LogicSelf(x) : Variant::MakeNull();
  }
  return Logic(a, b, [](int64_t x, int64_t y) { return x | y; });
}

Variant Xor(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) {
    ToLogic(a.IsNull() ? b : a);
    return Variant::MakeNull();
  }
  return Logic(a, b, [](int64_t x, int64_t y) { return x ^ y; });
}

Variant Eqv(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) {
    ToLogic(a.IsNull() ? b : a);
    return Variant::MakeNull();
  }
  return Logic(a, b, [](int64_t x, int64_t y) { return ~(x ^ y); });
}

Variant Imp(const Variant& a, const Variant& b) {
  if (a.IsNull() && b.IsNull()) return a;
  if (a.IsNull()) {
    const LogicOperand y = ToLogic(b);
    return y.Bits == -1 ? LogicSelf(y) : Variant::MakeNull();
  }
  if (b.IsNull()) {
    const LogicOperand x = ToLogic(a);
    if (x.Bits != 0) return Variant::MakeNull();
    return LogicResult(-1, x.Rank, x.Rank);
  }
  return Logic(a, b, [](int64_t x, int64_t y) { return ~x | y; });
}

Variant Not(const Variant& a) {
  if (a.IsNull()) return a;
  const LogicOperand x = ToLogic(a);
  switch (x.Rank) {
    case Kind::Boolean:
      return Variant::Boolean(x.Bits == 0);
    case Kind::Byte:
      return Variant::Byte(static_cast<uint8_t>(~x.Bits));
    case Kind::Empty:
    case Kind::Integer:
      return Variant::Integer(static_cast<int16_t>(~x.Bits));
    default:
      return Variant::Long(static_cast<int32_t>(~x.Bits));
  }
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
  if (!IsAscii(a) || !IsAscii(b)) {
    const std::u16string x = ToUtf16(LowerText(a)), y = ToUtf16(LowerText(b));
    return x < y ? -1 : y < x ? 1 : 0;
  }
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int x = static_cast<unsigned char>(ToLowerAscii(a[i]));
    const int y = static_cast<unsigned char>(ToLowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Ordering Compare(const Variant& a, const Variant& b, bool textCompare) {
  if (a.IsNull() || b.IsNull()) return Ordering::Null;
  const Kind ka = Classify(a), kb = Classify(b);
  const bool sa = ka == Kind::String || (ka == Kind::Empty && kb == Kind::String);
  const bool sb = kb == Kind::String || (kb == Kind::Empty && ka == Kind::String);
  if (sa && sb) {
    const std::string_view x = ka == Kind::String ? std::string_view(a.AsString()) : "";
    const std::string_view y = kb == Kind::String ? std::string_view(b.AsString()) : "";
    const int c = textCompare ? CompareTextNoCase(x, y) : x.compare(y);
    return c < 0 ? Ordering::Less : c > 0 ? Ordering::Greater : Ordering::Equal;
  }
  // A number always sorts below a string; the two are never equal.
  if (sa) return Ordering::Greater;
  if (sb) return Ordering::Less;
  if (ka == Kind::Currency && kb == Kind::Currency) {
    return a.AsCurrency() < b.AsCurrency()   ? Ordering::Less
           : a.AsCurrency() > b.AsCurrency() ? Ordering::Greater
                                             : Ordering::Equal;
  }
  // A Single meets a Double at single precision, so a stored series value equals the literal
  // it came from: CSng(0.1) = 0.1.
  if ((ka == Kind::Single && kb == Kind::Double) || (ka == Kind::Double && kb == Kind::Single)) {
    const float x = static_cast<float>(ToDouble(a)), y = static_cast<float>(ToDouble(b));
    return x < y ? Ordering::Less : x > y ? Ordering::Greater : Ordering::Equal;
  }
  const double x = ToDouble(a), y = ToDouble(b);
  return x < y ? Ordering::Less : x > y ? Ordering::Greater : Ordering::Equal;
}

Variant CompareValues(CompareOp op, const Variant& a, const Variant& b) {
  const Ordering o = Compare(a, b);
  if (o == Ordering::Null) return Variant::MakeNull();
  switch (op) {
    case CompareOp::Equal:
      return Variant::Boolean(o == Ordering::Equal);
    case CompareOp::NotEqual:
      return Variant::Boolean(o != Ordering::Equal);
    case CompareOp::Less:
      return Variant::Boolean(o == Ordering::Less);
    case CompareOp::Greater:
      return Variant::Boolean(o == Ordering::Greater);
    case CompareOp::LessEqual:
      return Variant::Boolean(o != Ordering::Greater);
    case CompareOp::GreaterEqual:
      return Variant::Boolean(o != Ordering::Less);
  }
  return Variant::MakeNull();
}

}  // namespace chartorium::vbscript
