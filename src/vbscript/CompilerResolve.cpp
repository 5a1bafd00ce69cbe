// Resolving statements and names: the lookup order of a name, applied once per occurrence.
#include "vbscript/Builtins.h"
#include "vbscript/Compiler.h"
#include "vbscript/RegExpObjects.h"

namespace chartorium::vbscript {

namespace {

ExprPtr SlotExpr(int slot, SourcePos pos) {
  auto e = std::make_unique<Expr>();
  e->Kind = ExprKind::Variable;
  e->Loc = Location::Local;
  e->Slot = slot;
  e->Pos = pos;
  return e;
}

void SetLocal(Expr& e, int encoded, bool outer) {
  e.Kind = ExprKind::Variable;
  const bool isRef = (encoded & 1) != 0;
  e.Slot = encoded >> 1;
  if (outer)
    e.Loc = isRef ? Location::OuterRef : Location::Outer;
  else
    e.Loc = isRef ? Location::Ref : Location::Local;
}

bool IsNumericLiteral(const Expr& e) {
  return e.Kind == ExprKind::Literal && e.Value.IsNumeric() && e.Value.Type() != VarType::Boolean;
}

struct ErrMemberName {
  std::string_view Name;
  int Index;
};

/// Err's members; the VM's ErrMember cases use the same numbers.
constexpr ErrMemberName ErrMembers[] = {{"number", 0},   {"description", 1}, {"source", 2},
                                        {"helpfile", 3}, {"helpcontext", 4}, {"raise", 5},
                                        {"clear", 6}};

// A constant's name read as its value; `c(1)` indexes the value.
void ResolveConstant(Expr& e, const Variant& value, bool writes) {
  if (writes) ThrowCompile(1002, e.Pos, "cannot assign to the constant '" + e.Name + "'");
  e.Kind = ExprKind::Literal;
  e.Value = value;
  if (e.Args.empty()) return;
  auto literal = std::make_unique<Expr>();
  literal->Kind = ExprKind::Literal;
  literal->Value = value;
  literal->Pos = e.Pos;
  e.Left = std::move(literal);
  e.Kind = ExprKind::Apply;
}

// `slot = value` on the global variable, declaring it as it runs.
StmtPtr BindConstant(int slot, const Variant& value, SourcePos pos) {
  auto target = std::make_unique<Expr>();
  target->Kind = ExprKind::Variable;
  target->Loc = Location::Dynamic;
  target->Index = slot;
  target->Pos = pos;
  auto literal = std::make_unique<Expr>();
  literal->Kind = ExprKind::Literal;
  literal->Value = value;
  literal->Pos = pos;
  auto assign = std::make_unique<Stmt>();
  assign->Kind = StmtKind::Assign;
  assign->Pos = pos;
  assign->Target = std::move(target);
  assign->Value = std::move(literal);
  return assign;
}

}  // namespace

void Compiler::ResolveStmt(Stmt& s, Scope& scope) {
  switch (s.Kind) {
    case StmtKind::Call: {
      Expr& target = *s.Target;
      if (target.Kind == ExprKind::Name &&
          (target.Key == "execute" || target.Key == "executeglobal") &&
          !globals_.Symbols.count(target.Key) && !scope.Frame->LocalNames.count(target.Key)) {
        if (target.Args.size() != 1) ThrowCompile(1002, target.Pos, "Execute takes one text");
        s.Kind = StmtKind::Execute;
        s.Global = target.Key == "executeglobal";
        s.Value = std::move(target.Args[0]);
        s.Target.reset();
        ResolveExpr(s.Value, scope);
        return;
      }
      ResolveReference(target, scope, Use::Call);
      s.DiscardsConversion = target.Kind == ExprKind::CallBuiltin && target.Builtin->Conversion;
      return;
    }
    case StmtKind::Assign:
    case StmtKind::Set:
      ResolveExpr(s.Value, scope);
      ResolveReference(*s.Target, scope, s.Kind == StmtKind::Set ? Use::SetTarget : Use::Assign);
      return;
    case StmtKind::Dim:
      for (Declaration& d : s.Decls) {
        if (!d.IsArray) continue;
        auto target = std::make_unique<Expr>();
        target->Kind = ExprKind::Name;
        target->Name = d.Name;
        target->Key = d.Key;
        target->Pos = d.Pos;
        ResolveName(*target, scope, Use::Assign);
        d.Value = std::move(target);
      }
      return;
    case StmtKind::ReDim:
      for (Declaration& d : s.Decls) {
        for (ExprPtr& b : d.Bounds) ResolveExpr(b, scope);
        if (scope.GlobalCode && !globals_.Symbols.count(d.Key))
          blockDeclared_.insert(globals_.AddVariable(d.Key));
        auto target = std::make_unique<Expr>();
        target->Kind = ExprKind::Name;
        target->Name = d.Name;
        target->Key = d.Key;
        target->Pos = d.Pos;
        ResolveName(*target, scope, Use::Assign);
        target->Strict = false;  // ReDim declares the name even under Option Explicit
        d.Value = std::move(target);
      }
      return;
    case StmtKind::Erase:
      ResolveReference(*s.Target, scope, Use::Assign);
      return;
    case StmtKind::Const:
      if (scope.GlobalCode) {
        for (Declaration& d : s.Decls) {
          GlobalSymbol symbol;
          symbol.Kind = SymbolKind::Constant;
          symbol.Value = ConstValue(*d.Value);
          // Code compiled earlier (another block, or lines above) reads the name as a global
          // variable: the Const statement gives that variable its value when it runs.
          if (auto it = globals_.Symbols.find(d.Key);
              it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Variable)
            s.Body.push_back(BindConstant(it->second.Slot, symbol.Value, d.Pos));
          globals_.Symbols[d.Key] = symbol;
        }
      }
      if (s.Body.empty()) s.Kind = StmtKind::Nop;
      return;
    case StmtKind::If:
      for (ExprPtr& c : s.Conds) ResolveExpr(c, scope);
      for (Block& b : s.Blocks) ResolveBlock(b, scope);
      ResolveBlock(s.ElseBody, scope);
      return;
    case StmtKind::Select:
      ResolveExpr(s.Value, scope);
      for (CaseClause& c : s.Cases) {
        for (ExprPtr& v : c.Values) {
          ResolveExpr(v, scope);
          v->NumericLiteralSide = IsNumericLiteral(*v);
        }
        ResolveBlock(c.Body, scope);
      }
      ResolveBlock(s.ElseBody, scope);
      return;
    case StmtKind::For:
      ResolveExpr(s.Value, scope);
      ResolveExpr(s.Limit, scope);
      if (s.StepExpr) ResolveExpr(s.StepExpr, scope);
      ResolveReference(*s.Target, scope, Use::Assign);
      s.Slot = NewSlot(scope);
      NewSlot(scope);
      ResolveBlock(s.Body, scope);
      return;
    case StmtKind::ForEach:
      ResolveExpr(s.Value, scope);
      ResolveReference(*s.Target, scope, Use::Assign);
      s.Slot = NewSlot(scope);
      NewSlot(scope);
      ResolveBlock(s.Body, scope);
      return;
    case StmtKind::Loop:
      if (s.Cond) ResolveExpr(s.Cond, scope);
      ResolveBlock(s.Body, scope);
      return;
    case StmtKind::With:
      ResolveExpr(s.Value, scope);
      s.Slot = NewSlot(scope);
      scope.WithSlots.push_back(s.Slot);
      ResolveBlock(s.Body, scope);
      scope.WithSlots.pop_back();
      return;
    case StmtKind::Execute:
      ResolveExpr(s.Value, scope);
      return;
    case StmtKind::Exit:
    case StmtKind::OnError:
    case StmtKind::Nop:
      return;
  }
}

void Compiler::ResolveExpr(ExprPtr& e, Scope& scope) {
  switch (e->Kind) {
    case ExprKind::Paren: {
      ResolveExpr(e->Left, scope);
      ExprPtr inner = std::move(e->Left);
      e = std::move(inner);
      return;
    }
    case ExprKind::Unary:
      ResolveExpr(e->Left, scope);
      return;
    case ExprKind::Binary:
      ResolveExpr(e->Left, scope);
      ResolveExpr(e->Right, scope);
      // A string compared with a numeric literal is read as a number, as Windows does.
      if (e->Operator >= Op::Eq && e->Operator <= Op::Ge)
        e->NumericLiteralSide = IsNumericLiteral(*e->Left) || IsNumericLiteral(*e->Right);
      return;
    case ExprKind::Name:
    case ExprKind::Member:
    case ExprKind::Apply:
      ResolveReference(*e, scope, Use::Value);
      return;
    case ExprKind::New: {
      if (e->Key == "regexp") {
        e->Slot = BuiltinRegExpClass;
        return;
      }
      auto it = globals_.Symbols.find(e->Key);
      e->Slot = it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Class
                    ? it->second.Slot
                    : -1;
      return;
    }
    case ExprKind::Me:
      if (!scope.Class) ThrowCompile(1037, e->Pos);
      return;
    default:
      return;
  }
}

// A parenthesised argument keeps its Paren node: the VM passes it by value.
void Compiler::ResolveArgs(std::vector<ExprPtr>& args, Scope& scope) {
  for (ExprPtr& a : args) {
    if (a->Kind == ExprKind::Paren)
      ResolveExpr(a->Left, scope);
    else
      ResolveExpr(a, scope);
  }
}

void Compiler::ResolveReference(Expr& e, Scope& scope, Use use) {
  switch (e.Kind) {
    case ExprKind::Name:
      ResolveArgs(e.Args, scope);
      ResolveName(e, scope, use);
      return;
    case ExprKind::Apply:
      ResolveExpr(e.Left, scope);
      ResolveArgs(e.Args, scope);
      return;
    case ExprKind::Me:
      if (!scope.Class) ThrowCompile(1037, e.Pos);
      return;
    case ExprKind::Member:
      break;
    default:
      return;
  }
  ResolveArgs(e.Args, scope);
  if (!e.Left) {
    if (!scope.WithSlots.empty()) e.Left = SlotExpr(scope.WithSlots.back(), e.Pos);
    return;
  }
  if (e.Left->Kind == ExprKind::Me) {
    if (!scope.Class) ThrowCompile(1037, e.Left->Pos);
    auto it = scope.Class->Members.find(e.Key);
    if (it != scope.Class->Members.end() && it->second.Field >= 0) {
      e.Kind = ExprKind::Variable;
      e.Loc = Location::Field;
      e.Slot = it->second.Field;
    }
    return;
  }
  ResolveExpr(e.Left, scope);
  if (e.Left->Kind == ExprKind::ErrMember && e.Left->Index == -1) {
    e.Index = UnknownErrMember;
    for (const ErrMemberName& m : ErrMembers)
      if (m.Name == e.Key) e.Index = m.Index;
    e.Kind = ExprKind::ErrMember;
    e.Left.reset();
    return;
  }
  if (e.Left->Kind == ExprKind::HostObject) {
    const HostEntry& host = globals_.Hosts[static_cast<size_t>(e.Left->Slot)];
    const int member = FindNativeMember(host.Native->Members(), e.Key,
                                        use == Use::Assign || use == Use::SetTarget);
    if (member >= 0) {
      e.Kind = ExprKind::CallNative;
      e.Slot = e.Left->Slot;
      e.Index = member;
      e.Left.reset();
    }
  }
}

bool Compiler::ResolveBuiltinName(Expr& e, Use use) {
  if (e.Key == "err") {
    e.Kind = ExprKind::ErrMember;
    e.Index = -1;
    return true;
  }
  if (e.Key == "eval") {
    e.Kind = ExprKind::EvalText;
    return true;
  }
  if (const BuiltinFunction* builtin = FindBuiltin(e.Key)) {
    e.Kind = ExprKind::CallBuiltin;
    e.Builtin = builtin;
    return true;
  }
  if (e.Args.empty() && use != Use::Assign && use != Use::SetTarget) {
    if (std::optional<Variant> value = FindBuiltinConstant(e.Key)) {
      e.Kind = ExprKind::Literal;
      e.Value = std::move(*value);
      return true;
    }
  }
  return false;
}

void Compiler::ResolveName(Expr& e, Scope& scope, Use use) {
  const std::string& key = e.Key;
  const bool writes = use == Use::Assign || use == Use::SetTarget;
  // The function's own name, without parentheses, is its result variable.
  if (scope.Decl &&
      (scope.Decl->Kind == ProcKind::Function || scope.Decl->Kind == ProcKind::PropertyGet) &&
      key == scope.Decl->Key && !e.HasParens && use != Use::Call) {
    e.Kind = ExprKind::Variable;
    e.Loc = Location::Local;
    e.Slot = scope.Frame->ResultSlot;
    return;
  }
  if (auto c = scope.Consts.find(key); c != scope.Consts.end() && !writes) {
    e.Kind = ExprKind::Literal;
    e.Value = c->second;
    return;
  }
  if (auto l = scope.Frame->LocalNames.find(key); l != scope.Frame->LocalNames.end()) {
    SetLocal(e, l->second, false);
    return;
  }
  if (scope.Outer) {
    if (auto l = scope.Outer->LocalNames.find(key); l != scope.Outer->LocalNames.end()) {
      SetLocal(e, l->second, true);
      return;
    }
    if (scope.Outer->ResultSlot >= 0 && scope.Outer->Decl && key == scope.Outer->Decl->Key &&
        !e.HasParens) {
      e.Kind = ExprKind::Variable;
      e.Loc = Location::Outer;
      e.Slot = scope.Outer->ResultSlot;
      return;
    }
  }
  if (auto i = scope.Implicit.find(key); i != scope.Implicit.end()) {
    const GlobalSymbol& symbol = globals_.Symbols[key];
    e.Kind = ExprKind::Variable;
    e.Loc = Location::Dynamic;
    e.Index = symbol.Slot;
    e.Extra = i->second;
    return;
  }
  if (scope.Class) {
    if (auto m = scope.Class->Members.find(key); m != scope.Class->Members.end()) {
      const ClassMember& member = m->second;
      if (member.Field >= 0) {
        e.Kind = ExprKind::Variable;
        e.Loc = Location::Field;
        e.Slot = member.Field;
        return;
      }
      e.Kind = ExprKind::CallMethod;
      e.Method = use == Use::Assign ? member.Let : use == Use::SetTarget ? member.Set : member.Get;
      e.CacheMember = &member;
      return;
    }
  }
  if (!scope.GlobalCode)
    if (auto c = scriptConstants_.find(key); c != scriptConstants_.end()) {
      ResolveConstant(e, c->second, writes);
      return;
    }
  if (auto g = globals_.Symbols.find(key); g != globals_.Symbols.end()) {
    const GlobalSymbol& symbol = g->second;
    switch (symbol.Kind) {
      case SymbolKind::Variable: {
        const bool declared = globals_.Declared[static_cast<size_t>(symbol.Slot)] ||
                              blockDeclared_.count(symbol.Slot);
        if (declared) {
          e.Kind = ExprKind::Variable;
          e.Loc = Location::Global;
          e.Slot = symbol.Slot;
          e.Direct = &globals_.Values[static_cast<size_t>(symbol.Slot)];
          return;
        }
        e.Kind = ExprKind::Variable;
        e.Loc = Location::Dynamic;
        e.Index = symbol.Slot;
        e.Strict = scope.Explicit;
        ImplicitLocal(e, scope);
        return;
      }
      case SymbolKind::Constant:
        ResolveConstant(e, symbol.Value, writes);
        return;
      case SymbolKind::Procedure:
        e.Kind = ExprKind::CallProc;
        e.Slot = symbol.Slot;
        return;
      case SymbolKind::Class:
        e.Kind = ExprKind::Literal;
        e.Value = Variant();
        return;
      case SymbolKind::HostObject:
        e.Kind = ExprKind::HostObject;
        e.Slot = symbol.Slot;
        return;
      case SymbolKind::HostMember: {
        const HostEntry& host = globals_.Hosts[static_cast<size_t>(symbol.Slot)];
        int member = symbol.Member;
        if (writes) member = FindNativeMember(host.Native->Members(), key, true);
        if (member < 0) break;
        e.Kind = ExprKind::CallNative;
        e.Slot = symbol.Slot;
        e.Index = member;
        return;
      }
    }
  }
  if (ResolveBuiltinName(e, use)) return;
  if ((use == Use::Call || !e.Args.empty() || e.HasParens) && !writes) {
    e.Kind = ExprKind::CallProc;
    e.Slot = ProcedureNumber(key);
    return;
  }
  // A name first seen here: a global the program may still declare, or an implicit local.
  const int slot = globals_.AddVariable(key);
  e.Kind = ExprKind::Variable;
  e.Loc = Location::Dynamic;
  e.Index = slot;
  e.Strict = scope.Explicit;
  ImplicitLocal(e, scope);
}

// An undeclared name in a procedure is a local of the call unless a global of that name is
// declared by the time it runs. Execute text in a procedure creates it in that procedure.
void Compiler::ImplicitLocal(Expr& e, Scope& scope) {
  if (scope.Outer) {
    e.Loc = Location::Named;
    return;
  }
  if (scope.GlobalCode || scope.Explicit) return;
  e.Extra = NewSlot(scope);
  scope.Implicit[e.Key] = e.Extra;
}

}  // namespace chartorium::vbscript
