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

bool IsPlainVariable(const Expr& e) {
  return e.Kind == ExprKind::Variable && e.Args.empty() && !e.HasParens;
}

bool SameVariable(const Expr& a, const Expr& b) {
  return IsPlainVariable(a) && IsPlainVariable(b) && a.Loc == b.Loc && a.Slot == b.Slot &&
         a.Index == b.Index && a.Extra == b.Extra;
}

// The leftmost operand of a chain of '&'.
const Expr& ConcatHead(const Expr& e) {
  const Expr* head = &e;
  while (head->Kind == ExprKind::Binary && head->Operator == Op::Concat) head = head->Left.get();
  return *head;
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

Vm::Flow Vm::ExecBlock(const Block& block, Frame& f) {
  for (const StmtPtr& s : block) {
    try {
      if (s->Kind == StmtKind::Assign) {
        if (!AssignNumber(*s, f)) ExecAssign(*s, f);
        continue;
      }
      // A one-branch If outside Resume Next, as recursive functions test their end case; a
      // branch of one assignment runs here too, the error (if any) at its own position.
      if (s->OnlyCond && !f.ResumeNext) {
        const bool taken = Condition(*s->OnlyCond, f);
        if (const Stmt* assignment = taken ? s->ThenAssign : s->ElseAssign) {
          const Stmt& only = *assignment;
          try {
            if (!AssignNumber(only, f) && !AssignArith(only, f)) ExecAssign(only, f);
          } catch (ScriptError& error) {
            if (!error.HasPos) {
              error.Pos = only.Pos;
              error.HasPos = true;
            }
            throw;
          }
          continue;
        }
        const Flow flow = ExecBlock(taken ? s->Blocks[0] : s->ElseBody, f);
        if (flow != Flow::Normal) return flow;
        continue;
      }
      const Flow flow = Exec(*s, f);
      if (flow != Flow::Normal) return flow;
    } catch (ScriptError& error) {
      if (!error.HasPos) {
        error.Pos = s->Pos;
        error.HasPos = true;
      }
      RecoverOrRethrow(f, error);
    }
  }
  return Flow::Normal;
}

Vm::Flow Vm::Exec(const Stmt& s, Frame& f) {
  switch (s.Kind) {
    case StmtKind::Call:
      Eval(*s.Target, f);
      // VBScript refuses a conversion whose value goes nowhere, once it has converted.
      if (s.DiscardsConversion) ThrowRuntime(458);
      return Flow::Normal;
    case StmtKind::Assign:
      ExecAssign(s, f);
      return Flow::Normal;
    case StmtKind::Set:
      Assign(*s.Target, Eval(*s.Value, f), f, true);
      return Flow::Normal;
    case StmtKind::If:
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
      return ExecBlock(s.ElseBody, f);
    case StmtKind::Select:
      return ExecSelect(s, f);
    case StmtKind::For:
      return ExecFor(s, f);
    case StmtKind::ForEach:
      return ExecForEach(s, f);
    case StmtKind::Loop:
      return ExecLoop(s, f);
    case StmtKind::Exit:
      switch (s.Exit) {
        case ExitKind::Do:
          return Flow::ExitDo;
        case ExitKind::For:
          return Flow::ExitFor;
        default:
          return Flow::ExitProc;
      }
    case StmtKind::OnError:
      f.ResumeNext = s.ResumeNext;
      Err = ErrState{};
      return Flow::Normal;
    case StmtKind::With: {
      Variant object;
      try {
        object = Eval(*s.Value, f);
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
    case StmtKind::Dim:
      ExecDim(s, f);
      return Flow::Normal;
    case StmtKind::ReDim:
      ExecReDim(s, f);
      return Flow::Normal;
    case StmtKind::Erase:
      ExecErase(s, f);
      return Flow::Normal;
    case StmtKind::Execute:
      ExecExecute(s, f);
      return Flow::Normal;
    case StmtKind::Const:
      // A script-level Const gives its value to a variable of that name that code compiled
      // before it reads.
      return ExecBlock(s.Body, f);
    case StmtKind::Nop:
      return Flow::Normal;
  }
  return Flow::Normal;
}

// "s = s & x & y" appends to s in place when nobody else shares its text.
bool Vm::TryAppendInPlace(const Stmt& s, Frame& f) {
  const Expr& value = *s.Value;
  if (value.Kind != ExprKind::Binary || value.Operator != Op::Concat) return false;
  if (s.Target->Fast != FastRead::Local && s.Target->Fast != FastRead::Direct) return false;
  if (!SameVariable(ConcatHead(value), *s.Target)) return false;
  Variant& target = Storage(*s.Target, f, true);
  if (!target.IsString()) return false;
  const Expr* parts[16];
  size_t count = 0;
  for (const Expr* e = &value; e->Kind == ExprKind::Binary && e->Operator == Op::Concat;
       e = e->Left.get()) {
    if (count == 16) return false;
    parts[count++] = e->Right.get();
  }
  StackGuard guard(*this, count, false);
  Variant* values = guard.Base;
  for (size_t i = 0; i < count; ++i) {
    values[i] = Eval(*parts[count - 1 - i], f);
    if (values[i].IsObject()) values[i] = DefaultValue(values[i]);
  }
  Variant& again = Storage(*s.Target, f, true);
  if (!again.IsString()) return false;
  std::string& text = again.MutableString();
  for (size_t i = 0; i < count; ++i) AppendText(text, values[i], Locale);
  return true;
}

void Vm::ExecAssign(const Stmt& s, Frame& f) {
  if (s.Value->Kind == ExprKind::Binary && s.Value->Operator == Op::Concat &&
      TryAppendInPlace(s, f))
    return;
  const Expr& target = *s.Target;
  if (target.Fast == FastRead::Local || target.Fast == FastRead::Direct ||
      target.Fast == FastRead::Ref) {
    Variant& slot = target.Fast == FastRead::Local ? f.Slots[target.Slot]
                    : target.Fast == FastRead::Ref ? f.Slots[target.Slot].Deref()
                                                   : *target.Direct;
    const Expr& value = *s.Value;
    if (value.Fast != FastRead::None) {
      const Variant& source = value.Fast == FastRead::Local    ? f.Slots[value.Slot]
                              : value.Fast == FastRead::Ref    ? f.Slots[value.Slot].Deref()
                              : value.Fast == FastRead::Direct ? *value.Direct
                                                               : value.Value;
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
    Variant result = value.Arith                        ? EvalArith(value, f)
                     : value.Kind == ExprKind::Binary   ? EvalBinary(value, f)
                     : value.Kind == ExprKind::CallProc ? CallGlobal(value, f)
                                                        : Eval(value, f);
    if (result.IsObject()) result = DefaultValue(result);
    slot = std::move(result);
    return;
  }
  Assign(target, Eval(*s.Value, f), f, false);
}

Vm::Flow Vm::ExecFor(const Stmt& s, Frame& f) {
  auto bound = [&](const Expr& e) {
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
    start = bound(*s.Value);
    limit = bound(*s.Limit);
    step = s.StepExpr ? bound(*s.StepExpr) : Variant::Integer(1);
  } catch (ScriptError& error) {
    // Under Resume Next a failing bound runs the body once, then "For loop not initialized".
    RecoverOrRethrow(f, error);
    const Flow flow = ExecBlock(s.Body, f);
    if (flow != Flow::Normal && flow != Flow::ExitFor) return flow;
    ThrowRuntime(92);
  }
  const Expr& target = *s.Target;
  Variant* fixedCounter = target.Fast == FastRead::Local    ? &f.Slots[target.Slot]
                          : target.Fast == FastRead::Direct ? target.Direct
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
    for (;;) {
      const Number c = NumberOf(counter);
      if (c.Type != VarType::Integer && c.Type != VarType::Long) break;
      if (down ? c.Int < intLimit : c.Int > intLimit) return Flow::Normal;
      // A body of one arithmetic assignment, as in `sum = sum + v(j)`, runs without a block.
      if (s.Body.size() != 1 || s.Body[0]->Kind != StmtKind::Assign ||
          !AssignNumber(*s.Body[0], f)) {
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
    Variant& counter = fixedCounter ? *fixedCounter : Storage(target, f, true);
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
    advance(fixedCounter ? *fixedCounter : Storage(target, f, true));
  }
  return Flow::Normal;
}

Vm::Flow Vm::ExecForEach(const Stmt& s, Frame& f) {
  Variant collection;
  try {
    collection = Eval(*s.Value, f);
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
    Assign(*s.Target, elements[i], f, elements[i].IsObject());
    const Flow flow = ExecBlock(s.Body, f);
    if (flow == Flow::ExitFor) return Flow::Normal;
    if (flow != Flow::Normal) return flow;
    CheckInterrupt();
  }
  Assign(*s.Target, Variant(), f, false);
  return Flow::Normal;
}

Vm::Flow Vm::ExecLoop(const Stmt& s, Frame& f) {
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
// nullopt when a case is something else; the general rules then run (the test is pure, so
// evaluating it again changes nothing).
std::optional<Vm::Flow> Vm::ExecSelectNumber(const Stmt& s, Frame& f) {
  const Number test = NumberValue(*s.Value, f);
  if (test.Type != VarType::Integer && test.Type != VarType::Long && test.Type != VarType::Double)
    return std::nullopt;
  const double testNumber =
      test.Type == VarType::Double ? test.Real : static_cast<double>(test.Int);
  for (const CaseClause& clause : s.Cases) {
    for (const ExprPtr& value : clause.Values) {
      if (value->Fast != FastRead::Literal || !value->Numeric) return std::nullopt;
      const Number& c = value->LiteralNumber;
      if ((c.Type == VarType::Double ? c.Real : static_cast<double>(c.Int)) == testNumber)
        return ExecBlock(clause.Body, f);
    }
  }
  return ExecBlock(s.ElseBody, f);
}

Vm::Flow Vm::ExecSelect(const Stmt& s, Frame& f) {
  if (s.Value->Numeric)
    if (const std::optional<Flow> flow = ExecSelectNumber(s, f)) return *flow;
  Variant test;
  Number testValue;
  testValue.Type = VarType::Empty;
  try {
    if (s.Value->Pure) testValue = NumberValue(*s.Value, f);
    if (testValue.Type == VarType::Empty) {
      test = Eval(*s.Value, f);
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
    test = testValue.Type == VarType::Double ? Variant::Double(testValue.Real)
           : testValue.Type == VarType::Long
               ? Variant::Long(static_cast<int32_t>(testValue.Int))
               : Variant::Integer(static_cast<int16_t>(testValue.Int));
  }
  const bool numericTest = test.Type() == VarType::Integer || test.Type() == VarType::Long ||
                           test.Type() == VarType::Double;
  const double testNumber = testValue.Type == VarType::Double  ? testValue.Real
                            : testValue.Type != VarType::Empty ? static_cast<double>(testValue.Int)
                            : numericTest                      ? ToDouble(test)
                                                               : 0;
  for (const CaseClause& clause : s.Cases) {
    for (const ExprPtr& value : clause.Values) {
      bool match;
      const Number candidate =
          numericTest && value->Pure ? NumberValue(*value, f) : Number{VarType::Empty, {0}};
      if (candidate.Type != VarType::Empty && candidate.Type != VarType::Boolean) {
        const double c =
            candidate.Type == VarType::Double ? candidate.Real : static_cast<double>(candidate.Int);
        if (c == testNumber) return ExecBlock(clause.Body, f);
        continue;
      }
      try {
        const Variant candidate = DefaultValue(Eval(*value, f));
        const Variant& subject =
            value->NumericLiteralSide && test.IsString() ? Variant::Double(ToDouble(test)) : test;
        match = Compare(subject, candidate) == Ordering::Equal;
      } catch (ScriptError& error) {
        RecoverOrRethrow(f, error);
        match = true;
      }
      if (match) return ExecBlock(clause.Body, f);
    }
  }
  return ExecBlock(s.ElseBody, f);
}

void Vm::ExecDim(const Stmt& s, Frame& f) {
  for (const Declaration& d : s.Decls) {
    if (!d.Value) continue;
    Variant& slot = Storage(*d.Value, f, true);
    if (slot.IsArray()) continue;
    auto rep = std::make_unique<ArrayRep>();
    rep->Fixed = !d.Bounds.empty();
    size_t total = d.Bounds.empty() ? 0 : 1;
    for (const ExprPtr& b : d.Bounds) {
      const int32_t upper =
          b->Value.Type() == VarType::Integer ? b->Value.AsInteger() : b->Value.AsLong();
      if (upper < -1) ThrowRuntime(9);
      rep->Bounds.push_back({0, upper + 1});
      total *= static_cast<size_t>(upper + 1);
    }
    rep->Data.resize(total);
    slot = Variant::AdoptArray(rep.release());
  }
}

void Vm::ExecReDim(const Stmt& s, Frame& f) {
  for (const Declaration& d : s.Decls) {
    Variant& check = Storage(*d.Value, f, true);
    if (check.IsArray() && check.AsArray().Fixed) ThrowRuntime(10);
    std::vector<ArrayBound> bounds;
    size_t total = 1;
    for (const ExprPtr& b : d.Bounds) {
      const int32_t upper = ToLong(DefaultValue(Eval(*b, f)));
      if (upper < -1) ThrowRuntime(9);
      bounds.push_back({0, upper + 1});
      total *= static_cast<size_t>(upper + 1);
      if (total > (1u << 28)) ThrowRuntime(7);
    }
    Variant& slot = Storage(*d.Value, f, true);
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

void Vm::ExecErase(const Stmt& s, Frame& f) {
  Variant& slot = Storage(*s.Target, f, true);
  if (!slot.IsArray()) ThrowRuntime(13);
  if (slot.AsArray().Fixed) {
    for (Variant& v : slot.MutableArray().Data) v.Clear();
    return;
  }
  slot = Variant::AdoptArray(std::make_unique<ArrayRep>().release());
}

void Vm::ExecExecute(const Stmt& s, Frame& f) {
  const std::string text = ToString(DefaultValue(Eval(*s.Value, f)));
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
  ExecBlock(block.Script.Body, frame);
}

Variant Vm::EvaluateBlock(const CompiledBlock& block) {
  StackGuard guard(*this, static_cast<size_t>(block.FrameSize), false);
  Variant* slots = guard.Base;
  Frame frame;
  frame.Slots = slots;
  return Eval(*block.Expression, frame);
}

}  // namespace chartorium::vbscript
