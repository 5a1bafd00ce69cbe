// Calls: script procedures, class members, built-ins and native members.
#include <cctype>

#include "vbscript/Builtins.h"
#include "vbscript/Compiler.h"
#include "vbscript/Conversion.h"
#include "vbscript/NumericEval.h"
#include "vbscript/Parser.h"
#include "vbscript/RegExpObjects.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

bool IsReference(const Node& e) {
  return e.Kind == NodeKind::Variable && e.As<VariableNode>().Args.empty() &&
         !e.As<VariableNode>().HasParens;
}

}  // namespace

// The one entry into a procedure, for every kind of call: the argument count, the time-out and
// the depth are checked, the frame is laid out, `bind` fills the parameter slots, the body
// runs, and `finish` takes the result slot (nullptr for a Sub) before the frame is cleared.
template <class Bind, class Finish>
auto Vm::EnterProcedure(const Procedure& proc, ClassInstance* me, size_t argCount, Bind&& bind,
                        Finish&& finish) {
  if (static_cast<int>(argCount) != proc.ParamCount) ThrowRuntime(450);
  CheckInterrupt();
  CheckCallDepth();
  StackGuard guard(*this, static_cast<size_t>(proc.FrameSize), true);
  Variant* slots = guard.Base;
  ++depth_;
  bind(slots);
  Frame frame;
  frame.Slots = slots;
  frame.Proc = &proc;
  frame.Me = me;
  // The instance stays alive while its method runs, even if the method drops the last
  // reference the caller held.
  const Variant keepAlive = me ? Variant::Object(me) : Variant();
  ExecBlock(proc.Body, frame);
  return finish(proc.ResultSlot < 0 ? nullptr : &slots[proc.ResultSlot]);
}

namespace {

Variant TakeResult(Variant* result) {
  return result ? std::move(*result) : Variant();
}

}  // namespace

Variant Vm::CallProcedure(const Procedure& proc, ClassInstance* me, NodeList args, Frame& caller) {
  // Array elements passed ByRef are copied in and written back after the call, so a ReDim
  // inside the callee cannot leave a dangling alias.
  uint64_t writeBack = 0;
  Variant* frameSlots = nullptr;
  const auto bind = [&](Variant* slots) {
    frameSlots = slots;
    for (size_t i = 0; i < args.size(); ++i) {
      const Node& a = *args[i];
      if (!proc.ByVal[i] && IsReference(a)) {
        slots[i] = Variant::MakeRef(&Storage(a.As<VariableNode>(), caller, true));
      } else if (a.Numeric && a.Kind != NodeKind::Variable) {
        // Arithmetic arguments such as n - 1 go to the new frame unboxed.
        const Number n = NumberValue(a, caller);
        if (n.Type != VarType::Empty)
          StoreNumber(slots[i], n);
        else
          slots[i] = Eval(a, caller);
      } else {
        slots[i] = Eval(a, caller);
        if (!proc.ByVal[i] && a.Kind == NodeKind::Variable && i < 64) writeBack |= 1ull << i;
      }
    }
  };
  return EnterProcedure(proc, me, args.size(), bind, [&](Variant* result) {
    for (size_t i = 0; writeBack != 0 && i < args.size(); ++i)
      if (writeBack & (1ull << i))
        Assign(*args[i], frameSlots[i], caller, frameSlots[i].IsObject());
    return TakeResult(result);
  });
}

