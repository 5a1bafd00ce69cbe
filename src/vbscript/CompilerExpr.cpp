// Compiling expressions: the lookup order of a name, applied once per occurrence, and the
// resolved node it becomes.
#include "vbscript/Builtins.h"
#include "vbscript/Compiler.h"
#include "vbscript/NumericEval.h"
#include "vbscript/RegExpObjects.h"

namespace chartorium::vbscript {

namespace {

bool IsNumericLiteral(const Node& n) {
  if (n.Kind != NodeKind::Literal) return false;
  const Variant& v = n.As<LiteralNode>().Value;
  return v.IsNumeric() && v.Type() != VarType::Boolean;
}

struct ErrMemberName {
  std::string_view Name;
  ErrMember Member;
};

constexpr ErrMemberName ErrMembers[] = {{"number", ErrMember::Number},
                                        {"description", ErrMember::Description},
                                        {"source", ErrMember::Source},
                                        {"helpfile", ErrMember::HelpFile},
                                        {"helpcontext", ErrMember::HelpContext},
                                        {"raise", ErrMember::Raise},
                                        {"clear", ErrMember::Clear}};

bool AllPure(NodeList nodes) {
  for (const Node* n : nodes)
    if (!n->Pure) return false;
  return true;
}

}  // namespace

const LiteralNode& Compiler::NewLiteral(const Variant& value) {
  auto& literal = code_->Make<LiteralNode>();
  literal.Value = value;
  return static_cast<const LiteralNode&>(Finish(literal));
}

VariableNode& Compiler::NewVariable(Location loc, NodeList args, bool hasParens) {
  auto& v = code_->Make<VariableNode>();
  v.Loc = loc;
  v.Args = args;
  v.HasParens = hasParens;
  return v;
}

const Node& Compiler::Finish(Node& node) {
  switch (node.Kind) {
    case NodeKind::Literal:
      node.Fast = FastRead::Literal;
      node.Pure = true;
      break;
    case NodeKind::Variable: {
      auto& v = static_cast<VariableNode&>(node);
      v.Pure = AllPure(v.Args);
      if (!v.Args.empty() || v.HasParens) break;
      if (v.Loc == Location::Local) v.Fast = FastRead::Local;
      if (v.Loc == Location::Ref) v.Fast = FastRead::Ref;
      if (v.Loc == Location::Global) v.Fast = FastRead::Direct;
      break;
    }
    case NodeKind::ByVal:
      node.Pure = static_cast<ByValNode&>(node).Inner->Pure;
      break;
    case NodeKind::Unary:
      node.Pure = static_cast<UnaryNode&>(node).Operand->Pure;
      break;
    case NodeKind::Binary: {
      auto& b = static_cast<BinaryNode&>(node);
      b.Pure = b.Left->Pure && b.Right->Pure;
      break;
    }
    case NodeKind::CallProc: {
      auto& call = static_cast<CallProcNode&>(node);
      call.PlainArgs = true;
      for (const Node* a : call.Args)
        call.PlainArgs = call.PlainArgs && (a->Fast != FastRead::None ||
                                            (a->Numeric && a->Kind != NodeKind::Variable));
      break;
    }
    default:
      break;
  }
  BindNumeric(node);
  BindArith(node);
  return node;
}

const Node* Compiler::CompileExpr(const Expr& e, Scope& scope) {
  switch (e.Kind) {
    case ExprKind::Literal:
      return &NewLiteral(e.Value);
    case ExprKind::Paren:
      return CompileExpr(*e.Left, scope);
    case ExprKind::Unary: {
      auto& unary = code_->Make<UnaryNode>();
      unary.Operator = e.Operator;
      unary.Operand = CompileExpr(*e.Left, scope);
      return &Finish(unary);
    }
    case ExprKind::Binary: {
      auto& binary = code_->Make<BinaryNode>();
      binary.Operator = e.Operator;
      binary.Left = CompileExpr(*e.Left, scope);
      binary.Right = CompileExpr(*e.Right, scope);
      // A string compared with a numeric literal is read as a number, as Windows does.
      binary.NumericLiteralSide = IsComparison(e.Operator) && (IsNumericLiteral(*binary.Left) ||
                                                               IsNumericLiteral(*binary.Right));
      return &Finish(binary);
    }
    case ExprKind::Name:
    case ExprKind::Member:
    case ExprKind::Apply:
      return CompileReference(e, scope, Use::Value);
    case ExprKind::New: {
      auto& instance = code_->Make<NewNode>();
      if (e.Key == "regexp") {
        instance.Class = BuiltinRegExpClass;
      } else {
        auto it = globals_.Symbols.find(e.Key);
        instance.Class = it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Class
                             ? it->second.Slot
                             : -1;
      }
      return &Finish(instance);
    }
    case ExprKind::Me:
      if (!scope.Class) ThrowCompile(1037, e.Pos);
      return &Finish(code_->Make<MeNode>());
  }
  ThrowCompile(1002, e.Pos);
}

// A parenthesised argument is passed by value.
NodeList Compiler::CompileArgs(const std::vector<ExprPtr>& args, Scope& scope) {
  if (args.empty()) return {};
  std::vector<const Node*> nodes;
  nodes.reserve(args.size());
  for (const ExprPtr& a : args) {
    if (a->Kind != ExprKind::Paren) {
      nodes.push_back(CompileExpr(*a, scope));
      continue;
    }
    auto& byVal = code_->Make<ByValNode>();
    byVal.Inner = CompileExpr(*a->Left, scope);
    nodes.push_back(&Finish(byVal));
  }
  return code_->Nodes(std::move(nodes));
}

const Node* Compiler::CompileReference(const Expr& e, Scope& scope, Use use) {
  switch (e.Kind) {
    case ExprKind::Name:
      return &Finish(*CompileName(e, scope, use));
    case ExprKind::Apply: {
      auto& apply = code_->Make<ApplyNode>();
      apply.Target = CompileExpr(*e.Left, scope);
      apply.Args = CompileArgs(e.Args, scope);
      return &Finish(apply);
    }
    case ExprKind::Member:
      return CompileMember(e, scope, use);
    default:
      return CompileExpr(e, scope);
  }
}

const Node* Compiler::CompileMember(const Expr& e, Scope& scope, Use use) {
  const NodeList args = CompileArgs(e.Args, scope);
  auto late = [&](const Node* object) {
    auto& member = code_->Make<MemberNode>();
    member.Object = object;
    member.Key = code_->Name(e.Key);
    member.Cache = code_->Cache();
    member.Args = args;
    return &Finish(member);
  };
  if (!e.Left) {
    if (scope.WithSlots.empty()) return late(nullptr);
    VariableNode& with = NewVariable(Location::Local, {}, false);
    with.Slot = scope.WithSlots.back();
    return late(&Finish(with));
  }
  if (e.Left->Kind == ExprKind::Me) {
    if (!scope.Class) ThrowCompile(1037, e.Left->Pos);
    auto it = scope.Class->Members.find(e.Key);
    if (it != scope.Class->Members.end() && it->second.Field >= 0) {
      VariableNode& field = NewVariable(Location::Field, args, e.HasParens);
      field.Slot = it->second.Field;
      return &Finish(field);
    }
    return late(&Finish(code_->Make<MeNode>()));
  }
  const Node* object = CompileExpr(*e.Left, scope);
  if (object->Kind == NodeKind::ErrMember && object->As<ErrNode>().Member == ErrMember::Err) {
    auto& err = code_->Make<ErrNode>();
    err.Member = ErrMember::Unknown;
    for (const ErrMemberName& m : ErrMembers)
      if (m.Name == e.Key) err.Member = m.Member;
    err.Args = args;
    return &Finish(err);
  }
  if (object->Kind == NodeKind::HostObject) {
    const int host = object->As<HostObjectNode>().Host;
    const int member = FindNativeMember(globals_.Hosts[static_cast<size_t>(host)].Native->Members(),
                                        e.Key, use == Use::Assign || use == Use::SetTarget);
    if (member >= 0) {
      auto& call = code_->Make<CallNativeNode>();
      call.Host = host;
      call.Member = member;
      call.Args = args;
      return &Finish(call);
    }
  }
  return late(object);
}

Node* Compiler::CompileBuiltinName(const Expr& e, NodeList args, Use use) {
  if (e.Key == "err") {
    auto& err = code_->Make<ErrNode>();
    err.Args = args;
    return &err;
  }
  if (e.Key == "eval") {
    auto& eval = code_->Make<EvalTextNode>();
    eval.Args = args;
    return &eval;
  }
  if (const BuiltinFunction* builtin = FindBuiltin(e.Key)) {
    auto& call = code_->Make<CallBuiltinNode>();
    call.Builtin = builtin;
    call.Args = args;
    return &call;
  }
  if (args.empty() && use != Use::Assign && use != Use::SetTarget) {
    if (std::optional<Variant> value = FindBuiltinConstant(e.Key)) {
      auto& literal = code_->Make<LiteralNode>();
      literal.Value = std::move(*value);
      return &literal;
    }
  }
  return nullptr;
}

// A constant's name read as its value; `c(1)` indexes the value.
Node* Compiler::CompileConstant(const Expr& e, NodeList args, const Variant& value, bool writes) {
  if (writes) ThrowCompile(1002, e.Pos, "cannot assign to the constant '" + e.Name + "'");
  auto& literal = code_->Make<LiteralNode>();
  literal.Value = value;
  if (args.empty()) return &literal;
  auto& apply = code_->Make<ApplyNode>();
  apply.Target = &Finish(literal);
  apply.Args = args;
  return &apply;
}

// The lookup order of a name. The node comes back unfinished, so callers may still adjust it.
Node* Compiler::CompileName(const Expr& e, Scope& scope, Use use) {
  const NodeList args = CompileArgs(e.Args, scope);
  const std::string& key = e.Key;
  const bool writes = use == Use::Assign || use == Use::SetTarget;
  auto variable = [&](Location loc, int slot) {
    VariableNode& v = NewVariable(loc, args, e.HasParens);
    v.Slot = slot;
    return &v;
  };
  // The function's own name, without parentheses, is its result variable.
  if ((scope.Frame->Kind == ProcKind::Function || scope.Frame->Kind == ProcKind::PropertyGet) &&
      !scope.GlobalCode && scope.Outer == nullptr && key == scope.Frame->Key && !e.HasParens &&
      use != Use::Call)
    return variable(Location::Local, scope.Frame->ResultSlot);
  if (auto c = scope.Consts.find(key); c != scope.Consts.end() && !writes) {
    auto& literal = code_->Make<LiteralNode>();
    literal.Value = c->second;
    return &literal;
  }
  if (auto l = scope.Frame->LocalNames.find(key); l != scope.Frame->LocalNames.end())
    return variable((l->second & 1) ? Location::Ref : Location::Local, l->second >> 1);
  if (scope.Outer) {
    if (auto l = scope.Outer->LocalNames.find(key); l != scope.Outer->LocalNames.end())
      return variable((l->second & 1) ? Location::OuterRef : Location::Outer, l->second >> 1);
    if (scope.Outer->ResultSlot >= 0 && key == scope.Outer->Key && !e.HasParens)
      return variable(Location::Outer, scope.Outer->ResultSlot);
  }
  if (auto i = scope.Implicit.find(key); i != scope.Implicit.end()) {
    VariableNode& v = NewVariable(Location::Dynamic, args, e.HasParens);
    v.Global = globals_.Symbols[key].Slot;
    v.Implicit = i->second;
    return &v;
  }
  if (scope.Class) {
    if (auto m = scope.Class->Members.find(key); m != scope.Class->Members.end()) {
      const ClassMember& member = m->second;
      if (member.Field >= 0) return variable(Location::Field, member.Field);
      auto& call = code_->Make<CallMethodNode>();
      call.Method = use == Use::Assign      ? member.Let
                    : use == Use::SetTarget ? member.Set
                                            : member.Get;
      call.Args = args;
      return &call;
    }
  }
  if (!scope.GlobalCode)
    if (auto c = scriptConstants_.find(key); c != scriptConstants_.end())
      return CompileConstant(e, args, c->second, writes);
  if (auto g = globals_.Symbols.find(key); g != globals_.Symbols.end()) {
    const GlobalSymbol& symbol = g->second;
    switch (symbol.Kind) {
      case SymbolKind::Variable: {
        const bool declared = globals_.Declared[static_cast<size_t>(symbol.Slot)] ||
                              blockDeclared_.count(symbol.Slot);
        if (declared) {
          VariableNode& v = NewVariable(Location::Global, args, e.HasParens);
          v.Slot = symbol.Slot;
          v.Direct = &globals_.Values[static_cast<size_t>(symbol.Slot)];
          return &v;
        }
        VariableNode& v = NewVariable(Location::Dynamic, args, e.HasParens);
        v.Global = symbol.Slot;
        v.Strict = scope.Explicit;
        ImplicitLocal(v, key, scope);
        return &v;
      }
      case SymbolKind::Constant:
        return CompileConstant(e, args, symbol.Value, writes);
      case SymbolKind::Procedure: {
        auto& call = code_->Make<CallProcNode>();
        call.Proc = symbol.Slot;
        call.Args = args;
        return &call;
      }
      case SymbolKind::Class: {
        auto& literal = code_->Make<LiteralNode>();
        return &literal;
      }
      case SymbolKind::HostObject: {
        auto& host = code_->Make<HostObjectNode>();
        host.Host = symbol.Slot;
        host.Args = args;
        return &host;
      }
      case SymbolKind::HostMember: {
        const HostEntry& host = globals_.Hosts[static_cast<size_t>(symbol.Slot)];
        int member = symbol.Member;
        if (writes) member = FindNativeMember(host.Native->Members(), key, true);
        if (member < 0) break;
        auto& call = code_->Make<CallNativeNode>();
        call.Host = symbol.Slot;
        call.Member = member;
        call.Args = args;
        return &call;
      }
    }
  }
  if (Node* builtin = CompileBuiltinName(e, args, use)) return builtin;
  if ((use == Use::Call || !args.empty() || e.HasParens) && !writes) {
    auto& call = code_->Make<CallProcNode>();
    call.Proc = ProcedureNumber(key);
    call.Args = args;
    return &call;
  }
  // A name first seen here: a global the program may still declare, or an implicit local.
  VariableNode& v = NewVariable(Location::Dynamic, args, e.HasParens);
  v.Global = globals_.AddVariable(key);
  v.Strict = scope.Explicit;
  ImplicitLocal(v, key, scope);
  return &v;
}

// An undeclared name in a procedure is a local of the call unless a global of that name is
// declared by the time it runs. Execute text in a procedure creates it in that procedure.
void Compiler::ImplicitLocal(VariableNode& v, const std::string& key, Scope& scope) {
  if (scope.Outer) {
    v.Loc = Location::Named;
    v.Key = code_->Name(key);
    return;
  }
  if (scope.GlobalCode || scope.Explicit) return;
  v.Implicit = NewSlot(scope);
  scope.Implicit[key] = v.Implicit;
}

}  // namespace chartorium::vbscript
