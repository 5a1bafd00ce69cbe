// The VM's statements: blocks with the On Error rules, loops, assignment and declarations.
#include <optional>

#include "vbscript/Compiler.h"
#include "vbscript/Conversion.h"
#include "vbscript/Numeric.h"
#include "vbscript/Operators.h"
#include "vbscript/Parser.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

bool IsConcat(const Node& e) {
  return e.Kind == NodeKind::Binary && e.As<BinaryNode>().Operator == Op::Concat;
}

// A run-time error reports the statement it happened in, unless a deeper one already said.
void Locate(ScriptError& error, SourcePos pos) {
  if (error.HasPos) return;
  error.Pos = pos;
  error.HasPos = true;
}

Variant NumericLoopValue(Variant v) {
  if (v.IsString()) return Variant::Double(ToDouble(v));
  if (v.IsEmpty()) return Variant::Integer(0);
  if (v.Type() == VarType::Boolean) return Variant::Integer(v.AsInteger());
  if (!v.IsNumeric()) ToDouble(v);
  return v;
}

}  // namespace

// Under On Error Resume Next an error is recorded in Err and the statement's own recovery
// follows; without it, and for a time-out or a cancel, the error goes on up. Called only inside
// a catch block, which `throw;` then leaves.
void Vm::RecoverOrRethrow(const Frame& f, const ScriptError& error) {
  if (!f.ResumeNext || error.Fatal) throw;
  RecordError(error);
}

void Vm::RecordError(const ScriptError& error) {
  Err.Number = error.Number;
  Err.Description = error.Description;
  Err.Source = error.Source;
  Err.HelpFile = error.HelpFile;
  Err.HelpContext = error.HelpContext;
}

// A one-branch If outside Resume Next, as recursive functions test their end case; a branch of
// one assignment runs here too, the error (if any) at its own position.
inline Vm::Flow Vm::ExecOneBranch(const IfStatement& s, Frame& f) {
  const bool taken = Condition(*s.OnlyCond, f);
  if (const AssignStatement* only = taken ? s.ThenAssign : s.ElseAssign) {
    try {
      if (!AssignNumber(*only, f) && !AssignArith(*only, f)) ExecAssign(*only, f);
    } catch (ScriptError& error) {
      Locate(error, only->Pos);
      throw;
    }
    return Flow::Normal;
  }
  return ExecBlock(taken ? s.Blocks[0] : s.Else, f);
}

Vm::Flow Vm::ExecBlock(StatementList block, Frame& f) {
  for (const Statement* s : block) {
    try {
      // The two statements loops and functions repeat most run here without a dispatch.
      if (s->Kind == StatementKind::Assign) {
        const AssignStatement& assign = s->As<AssignStatement>();
        if (!AssignNumber(assign, f)) ExecAssign(assign, f);
        continue;
      }
      if (s->Kind == StatementKind::If && s->As<IfStatement>().OnlyCond && !f.ResumeNext) {
        const Flow flow = ExecOneBranch(s->As<IfStatement>(), f);
        if (flow != Flow::Normal) return flow;
        continue;
      }
      const Flow flow =
          s->Kind == StatementKind::Select ? ExecSelect(s->As<SelectStatement>(), f) : Exec(*s, f);
      if (flow != Flow::Normal) return flow;
    } catch (ScriptError& error) {
      Locate(error, s->Pos);
      RecoverOrRethrow(f, error);
    }
  }
  return Flow::Normal;
}

Vm::Flow Vm::ExecIf(const IfStatement& s, Frame& f) {
  if (s.OnlyCond && !f.ResumeNext) return ExecOneBranch(s, f);
  for (size_t i = 0; i < s.Conds.size(); ++i) {
    bool taken;
    try {
      taken = EvalCondition(*s.Conds[i], f);
    } catch (ScriptError& error) {
      // Under Resume Next a failing condition enters its branch.
      RecoverOrRethrow(f, error);
      taken = true;
    }
    if (taken) return ExecBlock(s.Blocks[i], f);
  }
  return ExecBlock(s.Else, f);
}

