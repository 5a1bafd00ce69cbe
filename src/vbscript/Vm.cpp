// The VM's expression dispatch: one switch over the resolved node kinds.
//
// Why resolved nodes rather than bytecode: VBScript's error rules are statement rules (On
// Error Resume Next continues with the next statement; an error in an If condition enters the
// branch), which map one-to-one onto resolved statements, and every name was already turned
// into a slot or a target by the compiler, so a node costs one switch and no lookup.
#include "vbscript/Vm.h"

#include <algorithm>
#include <cmath>

#include "vbscript/Conversion.h"
#include "vbscript/Operators.h"

namespace chartorium::vbscript {

namespace {

constexpr size_t SegmentSlots = 1024;
// Script recursion stops with error 28 before it uses this much of the C++ stack.
constexpr uintptr_t MaxStackBytes = 3 * 1024 * 1024;
constexpr size_t MaxStackSlots = 1 << 17;

}  // namespace

Vm::Vm(GlobalState& globals) : globals_(globals) {}

Vm::~Vm() = default;

void Vm::Arm(int timeoutMs, const std::atomic<bool>* cancel) {
  timeoutMs_ = timeoutMs;
  hasDeadline_ = timeoutMs > 0;
  if (hasDeadline_)
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  cancel_ = cancel;
  ticks_ = 1024;
}

void Vm::CheckInterruptSlow() {
  ticks_ = 1024;
  ScriptError error;
  error.Source = std::string(RuntimeSource);
  error.Fatal = true;
  if (cancel_ && cancel_->load(std::memory_order_relaxed)) {
    error.Number = CancelErrorNumber;
    error.Description = "The script was cancelled";
    throw error;
  }
  if (hasDeadline_ && std::chrono::steady_clock::now() > deadline_) {
    error.Number = TimeoutErrorNumber;
    error.Description =
        "The script ran longer than its time-out of " + std::to_string(timeoutMs_) + " ms";
    throw error;
  }
}

void Vm::MarkStackBase() {
  if (depth_ != 0) return;
  const auto base = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  stackLimit_ = base > MaxStackBytes ? base - MaxStackBytes : 0;
}

Variant* Vm::PushSegment(size_t count) {
  // The next segment (allocated on first use) takes the frame whole.
  const size_t next = segments_.empty() ? 0 : segment_ + 1;
  if (next < segments_.size() && segmentSizes_[next] < count) {
    totalSlots_ -= segmentSizes_[next];
    segments_.resize(next);
    segmentSizes_.resize(next);
  }
  if (next == segments_.size()) {
    const size_t size = std::max(count, SegmentSlots);
    if (totalSlots_ + size > MaxStackSlots) ThrowRuntime(28);
    segments_.push_back(std::make_unique<Variant[]>(size));
    segmentSizes_.push_back(size);
    totalSlots_ += size;
  }
  segment_ = next;
  top_ = count;
  return &segments_[segment_][0];
}

Variant Vm::DefaultValue(const Variant& value) {
  if (!value.IsObject()) return value;
  if (value.IsNothing()) ThrowRuntime(91);
  Frame f;
  return DefaultValue(CallDefault(value, {}, f));
}

bool Vm::EvalCondition(const Node& e, Frame& f) {
  if (e.Numeric) {
    const Number n = e.Numeric(e, f);
    if (n.Type != VarType::Empty) return n.Type == VarType::Double ? n.Real != 0 : n.Int != 0;
  }
  Variant v = Eval(e, f);
  if (v.Type() == VarType::Boolean) return v.AsBoolean();
  if (v.IsObject()) v = DefaultValue(v);
  return ToCondition(v, Locale);
}

Variant Vm::Eval(const Node& e, Frame& f) {
  switch (e.Kind) {
    case NodeKind::Literal:
      return e.As<LiteralNode>().Value;
    case NodeKind::Variable: {
      const VariableNode& v = e.As<VariableNode>();
      if (e.Fast == FastRead::Local) return f.Slots[v.Slot];
      if (e.Fast == FastRead::Ref) return f.Slots[v.Slot].Deref();
      if (e.Fast == FastRead::Direct) return *v.Direct;
      return EvalVariable(v, f);
    }
    case NodeKind::ByVal:
      return Eval(*e.As<ByValNode>().Inner, f);
    case NodeKind::Binary:
      return EvalBinary(e.As<BinaryNode>(), f);
    case NodeKind::Unary:
      return EvalUnary(e.As<UnaryNode>(), f);
    case NodeKind::CallProc:
      return CallGlobal(e.As<CallProcNode>(), f);
    case NodeKind::CallMethod: {
      const CallMethodNode& call = e.As<CallMethodNode>();
      if (!call.Method) ThrowRuntime(438);
      return CallProcedure(*call.Method, f.Me, call.Args, f);
    }
    case NodeKind::CallBuiltin:
      return CallBuiltin(e.As<CallBuiltinNode>(), f);
    case NodeKind::CallNative: {
      const CallNativeNode& call = e.As<CallNativeNode>();
      const HostEntry& host = globals_.Hosts[static_cast<size_t>(call.Host)];
      return CallNative(*host.Native, call.Member, call.Args, f, nullptr);
    }
    case NodeKind::HostObject: {
      const HostObjectNode& host = e.As<HostObjectNode>();
      const Variant& object = globals_.Hosts[static_cast<size_t>(host.Host)].Object;
      if (host.Args.empty()) return object;
      return CallDefault(object, host.Args, f);
    }
    case NodeKind::Member:
      return CallMember(e.As<MemberNode>(), f);
    case NodeKind::Apply: {
      const ApplyNode& apply = e.As<ApplyNode>();
      return IndexValue(Eval(*apply.Target, f), apply.Args, f);
    }
    case NodeKind::New:
      return NewInstance(e.As<NewNode>());
    case NodeKind::Me:
      return Variant::Object(f.Me);
    case NodeKind::ErrMember:
      return EvalErr(e.As<ErrNode>(), f);
    case NodeKind::EvalText:
      return EvalText(e.As<EvalTextNode>(), f);
  }
  ThrowRuntime(51);
}

// The cases of Eval that need more than a few registers live here, so that the dispatch
// itself stays small: it runs for every call and every operand.
Variant Vm::EvalVariable(const VariableNode& e, Frame& f) {
  if (e.Args.empty()) return Storage(e, f, false);
  const Variant& holder = Storage(e, f, false);
  if (holder.IsArray()) return Element(const_cast<Variant&>(holder), e.Args, f);
  return IndexValue(holder, e.Args, f);
}

Variant Vm::EvalUnary(const UnaryNode& e, Frame& f) {
  Variant v = Eval(*e.Operand, f);
  if (e.Operator == Op::Pos) return v;
  if (v.IsObject()) v = DefaultValue(v);
  if (e.Operator == Op::Not) return Not(v);
  if (v.Type() == VarType::Double) return Variant::Double(-v.AsDouble());
  return Negate(v);
}

Variant Vm::EvalBinary(const BinaryNode& e, Frame& f) {
  if (e.Pure) {
    const Number n = NumberValue(e, f);
    if (n.Type != VarType::Empty) return ToVariant(n);
  }
  if (e.Arith) return EvalArith(e, f);
  Variant tempA, tempB;
  const Variant* pa = &Operand(*e.Left, f, tempA);
  // The left value is read before the right side runs: copy it if that side can change it.
  if (pa != &tempA && !e.Right->Pure) {
    tempA = *pa;
    pa = &tempA;
  }
  return EvalBinaryValues(e, *pa, Operand(*e.Right, f, tempB));
}

// One side of an Arith node: a plain number, or Type Empty with the side's value in `other`.
// A pure side that is no plain number is evaluated once, before the other side runs.
[[gnu::always_inline]] inline Number Vm::SideNumber(const Node& side, Frame& f, Variant& other) {
  if (side.Kind == NodeKind::CallProc) {
    const CallProcNode& call = side.As<CallProcNode>();
    const Procedure* proc = globals_.Procedures[static_cast<size_t>(call.Proc)];
    if (!proc) ThrowRuntime(13);
    return CallPlainNumber(*proc, call, f, other);
  }
  const Number n = side.Numeric(side, f);
  if (n.Type == VarType::Integer || n.Type == VarType::Long || n.Type == VarType::Double) return n;
  other = Eval(side, f);
  return Number{};
}

// `Fib(n - 1) + Fib(n - 2)`: the calls' plain-number results meet without Variants.
Number Vm::ArithNumber(const BinaryNode& e, Frame& f, Variant& other) {
  Variant a, b;
  const Number x = SideNumber(*e.Left, f, a);
  const Number y = SideNumber(*e.Right, f, b);
  if (x.Type != VarType::Empty && y.Type != VarType::Empty) {
    const Number n = e.Arith(x, y);
    if (n.Type != VarType::Empty) return n;
  }
  if (x.Type != VarType::Empty) StoreNumber(a, x);
  if (y.Type != VarType::Empty) StoreNumber(b, y);
  other = EvalBinaryValues(e, a, b);
  return Number{};
}

Variant Vm::EvalArith(const BinaryNode& e, Frame& f) {
  Variant other;
  const Number n = ArithNumber(e, f, other);
  if (n.Type != VarType::Empty) return ToVariant(n);
  return other;
}

Variant Vm::EvalBinaryValues(const BinaryNode& e, const Variant& a, const Variant& b) {
  if (e.Operator == Op::Is) {
    if (!a.IsObject() || !b.IsObject()) ThrowRuntime(424);
    return Variant::Boolean(a.AsObject() == b.AsObject());
  }
  // Fast path: the plain numbers loops and indicators use, by the rules of Numeric.h.
  const Number x = NumberOf(a);
  if (x.Type != VarType::Empty) {
    const Number y = NumberOf(b);
    if (y.Type != VarType::Empty) {
      const Number n = ApplyNumbers(e.Operator, x, y);
      if (n.Type != VarType::Empty) return ToVariant(n);
    }
  }
  return EvalBinarySlow(e, a, b);
}

Variant Vm::EvalBinarySlow(const BinaryNode& e, Variant a, Variant b) {
  if (a.IsObject()) a = DefaultValue(a);
  if (b.IsObject()) b = DefaultValue(b);
  if (e.NumericLiteralSide) {
    if (a.IsString() && b.IsNumeric()) a = Variant::Double(ToDouble(a, Locale));
    if (b.IsString() && a.IsNumeric()) b = Variant::Double(ToDouble(b, Locale));
  }
  // Strings in arithmetic are read as the locale writes numbers. A string operand becomes a
  // Double in every result rule, so reading it first changes no result type; `+` of two
  // strings, or of a string and Empty, stays a concatenation.
  if (e.Operator <= Op::Pow && (a.IsString() || b.IsString())) {
    auto textual = [](const Variant& v) { return v.IsString() || v.IsEmpty(); };
    const bool concatenates = e.Operator == Op::Plus && textual(a) && textual(b);
    if (!concatenates && !a.IsNull() && !b.IsNull()) {
      if (a.IsString()) a = Variant::Double(ToDouble(a, Locale));
      if (b.IsString()) b = Variant::Double(ToDouble(b, Locale));
    }
  }
  switch (e.Operator) {
    case Op::Plus:
      return Add(a, b);
    case Op::Minus:
      return Subtract(a, b);
    case Op::Mul:
      return Multiply(a, b);
    case Op::Div:
      return Divide(a, b);
    case Op::IntDiv:
      return IntDivide(a, b);
    case Op::Mod:
      return Modulo(a, b);
    case Op::Pow:
      return Power(a, b);
    case Op::Concat: {
      if (a.IsNull() && b.IsNull()) return a;
      std::string text;
      AppendText(text, a, Locale);
      AppendText(text, b, Locale);
      return Variant::String(std::move(text));
    }
    case Op::Eq:
      return CompareValues(CompareOp::Equal, a, b);
    case Op::Ne:
      return CompareValues(CompareOp::NotEqual, a, b);
    case Op::Lt:
      return CompareValues(CompareOp::Less, a, b);
    case Op::Gt:
      return CompareValues(CompareOp::Greater, a, b);
    case Op::Le:
      return CompareValues(CompareOp::LessEqual, a, b);
    case Op::Ge:
      return CompareValues(CompareOp::GreaterEqual, a, b);
    case Op::And:
      return And(a, b);
    case Op::Or:
      return Or(a, b);
    case Op::Xor:
      return Xor(a, b);
    case Op::Eqv:
      return Eqv(a, b);
    case Op::Imp:
      return Imp(a, b);
    default:
      break;
  }
  ThrowRuntime(51);
}

}  // namespace chartorium::vbscript