// A global procedure called with PlainArgs: nothing to write back and no Me.
template <class Finish>
auto Vm::RunPlain(const Procedure& proc, const CallProcNode& call, Frame& caller, Finish finish) {
  const NodeList args = call.Args;
  const auto bind = [&](Variant* slots) {
    const uint8_t* byVal = proc.ByVal.data();
    for (size_t i = 0; i < args.size(); ++i) {
      const Node& a = *args[i];
      switch (a.Fast) {
        case FastRead::Local: {
          Variant& v = caller.Slots[a.As<VariableNode>().Slot];
          slots[i] = byVal[i] ? v : Variant::MakeRef(&v);
          continue;
        }
        case FastRead::Ref: {
          Variant& v = caller.Slots[a.As<VariableNode>().Slot].Deref();
          slots[i] = byVal[i] ? v : Variant::MakeRef(&v);
          continue;
        }
        case FastRead::Direct: {
          Variant* v = a.As<VariableNode>().Direct;
          slots[i] = byVal[i] ? *v : Variant::MakeRef(v);
          continue;
        }
        case FastRead::Literal:
          slots[i] = a.As<LiteralNode>().Value;
          continue;
        case FastRead::None: {
          // Plain-number arithmetic such as n - 1 goes to the new frame unboxed.
          const Number n = a.Numeric(a, caller);
          if (n.Type != VarType::Empty)
            StoreNumber(slots[i], n);
          else
            slots[i] = Eval(a, caller);
          continue;
        }
      }
    }
  };
  return EnterProcedure(proc, nullptr, args.size(), bind, finish);
}

Variant Vm::CallPlain(const Procedure& proc, const CallProcNode& call, Frame& caller) {
  return RunPlain(proc, call, caller, TakeResult);
}

Number Vm::CallPlainNumber(const Procedure& proc, const CallProcNode& call, Frame& caller,
                           Variant& other) {
  return RunPlain(proc, call, caller, [&other](Variant* result) {
    if (!result) return Number{};
    const Number n = NumberOf(*result);
    if (n.Type == VarType::Empty) other = std::move(*result);
    return n;
  });
}

Variant Vm::CallProcedureValues(const Procedure& proc, ClassInstance* me, std::span<Variant> args) {
  const auto bind = [&](Variant* slots) {
    for (size_t i = 0; i < args.size(); ++i)
      slots[i] = proc.ByVal[i] ? args[i] : Variant::MakeRef(&args[i]);
  };
  return EnterProcedure(proc, me, args.size(), bind, TakeResult);
}

Variant Vm::CallWithValues(const Procedure& proc, std::span<Variant> args) {
  return CallProcedureValues(proc, nullptr, args);
}

Variant Vm::CallBuiltin(const CallBuiltinNode& e, Frame& f) {
  const BuiltinFunction& b = *e.Builtin;
  int count = static_cast<int>(e.Args.size());
  // Left-out trailing arguments take the built-in's defaults.
  while (count > 0) {
    const Node& last = *e.Args[static_cast<size_t>(count - 1)];
    if (last.Kind != NodeKind::Literal || last.As<LiteralNode>().Value.Type() != VarType::Error)
      break;
    --count;
  }
  if (count < b.MinArgs || count > b.MaxArgs) ThrowRuntime(450);
  StackGuard guard(*this, static_cast<size_t>(count), false);
  Variant* values = guard.Base;
  for (int i = 0; i < count; ++i) {
    values[i] = Eval(*e.Args[static_cast<size_t>(i)], f);
    if (!b.KeepObjects && values[i].IsObject() && !values[i].IsNothing())
      values[i] = DefaultValue(values[i]);
  }
  return b.Fn(*this, std::span<Variant>(values, static_cast<size_t>(count)));
}

Variant Vm::CallNative(NativeObject& native, int index, NodeList args, Frame& f,
                       const Variant* putValue) {
  const NativeMember& m = native.Members()[static_cast<size_t>(index)];
  const int count = static_cast<int>(args.size()) + (putValue ? 1 : 0);
  const int least = m.MinParams >= 0 ? m.MinParams : m.ParamCount;
  if (m.ParamCount >= 0 && (count > m.ParamCount || count < least)) {
    // A property without parameters read with an index: index its value.
    if (!putValue && m.ParamCount == 0 && !args.empty())
      return IndexValue(CallNative(native, index, {}, f, nullptr), args, f);
    ThrowRuntime(450);
  }
  StackGuard guard(*this, static_cast<size_t>(count), false);
  Variant* values = guard.Base;
  for (size_t i = 0; i < args.size(); ++i) {
    values[i] = Eval(*args[i], f);
    if (m.ValueArguments && values[i].IsObject() && !values[i].IsNothing())
      values[i] = DefaultValue(values[i]);
  }
  if (putValue) values[count - 1] = *putValue;
  Variant result;
  native.Invoke(index, std::span<Variant>(values, static_cast<size_t>(count)), result);
  if (m.ByRefMask != 0) {
    for (size_t i = 0; i < args.size() && i < 32; ++i)
      if ((m.ByRefMask & (1u << i)) && IsReference(*args[i]))
        Storage(args[i]->As<VariableNode>(), f, true) = values[i];
  }
  return result;
}