Vm::Flow Vm::Exec(const Statement& s, Frame& f) {
  switch (s.Kind) {
    case StatementKind::Call: {
      const CallStatement& call = s.As<CallStatement>();
      Eval(*call.Target, f);
      // VBScript refuses a conversion whose value goes nowhere, once it has converted.
      if (call.DiscardsConversion) ThrowRuntime(458);
      return Flow::Normal;
    }
    case StatementKind::Assign:
      ExecAssign(s.As<AssignStatement>(), f);
      return Flow::Normal;
    case StatementKind::Set: {
      const AssignStatement& set = s.As<AssignStatement>();
      Assign(*set.Target, Eval(*set.Value, f), f, true);
      return Flow::Normal;
    }
    case StatementKind::If:
      return ExecIf(s.As<IfStatement>(), f);
    case StatementKind::Select:
      return ExecSelect(s.As<SelectStatement>(), f);
    case StatementKind::For:
      return ExecFor(s.As<ForStatement>(), f);
    case StatementKind::ForEach:
      return ExecForEach(s.As<ForEachStatement>(), f);
    case StatementKind::Loop:
      return ExecLoop(s.As<LoopStatement>(), f);
    case StatementKind::Exit:
      switch (s.As<ExitStatement>().From) {
        case ExitFrom::Do:
          return Flow::ExitDo;
        case ExitFrom::For:
          return Flow::ExitFor;
        case ExitFrom::Procedure:
          return Flow::ExitProc;
      }
      return Flow::ExitProc;
    case StatementKind::OnError:
      f.ResumeNext = s.As<OnErrorStatement>().ResumeNext;
      Err = ErrState{};
      return Flow::Normal;
    case StatementKind::With:
      return ExecWith(s.As<WithStatement>(), f);
    case StatementKind::Dim:
      ExecDim(s.As<DimStatement>(), f);
      return Flow::Normal;
    case StatementKind::ReDim:
      ExecReDim(s.As<ReDimStatement>(), f);
      return Flow::Normal;
    case StatementKind::Erase:
      ExecErase(s.As<EraseStatement>(), f);
      return Flow::Normal;
    case StatementKind::Execute:
      ExecExecute(s.As<ExecuteStatement>(), f);
      return Flow::Normal;
  }
  return Flow::Normal;
}

Vm::Flow Vm::ExecWith(const WithStatement& s, Frame& f) {
  Variant object;
  try {
    object = Eval(*s.Object, f);
    if (!object.IsObject()) ThrowRuntime(424);
  } catch (ScriptError& error) {
    // Under Resume Next the block still runs, from its first statement, with no object.
    RecoverOrRethrow(f, error);
    object.Clear();
  }
  f.Slots[s.Slot] = std::move(object);
  const Flow flow = ExecBlock(s.Body, f);
  f.Slots[s.Slot].Clear();
  return flow;
}

// "s = s & x & y" appends to s in place when nobody else shares its text.
bool Vm::TryAppendInPlace(const AssignStatement& s, Frame& f) {
  const VariableNode& variable = s.Target->As<VariableNode>();
  Variant& target = Storage(variable, f, true);
  if (!target.IsString()) return false;
  const Node* parts[MaxAppendParts];
  size_t count = 0;
  for (const Node* e = s.Value; IsConcat(*e); e = e->As<BinaryNode>().Left)
    parts[count++] = e->As<BinaryNode>().Right;
  StackGuard guard(*this, count, false);
  Variant* values = guard.Base;
  for (size_t i = 0; i < count; ++i) {
    values[i] = Eval(*parts[count - 1 - i], f);
    if (values[i].IsObject()) values[i] = DefaultValue(values[i]);
  }
  Variant& again = Storage(variable, f, true);
  if (!again.IsString()) return false;
  std::string& text = again.MutableString();
  for (size_t i = 0; i < count; ++i) AppendText(text, values[i], Locale);
  return true;
}

