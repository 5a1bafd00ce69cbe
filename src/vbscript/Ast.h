// The syntax tree: the parser's output, with names as written and their places in the text.
// The compiler reads it and emits the resolved form (Code.h); nothing changes it after parsing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vbscript/Op.h"
#include "vbscript/ProcKind.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

enum class ExprKind : uint8_t {
  Literal,  ///< Value
  Name,     ///< Name [(Args)]
  Member,   ///< Left.Name [(Args)]; Left null inside With means the With object
  Apply,    ///< Left(Args) on a value that is no name, e.g. f(1)(2)
  Unary,    ///< Operator Left
  Binary,   ///< Left Operator Right
  New,      ///< New Name
  Me,
  Paren,  ///< (Left): a parenthesised argument, passed by value
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  ExprKind Kind = ExprKind::Literal;
  Op Operator = Op::Plus;
  bool HasParens = false;  ///< Name/Member written with (...) (even empty)
  SourcePos Pos;
  std::string Name;  ///< as written
  std::string Key;   ///< lower case
  Variant Value;
  ExprPtr Left, Right;
  std::vector<ExprPtr> Args;
};

enum class StmtKind : uint8_t {
  Call,     ///< Target is the call expression
  Assign,   ///< Target = Value
  Set,      ///< Set Target = Value
  Dim,      ///< Decls
  ReDim,    ///< Decls with bound expressions; Preserve
  Erase,    ///< Target
  Const,    ///< Decls with values
  If,       ///< Conds[i] -> Blocks[i]; ElseBody
  Select,   ///< Value; Cases; ElseBody (HasElse)
  For,      ///< Target = Value To Limit Step StepExpr
  ForEach,  ///< Target In Value
  Loop,     ///< While/Do: Cond (may be null), PreTest, Until
  Exit,     ///< ExitKind
  OnError,  ///< ResumeNext
  With,     ///< Value
  Nop,
};

enum class ExitKind : uint8_t { Do, For, Sub, Function, Property };

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

/// One name of a Dim/ReDim/Const list.
struct Declaration {
  std::string Name;
  std::string Key;
  SourcePos Pos;
  std::vector<ExprPtr> Bounds;  ///< Dim/ReDim array bounds (Dim: literals only)
  bool IsArray = false;         ///< written with (), even without bounds
  ExprPtr Value;                ///< Const value
  bool Public = true;
};

struct CaseClause {
  std::vector<ExprPtr> Values;
  Block Body;
};

struct Stmt {
  StmtKind Kind = StmtKind::Nop;
  SourcePos Pos;
  ExprPtr Target, Value, Limit, StepExpr, Cond;
  std::vector<ExprPtr> Conds;
  std::vector<Block> Blocks;
  Block Body, ElseBody;
  bool HasElse = false;
  std::vector<CaseClause> Cases;
  std::vector<Declaration> Decls;
  bool Preserve = false;
  bool PreTest = true;
  bool Until = false;
  bool ResumeNext = false;
  ExitKind Exit = ExitKind::Do;
};

struct Parameter {
  std::string Name;
  std::string Key;
  bool ByVal = false;
  SourcePos Pos;
};

struct ProcDecl {
  ProcKind Kind = ProcKind::Sub;
  std::string Name;
  std::string Key;
  SourcePos Pos;
  bool Public = true;
  bool Default = false;
  std::vector<Parameter> Params;
  Block Body;
};

struct FieldDecl {
  Declaration Decl;
  bool Public = true;
};

struct ClassDecl {
  std::string Name;
  std::string Key;
  SourcePos Pos;
  std::vector<FieldDecl> Fields;
  std::vector<std::unique_ptr<ProcDecl>> Procs;
};

/// A parsed block of code: its global statements and its definitions.
struct ScriptBlock {
  bool OptionExplicit = false;
  Block Body;
  std::vector<std::unique_ptr<ProcDecl>> Procs;
  std::vector<std::unique_ptr<ClassDecl>> Classes;
};

}  // namespace chartorium::vbscript
