// What the macro object's method families share: one call's arguments with
// their conversions, the arrays the object creates and the tester's script
// variables.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/MacroStatus.h"
#include "core/Workspace.h"
#include "macro/MacroHosts.h"
#include "macro/MacroLangTable.h"
#include "macro/MacroRecords.h"
#include "vbscript/Variant.h"

namespace chartorium {

/// One method call as the family functions see it.
struct MacroCall {
  Workspace& Ws;
  CustomIndicatorOutput& Output;
  /// Where the errors of custom indicator and system runs the call starts go.
  MacroStatus& Runs;
  MacroMethod Method;
  std::span<vbscript::Variant> Args;
  vbscript::Variant& Result;

  const vbscript::Variant& Arg(int i) const { return Args[static_cast<std::size_t>(i)].Deref(); }
  /// A whole-number argument under the method's rounding rule.
  int Whole(int i) const;
  double Number(int i) const;
  std::string Text(int i) const;
};

void InvokePrices(MacroCall& call);
void InvokeSignals(MacroCall& call);
void InvokeArrays(MacroCall& call);
void InvokeIndicators(MacroCall& call);
void InvokeReports(MacroCall& call);

/// A double as an int, saturated so that huge places stay out of range.
int SaturatedInt(double value);

/// A new array 1..2001 of zeros (Double elements).
vbscript::Variant NewZeroArray();

/// Read access to a one-dimensional script array argument.
class ArrayArg {
 public:
  /// Fails with "Type mismatch" unless `value` is a one-dimensional array.
  explicit ArrayArg(const vbscript::Variant& value);
  int Lo() const { return lo_; }
  int Hi() const { return hi_; }
  /// Element i as a number; "Subscript out of range" outside lo..hi.
  double At(int i) const {
    if (i < lo_ || i > hi_) ThrowOutOfRange();
    const vbscript::Variant& element = rep_->Data[static_cast<std::size_t>(i - lo_)];
    // The object's own arrays hold Doubles: those need no conversion call.
    return element.Type() == vbscript::VarType::Double ? element.AsDouble() : ToNumber(element);
  }

 private:
  [[noreturn]] static void ThrowOutOfRange();
  static double ToNumber(const vbscript::Variant& element);

  const vbscript::ArrayRep* rep_;
  int lo_;
  int hi_;
};

/// Whether the argument is a one-dimensional array.
bool IsArrayArg(const vbscript::Variant& value);

/// Marks a named run as in progress for its lifetime. Active() is false when
/// a run of that name was in progress already; the caller then runs nothing.
class RunningName {
 public:
  RunningName(std::vector<std::string>& running, std::string_view name);
  RunningName(const RunningName&) = delete;
  RunningName& operator=(const RunningName&) = delete;
  ~RunningName();
  bool Active() const { return active_; }

 private:
  std::vector<std::string>& running_;
  bool active_ = false;
};

/// CurrentBar or Signal of the system tester's script as a whole number (0 for Empty).
int TesterInt(Workspace& workspace, TesterGlobal global);
/// Any other global variable of the system tester's script, read by name.
int TesterInt(Workspace& workspace, std::string_view name);
/// Sets Signal in the system tester's script (SignalBuy, SignalSell, SignalShort or SignalCover).
void SetTesterSignal(Workspace& workspace, SignalCode code);

}  // namespace chartorium
