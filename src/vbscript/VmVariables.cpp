// Variables, array elements and assignment targets.
#include "vbscript/Conversion.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

int32_t IndexOf(const Variant& v) {
  if (v.Type() == VarType::Integer) return v.AsInteger();
  if (v.Type() == VarType::Long) return v.AsLong();
  return ToLong(v);
}

}  // namespace

Variant& Vm::TargetStorage(const Node& target, Frame& f) {
  if (target.Kind != NodeKind::Variable) ThrowRuntime(13);
  return Storage(target.As<VariableNode>(), f, true);
}

Variant& Vm::Storage(const VariableNode& e, Frame& f, bool write) {
  switch (e.Loc) {
    case Location::Local:
      return f.Slots[e.Slot];
    case Location::Ref:
      return f.Slots[e.Slot].Deref();
    case Location::Global:
      return *e.Direct;
    case Location::Field:
      if (!f.Me) ThrowRuntime(424);
      return f.Me->Fields[static_cast<size_t>(e.Slot)];
    case Location::Outer:
      return f.Outer[e.Slot];
    case Location::OuterRef:
      return f.Outer[e.Slot].Deref();
    case Location::Named: {
      const size_t slot = static_cast<size_t>(e.Global);
      ExecuteLocals* named = f.Scope ? f.Scope->Named.get() : nullptr;
      if (named)
        if (auto it = named->find(*e.Key); it != named->end()) return it->second;
      if (globals_.Declared[slot]) return globals_.Values[slot];
      if (e.Strict) ThrowRuntime(500);
      if (!write || !f.Scope) {
        empty_.Clear();
        return empty_;
      }
      if (!named) f.Scope->Named = std::make_unique<ExecuteLocals>();
      return (*f.Scope->Named)[*e.Key];
    }
    case Location::Dynamic: {
      const size_t slot = static_cast<size_t>(e.Global);
      if (globals_.Declared[slot]) return globals_.Values[slot];
      if (e.Implicit >= 0) return f.Slots[e.Implicit];
      if (e.Strict) ThrowRuntime(500);
      if (!write) {
        empty_.Clear();
        return empty_;
      }
      globals_.Declared[slot] = true;
      return globals_.Values[slot];
    }
  }
  ThrowRuntime(51);
}

// Reading `a(i, j)`: the element's copy, or the default member of an object called with args.
Variant Vm::IndexValue(const Variant& value, NodeList args, Frame& f) {
  if (value.IsArray()) {
    Variant holder = value;
    return Element(holder, args, f);
  }
  if (value.IsObject()) return CallDefault(value, args, f);
  ThrowRuntime(13);
}

Variant& Vm::Element(Variant& array, NodeList args, Frame& f) {
  if (args.size() == 1) {
    Variant temp;
    const Variant& index = Operand(*args[0], f, temp);
    const int32_t i = index.Type() == VarType::Integer ? index.AsInteger()
                      : index.Type() == VarType::Long  ? index.AsLong()
                                                       : IndexOf(DefaultValue(index));
    if (!array.IsArray()) ThrowRuntime(13);
    const ArrayRep& rep = array.AsArray();
    if (rep.Bounds.size() != 1) ThrowRuntime(9);
    const int64_t offset = static_cast<int64_t>(i) - rep.Bounds[0].Lower;
    if (offset < 0 || offset >= rep.Bounds[0].Count) ThrowRuntime(9);
    return const_cast<ArrayRep&>(rep).Data[static_cast<size_t>(offset)];
  }
  int32_t fixed[4];
  std::vector<int32_t> many;
  int32_t* indexes = fixed;
  if (args.size() > 4) {
    many.resize(args.size());
    indexes = many.data();
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const Variant index = Eval(*args[i], f);
    indexes[i] = IndexOf(index.IsObject() ? DefaultValue(index) : index);
  }
  if (!array.IsArray()) ThrowRuntime(13);
  const ArrayRep& rep = array.AsArray();
  int64_t offset;
  if (args.size() == 1 && rep.Bounds.size() == 1) {
    offset = static_cast<int64_t>(indexes[0]) - rep.Bounds[0].Lower;
    if (offset < 0 || offset >= rep.Bounds[0].Count) ThrowRuntime(9);
  } else {
    offset = rep.Offset(std::span<const int32_t>(indexes, args.size()));
    if (offset < 0) ThrowRuntime(9);
  }
  return const_cast<ArrayRep&>(rep).Data[static_cast<size_t>(offset)];
}

void Vm::Assign(const Node& target, Variant value, Frame& f, bool isSet) {
  if (isSet) {
    if (!value.IsObject()) ThrowRuntime(424);
  } else if (value.IsObject()) {
    value = DefaultValue(value);
  }
  switch (target.Kind) {
    case NodeKind::Variable: {
      const VariableNode& variable = target.As<VariableNode>();
      if (variable.Args.empty()) {
        Variant& slot = Storage(variable, f, true);
        slot = std::move(value);
        return;
      }
      Variant& holder = Storage(variable, f, true);
      if (holder.IsObject()) {
        AssignMember(target, std::move(value), f, isSet);
        return;
      }
      if (!holder.IsArray()) ThrowRuntime(13);
      holder.MutableArray();
      Variant& element = Element(holder, variable.Args, f);
      element = std::move(value);
      return;
    }
    case NodeKind::Member:
    case NodeKind::CallNative:
    case NodeKind::CallMethod:
    case NodeKind::HostObject:
      AssignMember(target, std::move(value), f, isSet);
      return;
    case NodeKind::Literal:
      ThrowRuntime(501);
    case NodeKind::ErrMember:
      AssignErr(target.As<ErrNode>().Member, value);
      return;
    default:
      ThrowRuntime(450);
  }
}

void Vm::AssignErr(ErrMember member, const Variant& value) {
  switch (member) {
    case ErrMember::Unknown:
      ThrowRuntime(438);
    case ErrMember::Number:
      Err.Number = ToLong(value);
      return;
    case ErrMember::Description:
      Err.Description = ToString(value);
      return;
    case ErrMember::Source:
      Err.Source = ToString(value);
      return;
    case ErrMember::HelpFile:
      Err.HelpFile = ToString(value);
      return;
    case ErrMember::HelpContext:
      Err.HelpContext = ToLong(value);
      return;
    default:
      ThrowRuntime(450);
  }
}

}  // namespace chartorium::vbscript
