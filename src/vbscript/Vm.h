// The VM: runs the resolved form (Code.h) of compiled blocks. Time-out and cancel are checked
// on loop iterations and calls only.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>

#include "vbscript/HostCallbacks.h"
#include "vbscript/Program.h"
#include "vbscript/ScriptLocale.h"

namespace chartorium::vbscript {

/// The fields of the Err object.
struct ErrState {
  int32_t Number = 0;
  std::string Description;
  std::string Source;
  std::string HelpFile;
  int32_t HelpContext = 0;
};

/// Script calls nest at most this deep; deeper recursion stops with error 28.
inline constexpr int MaxCallDepth = 3000;

/// Variables that Execute text creates inside a procedure: they live as long as the call.
/// Node-based, so ByRef aliases to them stay valid.
using ExecuteLocals = std::unordered_map<std::string, Variant>;

/// One activation: the frame's slots, the enclosing frame of Execute/Eval code, Me.
struct Frame {
  Variant* Slots = nullptr;
  Variant* Outer = nullptr;
  const Procedure* Proc = nullptr;
  ClassInstance* Me = nullptr;
  Frame* Scope = nullptr;  ///< Execute/Eval code: the procedure's frame whose scope it shares
  std::unique_ptr<ExecuteLocals> Named;  ///< a procedure's variables created by Execute
  bool ResumeNext = false;
};

class Vm {
 public:
  explicit Vm(GlobalState& globals);
  ~Vm();
  Vm(const Vm&) = delete;
  Vm& operator=(const Vm&) = delete;

  /// Runs the global code of a compiled block; `outer` is the frame running Execute.
  void RunBlock(const CompiledBlock& block, Frame* outer);
  /// Calls a procedure with argument values (ByRef parameters alias `args`).
  Variant CallWithValues(const Procedure& proc, std::span<Variant> args);
  /// Evaluates a compiled Eval expression at global level.
  Variant EvaluateBlock(const CompiledBlock& block);

  /// The global procedure called `key` (lower case), or nullptr.
  const Procedure* FindProcedure(const std::string& key) const;
  /// A value for `x = obj`, arithmetic and conditions: objects give their default property.
  Variant DefaultValue(const Variant& value);

  /// Arms the time-out (0: none) and the cancel flag for the next host call.
  void Arm(int timeoutMs, const std::atomic<bool>* cancel);
  /// Ends runaway scripts: called on backward jumps and calls.
  void CheckInterrupt() {
    if (--ticks_ <= 0) CheckInterruptSlow();
  }

  ErrState Err;
  uint32_t RndSeed = 0x50000;
  /// The texts of numbers and dates: CStr, `&`, CDbl, CDate, FormatNumber, FormatDateTime...
  ScriptLocale Locale;
  /// The host's settings, which SetLocale(0) returns to.
  ScriptLocale HostLocale;
  HostCallbacks Callbacks;
  /// Marks the C++ stack depth at a host call, so deep script recursion stops with error 28.
  void MarkStackBase();

 private:
  enum class Flow { Normal, ExitDo, ExitFor, ExitProc };

  /// Takes `count` contiguous slots of the VM stack for one frame or argument list, and gives
  /// them back cleared however the call ends (restoring the call depth when `counted`).
  struct StackGuard {
    Vm& Owner;
    size_t SavedSegment;
    size_t SavedTop;
    size_t Count;
    bool Counted;
    Variant* Base;
    StackGuard(Vm& vm, size_t count, bool counted)
        : Owner(vm),
          SavedSegment(vm.segment_),
          SavedTop(vm.top_),
          Count(count),
          Counted(counted),
          Base(vm.Push(count)) {}
    StackGuard(const StackGuard&) = delete;
    StackGuard& operator=(const StackGuard&) = delete;
    ~StackGuard() {
      for (size_t i = 0; i < Count; ++i) Base[i].Clear();
      Owner.segment_ = SavedSegment;
      Owner.top_ = SavedTop;
      if (Counted) --Owner.depth_;
    }
  };

