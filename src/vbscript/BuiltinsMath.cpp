// Math built-ins: Abs, Sgn, Sqr, the transcendental functions, Int/Fix/Round, Hex/Oct, Rnd.
#include <chrono>
#include <cmath>
#include <cstring>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/Builtins.h"
#include "vbscript/Operators.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

// Strings read as the script's locale writes numbers.
double NumberArg(const Vm& vm, const Variant& v) {
  return ToDouble(v, vm.Locale);
}

Variant FnAbs(Vm& vm, std::span<Variant> a) {
  const Variant& v = a[0];
  switch (v.Type()) {
    case VarType::Null:
      return v;
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Boolean:
    case VarType::Integer:
      return FitInteger(std::abs(static_cast<int64_t>(v.AsInteger())));
    case VarType::Long:
      return FitInteger(std::abs(static_cast<int64_t>(v.AsLong())));
    case VarType::Byte:
      return v;
    case VarType::Single:
      return Variant::Single(std::fabs(v.AsSingle()));
    case VarType::Currency:
      return Variant::Currency(v.AsCurrency() < 0 ? -v.AsCurrency() : v.AsCurrency());
    case VarType::Date:
      return Variant::Date(std::fabs(v.AsDate()));
    default:
      return Variant::Double(std::fabs(NumberArg(vm, v)));
  }
}

Variant FnSgn(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(94);
  const double x = NumberArg(vm, a[0]);
  return Variant::Integer(static_cast<int16_t>(x > 0 ? 1 : x < 0 ? -1 : 0));
}

Variant FnSqr(Vm& vm, std::span<Variant> a) {
  const double x = NumberArg(vm, a[0]);
  if (x < 0) ThrowRuntime(5);
  return Variant::Double(std::sqrt(x));
}

Variant FnLog(Vm& vm, std::span<Variant> a) {
  const double x = NumberArg(vm, a[0]);
  if (x <= 0) ThrowRuntime(5);
  return Variant::Double(std::log(x));
}

template <double (*F)(double)>
Variant FnUnary(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  return Variant::Double(F(NumberArg(vm, a[0])));
}

double Exp(double x) {
  return std::exp(x);
}
double Sin(double x) {
  return std::sin(x);
}
double Cos(double x) {
  return std::cos(x);
}
double Tan(double x) {
  return std::tan(x);
}
double Atn(double x) {
  return std::atan(x);
}

// Int and Fix keep the numeric subtype of their argument.
template <bool Floor>
Variant FnIntFix(Vm& vm, std::span<Variant> a) {
  const Variant& v = a[0];
  auto cut = [](double x) { return Floor ? std::floor(x) : std::trunc(x); };
  switch (v.Type()) {
    case VarType::Null:
      return v;
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Boolean:
      return Variant::Integer(v.AsInteger());
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
      return v;
    case VarType::Single:
      return Variant::Single(static_cast<float>(cut(v.AsSingle())));
    case VarType::Currency: {
      const int64_t c = v.AsCurrency();
      int64_t whole = c / 10000;
      if (Floor && c < 0 && c % 10000 != 0) --whole;
      return Variant::Currency(whole * 10000);
    }
    case VarType::Date:
      return Variant::Date(cut(v.AsDate()));
    default:
      return Variant::Double(cut(NumberArg(vm, v)));
  }
}

Variant FnRound(Vm& vm, std::span<Variant> a) {
  const Variant& v = a[0];
  const int32_t places = a.size() > 1 ? IntArg(a[1]) : 0;
  if (places < 0) ThrowRuntime(5);
  if (v.IsNull()) return v;
  const double scale = std::pow(10.0, places);
  auto round = [&](double x) { return RoundHalfEven(x * scale) / scale; };
  switch (v.Type()) {
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
      return v;
    case VarType::Single:
      return Variant::Single(static_cast<float>(round(v.AsSingle())));
    case VarType::Currency:
      return Variant::Currency(ToCurrencyScaled(Variant::Double(round(ToDouble(v)))));
    default:
      return Variant::Double(round(NumberArg(vm, v)));
  }
}

