// Name resolution: the compiler rewrites the parsed tree in place into resolved nodes.
#include "vbscript/Compiler.h"

#include "vbscript/Builtins.h"
#include "vbscript/NumericEval.h"
#include "vbscript/Operators.h"

namespace chartorium::vbscript {

namespace {}  // namespace

Variant ConstValue(const Expr& e) {
  if (e.Kind == ExprKind::Unary) return Negate(e.Left->Value);
  return e.Value;
}

int Compiler::NewSlot(Scope& scope) {
  return scope.Frame->FrameSize++;
}

int Compiler::ProcedureNumber(const std::string& key) {
  auto it = globals_.Symbols.find(key);
  if (it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Procedure)
    return it->second.Slot;
  GlobalSymbol symbol;
  symbol.Kind = SymbolKind::Procedure;
  symbol.Slot = static_cast<int>(globals_.Procedures.size());
  globals_.Procedures.push_back(nullptr);
  globals_.Symbols[key] = symbol;
  return symbol.Slot;
}

std::unique_ptr<CompiledBlock> Compiler::Compile(ScriptBlock script, CompileMode mode,
                                                 const Procedure* outer,
                                                 const ClassInfo* outerClass) {
  auto block = std::make_unique<CompiledBlock>();
  block->Script = std::move(script);
  block->Explicit = block->Script.OptionExplicit;
  blockDeclared_.clear();
  pendingProcedures_.clear();
  pendingClasses_.clear();
  scriptConstants_.clear();
  DeclareDefinitions(*block);
  const bool local = mode == CompileMode::LocalExecute && outer;
  if (!local) CollectScriptConstants(block->Script.Body);
  // Global Dims are hoisted: procedures and code above them already see the variables.
  if (!local)
    for (const StmtPtr& s : block->Script.Body)
      if (s->Kind == StmtKind::Dim)
        for (const Declaration& d : s->Decls) {
          auto it = globals_.Symbols.find(d.Key);
          const int slot = it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Variable
                               ? it->second.Slot
                               : globals_.AddVariable(d.Key);
          blockDeclared_.insert(slot);
        }
  for (auto& proc : block->Procedures) CompileProcedure(*proc, proc->Owner, block->Explicit);

  Scope scope;
  scope.Frame = &block->Scope;
  scope.Explicit = block->Explicit;
  if (local) {
    scope.Outer = outer;
    scope.Class = outerClass;
    scope.GlobalCode = false;
    scope.Explicit = outer->Explicit;
  }
  ResolveBlock(block->Script.Body, scope);
  MarkFastReads(block->Script.Body);
  block->FrameSize = block->Scope.FrameSize;
  return block;
}

std::unique_ptr<CompiledBlock> Compiler::CompileExpression(ExprPtr expression,
                                                           const Procedure* outer,
                                                           const ClassInfo* outerClass) {
  auto block = std::make_unique<CompiledBlock>();
  blockDeclared_.clear();
  scriptConstants_.clear();
  Scope scope;
  scope.Frame = &block->Scope;
  scope.Outer = outer;
  scope.Class = outerClass;
  scope.GlobalCode = outer == nullptr;
  scope.Explicit = outer ? outer->Explicit : false;
  block->Expression = std::move(expression);
  ResolveExpr(block->Expression, scope);
  MarkFastReads(*block->Expression);
  block->FrameSize = block->Scope.FrameSize;
  return block;
}

void Compiler::Install(CompiledBlock& block) {
  for (const auto& [number, proc] : pendingProcedures_) globals_.Procedures[number] = proc;
  for (const auto& [number, info] : pendingClasses_) globals_.Classes[number] = info;
  for (int slot : blockDeclared_) globals_.Declared[slot] = true;
  pendingProcedures_.clear();
  pendingClasses_.clear();
  blockDeclared_.clear();
  (void)block;
}

// Procedures and classes exist before any code of the block runs, so every name of them is
// known before a body is resolved; a later definition of a name replaces an earlier one.
void Compiler::DeclareDefinitions(CompiledBlock& block) {
  for (auto& decl : block.Script.Procs) {
    auto proc = std::make_unique<Procedure>();
    proc->Decl = decl.get();
    proc->Name = decl->Name;
    proc->Kind = decl->Kind;
    proc->Public = decl->Public;
    pendingProcedures_.emplace_back(ProcedureNumber(decl->Key), proc.get());
    block.Procedures.push_back(std::move(proc));
  }
  for (auto& decl : block.Script.Classes) {
    auto info = std::make_unique<ClassInfo>();
    info->Name = decl->Name;
    for (FieldDecl& f : decl->Fields) {
      ClassField field;
      field.Name = f.Decl.Name;
      field.IsArray = f.Decl.IsArray;
      for (const ExprPtr& b : f.Decl.Bounds) field.Bounds.push_back(b->Value.AsLong());
      ClassMember& member = info->Members[f.Decl.Key];
      if (member.Field >= 0) ThrowCompile(1041, f.Decl.Pos);
      member.Field = static_cast<int>(info->Fields.size());
      member.Public = f.Public;
      info->Fields.push_back(std::move(field));
    }
    for (auto& pdecl : decl->Procs) {
      auto proc = std::make_unique<Procedure>();
      proc->Decl = pdecl.get();
      proc->Name = pdecl->Name;
      proc->Kind = pdecl->Kind;
      proc->Public = pdecl->Public;
      proc->Owner = info.get();
      ClassMember& member = info->Members[pdecl->Key];
      member.Public = pdecl->Public;
      switch (pdecl->Kind) {
        case ProcKind::PropertyLet:
          member.Let = proc.get();
          break;
        case ProcKind::PropertySet:
          member.Set = proc.get();
          break;
        default:
          member.Get = proc.get();
          break;
      }
      if (pdecl->Default) info->Default = &member;
      if (pdecl->Key == "class_initialize") info->Initialize = proc.get();
      if (pdecl->Key == "class_terminate") info->Terminate = proc.get();
      block.Procedures.push_back(std::move(proc));
    }
    auto it = globals_.Symbols.find(decl->Key);
    int number;
    if (it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Class) {
      number = it->second.Slot;
    } else {
      GlobalSymbol symbol;
      symbol.Kind = SymbolKind::Class;
      symbol.Slot = number = static_cast<int>(globals_.Classes.size());
      globals_.Classes.push_back(nullptr);
      globals_.Symbols[decl->Key] = symbol;
    }
    pendingClasses_.emplace_back(number, info.get());
    block.Classes.push_back(std::move(info));
  }
}

void Compiler::CompileProcedure(Procedure& proc, const ClassInfo* owner, bool explicitNames) {
  ProcDecl& decl = *const_cast<ProcDecl*>(proc.Decl);
  Scope scope;
  scope.Frame = &proc;
  scope.Decl = &decl;
  scope.Class = owner;
  scope.GlobalCode = false;
  scope.Explicit = explicitNames;
  proc.Explicit = explicitNames;
  proc.ParamCount = static_cast<int>(decl.Params.size());
  for (const Parameter& p : decl.Params) {
    if (proc.LocalNames.count(p.Key)) ThrowCompile(1041, p.Pos);
    const int slot = proc.FrameSize++;
    proc.ByVal.push_back(p.ByVal);
    proc.LocalNames[p.Key] = slot * 2 + (p.ByVal ? 0 : 1);
  }
  if (decl.Kind == ProcKind::Function || decl.Kind == ProcKind::PropertyGet)
    proc.ResultSlot = proc.FrameSize++;
  HoistDeclarations(decl.Body, scope);
  ResolveBlock(decl.Body, scope);
  MarkFastReads(decl.Body);
  // Execute and Eval text in the procedure sees its implicit variables too.
  for (const auto& [key, slot] : scope.Implicit) proc.LocalNames.emplace(key, slot * 2);
}

void Compiler::MarkFastReads(Expr& e) {
  if (e.Left) MarkFastReads(*e.Left);
  if (e.Right) MarkFastReads(*e.Right);
  bool argsPure = true;
  for (ExprPtr& a : e.Args) {
    MarkFastReads(*a);
    argsPure = argsPure && a->Pure;
  }
  switch (e.Kind) {
    case ExprKind::Literal:
      e.Fast = FastRead::Literal;
      e.Pure = true;
      break;
    case ExprKind::Variable:
      e.Pure = argsPure;
      if (!e.Args.empty() || e.HasParens) break;
      if (e.Loc == Location::Local) e.Fast = FastRead::Local;
      if (e.Loc == Location::Ref) e.Fast = FastRead::Ref;
      if (e.Direct) e.Fast = FastRead::Direct;
      break;
    case ExprKind::Unary:
    case ExprKind::Paren:
      e.Pure = e.Left->Pure;
      break;
    case ExprKind::Binary:
      e.Pure = e.Left->Pure && e.Right->Pure;
      break;
    case ExprKind::CallProc:
      e.PlainArgs = true;
      for (const ExprPtr& a : e.Args)
        e.PlainArgs = e.PlainArgs &&
                      (a->Fast != FastRead::None || (a->Numeric && a->Kind != ExprKind::Variable));
      break;
    default:
      break;
  }
  BindNumeric(e);
  BindArith(e);
}

namespace {

const Stmt* OnlyAssignment(const Block& block) {
  return block.size() == 1 && block[0]->Kind == StmtKind::Assign ? block[0].get() : nullptr;
}

}  // namespace

void Compiler::MarkFastReads(Block& block) {
  for (StmtPtr& s : block) {
    if (s->Kind == StmtKind::If && s->Conds.size() == 1) {
      s->OnlyCond = s->Conds[0].get();
      s->ThenAssign = OnlyAssignment(s->Blocks[0]);
      s->ElseAssign = OnlyAssignment(s->ElseBody);
    }
    for (ExprPtr* e : {&s->Target, &s->Value, &s->Limit, &s->StepExpr, &s->Cond})
      if (*e) MarkFastReads(**e);
    for (ExprPtr& c : s->Conds) MarkFastReads(*c);
    for (Block& b : s->Blocks) MarkFastReads(b);
    MarkFastReads(s->Body);
    MarkFastReads(s->ElseBody);
    for (CaseClause& c : s->Cases) {
      for (ExprPtr& v : c.Values) MarkFastReads(*v);
      MarkFastReads(c.Body);
    }
    for (Declaration& d : s->Decls) {
      if (d.Value) MarkFastReads(*d.Value);
      for (ExprPtr& b : d.Bounds) MarkFastReads(*b);
    }
  }
}

// A Dim anywhere in a procedure makes the name local for all of the procedure.
void Compiler::HoistDeclarations(const Block& block, Scope& scope) {
  for (const StmtPtr& s : block) {
    if (s->Kind == StmtKind::Dim || s->Kind == StmtKind::ReDim) {
      for (const Declaration& d : s->Decls) {
        if (scope.Frame->LocalNames.count(d.Key)) {
          if (s->Kind == StmtKind::Dim) ThrowCompile(1041, d.Pos);
          continue;
        }
        scope.Frame->LocalNames[d.Key] = NewSlot(scope) * 2;
      }
    } else if (s->Kind == StmtKind::Const) {
      for (const Declaration& d : s->Decls) {
        scope.Consts[d.Key] = ConstValue(*d.Value);
      }
    }
    HoistDeclarations(s->Body, scope);
    HoistDeclarations(s->ElseBody, scope);
    for (const Block& b : s->Blocks) HoistDeclarations(b, scope);
    for (const CaseClause& c : s->Cases) HoistDeclarations(c.Body, scope);
  }
}

// Procedures are compiled before the global code, yet they run after it: a constant declared
// anywhere in the global code, even below the procedure or in a branch never taken, is theirs.
void Compiler::CollectScriptConstants(const Block& block) {
  for (const StmtPtr& s : block) {
    if (s->Kind == StmtKind::Const)
      for (const Declaration& d : s->Decls) scriptConstants_[d.Key] = ConstValue(*d.Value);
    CollectScriptConstants(s->Body);
    CollectScriptConstants(s->ElseBody);
    for (const Block& b : s->Blocks) CollectScriptConstants(b);
    for (const CaseClause& c : s->Cases) CollectScriptConstants(c.Body);
  }
}

void Compiler::ResolveBlock(Block& block, Scope& scope) {
  for (StmtPtr& s : block) ResolveStmt(*s, scope);
}

}  // namespace chartorium::vbscript