  // Vm.cpp: the expression dispatch
  Variant Eval(const Node& e, Frame& f);
  Variant EvalBinary(const BinaryNode& e, Frame& f);
  Variant EvalArith(const BinaryNode& e, Frame& f);
  /// An Arith node's plain-number result (a Boolean for comparisons), or Type Empty with the
  /// value the general rules give in `other`.
  Number ArithNumber(const BinaryNode& e, Frame& f, Variant& other);
  Number SideNumber(const Node& side, Frame& f, Variant& other);
  Variant EvalBinaryValues(const BinaryNode& e, const Variant& a, const Variant& b);
  [[gnu::noinline]] Variant EvalVariable(const VariableNode& e, Frame& f);
  [[gnu::noinline]] Variant EvalUnary(const UnaryNode& e, Frame& f);
  Variant EvalBinarySlow(const BinaryNode& e, Variant a, Variant b);

 public:
  /// A pure node's plain number, or Type Empty when the node must be evaluated generally.
  static Number NumberValue(const Node& e, Frame& f) {
    return e.Numeric ? e.Numeric(e, f) : Number{};
  }

 private:
  /// A node's value by reference when it is a plain local, global or literal; else evaluated
  /// into `temp`.
  const Variant& Operand(const Node& e, Frame& f, Variant& temp) {
    switch (e.Fast) {
      case FastRead::Local:
        return f.Slots[e.As<VariableNode>().Slot];
      case FastRead::Ref:
        return f.Slots[e.As<VariableNode>().Slot].Deref();
      case FastRead::Direct:
        return *e.As<VariableNode>().Direct;
      case FastRead::Literal:
        return e.As<LiteralNode>().Value;
      default:
        temp = e.Kind == NodeKind::CallProc ? CallGlobal(e.As<CallProcNode>(), f) : Eval(e, f);
        return temp;
    }
  }
  /// A call of a global procedure, without the dispatch of Eval.
  Variant CallGlobal(const CallProcNode& e, Frame& f) {
    const Procedure* proc = globals_.Procedures[static_cast<size_t>(e.Proc)];
    if (!proc) ThrowRuntime(13);
    if (e.PlainArgs) return CallPlain(*proc, e, f);
    return CallProcedure(*proc, nullptr, e.Args, f);
  }
  bool EvalCondition(const Node& e, Frame& f);
  /// A condition's truth, a plain-number comparison without a call.
  bool Condition(const Node& e, Frame& f) {
    if (e.Numeric) {
      const Number n = e.Numeric(e, f);
      if (n.Type != VarType::Empty) return n.Type == VarType::Double ? n.Real != 0 : n.Int != 0;
    }
    return EvalCondition(e, f);
  }

  // VmExec.cpp: statements
  Flow ExecBlock(StatementList block, Frame& f);
  Flow Exec(const Statement& s, Frame& f);
  Flow ExecIf(const IfStatement& s, Frame& f);
  /// ExecIf's common shape, in the block's own loop: one condition outside Resume Next.
  [[gnu::always_inline]] Flow ExecOneBranch(const IfStatement& s, Frame& f);
  Flow ExecFor(const ForStatement& s, Frame& f);
  /// `x = <arithmetic>` or `x = y` on a local, what loops repeat most: stores the number
  /// and returns true, or changes nothing and returns false. Never throws.
  [[gnu::always_inline]] bool AssignNumber(const AssignStatement& s, Frame& f) {
    const Node& target = *s.Target;
    const Node& value = *s.Value;
    if (target.Fast != FastRead::Local || !value.Numeric) return false;
    const Number n = value.Numeric(value, f);
    if (n.Type == VarType::Empty) return false;
    StoreNumber(f.Slots[target.As<VariableNode>().Slot], n);
    return true;
  }
  /// `x = F(a) + F(b)` on a local: true once stored; false, changing nothing, for other shapes.
  [[gnu::always_inline]] bool AssignArith(const AssignStatement& s, Frame& f) {
    const Node& target = *s.Target;
    const Node& value = *s.Value;
    if (target.Fast != FastRead::Local || value.Kind != NodeKind::Binary) return false;
    const BinaryNode& binary = value.As<BinaryNode>();
    if (!binary.Arith) return false;
    // Arithmetic and comparisons never give an object, so no default value is taken.
    Variant other;
    const Number n = ArithNumber(binary, f, other);
    Variant& slot = f.Slots[target.As<VariableNode>().Slot];
    if (n.Type != VarType::Empty)
      StoreNumber(slot, n);
    else
      slot = std::move(other);
    return true;
  }
  Flow ExecForEach(const ForEachStatement& s, Frame& f);
  Flow ExecLoop(const LoopStatement& s, Frame& f);
  Flow ExecSelect(const SelectStatement& s, Frame& f);
  std::optional<Flow> ExecSelectNumber(const SelectStatement& s, Frame& f);
  Flow ExecWith(const WithStatement& s, Frame& f);
  void ExecAssign(const AssignStatement& s, Frame& f);
  bool TryAppendInPlace(const AssignStatement& s, Frame& f);
  void ExecReDim(const ReDimStatement& s, Frame& f);
  void ExecDim(const DimStatement& s, Frame& f);
  void ExecErase(const EraseStatement& s, Frame& f);
  void ExecExecute(const ExecuteStatement& s, Frame& f);
  void RecordError(const ScriptError& error);
  [[gnu::noinline]] void RecoverOrRethrow(const Frame& f, const ScriptError& error);

