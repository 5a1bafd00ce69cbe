// The compiler: reads the syntax tree and emits the resolved form (Code.h), every name of it
// turned once into a slot, a procedure, a built-in or a native member, so the VM never looks a
// name up by string in a loop.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "vbscript/Ast.h"
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

  /// Compiles `script`; its procedures and classes are not yet visible: Install does that,
  /// after the whole block compiled. `outer` is the running procedure for LocalExecute
  /// (nullptr at global level); `outerClass` its class.
  std::unique_ptr<CompiledBlock> Compile(const ScriptBlock& script, CompileMode mode,
                                         const Procedure* outer, const ClassInfo* outerClass);
  /// Compiles an Eval expression in the scope of `outer` (nullptr: global).
  std::unique_ptr<CompiledBlock> CompileExpression(const Expr& expression, const Procedure* outer,
                                                   const ClassInfo* outerClass);
  /// Makes the block's procedures, classes and variables visible to all code.
  void Install(CompiledBlock& block);

 private:
  /// The names visible while compiling one procedure or block.
  struct Scope {
    Procedure* Frame = nullptr;  ///< the frame being laid out
    const ClassInfo* Class = nullptr;
    const Procedure* Outer = nullptr;  ///< the procedure running Execute/Eval
    bool GlobalCode = true;
    bool Explicit = false;
    std::unordered_map<std::string, int> Implicit;
    std::unordered_map<std::string, Variant> Consts;
    std::vector<int> WithSlots;
  };
  enum class Use { Value, Call, Assign, SetTarget };

  // Compiler.cpp: blocks, procedures and classes
  void DeclareDefinitions(const ScriptBlock& script, CompiledBlock& block);
  void CompileProcedure(Procedure& proc, const ProcDecl& decl, bool explicitNames);
  void HoistDeclarations(const Block& block, Scope& scope);
  void CollectScriptConstants(const Block& block);
  int ProcedureNumber(const std::string& key);
  int NewSlot(Scope& scope);

  // CompilerStmt.cpp: statements
  StatementList CompileBlock(const Block& block, Scope& scope);
  void CompileStatement(const Stmt& s, Scope& scope, std::vector<const Statement*>& out);
  const Statement* CompileCall(const Stmt& s, Scope& scope);
  const Statement* CompileDim(const Stmt& s, Scope& scope);
  const Statement* CompileReDim(const Stmt& s, Scope& scope);
  void CompileConst(const Stmt& s, Scope& scope, std::vector<const Statement*>& out);
  const Statement* CompileIf(const Stmt& s, Scope& scope);
  const Statement* CompileSelect(const Stmt& s, Scope& scope);
  const Statement* CompileFor(const Stmt& s, Scope& scope);

  // CompilerExpr.cpp: expressions and names
  const Node* CompileExpr(const Expr& e, Scope& scope);
  NodeList CompileArgs(const std::vector<ExprPtr>& args, Scope& scope);
  const Node* CompileReference(const Expr& e, Scope& scope, Use use);
  const Node* CompileMember(const Expr& e, Scope& scope, Use use);
  Node* CompileName(const Expr& e, Scope& scope, Use use);
  Node* CompileBuiltinName(const Expr& e, NodeList args, Use use);
  Node* CompileConstant(const Expr& e, NodeList args, const Variant& value, bool writes);
  VariableNode& NewVariable(Location loc, NodeList args, bool hasParens);
  void ImplicitLocal(VariableNode& v, const std::string& key, Scope& scope);
  const LiteralNode& NewLiteral(const Variant& value);
  /// Sets what the VM may learn of a node before running it (Fast, Pure, the plain-number
  /// evaluators) from the node and its already finished operands.
  static const Node& Finish(Node& node);

  GlobalState& globals_;
  CodeArena* code_ = nullptr;              ///< the arena of the block being compiled
  std::unordered_set<int> blockDeclared_;  ///< global slots this block declares with Dim
  std::vector<std::pair<int, const Procedure*>> pendingProcedures_;
  std::vector<std::pair<int, const ClassInfo*>> pendingClasses_;
  /// Procedures to compile once every definition of the block is declared.
  std::vector<std::pair<Procedure*, const ProcDecl*>> bodies_;
  /// Constants of the block's global code, wherever they stand in it: every procedure and
  /// class of the block sees them.
  std::unordered_map<std::string, Variant> scriptConstants_;
};

}  // namespace chartorium::vbscript