void Vm::ExecAssign(const AssignStatement& s, Frame& f) {
  if (s.AppendsToTarget && TryAppendInPlace(s, f)) return;
  const Node& target = *s.Target;
  if (target.Fast == FastRead::Local || target.Fast == FastRead::Direct ||
      target.Fast == FastRead::Ref) {
    const VariableNode& variable = target.As<VariableNode>();
    Variant& slot = target.Fast == FastRead::Local ? f.Slots[variable.Slot]
                    : target.Fast == FastRead::Ref ? f.Slots[variable.Slot].Deref()
                                                   : *variable.Direct;
    const Node& value = *s.Value;
    if (value.Fast != FastRead::None) {
      Variant temp;
      const Variant& source = Operand(value, f, temp);
      if (!source.IsObject()) {
        slot = source;
        return;
      }
    }
    if (value.Numeric) {
      const Number n = value.Numeric(value, f);
      if (n.Type != VarType::Empty) {
        StoreNumber(slot, n);
        return;
      }
    }
    Variant result = value.Kind == NodeKind::Binary
                         ? (value.As<BinaryNode>().Arith ? EvalArith(value.As<BinaryNode>(), f)
                                                         : EvalBinary(value.As<BinaryNode>(), f))
                     : value.Kind == NodeKind::CallProc ? CallGlobal(value.As<CallProcNode>(), f)
                                                        : Eval(value, f);
    if (result.IsObject()) result = DefaultValue(result);
    slot = std::move(result);
    return;
  }
  Assign(target, Eval(*s.Value, f), f, false);
}

Vm::Flow Vm::ExecFor(const ForStatement& s, Frame& f) {
  auto bound = [&](const Node& e) {
    const Number n = NumberValue(e, f);
    if (n.Type != VarType::Empty) {
      Variant v;
      StoreNumber(v, n);
      return NumericLoopValue(std::move(v));
    }
    Variant v = Eval(e, f);
    if (v.IsObject()) v = DefaultValue(v);
    return NumericLoopValue(std::move(v));
  };
  Variant start, limit, step;
  try {
    start = bound(*s.Start);
    limit = bound(*s.Limit);
    step = s.Step ? bound(*s.Step) : Variant::Integer(1);
  } catch (ScriptError& error) {
    // Under Resume Next a failing bound runs the body once, then "For loop not initialized".
    RecoverOrRethrow(f, error);
    const Flow flow = ExecBlock(s.Body, f);
    if (flow != Flow::Normal && flow != Flow::ExitFor) return flow;
    ThrowRuntime(92);
  }
  const Node& target = *s.Counter;
  Variant* fixedCounter = target.Fast == FastRead::Local ? &f.Slots[target.As<VariableNode>().Slot]
                          : target.Fast == FastRead::Direct ? target.As<VariableNode>().Direct
                                                            : nullptr;
  if (fixedCounter)
    *fixedCounter = start;
  else
    Assign(target, start, f, false);
  const bool integral = (limit.Type() == VarType::Integer || limit.Type() == VarType::Long) &&
                        (step.Type() == VarType::Integer || step.Type() == VarType::Long);
  const bool down = ToDouble(step) < 0;
  const int64_t intLimit = integral ? ToLong(limit) : 0;
  const Number stepNumber = NumberOf(step);
  // counter = counter + step, with the rules of `+`.
  auto advance = [&](Variant& next) {
    const Number n = NumberOf(next);
    if (n.Type != VarType::Empty && stepNumber.Type != VarType::Empty) {
      StoreNumber(next, ApplyNumbers<Op::Plus>(n, stepNumber));
      return;
    }
    next = Add(next.IsObject() ? DefaultValue(next) : next, step);
  };
  // The common loop: an integer counter in a plain variable with integer bounds. When the body
  // gives the counter another subtype, the general loop below carries on.
  if (fixedCounter && integral) {
    Variant& counter = *fixedCounter;
    // A body of one plain-number assignment to a local, as in `sum = sum + v(j)`, runs without
    // a block: its evaluator and its slot are found once for the whole loop.
    const AssignStatement* only = s.OnlyAssign;
    const Node* onlyValue = nullptr;
    Variant* onlySlot = nullptr;
    if (only && only->Target->Fast == FastRead::Local && only->Value->Numeric) {
      onlyValue = only->Value;
      onlySlot = &f.Slots[only->Target->As<VariableNode>().Slot];
    }
    for (;;) {
      const Number c = NumberOf(counter);
      if (c.Type != VarType::Integer && c.Type != VarType::Long) break;
      if (down ? c.Int < intLimit : c.Int > intLimit) return Flow::Normal;
      Number n;
      if (onlyValue) n = onlyValue->Numeric(*onlyValue, f);
      if (n.Type != VarType::Empty) {
        StoreNumber(*onlySlot, n);
      } else {
        const Flow flow = ExecBlock(s.Body, f);
        if (flow == Flow::ExitFor) return Flow::Normal;
        if (flow != Flow::Normal) return flow;
      }
      CheckInterrupt();
      const Number now = NumberOf(counter);
      if (now.Type != VarType::Integer && now.Type != VarType::Long) {
        advance(counter);
        break;
      }
      StoreNumber(counter, ApplyNumbers<Op::Plus>(now, stepNumber));
    }
  }
  for (;;) {
    Variant& counter = fixedCounter ? *fixedCounter : TargetStorage(target, f);
    const VarType type = counter.Type();
    if (integral && (type == VarType::Integer || type == VarType::Long)) {
      const int64_t c = type == VarType::Integer ? counter.AsInteger() : counter.AsLong();
      if (down ? c < intLimit : c > intLimit) break;
    } else {
      const Ordering o = Compare(counter.IsObject() ? DefaultValue(counter) : counter, limit);
      if (o == Ordering::Null) ThrowRuntime(13);
      if (down ? o == Ordering::Less : o == Ordering::Greater) break;
    }
    const Flow flow = ExecBlock(s.Body, f);
    if (flow == Flow::ExitFor) break;
    if (flow != Flow::Normal) return flow;
    CheckInterrupt();
    // The counter is read again: the body may have changed it.
    advance(fixedCounter ? *fixedCounter : TargetStorage(target, f));
  }
  return Flow::Normal;
}

