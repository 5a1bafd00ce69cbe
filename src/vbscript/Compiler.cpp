// The compiler's outer level: a block's definitions, its procedures' frames and its global code.
#include "vbscript/Compiler.h"

#include "vbscript/Operators.h"

namespace chartorium::vbscript {

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

std::unique_ptr<CompiledBlock> Compiler::Compile(const ScriptBlock& script, CompileMode mode,
                                                 const Procedure* outer,
                                                 const ClassInfo* outerClass) {
  auto block = std::make_unique<CompiledBlock>();
  code_ = &block->Code;
  block->Explicit = script.OptionExplicit;
  blockDeclared_.clear();
  pendingProcedures_.clear();
  pendingClasses_.clear();
  scriptConstants_.clear();
  bodies_.clear();
  DeclareDefinitions(script, *block);
  const bool local = mode == CompileMode::LocalExecute && outer;
  if (!local) CollectScriptConstants(script.Body);
  // Global Dims are hoisted: procedures and code above them already see the variables.
  if (!local)
    for (const StmtPtr& s : script.Body)
      if (s->Kind == StmtKind::Dim)
        for (const Declaration& d : s->Decls) {
          auto it = globals_.Symbols.find(d.Key);
          const int slot = it != globals_.Symbols.end() && it->second.Kind == SymbolKind::Variable
                               ? it->second.Slot
                               : globals_.AddVariable(d.Key);
          blockDeclared_.insert(slot);
        }
  for (const auto& [proc, decl] : bodies_) CompileProcedure(*proc, *decl, block->Explicit);

  Scope scope;
  scope.Frame = &block->Scope;
  scope.Explicit = block->Explicit;
  if (local) {
    scope.Outer = outer;
    scope.Class = outerClass;
    scope.GlobalCode = false;
    scope.Explicit = outer->Explicit;
  }
  block->Body = CompileBlock(script.Body, scope);
  block->FrameSize = block->Scope.FrameSize;
  code_ = nullptr;
  return block;
}

std::unique_ptr<CompiledBlock> Compiler::CompileExpression(const Expr& expression,
                                                           const Procedure* outer,
                                                           const ClassInfo* outerClass) {
  auto block = std::make_unique<CompiledBlock>();
  code_ = &block->Code;
  blockDeclared_.clear();
  scriptConstants_.clear();
  Scope scope;
  scope.Frame = &block->Scope;
  scope.Outer = outer;
  scope.Class = outerClass;
  scope.GlobalCode = outer == nullptr;
  scope.Explicit = outer ? outer->Explicit : false;
  block->Expression = CompileExpr(expression, scope);
  block->FrameSize = block->Scope.FrameSize;
  code_ = nullptr;
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

namespace {

std::unique_ptr<Procedure> NewProcedure(const ProcDecl& decl, const ClassInfo* owner) {
  auto proc = std::make_unique<Procedure>();
  proc->Name = decl.Name;
  proc->Key = decl.Key;
  proc->Kind = decl.Kind;
  proc->Public = decl.Public;
  proc->Owner = owner;
  return proc;
}

}  // namespace

// Procedures and classes exist before any code of the block runs, so every name of them is
// known before a body is compiled; a later definition of a name replaces an earlier one.
void Compiler::DeclareDefinitions(const ScriptBlock& script, CompiledBlock& block) {
  for (const auto& decl : script.Procs) {
    auto proc = NewProcedure(*decl, nullptr);
    pendingProcedures_.emplace_back(ProcedureNumber(decl->Key), proc.get());
    bodies_.emplace_back(proc.get(), decl.get());
    block.Procedures.push_back(std::move(proc));
  }
  for (const auto& decl : script.Classes) {
    auto info = std::make_unique<ClassInfo>();
    info->Name = decl->Name;
    for (const FieldDecl& f : decl->Fields) {
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
    for (const auto& pdecl : decl->Procs) {
      auto proc = NewProcedure(*pdecl, info.get());
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
      bodies_.emplace_back(proc.get(), pdecl.get());
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

void Compiler::CompileProcedure(Procedure& proc, const ProcDecl& decl, bool explicitNames) {
  Scope scope;
  scope.Frame = &proc;
  scope.Class = proc.Owner;
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
  proc.Body = CompileBlock(decl.Body, scope);
  // Execute and Eval text in the procedure sees its implicit variables too.
  for (const auto& [key, slot] : scope.Implicit) proc.LocalNames.emplace(key, slot * 2);
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
      for (const Declaration& d : s->Decls) scope.Consts[d.Key] = ConstValue(*d.Value);
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

}  // namespace chartorium::vbscript
