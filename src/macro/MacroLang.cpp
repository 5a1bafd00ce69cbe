// Dispatch of the macro object's calls to their method families, and the
// conversions and arrays the families share.
#include "macro/MacroLang.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/TextCase.h"
#include "macro/MacroCall.h"
#include "macro/MacroHosts.h"
#include "macro/MacroState.h"
#include "vbscript/Conversion.h"
#include "vbscript/ScriptError.h"

namespace chartorium {

using vbscript::Variant;

namespace {
// VBScript's own error numbers, so scripts and messages see familiar errors.
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
}  // namespace

void MacroLang::Invoke(int index, std::span<Variant> args, Variant& result) {
  // The value parameter is cleared on entry: a method that finds nothing yields Empty.
  result.Clear();
  const MacroMethod method = static_cast<MacroMethod>(index);
  MacroCall call{workspace_, output_, nested_, method, args, result};
  switch (InfoOf(method).Family) {
    case MacroFamily::Prices:
      InvokePrices(call);
      break;
    case MacroFamily::Signals:
      InvokeSignals(call);
      break;
    case MacroFamily::Arrays:
      InvokeArrays(call);
      break;
    case MacroFamily::Indicators:
      InvokeIndicators(call);
      break;
    case MacroFamily::Reports:
      InvokeReports(call);
      break;
  }
}

int SaturatedInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double limit = std::numeric_limits<int>::max();
  if (value >= limit) return std::numeric_limits<int>::max();
  if (value <= -limit) return -std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

int MacroCall::Whole(int i) const {
  const Variant& arg = Arg(i);
  // Places and periods are mostly whole already (a For counter): no rounding to do.
  if (arg.Type() == vbscript::VarType::Long) return arg.AsLong();
  if (arg.Type() == vbscript::VarType::Integer) return arg.AsInteger();
  const double value = vbscript::ToDouble(arg);
  if (InfoOf(Method).Rounding == WholeNumbers::RoundHalfEven) {
    return SaturatedInt(vbscript::RoundHalfEven(value));
  }
  return SaturatedInt(std::trunc(value));
}

double MacroCall::Number(int i) const {
  return vbscript::ToDouble(Arg(i));
}

std::string MacroCall::Text(int i) const {
  return vbscript::ToString(Arg(i));
}

Variant NewZeroArray() {
  Variant array = Variant::NewArray(1, MaxQuotes);
  for (Variant& element : array.MutableArray().Data) element = Variant::Double(0);
  return array;
}

bool IsArrayArg(const Variant& value) {
  return value.IsArray() && value.AsArray().Dimensions() == 1;
}

ArrayArg::ArrayArg(const Variant& value) {
  if (!IsArrayArg(value)) vbscript::ThrowRuntime(TypeMismatch);
  rep_ = &value.AsArray();
  lo_ = rep_->Bounds[0].Lower;
  hi_ = lo_ + rep_->Bounds[0].Count - 1;
}

void ArrayArg::ThrowOutOfRange() {
  vbscript::ThrowRuntime(SubscriptOutOfRange);
}

double ArrayArg::ToNumber(const Variant& element) {
  return vbscript::ToDouble(element);
}

RunningName::RunningName(std::vector<std::string>& running, std::string_view name)
    : running_(running) {
  std::string key = FoldCase(name);
  if (std::find(running.begin(), running.end(), key) != running.end()) return;
  running.push_back(std::move(key));
  active_ = true;
}

RunningName::~RunningName() {
  if (active_) running_.pop_back();
}

namespace {
int WholeValue(const Variant& value) {
  // CurrentBar is a For counter and Signal a small literal: mostly whole already.
  if (value.Type() == vbscript::VarType::Integer) return value.AsInteger();
  if (value.Type() == vbscript::VarType::Long) return value.AsLong();
  if (value.IsEmpty()) return 0;
  return SaturatedInt(std::trunc(vbscript::ToDouble(value)));
}
}  // namespace

int TesterInt(Workspace& workspace, TesterGlobal global) {
  return WholeValue(workspace.Macros.Tester(workspace).Value(global));
}

int TesterInt(Workspace& workspace, std::string_view name) {
  return WholeValue(workspace.Macros.Tester(workspace).Variable(name));
}

void SetTesterSignal(Workspace& workspace, SignalCode code) {
  workspace.Macros.Tester(workspace).SetSignal(code);
}

}  // namespace chartorium