Vm::Flow Vm::ExecForEach(const ForEachStatement& s, Frame& f) {
  Variant collection;
  try {
    collection = Eval(*s.Collection, f);
  } catch (ScriptError& error) {
    // As with For: the body runs once, then "Object not a collection".
    RecoverOrRethrow(f, error);
    const Flow flow = ExecBlock(s.Body, f);
    if (flow != Flow::Normal && flow != Flow::ExitFor) return flow;
    ThrowRuntime(451);
  }
  // A native collection gives a copy of its items.
  std::vector<Variant> items;
  bool isCollection = collection.IsArray();
  if (collection.IsObject()) {
    auto* host = dynamic_cast<HostObjectRef*>(collection.AsObject());
    isCollection = host && host->Native->Items(items);
  }
  if (!isCollection) {
    // Under Resume Next a value that is no collection runs the body once, as a failing
    // expression does, and the loop's end fails again.
    try {
      ThrowRuntime(451);
    } catch (ScriptError& error) {
      RecoverOrRethrow(f, error);
    }
    const Flow flow = ExecBlock(s.Body, f);
    if (flow != Flow::Normal && flow != Flow::ExitFor) return flow;
    ThrowRuntime(451);
  }
  // The loop walks its own reference to the elements; changes to the array do not move it.
  const std::vector<Variant>& elements = collection.IsArray() ? collection.AsArray().Data : items;
  for (size_t i = 0; i < elements.size(); ++i) {
    Assign(*s.Element, elements[i], f, elements[i].IsObject());
    const Flow flow = ExecBlock(s.Body, f);
    if (flow == Flow::ExitFor) return Flow::Normal;
    if (flow != Flow::Normal) return flow;
    CheckInterrupt();
  }
  Assign(*s.Element, Variant(), f, false);
  return Flow::Normal;
}

