// Conversion and type-inspection built-ins: CInt..CStr, Is*, VarType, TypeName; arrays.
#include <cmath>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/Builtins.h"
#include "vbscript/DateCalc.h"
#include "vbscript/Program.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

// The numeric conversions refuse Boolean words that CBool accepts, and read strings as the
// locale writes numbers.
double ConvertibleNumber(const Vm& vm, const Variant& v) {
  if (v.IsNull()) ThrowRuntime(94);
  return ToDouble(v, vm.Locale);
}

// The argument with a string read as a Double, for conversions that round it further.
Variant NumericArg(const Vm& vm, const Variant& v) {
  const double d = ConvertibleNumber(vm, v);
  return v.IsString() ? Variant::Double(d) : v;
}

Variant FnCBool(Vm& vm, std::span<Variant> a) {
  if (a[0].IsString() && a[0].AsString().empty()) ThrowRuntime(13);
  return Variant::Boolean(ToBoolean(a[0], vm.Locale));
}

Variant FnCByte(Vm& vm, std::span<Variant> a) {
  if (a[0].Type() == VarType::Boolean) return Variant::Byte(a[0].AsBoolean() ? 255 : 0);
  const double r = RoundHalfEven(ConvertibleNumber(vm, a[0]));
  if (!(r >= 0 && r <= 255)) ThrowRuntime(6);
  return Variant::Byte(static_cast<uint8_t>(r));
}

Variant FnCInt(Vm& vm, std::span<Variant> a) {
  return Variant::Integer(ToInteger(NumericArg(vm, a[0])));
}

Variant FnCLng(Vm& vm, std::span<Variant> a) {
  return Variant::Long(ToLong(NumericArg(vm, a[0])));
}

Variant FnCSng(Vm& vm, std::span<Variant> a) {
  const double d = ConvertibleNumber(vm, a[0]);
  if (std::isfinite(d) && std::fabs(d) > 3.402823466e38) ThrowRuntime(6);
  return Variant::Single(static_cast<float>(d));
}

Variant FnCDbl(Vm& vm, std::span<Variant> a) {
  return Variant::Double(ConvertibleNumber(vm, a[0]));
}

Variant FnCCur(Vm& vm, std::span<Variant> a) {
  return Variant::Currency(ToCurrencyScaled(NumericArg(vm, a[0])));
}

Variant FnCDate(Vm& vm, std::span<Variant> a) {
  if (a[0].IsString() && a[0].AsString().empty()) ThrowRuntime(13);
  return Variant::Date(ToDateSerial(a[0], vm.Locale));
}

Variant FnCStr(Vm& vm, std::span<Variant> a) {
  return Variant::String(ToString(a[0], vm.Locale));
}

Variant FnIsEmpty(Vm&, std::span<Variant> a) {
  return Variant::Boolean(a[0].IsEmpty());
}
Variant FnIsNull(Vm&, std::span<Variant> a) {
  return Variant::Boolean(a[0].IsNull());
}
Variant FnIsObject(Vm&, std::span<Variant> a) {
  return Variant::Boolean(a[0].IsObject());
}
Variant FnIsArray(Vm&, std::span<Variant> a) {
  return Variant::Boolean(a[0].IsArray());
}

Variant FnIsNumeric(Vm& vm, std::span<Variant> a) {
  const Variant& v = a[0];
  if (v.IsEmpty() || v.IsNumeric()) return Variant::Boolean(true);
  if (v.IsString()) return Variant::Boolean(ParseNumber(v.AsString(), vm.Locale).has_value());
  return Variant::Boolean(false);
}

Variant FnIsDate(Vm& vm, std::span<Variant> a) {
  const Variant& v = a[0];
  if (v.Type() == VarType::Date) return Variant::Boolean(true);
  if (!v.IsString() || ParseNumber(v.AsString(), vm.Locale)) return Variant::Boolean(false);
  return Variant::Boolean(ParseDateText(v.AsString(), vm.Locale).has_value());
}

Variant FnVarType(Vm&, std::span<Variant> a) {
  return Variant::Integer(static_cast<int16_t>(a[0].Type()));
}

Variant FnTypeName(Vm&, std::span<Variant> a) {
  const Variant& v = a[0];
  switch (v.Type()) {
    case VarType::Empty:
      return Variant::String("Empty");
    case VarType::Null:
      return Variant::String("Null");
    case VarType::Integer:
      return Variant::String("Integer");
    case VarType::Long:
      return Variant::String("Long");
    case VarType::Single:
      return Variant::String("Single");
    case VarType::Double:
      return Variant::String("Double");
    case VarType::Currency:
      return Variant::String("Currency");
    case VarType::Date:
      return Variant::String("Date");
    case VarType::String:
      return Variant::String("String");
    case VarType::Boolean:
      return Variant::String("Boolean");
    case VarType::Byte:
      return Variant::String("Byte");
    case VarType::Error:
      return Variant::String("Error");
    case VarType::Array:
      return Variant::String("Variant()");
    case VarType::Object:
      if (v.IsNothing()) return Variant::String("Nothing");
      return Variant::String(v.AsObject()->TypeName());
    default:
      return Variant::String("Unknown");
  }
}

Variant FnArray(Vm&, std::span<Variant> a) {
  return MakeArray(std::vector<Variant>(a.begin(), a.end()));
}

template <bool Upper>
Variant FnBound(Vm&, std::span<Variant> a) {
  if (!a[0].IsArray()) ThrowRuntime(13);
  const ArrayRep& rep = a[0].AsArray();
  const int32_t dim = a.size() > 1 ? IntArg(a[1]) : 1;
  if (dim < 1 || dim > rep.Dimensions()) ThrowRuntime(9);
  const ArrayBound& b = rep.Bounds[static_cast<size_t>(dim - 1)];
  return Variant::Long(Upper ? b.Lower + b.Count - 1 : b.Lower);
}

constexpr BuiltinFunction Functions[] = {
    {"cbool", 1, 1, FnCBool, false, true},
    {"cbyte", 1, 1, FnCByte, false, true},
    {"cint", 1, 1, FnCInt, false, true},
    {"clng", 1, 1, FnCLng, false, true},
    {"csng", 1, 1, FnCSng, false, true},
    {"cdbl", 1, 1, FnCDbl, false, true},
    {"ccur", 1, 1, FnCCur, false, true},
    {"cdate", 1, 1, FnCDate, false, true},
    {"cstr", 1, 1, FnCStr},
    {"isempty", 1, 1, FnIsEmpty, true},
    {"isnull", 1, 1, FnIsNull, true},
    {"isobject", 1, 1, FnIsObject, true},
    {"isarray", 1, 1, FnIsArray, true},
    {"isnumeric", 1, 1, FnIsNumeric},
    {"isdate", 1, 1, FnIsDate},
    {"vartype", 1, 1, FnVarType, true},
    {"typename", 1, 1, FnTypeName, true},
    {"array", 0, 255, FnArray, true},
    {"ubound", 1, 2, FnBound<true>},
    {"lbound", 1, 2, FnBound<false>},
};

}  // namespace

std::span<const BuiltinFunction> ConversionBuiltins() {
  return Functions;
}

Variant MakeArray(std::vector<Variant> values) {
  auto rep = std::make_unique<ArrayRep>();
  rep->Bounds.push_back({0, static_cast<int32_t>(values.size())});
  rep->Data = std::move(values);
  return Variant::AdoptArray(rep.release());
}

}  // namespace chartorium::vbscript