template <int Base>
Variant FnRadix(Vm&, std::span<Variant> a) {
  const Variant& v = a[0];
  if (v.IsNull()) return v;
  const int32_t n = ToLong(v);
  // Integer-sized values print their 16-bit pattern.
  const bool narrow = v.Type() == VarType::Integer || v.Type() == VarType::Byte ||
                      v.Type() == VarType::Boolean || v.Type() == VarType::Empty ||
                      (v.Type() != VarType::Long && n >= -32768 && n <= 32767);
  uint32_t bits = narrow ? static_cast<uint16_t>(n) : static_cast<uint32_t>(n);
  if (bits == 0) return Variant::String("0");
  std::string out;
  while (bits != 0) {
    out.insert(out.begin(), "0123456789ABCDEF"[bits % Base]);
    bits /= Base;
  }
  return Variant::String(std::move(out));
}

float NextRnd(Vm& vm) {
  vm.RndSeed = static_cast<uint32_t>(
      (static_cast<uint64_t>(vm.RndSeed) * 0x43FD43FDull + 0xC39EC3ull) & 0xFFFFFFull);
  return static_cast<float>(vm.RndSeed) / 16777216.0f;
}

Variant FnRnd(Vm& vm, std::span<Variant> a) {
  if (a.empty()) return Variant::Single(NextRnd(vm));
  const double x = NumberArg(vm, a[0]);
  if (x == 0) return Variant::Single(static_cast<float>(vm.RndSeed) / 16777216.0f);
  if (x < 0) {
    const float f = static_cast<float>(x);
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    vm.RndSeed = (b + (b >> 24)) & 0xFFFFFFu;
  }
  return Variant::Single(NextRnd(vm));
}

Variant FnRandomize(Vm& vm, std::span<Variant> a) {
  double n;
  if (a.empty()) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    n = static_cast<double>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count() %
                            86400000) /
        1000.0;
  } else {
    n = NumberArg(vm, a[0]);
  }
  uint64_t bits;
  std::memcpy(&bits, &n, sizeof bits);
  uint32_t h = static_cast<uint32_t>(bits >> 32);
  h ^= h >> 16;
  vm.RndSeed = ((h << 8) & 0xFFFF00u) | (vm.RndSeed & 0xFFu);
  return Variant();
}

Variant FnRGB(Vm&, std::span<Variant> a) {
  int32_t parts[3];
  for (int i = 0; i < 3; ++i) {
    parts[i] = IntArg(a[static_cast<size_t>(i)]);
    if (parts[i] < 0) ThrowRuntime(5);
    if (parts[i] > 255) parts[i] = 255;
  }
  return Variant::Long(parts[0] + parts[1] * 256 + parts[2] * 65536);
}

constexpr BuiltinFunction Functions[] = {
    {"abs", 1, 1, FnAbs},           {"sgn", 1, 1, FnSgn},
    {"sqr", 1, 1, FnSqr},           {"log", 1, 1, FnLog},
    {"exp", 1, 1, FnUnary<Exp>},    {"sin", 1, 1, FnUnary<Sin>},
    {"cos", 1, 1, FnUnary<Cos>},    {"tan", 1, 1, FnUnary<Tan>},
    {"atn", 1, 1, FnUnary<Atn>},    {"int", 1, 1, FnIntFix<true>},
    {"fix", 1, 1, FnIntFix<false>}, {"round", 1, 2, FnRound},
    {"hex", 1, 1, FnRadix<16>},     {"oct", 1, 1, FnRadix<8>},
    {"rnd", 0, 1, FnRnd},           {"randomize", 0, 1, FnRandomize},
    {"rgb", 3, 3, FnRGB},
};

}  // namespace

std::span<const BuiltinFunction> MathBuiltins() {
  return Functions;
}

}  // namespace chartorium::vbscript