Vm::Flow Vm::ExecLoop(const LoopStatement& s, Frame& f) {
  auto test = [&](bool postTest) {
    if (!s.Cond) return true;
    bool value;
    try {
      value = EvalCondition(*s.Cond, f);
    } catch (ScriptError& error) {
      RecoverOrRethrow(f, error);
      // A failing pre-test condition enters the body; a failing post-test one ends the loop.
      return !postTest;
    }
    return s.Until ? !value : value;
  };
  if (s.PreTest && !test(false)) return Flow::Normal;
  for (;;) {
    const Flow flow = ExecBlock(s.Body, f);
    if (flow == Flow::ExitDo) return Flow::Normal;
    if (flow != Flow::Normal) return flow;
    CheckInterrupt();
    if (!test(!s.PreTest)) return Flow::Normal;
  }
}

// A plain-number test against numeric literal cases: numbers compared, nothing else evaluated.
// nullopt when the test is no plain number; the general rules then run (the test is pure, so
// evaluating it again changes nothing).
std::optional<Vm::Flow> Vm::ExecSelectNumber(const SelectStatement& s, Frame& f) {
  const Number test = NumberValue(*s.Test, f);
  if (!IsPlainNumber(test)) return std::nullopt;
  const double testNumber = RealOf(test);
  for (size_t i = 0; i < s.CaseNumbers.size(); ++i)
    if (s.CaseNumbers[i] == testNumber) return ExecBlock(s.Cases[s.CaseOfNumber[i]].Body, f);
  return ExecBlock(s.Else, f);
}

Vm::Flow Vm::ExecSelect(const SelectStatement& s, Frame& f) {
  if (!s.CaseNumbers.empty() && s.Test->Numeric)
    if (const std::optional<Flow> flow = ExecSelectNumber(s, f)) return *flow;
  Variant test;
  Number testValue;
  try {
    if (s.Test->Pure) testValue = NumberValue(*s.Test, f);
    if (testValue.Type == VarType::Empty) {
      test = Eval(*s.Test, f);
      if (test.IsObject()) test = DefaultValue(test);
    }
  } catch (ScriptError& error) {
    // Under Resume Next a failing test expression runs no clause at all.
    RecoverOrRethrow(f, error);
    return Flow::Normal;
  }
  // A numeric test compares with numeric cases without building Variants.
  if (testValue.Type == VarType::Boolean) {
    test = Variant::Boolean(testValue.Int != 0);
    testValue.Type = VarType::Empty;
  } else if (testValue.Type != VarType::Empty) {
    test = ToVariant(testValue);
  }
  const bool numericTest = test.Type() == VarType::Integer || test.Type() == VarType::Long ||
                           test.Type() == VarType::Double;
  const double testNumber = testValue.Type != VarType::Empty ? RealOf(testValue)
                            : numericTest                    ? ToDouble(test)
                                                             : 0;
  for (const CaseBranch& branch : s.Cases) {
    for (const CaseValue& value : branch.Values) {
      bool match;
      const Number candidate =
          numericTest && value.Value->Pure ? NumberValue(*value.Value, f) : Number{};
      if (IsPlainNumber(candidate)) {
        if (RealOf(candidate) == testNumber) return ExecBlock(branch.Body, f);
        continue;
      }
      try {
        const Variant candidateValue = DefaultValue(Eval(*value.Value, f));
        const Variant& subject =
            value.NumericLiteral && test.IsString() ? Variant::Double(ToDouble(test)) : test;
        match = Compare(subject, candidateValue) == Ordering::Equal;
      } catch (ScriptError& error) {
        RecoverOrRethrow(f, error);
        match = true;
      }
      if (match) return ExecBlock(branch.Body, f);
    }
  }
  return ExecBlock(s.Else, f);
}

void Vm::ExecDim(const DimStatement& s, Frame& f) {
  for (const DimArray& d : s.Arrays) {
    Variant& slot = TargetStorage(*d.Target, f);
    if (slot.IsArray()) continue;
    auto rep = std::make_unique<ArrayRep>();
    rep->Fixed = !d.Upper.empty();
    size_t total = d.Upper.empty() ? 0 : 1;
    for (const int32_t upper : d.Upper) {
      if (upper < -1) ThrowRuntime(9);
      rep->Bounds.push_back({0, upper + 1});
      total *= static_cast<size_t>(upper + 1);
    }
    rep->Data.resize(total);
    slot = Variant::AdoptArray(rep.release());
  }
}