const ClassMember& Vm::FindClassMember(const MemberNode& e, const ClassInstance& instance,
                                       Frame& f) {
  MemberCache& cache = *e.Cache;
  if (cache.Owner != instance.Class) {
    auto it = instance.Class->Members.find(*e.Key);
    if (it == instance.Class->Members.end()) ThrowRuntime(438);
    cache.Owner = instance.Class;
    cache.Member = &it->second;
  }
  const ClassMember& member = *cache.Member;
  if (!member.Public && (!f.Me || f.Me->Class != instance.Class)) ThrowRuntime(438);
  return member;
}

Variant Vm::CallMember(const MemberNode& e, Frame& f) {
  if (!e.Object) ThrowRuntime(505);
  const Variant object = Eval(*e.Object, f);
  if (!object.IsObject() || object.IsNothing()) ThrowRuntime(424);
  ScriptObject* target = object.AsObject();
  if (auto* instance = dynamic_cast<ClassInstance*>(target)) {
    const ClassMember& member = FindClassMember(e, *instance, f);
    if (member.Field >= 0) {
      Variant& field = instance->Fields[static_cast<size_t>(member.Field)];
      if (e.Args.empty()) return field;
      if (field.IsArray()) return Element(field, e.Args, f);
      return IndexValue(field, e.Args, f);
    }
    if (!member.Get) ThrowRuntime(438);
    if (member.Get->ParamCount == 0 && !e.Args.empty())
      return IndexValue(CallProcedure(*member.Get, instance, {}, f), e.Args, f);
    return CallProcedure(*member.Get, instance, e.Args, f);
  }
  auto* host = dynamic_cast<HostObjectRef*>(target);
  if (!host) ThrowRuntime(438);
  NativeObject& native = *host->Native;
  const std::span<const NativeMember> members = native.Members();
  MemberCache& cache = *e.Cache;
  if (cache.Owner != members.data()) {
    const int index = FindNativeMember(members, *e.Key, false);
    if (index < 0) ThrowRuntime(438);
    cache.Owner = members.data();
    cache.Index = index;
  }
  return CallNative(native, cache.Index, e.Args, f, nullptr);
}

void Vm::AssignMember(const Node& target, Variant value, Frame& f, bool isSet) {
  std::vector<Variant> values;
  auto argValues = [&](NodeList args) {
    for (const Node* a : args) values.push_back(Eval(*a, f));
    values.push_back(value);
  };
  if (target.Kind == NodeKind::CallNative) {
    const CallNativeNode& call = target.As<CallNativeNode>();
    NativeObject& native = *globals_.Hosts[static_cast<size_t>(call.Host)].Native;
    CallNative(native, call.Member, call.Args, f, &value);
    return;
  }
  if (target.Kind == NodeKind::CallMethod) {
    const CallMethodNode& call = target.As<CallMethodNode>();
    if (!call.Method) ThrowRuntime(438);
    argValues(call.Args);
    CallProcedureValues(*call.Method, f.Me, values);
    return;
  }
  Variant object;
  NodeList args;
  if (target.Kind == NodeKind::Member) {
    const MemberNode& member = target.As<MemberNode>();
    if (!member.Object) ThrowRuntime(505);
    object = Eval(*member.Object, f);
    args = member.Args;
  } else if (target.Kind == NodeKind::HostObject) {
    object = globals_.Hosts[static_cast<size_t>(target.As<HostObjectNode>().Host)].Object;
    args = target.As<HostObjectNode>().Args;
  } else {
    object = Storage(target.As<VariableNode>(), f, false);
    args = target.As<VariableNode>().Args;
  }
  if (!object.IsObject() || object.IsNothing()) ThrowRuntime(424);
  ScriptObject* o = object.AsObject();
  const bool defaultMember = target.Kind != NodeKind::Member;
  if (auto* instance = dynamic_cast<ClassInstance*>(o)) {
    const ClassMember* member = defaultMember
                                    ? instance->Class->Default
                                    : &FindClassMember(target.As<MemberNode>(), *instance, f);
    if (!member) ThrowRuntime(438);
    if (member->Field >= 0) {
      Variant& field = instance->Fields[static_cast<size_t>(member->Field)];
      if (args.empty()) {
        field = std::move(value);
        return;
      }
      if (!field.IsArray()) ThrowRuntime(13);
      field.MutableArray();
      Element(field, args, f) = std::move(value);
      return;
    }
    const Procedure* proc = isSet ? member->Set : member->Let;
    if (!proc) ThrowRuntime(438);
    argValues(args);
    CallProcedureValues(*proc, instance, values);
    return;
  }
  auto* host = dynamic_cast<HostObjectRef*>(o);
  if (!host) ThrowRuntime(438);
  NativeObject& native = *host->Native;
  int index = -1;
  if (defaultMember) {
    const auto members = native.Members();
    for (size_t i = 0; i < members.size(); ++i)
      if (members[i].Default && members[i].Kind == MemberKind::PropertyPut)
        index = static_cast<int>(i);
  } else {
    index = FindNativeMember(native.Members(), *target.As<MemberNode>().Key, true);
  }
  if (index < 0) ThrowRuntime(438);
  CallNative(native, index, args, f, &value);
}

