// Compiling statements: each statement of the tree becomes one resolved statement (or none, for
// declarations that do nothing when they run).
#include "vbscript/Builtins.h"
#include "vbscript/Compiler.h"

namespace chartorium::vbscript {

namespace {

bool IsNumericLiteral(const Node& n) {
  if (n.Kind != NodeKind::Literal) return false;
  const Variant& v = n.As<LiteralNode>().Value;
  return v.IsNumeric() && v.Type() != VarType::Boolean;
}

bool IsConcat(const Node& e) {
  return e.Kind == NodeKind::Binary && e.As<BinaryNode>().Operator == Op::Concat;
}

// The same plain local or global variable.
bool SameVariable(const Node& a, const Node& b) {
  if (a.Kind != NodeKind::Variable || b.Kind != NodeKind::Variable || a.Fast != b.Fast)
    return false;
  const VariableNode& x = a.As<VariableNode>();
  const VariableNode& y = b.As<VariableNode>();
  if (a.Fast == FastRead::Local) return x.Slot == y.Slot;
  return a.Fast == FastRead::Direct && x.Direct == y.Direct;
}

// `s = s & a & b ...`: a chain of at most MaxAppendParts concatenations headed by the target.
bool AppendsToTarget(const Node& target, const Node& value) {
  if (!IsConcat(value)) return false;
  size_t parts = 0;
  const Node* head = &value;
  for (; IsConcat(*head); head = head->As<BinaryNode>().Left)
    if (++parts > MaxAppendParts) return false;
  return SameVariable(*head, target);
}

const AssignStatement* OnlyAssignment(StatementList block) {
  return block.size() == 1 && block[0]->Kind == StatementKind::Assign
             ? &block[0]->As<AssignStatement>()
             : nullptr;
}

ExitFrom ExitFromKind(ExitKind kind) {
  switch (kind) {
    case ExitKind::Do:
      return ExitFrom::Do;
    case ExitKind::For:
      return ExitFrom::For;
    default:
      return ExitFrom::Procedure;
  }
}

}  // namespace

StatementList Compiler::CompileBlock(const Block& block, Scope& scope) {
  std::vector<const Statement*> out;
  out.reserve(block.size());
  for (const StmtPtr& s : block) CompileStatement(*s, scope, out);
  return code_->Statements(std::move(out));
}

void Compiler::CompileStatement(const Stmt& s, Scope& scope, std::vector<const Statement*>& out) {
  switch (s.Kind) {
    case StmtKind::Call:
      out.push_back(CompileCall(s, scope));
      return;
    case StmtKind::Assign:
    case StmtKind::Set: {
      auto& a = code_->Make<AssignStatement>(
          s.Kind == StmtKind::Set ? StatementKind::Set : StatementKind::Assign, s.Pos);
      a.Value = CompileExpr(*s.Value, scope);
      a.Target = CompileReference(*s.Target, scope,
                                  s.Kind == StmtKind::Set ? Use::SetTarget : Use::Assign);
      a.AppendsToTarget = s.Kind == StmtKind::Assign && AppendsToTarget(*a.Target, *a.Value);
      out.push_back(&a);
      return;
    }
    case StmtKind::Dim:
      if (const Statement* dim = CompileDim(s, scope)) out.push_back(dim);
      return;
    case StmtKind::ReDim:
      out.push_back(CompileReDim(s, scope));
      return;
    case StmtKind::Erase: {
      auto& erase = code_->Make<EraseStatement>(s.Pos);
      erase.Target = CompileReference(*s.Target, scope, Use::Assign);
      out.push_back(&erase);
      return;
    }
    case StmtKind::Const:
      CompileConst(s, scope, out);
      return;
    case StmtKind::If:
      out.push_back(CompileIf(s, scope));
      return;
    case StmtKind::Select:
      out.push_back(CompileSelect(s, scope));
      return;
    case StmtKind::For:
      out.push_back(CompileFor(s, scope));
      return;
    case StmtKind::ForEach: {
      auto& loop = code_->Make<ForEachStatement>(s.Pos);
      loop.Collection = CompileExpr(*s.Value, scope);
      loop.Element = CompileReference(*s.Target, scope, Use::Assign);
      loop.Body = CompileBlock(s.Body, scope);
      out.push_back(&loop);
      return;
    }
    case StmtKind::Loop: {
      auto& loop = code_->Make<LoopStatement>(s.Pos);
      if (s.Cond) loop.Cond = CompileExpr(*s.Cond, scope);
      loop.PreTest = s.PreTest;
      loop.Until = s.Until;
      loop.Body = CompileBlock(s.Body, scope);
      out.push_back(&loop);
      return;
    }
    case StmtKind::With: {
      auto& with = code_->Make<WithStatement>(s.Pos);
      with.Object = CompileExpr(*s.Value, scope);
      with.Slot = NewSlot(scope);
      scope.WithSlots.push_back(with.Slot);
      with.Body = CompileBlock(s.Body, scope);
      scope.WithSlots.pop_back();
      out.push_back(&with);
      return;
    }
    case StmtKind::Exit:
      out.push_back(&code_->Make<ExitStatement>(ExitFromKind(s.Exit), s.Pos));
      return;
    case StmtKind::OnError:
      out.push_back(&code_->Make<OnErrorStatement>(s.ResumeNext, s.Pos));
      return;
    case StmtKind::Nop:
      return;
  }
}

const Statement* Compiler::CompileCall(const Stmt& s, Scope& scope) {
  const Expr& target = *s.Target;
  if (target.Kind == ExprKind::Name && (target.Key == "execute" || target.Key == "executeglobal") &&
      !globals_.Symbols.count(target.Key) && !scope.Frame->LocalNames.count(target.Key)) {
    if (target.Args.size() != 1) ThrowCompile(1002, target.Pos, "Execute takes one text");
    auto& execute = code_->Make<ExecuteStatement>(s.Pos);
    execute.Global = target.Key == "executeglobal";
    execute.Text = CompileExpr(*target.Args[0], scope);
    return &execute;
  }
  auto& call = code_->Make<CallStatement>(s.Pos);
  call.Target = CompileReference(target, scope, Use::Call);
  call.DiscardsConversion = call.Target->Kind == NodeKind::CallBuiltin &&
                            call.Target->As<CallBuiltinNode>().Builtin->Conversion;
  return &call;
}

// Only arrays do something when a Dim runs; the variables themselves were hoisted.
const Statement* Compiler::CompileDim(const Stmt& s, Scope& scope) {
  std::vector<DimArray> arrays;
  for (const Declaration& d : s.Decls) {
    if (!d.IsArray) continue;
    Expr name;
    name.Kind = ExprKind::Name;
    name.Name = d.Name;
    name.Key = d.Key;
    name.Pos = d.Pos;
    DimArray array;
    array.Target = &Finish(*CompileName(name, scope, Use::Assign));
    for (const ExprPtr& b : d.Bounds)
      array.Upper.push_back(b->Value.Type() == VarType::Integer ? b->Value.AsInteger()
                                                                : b->Value.AsLong());
    arrays.push_back(std::move(array));
  }
  if (arrays.empty()) return nullptr;
  auto& dim = code_->Make<DimStatement>(s.Pos);
  dim.Arrays = std::move(arrays);
  return &dim;
}

const Statement* Compiler::CompileReDim(const Stmt& s, Scope& scope) {
  auto& redim = code_->Make<ReDimStatement>(s.Pos);
  redim.Preserve = s.Preserve;
  for (const Declaration& d : s.Decls) {
    ReDimArray array;
    std::vector<const Node*> upper;
    for (const ExprPtr& b : d.Bounds) upper.push_back(CompileExpr(*b, scope));
    array.Upper = code_->Nodes(std::move(upper));
    if (scope.GlobalCode && !globals_.Symbols.count(d.Key))
      blockDeclared_.insert(globals_.AddVariable(d.Key));
    Expr name;
    name.Kind = ExprKind::Name;
    name.Name = d.Name;
    name.Key = d.Key;
    name.Pos = d.Pos;
    Node* target = CompileName(name, scope, Use::Assign);
    // ReDim declares the name even under Option Explicit.
    if (target->Kind == NodeKind::Variable) static_cast<VariableNode*>(target)->Strict = false;
    array.Target = &Finish(*target);
    redim.Arrays.push_back(array);
  }
  return &redim;
}

// A script-level Const is a global name from now on. Code compiled earlier (another block, or
// lines above) reads the name as a global variable: the Const gives that variable its value
// when it runs.
void Compiler::CompileConst(const Stmt& s, Scope& scope, std::vector<const Statement*>& out) {
  if (!scope.GlobalCode) return;
  for (const Declaration& d : s.Decls) {
    GlobalSymbol symbol;
    symbol.Kind = SymbolKind::Constant;
    symbol.Value = ConstValue(*d.Value);
    if (auto it = globals_.Symbols.find(d.Key);
        it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Variable) {
      VariableNode& target = NewVariable(Location::Dynamic, {}, false);
      target.Global = it->second.Slot;
      auto& assign = code_->Make<AssignStatement>(StatementKind::Assign, d.Pos);
      assign.Target = &Finish(target);
      assign.Value = &NewLiteral(symbol.Value);
      out.push_back(&assign);
    }
    globals_.Symbols[d.Key] = symbol;
  }
}

const Statement* Compiler::CompileIf(const Stmt& s, Scope& scope) {
  auto& branch = code_->Make<IfStatement>(s.Pos);
  std::vector<const Node*> conds;
  for (const ExprPtr& c : s.Conds) conds.push_back(CompileExpr(*c, scope));
  branch.Conds = code_->Nodes(std::move(conds));
  for (const Block& b : s.Blocks) branch.Blocks.push_back(CompileBlock(b, scope));
  branch.Else = CompileBlock(s.ElseBody, scope);
  if (branch.Conds.size() == 1) {
    branch.OnlyCond = branch.Conds[0];
    branch.ThenAssign = OnlyAssignment(branch.Blocks[0]);
    branch.ElseAssign = OnlyAssignment(branch.Else);
  }
  return &branch;
}

const Statement* Compiler::CompileSelect(const Stmt& s, Scope& scope) {
  auto& select = code_->Make<SelectStatement>(s.Pos);
  select.Test = CompileExpr(*s.Value, scope);
  bool allNumbers = true;
  for (const CaseClause& c : s.Cases) {
    CaseBranch branch;
    for (const ExprPtr& v : c.Values) {
      CaseValue value;
      value.Value = CompileExpr(*v, scope);
      value.NumericLiteral = IsNumericLiteral(*value.Value);
      if (value.Value->Kind == NodeKind::Literal && value.Value->Numeric) {
        select.CaseNumbers.push_back(RealOf(value.Value->As<LiteralNode>().Plain));
        select.CaseOfNumber.push_back(static_cast<uint32_t>(select.Cases.size()));
      } else {
        allNumbers = false;
      }
      branch.Values.push_back(value);
    }
    branch.Body = CompileBlock(c.Body, scope);
    select.Cases.push_back(std::move(branch));
  }
  if (!allNumbers) {
    select.CaseNumbers.clear();
    select.CaseOfNumber.clear();
  }
  select.Else = CompileBlock(s.ElseBody, scope);
  return &select;
}

const Statement* Compiler::CompileFor(const Stmt& s, Scope& scope) {
  auto& loop = code_->Make<ForStatement>(s.Pos);
  loop.Start = CompileExpr(*s.Value, scope);
  loop.Limit = CompileExpr(*s.Limit, scope);
  if (s.StepExpr) loop.Step = CompileExpr(*s.StepExpr, scope);
  loop.Counter = CompileReference(*s.Target, scope, Use::Assign);
  loop.Body = CompileBlock(s.Body, scope);
  loop.OnlyAssign = OnlyAssignment(loop.Body);
  return &loop;
}

}  // namespace chartorium::vbscript
