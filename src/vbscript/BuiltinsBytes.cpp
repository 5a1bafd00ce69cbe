// The byte-oriented string built-ins LenB, LeftB, RightB, MidB, InStrB and AscB. They count
// the bytes of the UTF-16 text Windows keeps, two to a character: character k (from 0) is
// bytes 2k+1 and 2k+2. Ranges that would split a character keep only its whole characters;
// a string of half a character (what ChrB makes) cannot be held, so ChrB is not offered.
#include <algorithm>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/Builtins.h"
#include "vbscript/TextUnits.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

Variant FnLenB(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  return Variant::Long(static_cast<int32_t>(2 * Utf16Length(ToString(a[0], vm.Locale))));
}

Variant FnLeftB(Vm& vm, std::span<Variant> a) {
  const int32_t bytes = IntArg(a[1]);
  if (bytes < 0) ThrowRuntime(5);
  if (a[0].IsNull()) return a[0];
  const std::u16string s = ToUtf16(ToString(a[0], vm.Locale));
  return Variant::String(ToUtf8(std::u16string_view(s).substr(0, static_cast<size_t>(bytes / 2))));
}

Variant FnRightB(Vm& vm, std::span<Variant> a) {
  const int32_t bytes = IntArg(a[1]);
  if (bytes < 0) ThrowRuntime(5);
  if (a[0].IsNull()) return a[0];
  const std::u16string s = ToUtf16(ToString(a[0], vm.Locale));
  const size_t count = std::min(s.size(), static_cast<size_t>(bytes / 2));
  return Variant::String(ToUtf8(std::u16string_view(s).substr(s.size() - count)));
}

Variant FnMidB(Vm& vm, std::span<Variant> a) {
  const int32_t start = IntArg(a[1]);
  if (start < 1) ThrowRuntime(5);
  int32_t bytes = -1;
  if (a.size() > 2) {
    bytes = IntArg(a[2]);
    if (bytes < 0) ThrowRuntime(5);
  }
  if (a[0].IsNull()) return a[0];
  const std::u16string s = ToUtf16(ToString(a[0], vm.Locale));
  // Byte `start` begins character start / 2 when odd; an even one is a second half, skipped.
  const size_t first = static_cast<size_t>(start / 2);
  if (first >= s.size()) return Variant::String("");
  return Variant::String(ToUtf8(std::u16string_view(s).substr(
      first, bytes < 0 ? std::u16string_view::npos : static_cast<size_t>(bytes / 2))));
}

Variant FnInStrB(Vm& vm, std::span<Variant> a) {
  // The byte position of the first character of a match.
  const SearchArgs args = ReadSearchArgs(a, vm.Locale);
  const int32_t start = args.Start;
  if (args.Text->IsNull() || args.Find->IsNull()) return Variant::MakeNull();
  std::string t1 = ToString(*args.Text, vm.Locale), t2 = ToString(*args.Find, vm.Locale);
  if (args.TextCompare) {
    t1 = LowerText(t1);
    t2 = LowerText(t2);
  }
  const std::u16string s1 = ToUtf16(t1), s2 = ToUtf16(t2);
  const size_t from = static_cast<size_t>(start / 2);
  if (static_cast<size_t>(start) > 2 * s1.size()) return Variant::Long(0);
  if (s2.empty()) return Variant::Long(start);
  const size_t at = s1.find(s2, from);
  return Variant::Long(at == std::u16string::npos ? 0 : static_cast<int32_t>(2 * at + 1));
}

// The first byte of the text as Windows stores it: the low byte of its first code unit.
Variant FnAscB(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(94);
  const std::string s = ToString(a[0], vm.Locale);
  if (s.empty()) ThrowRuntime(5);
  return Variant::Byte(static_cast<uint8_t>(ToUtf16(s)[0] & 0xFF));
}

constexpr BuiltinFunction Functions[] = {
    {"lenb", 1, 1, FnLenB}, {"leftb", 2, 2, FnLeftB},   {"rightb", 2, 2, FnRightB},
    {"midb", 2, 3, FnMidB}, {"instrb", 2, 4, FnInStrB}, {"ascb", 1, 1, FnAscB},
};

}  // namespace

std::span<const BuiltinFunction> ByteStringBuiltins() {
  return Functions;
}

}  // namespace chartorium::vbscript