Variant Vm::CallDefault(const Variant& object, NodeList args, Frame& f) {
  if (object.IsNothing()) ThrowRuntime(91);
  ScriptObject* o = object.AsObject();
  if (auto* instance = dynamic_cast<ClassInstance*>(o)) {
    const ClassMember* member = instance->Class->Default;
    if (!member) ThrowRuntime(438);
    if (member->Field >= 0) return IndexValue(instance->Fields[member->Field], args, f);
    if (!member->Get) ThrowRuntime(438);
    return CallProcedure(*member->Get, instance, args, f);
  }
  if (auto* ref = dynamic_cast<ProcedureRef*>(o))
    return CallProcedure(*ref->Proc, nullptr, args, f);
  NativeObject& native = *static_cast<HostObjectRef*>(o)->Native;
  const auto members = native.Members();
  for (size_t i = 0; i < members.size(); ++i)
    if (members[i].Default && members[i].Kind != MemberKind::PropertyPut)
      return CallNative(native, static_cast<int>(i), args, f, nullptr);
  ThrowRuntime(438);
}

Variant Vm::NewInstance(const NewNode& e) {
  if (e.Class == BuiltinRegExpClass) return NewRegExpObject(*this);
  const ClassInfo* info = e.Class >= 0 ? globals_.Classes[static_cast<size_t>(e.Class)] : nullptr;
  if (!info) ThrowRuntime(506);
  auto instance = std::make_unique<ClassInstance>(*info, this);
  for (const ClassField& field : info->Fields) {
    if (!field.IsArray) {
      instance->Fields.emplace_back();
      continue;
    }
    auto rep = std::make_unique<ArrayRep>();
    rep->Fixed = !field.Bounds.empty();
    size_t total = field.Bounds.empty() ? 0 : 1;
    for (int32_t upper : field.Bounds) {
      rep->Bounds.push_back({0, upper + 1});
      total *= static_cast<size_t>(upper + 1);
    }
    rep->Data.resize(total);
    instance->Fields.push_back(Variant::AdoptArray(rep.release()));
  }
  Variant object = Variant::Object(instance.release());
  if (info->Initialize) {
    Frame f;
    CallProcedure(*info->Initialize, static_cast<ClassInstance*>(object.AsObject()), {}, f);
  }
  return object;
}

void Vm::RunTerminate(ClassInstance& instance) {
  // The instance is kept alive by one reference for the call; errors end the terminator
  // quietly, as nobody could handle them.
  instance.Refs = 1;
  try {
    Frame f;
    CallProcedure(*instance.Class->Terminate, &instance, {}, f);
  } catch (const ScriptError&) {
  }
  instance.Refs = 0;
}

void ClassInstance::LastReleased() {
  if (Owner && Class->Terminate) Owner->RunTerminate(*this);
  ScriptObject::LastReleased();
}

