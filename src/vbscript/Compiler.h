// The compiler: resolves every name of a parsed block to a slot, a procedure, a built-in or
// a native member, once, so the VM never looks a name up by string in a loop.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "vbscript/Program.h"

namespace chartorium::vbscript {

/// What the code is compiled for.
enum class CompileMode {
  Global,        ///< AddCode, ExecuteStatement, ExecuteGlobal
  LocalExecute,  ///< Execute inside a procedure: the procedure's names stay visible
};

/// The value of a Const declaration's literal (with its optional minus sign).
Variant ConstValue(const Expr& e);

class Compiler {
 public:
  explicit Compiler(GlobalState& globals) : globals_(globals) {}

  /// Resolves `script` and returns it compiled; its procedures and classes are not yet
  /// visible: Install does that, after the whole block compiled. `outer` is the running
  /// procedure for LocalExecute (nullptr at global level); `outerClass` its class.
  std::unique_ptr<CompiledBlock> Compile(ScriptBlock script, CompileMode mode,
                                         const Procedure* outer, const ClassInfo* outerClass);
  /// Resolves an Eval expression in the scope of `outer` (nullptr: global).
  std::unique_ptr<CompiledBlock> CompileExpression(ExprPtr expression, const Procedure* outer,
                                                   const ClassInfo* outerClass);
  /// Makes the block's procedures, classes and variables visible to all code.
  void Install(CompiledBlock& block);

 private:
  /// The names visible while resolving one procedure or block.
  struct Scope {
    Procedure* Frame = nullptr;  ///< the frame being laid out
    const ProcDecl* Decl = nullptr;
    const ClassInfo* Class = nullptr;
    const Procedure* Outer = nullptr;  ///< the procedure running Execute/Eval
    bool GlobalCode = true;
    bool Explicit = false;
    std::unordered_map<std::string, int> Implicit;
    std::unordered_map<std::string, Variant> Consts;
    std::vector<int> WithSlots;
  };
  enum class Use { Value, Call, Assign, SetTarget };

  void DeclareDefinitions(CompiledBlock& block);
  void CompileProcedure(Procedure& proc, const ClassInfo* owner, bool explicitNames);
  void HoistDeclarations(const Block& block, Scope& scope);
  void CollectScriptConstants(const Block& block);
  void ResolveBlock(Block& block, Scope& scope);
  void ResolveStmt(Stmt& stmt, Scope& scope);
  void ResolveExpr(ExprPtr& e, Scope& scope);
  void ResolveArgs(std::vector<ExprPtr>& args, Scope& scope);
  void ResolveReference(Expr& e, Scope& scope, Use use);
  void ResolveName(Expr& e, Scope& scope, Use use);
  bool ResolveBuiltinName(Expr& e, Use use);
  int ProcedureNumber(const std::string& key);
  static void MarkFastReads(Block& block);
  static void MarkFastReads(Expr& e);
  int NewSlot(Scope& scope);
  void ImplicitLocal(Expr& e, Scope& scope);

  GlobalState& globals_;
  std::unordered_set<int> blockDeclared_;  ///< global slots this block declares with Dim
  std::vector<std::pair<int, const Procedure*>> pendingProcedures_;
  std::vector<std::pair<int, const ClassInfo*>> pendingClasses_;
  std::unordered_map<std::string, int> blockClasses_;
  /// Constants of the block's global code, wherever they stand in it: every procedure and
  /// class of the block sees them.
  std::unordered_map<std::string, Variant> scriptConstants_;
};

}  // namespace chartorium::vbscript