  // VmVariables.cpp: storage and indexing
  Variant& Storage(const VariableNode& e, Frame& f, bool write);
  /// The variable a statement writes to as a whole (Dim, ReDim, Erase, a For counter); error
  /// 13 for a target that is no variable.
  Variant& TargetStorage(const Node& target, Frame& f);
  Variant IndexValue(const Variant& value, NodeList args, Frame& f);
  Variant& Element(Variant& array, NodeList args, Frame& f);
  void Assign(const Node& target, Variant value, Frame& f, bool isSet);
  void AssignMember(const Node& target, Variant value, Frame& f, bool isSet);
  void AssignErr(ErrMember member, const Variant& value);

  // VmCall.cpp: calls
  template <class Bind, class Finish>
  auto EnterProcedure(const Procedure& proc, ClassInstance* me, size_t argCount, Bind&& bind,
                      Finish&& finish);
  Variant CallProcedure(const Procedure& proc, ClassInstance* me, NodeList args, Frame& caller);
  /// A global procedure called with PlainArgs: no write-back, no Me.
  Variant CallPlain(const Procedure& proc, const CallProcNode& call, Frame& caller);
  /// CallPlain for a plain-number result; Type Empty with anything else, which then goes
  /// to `other`.
  Number CallPlainNumber(const Procedure& proc, const CallProcNode& call, Frame& caller,
                         Variant& other);
  template <class Finish>
  auto RunPlain(const Procedure& proc, const CallProcNode& call, Frame& caller, Finish finish);
  Variant CallProcedureValues(const Procedure& proc, ClassInstance* me, std::span<Variant> args);
  Variant CallBuiltin(const CallBuiltinNode& e, Frame& f);
  Variant CallNative(NativeObject& native, int index, NodeList args, Frame& f,
                     const Variant* putValue);
  Variant CallMember(const MemberNode& e, Frame& f);
  Variant CallDefault(const Variant& object, NodeList args, Frame& f);
  Variant NewInstance(const NewNode& e);
  Variant EvalErr(const ErrNode& e, Frame& f);
  Variant EvalText(const EvalTextNode& e, Frame& f);
  const ClassMember& FindClassMember(const MemberNode& e, const ClassInstance& instance, Frame& f);
  void CheckCallDepth() {
    const auto at = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    if (depth_ >= MaxCallDepth || at < stackLimit_) ThrowRuntime(28);
  }

 public:
  /// Runs Class_Terminate of an instance whose last reference went.
  void RunTerminate(ClassInstance& instance);

 private:
  GlobalState& globals_;
  // The stack grows by segments so that a host costs little until a script calls deep;
  // slots never move, so frames and ByRef aliases may point into it.
  std::vector<std::unique_ptr<Variant[]>> segments_;
  std::vector<size_t> segmentSizes_;
  size_t segment_ = 0;  ///< segment holding the top
  size_t top_ = 0;      ///< first free slot in that segment
  size_t totalSlots_ = 0;
  int depth_ = 0;
  /// The lowest C++ stack address script calls may reach, set at the outermost host call
  /// (0: no limit yet). One comparison per call then guards the stack.
  uintptr_t stackLimit_ = 0;
  int ticks_ = 1024;
  std::chrono::steady_clock::time_point deadline_{};
  bool hasDeadline_ = false;
  int timeoutMs_ = 0;
  const std::atomic<bool>* cancel_ = nullptr;
  Variant empty_;

  void CheckInterruptSlow();
  Variant* Push(size_t count) {
    if (!segments_.empty() && top_ + count <= segmentSizes_[segment_]) {
      Variant* base = &segments_[segment_][top_];
      top_ += count;
      return base;
    }
    return PushSegment(count);
  }
  Variant* PushSegment(size_t count);
};

}  // namespace chartorium::vbscript