Variant Vm::EvalErr(const ErrNode& e, Frame& f) {
  switch (e.Member) {
    case ErrMember::Unknown:
      ThrowRuntime(438);
    case ErrMember::Err:
    case ErrMember::Number:
      return Variant::Long(Err.Number);
    case ErrMember::Description:
      return Variant::String(Err.Description);
    case ErrMember::Source:
      return Variant::String(Err.Source);
    case ErrMember::HelpFile:
      return Variant::String(Err.HelpFile);
    case ErrMember::HelpContext:
      return Variant::Long(Err.HelpContext);
    case ErrMember::Clear:
      Err = ErrState{};
      return Variant();
    case ErrMember::Raise:
      break;
  }
  // Raise number[, source[, description[, helpfile[, helpcontext]]]]
  if (e.Args.empty()) ThrowRuntime(450);
  std::vector<Variant> args;
  for (const Node* a : e.Args) args.push_back(DefaultValue(Eval(*a, f)));
  const double number = ToDouble(args[0]);
  if (number < -2147483648.0 || number > 4294967295.0) ThrowRuntime(6);
  int64_t code = static_cast<int64_t>(RoundHalfEven(number));
  if (code > 2147483647LL) code -= 4294967296LL;
  code = ErrorNumberOfCode(static_cast<int>(code));
  if (code == 0 || code > 65535) ThrowRuntime(5);
  ScriptError error;
  error.Number = static_cast<int>(code);
  error.Source = args.size() > 1 ? ToString(args[1]) : Err.Source;
  if (error.Source.empty()) error.Source = std::string(RuntimeSource);
  error.Description = args.size() > 2 ? ToString(args[2]) : std::string();
  // Fields not given keep what Err holds, as a second Raise of the same error expects.
  if (args.size() <= 2)
    error.Description =
        Err.Description.empty() ? std::string(ErrorDescription(error.Number)) : Err.Description;
  error.HelpFile = args.size() > 3 ? ToString(args[3]) : Err.HelpFile;
  error.HelpContext = args.size() > 4 ? ToLong(args[4]) : Err.HelpContext;
  throw error;
}

Variant Vm::EvalText(const EvalTextNode& e, Frame& f) {
  if (e.Args.size() != 1) ThrowRuntime(450);
  const std::string text = ToString(DefaultValue(Eval(*e.Args[0], f)));
  std::unique_ptr<CompiledBlock> block;
  try {
    Compiler compiler(globals_);
    block = compiler.CompileExpression(*ParseExpressionText(text, HostLocale),
                                       f.Proc    ? f.Proc
                                       : f.Scope ? f.Scope->Proc
                                                 : nullptr,
                                       f.Me ? f.Me->Class : nullptr);
  } catch (ScriptError& error) {
    error.Compile = false;
    error.HasPos = false;
    error.Source = std::string(RuntimeSource);
    throw;
  }
  StackGuard guard(*this, static_cast<size_t>(block->FrameSize), false);
  Variant* slots = guard.Base;
  Frame inner;
  inner.Slots = slots;
  inner.Outer = f.Proc ? f.Slots : f.Outer;
  inner.Scope = f.Proc ? &f : f.Scope;
  inner.Proc = nullptr;
  inner.Me = f.Me;
  return Eval(*block->Expression, inner);
}

const Procedure* Vm::FindProcedure(const std::string& key) const {
  auto it = globals_.Symbols.find(key);
  if (it == globals_.Symbols.end() || it->second.Kind != SymbolKind::Procedure) return nullptr;
  return globals_.Procedures[static_cast<size_t>(it->second.Slot)];
}

int FindNativeMember(std::span<const NativeMember> members, std::string_view name, bool forPut) {
  for (size_t i = 0; i < members.size(); ++i) {
    const NativeMember& m = members[i];
    if ((m.Kind == MemberKind::PropertyPut) != forPut) continue;
    if (m.Name.size() != name.size()) continue;
    bool same = true;
    for (size_t k = 0; k < name.size() && same; ++k)
      same = ToLowerAscii(m.Name[k]) == ToLowerAscii(name[k]);
    if (same) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace chartorium::vbscript
