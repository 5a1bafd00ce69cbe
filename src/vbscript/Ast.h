// The syntax tree. The parser builds it with names; the compiler then resolves each name in
// place (to a slot, a procedure or a native member), and the VM walks the resolved tree.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vbscript/Numeric.h"
#include "vbscript/Op.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

struct Procedure;
struct ClassInfo;
struct BuiltinFunction;
struct ClassMember;

enum class ExprKind : uint8_t {
  // Parser output
  Literal,  ///< Value
  Name,     ///< Name [(Args)]
  Member,   ///< Object.Name [(Args)]; Object null inside With means the With object
  Apply,    ///< Target(Args) on a value that is no name, e.g. f(1)(2)
  Unary,    ///< Op Left
  Binary,   ///< Left Op Right
  New,      ///< New Name
  Me,
  Paren,  ///< (Left): a parenthesised argument, passed by value
  // Compiler output
  Variable,     ///< storage at Location/Slot; with Args: indexes or the default member
  CallProc,     ///< global procedure number Slot
  CallMethod,   ///< method of Me: Method
  CallBuiltin,  ///< Builtin
  CallNative,   ///< host object Slot, member Index
  HostObject,   ///< host object Slot as a value
  ErrMember,    ///< Err.<member Index>
  EvalText,     ///< Eval(Args[0]) in the current scope
};

/// ErrMember's Index for a name Err has no member of: error 438 when the statement runs, as
/// members are bound late. (-1 is Err itself; 0 and up its members.)
inline constexpr int UnknownErrMember = -2;

enum class Location : uint8_t {
  Local,     ///< frame slot
  Ref,       ///< frame slot holding a ByRef alias (parameters)
  Global,    ///< global slot
  Dynamic,   ///< global slot when declared by then, else implicit frame slot (-1: none)
  Field,     ///< field of Me
  Outer,     ///< slot of the procedure running Execute or Eval
  OuterRef,  ///< ByRef slot of that procedure
  Named,     ///< Execute text in a procedure: a variable it creates there (global Index if
             ///< declared by then)
};

/// How the VM may read a node without evaluating it: set by the compiler's last pass.
enum class FastRead : uint8_t { None, Local, Ref, Direct, Literal };

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;
struct Frame;

/// Evaluates a pure node whose operands are all plain numbers, or gives Type Empty (nothing
/// changed) when anything else turns up; the caller then evaluates the node the general way.
using NumberFn = Number (*)(const Expr& e, Frame& f);

/// An operator on two plain numbers; Type Empty when the general rules must decide.
using ArithFn = Number (*)(const Number& x, const Number& y);

struct Expr {
  ExprKind Kind = ExprKind::Literal;
  Op Operator = Op::Plus;
  Location Loc = Location::Local;
  bool HasParens = false;  ///< Name/Member written with (...) (even empty)
  SourcePos Pos;
  std::string Name;  ///< as written
  std::string Key;   ///< lower case
  Variant Value;
  ExprPtr Left, Right;
  std::vector<ExprPtr> Args;
  int Slot = -1;        ///< Binary with a plain-number evaluator: the left leaf's slot, copied
  int Index = -1;       ///< ...and the right leaf's (LiteralNumber: the right literal's value)
  int Extra = -1;       ///< Dynamic: the implicit frame slot
  bool Strict = false;  ///< Option Explicit: an undeclared name is error 500
  bool NumericLiteralSide = false;  ///< comparison with a numeric literal: strings convert
  FastRead Fast = FastRead::None;
  bool Pure = false;  ///< evaluating it has no side effect (no call), so order does not matter
  /// CallProc: every argument is a literal, a plain variable or plain-number arithmetic, so
  /// none needs writing back after the call.
  bool PlainArgs = false;
  NumberFn Numeric = nullptr;  ///< set for pure nodes that may be plain numbers
  /// A binary node that calls: each side a plain-number node or a CallProc with PlainArgs,
  /// the operator one that plain numbers take. The results meet without Variants.
  ArithFn Arith = nullptr;
  Number LiteralNumber;       ///< a Literal's value when it is a plain number
  Variant* Direct = nullptr;  ///< Global: the variable itself (global slots never move)
  const Procedure* Method = nullptr;
  const BuiltinFunction* Builtin = nullptr;
  // Member call cache: the class and member found the last time this node ran.
  mutable const void* CacheOwner = nullptr;
  mutable int CacheIndex = -1;
  mutable const ClassMember* CacheMember = nullptr;
};

enum class StmtKind : uint8_t {
  Call,     ///< Target is the call expression
  Assign,   ///< Target = Value
  Set,      ///< Set Target = Value
  Dim,      ///< Decls
  ReDim,    ///< Decls with bound expressions; Preserve
  Erase,    ///< Target
  Const,    ///< Decls with values; Body: assignments to variables of those names, if any
  If,       ///< Conds[i] -> Blocks[i]; ElseBody
  Select,   ///< Value; Cases; ElseBody (HasElse)
  For,      ///< Target = Value To Limit Step StepExpr
  ForEach,  ///< Target In Value
  Loop,     ///< While/Do: Cond (may be null), PreTest, Until
  Exit,     ///< ExitKind
  OnError,  ///< ResumeNext
  With,     ///< Value; hidden Slot
  Execute,  ///< Execute / ExecuteGlobal Value (Global)
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
  ExprPtr Value;                ///< Const value; ReDim target once resolved
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
  bool Global = false;
  bool DiscardsConversion = false;  ///< "Call CInt(x)": the conversion's result is thrown away
  ExitKind Exit = ExitKind::Do;
  int Slot = -1;  ///< hidden frame slots (For limit/step, For Each state, With object)
  /// If with one condition: that condition, and each branch's statement when the branch is
  /// one assignment (null otherwise), so the VM runs the common shape without the vectors.
  const Expr* OnlyCond = nullptr;
  const Stmt* ThenAssign = nullptr;
  const Stmt* ElseAssign = nullptr;
};

enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

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