void Vm::ExecReDim(const ReDimStatement& s, Frame& f) {
  for (const ReDimArray& d : s.Arrays) {
    Variant& check = TargetStorage(*d.Target, f);
    if (check.IsArray() && check.AsArray().Fixed) ThrowRuntime(10);
    std::vector<ArrayBound> bounds;
    size_t total = 1;
    for (const Node* b : d.Upper) {
      const int32_t upper = ToLong(DefaultValue(Eval(*b, f)));
      if (upper < -1) ThrowRuntime(9);
      bounds.push_back({0, upper + 1});
      total *= static_cast<size_t>(upper + 1);
      if (total > (1u << 28)) ThrowRuntime(7);
    }
    Variant& slot = TargetStorage(*d.Target, f);
    auto rep = std::make_unique<ArrayRep>();
    rep->Bounds = bounds;
    rep->Data.resize(total);
    if (s.Preserve && slot.IsArray() && slot.AsArray().Dimensions() > 0) {
      const ArrayRep& old = slot.AsArray();
      if (old.Dimensions() != static_cast<int>(bounds.size())) ThrowRuntime(9);
      for (size_t k = 0; k + 1 < bounds.size(); ++k)
        if (old.Bounds[k].Count != bounds[k].Count) ThrowRuntime(9);
      // Only the last dimension changes, so whole leading slices keep their offsets.
      const size_t keep = std::min(old.Data.size(), total);
      for (size_t i = 0; i < keep; ++i) rep->Data[i] = old.Data[i];
    }
    slot = Variant::AdoptArray(rep.release());
  }
}

void Vm::ExecErase(const EraseStatement& s, Frame& f) {
  Variant& slot = TargetStorage(*s.Target, f);
  if (!slot.IsArray()) ThrowRuntime(13);
  if (slot.AsArray().Fixed) {
    for (Variant& v : slot.MutableArray().Data) v.Clear();
    return;
  }
  slot = Variant::AdoptArray(std::make_unique<ArrayRep>().release());
}

void Vm::ExecExecute(const ExecuteStatement& s, Frame& f) {
  const std::string text = ToString(DefaultValue(Eval(*s.Text, f)));
  std::unique_ptr<CompiledBlock> block;
  Compiler compiler(globals_);
  try {
    const Procedure* scope = f.Proc ? f.Proc : f.Scope ? f.Scope->Proc : nullptr;
    const bool local = !s.Global && scope != nullptr;
    block = compiler.Compile(ParseScript(text, HostLocale),
                             local ? CompileMode::LocalExecute : CompileMode::Global,
                             local ? scope : nullptr, local && f.Me ? f.Me->Class : nullptr);
  } catch (ScriptError& error) {
    // A syntax error in the text is a run-time error of the Execute statement.
    error.Compile = false;
    error.HasPos = false;
    error.Source = std::string(RuntimeSource);
    throw;
  }
  compiler.Install(*block);
  RunBlock(globals_.Keep(std::move(block)), s.Global ? nullptr : &f);
}

void Vm::RunBlock(const CompiledBlock& block, Frame* outer) {
  StackGuard guard(*this, static_cast<size_t>(block.FrameSize), false);
  Variant* slots = guard.Base;
  Frame frame;
  frame.Slots = slots;
  if (outer) {
    frame.Outer = outer->Proc ? outer->Slots : outer->Outer;
    frame.Scope = outer->Proc ? outer : outer->Scope;
    frame.Me = outer->Me;
  }
  ExecBlock(block.Body, frame);
}

Variant Vm::EvaluateBlock(const CompiledBlock& block) {
  StackGuard guard(*this, static_cast<size_t>(block.FrameSize), false);
  Variant* slots = guard.Base;
  Frame frame;
  frame.Slots = slots;
  return Eval(*block.Expression, frame);
}

}  // namespace chartorium::vbscript
