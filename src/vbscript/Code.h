// The resolved form: what the compiler makes of the syntax tree and the VM runs. One small
// struct per kind of expression and statement, every name already turned into a slot, a
// procedure, a built-in or a native member. The VM switches on Kind and reads the struct of that
// kind; nothing here changes while code runs, except the member caches, which live in a side
// table of the compiled block.
//
//   x = a + 1   ->  AssignStatement{ Target: VariableNode{Local, slot 0},
//                                    Value:  BinaryNode{Plus, VariableNode{Local, slot 1},
//                                                             LiteralNode{1}} }
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "vbscript/Numeric.h"
#include "vbscript/Op.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

struct Frame;
struct Procedure;
struct ClassMember;
struct BuiltinFunction;

enum class NodeKind : uint8_t {
  Literal,      ///< LiteralNode
  Variable,     ///< VariableNode: storage, with indexes or default-member arguments
  ByVal,        ///< ByValNode: a parenthesised argument, passed by value
  Unary,        ///< UnaryNode
  Binary,       ///< BinaryNode
  CallProc,     ///< CallProcNode: a global procedure
  CallMethod,   ///< CallMethodNode: a method of Me
  CallBuiltin,  ///< CallBuiltinNode
  CallNative,   ///< CallNativeNode: a member of a host object bound at compile time
  HostObject,   ///< HostObjectNode: a host object as a value (or called with arguments)
  Member,       ///< MemberNode: object.Name, bound when it runs
  Apply,        ///< ApplyNode: value(args) of a value that is no name, e.g. f(1)(2)
  New,          ///< NewNode
  Me,           ///< Node
  ErrMember,    ///< ErrNode: Err or one of its members
  EvalText,     ///< EvalTextNode: Eval(text) in the current scope
};

/// How the VM may read a node without evaluating it.
enum class FastRead : uint8_t { None, Local, Ref, Direct, Literal };

class Node;
/// Evaluates a pure node whose operands are all plain numbers, or gives Type Empty (nothing
/// changed) when anything else turns up; the caller then evaluates the node the general way.
using NumberFn = Number (*)(const Node& node, Frame& f);
/// An operator on two plain numbers; Type Empty when the general rules must decide.
using ArithFn = Number (*)(const Number& x, const Number& y);
/// A node's arguments, owned by the compiled block.
using NodeList = std::span<const Node* const>;

/// What every node has: its kind and what the compiler learnt about reading it.
class Node {
 public:
  explicit Node(NodeKind kind) : Kind(kind) {}
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  /// The struct of this kind. REQUIRES: Kind is T's kind.
  template <class T>
  const T& As() const {
    return static_cast<const T&>(*this);
  }

  const NodeKind Kind;
  FastRead Fast = FastRead::None;
  bool Pure = false;           ///< no side effect (no call): order of evaluation does not matter
  NumberFn Numeric = nullptr;  ///< set for pure nodes that may be plain numbers
};

struct LiteralNode : Node {
  LiteralNode() : Node(NodeKind::Literal) {}
  Variant Value;
  Number Plain;  ///< Value when it is a plain number, else Type Empty
};

enum class Location : uint8_t {
  Local,     ///< frame slot
  Ref,       ///< frame slot holding a ByRef alias (parameters)
  Global,    ///< global variable at Direct
  Dynamic,   ///< global Global when declared by then, else frame slot Implicit (-1: none)
  Field,     ///< field Slot of Me
  Outer,     ///< slot of the procedure running Execute or Eval
  OuterRef,  ///< ByRef slot of that procedure
  Named,     ///< Execute text in a procedure: a variable it creates there (global Global if
             ///< declared by then)
};

struct VariableNode : Node {
  VariableNode() : Node(NodeKind::Variable) {}
  Location Loc = Location::Local;
  bool Strict = false;               ///< Option Explicit: reading it undeclared is error 500
  bool HasParens = false;            ///< written `x()`: a value, never a ByRef reference
  int32_t Slot = -1;                 ///< Local, Ref, Field, Outer, OuterRef
  int32_t Global = -1;               ///< Dynamic, Named
  int32_t Implicit = -1;             ///< Dynamic
  Variant* Direct = nullptr;         ///< Global (global slots never move)
  const std::string* Key = nullptr;  ///< Named: the name, lower case
  NodeList Args;                     ///< indexes, or the default member's arguments
};

struct ByValNode : Node {
  ByValNode() : Node(NodeKind::ByVal) {}
  const Node* Inner = nullptr;
};

struct UnaryNode : Node {
  UnaryNode() : Node(NodeKind::Unary) {}
  Op Operator = Op::Neg;
  const Node* Operand = nullptr;
};

struct BinaryNode : Node {
  BinaryNode() : Node(NodeKind::Binary) {}
  Op Operator = Op::Plus;
  bool NumericLiteralSide = false;  ///< comparison with a numeric literal: strings convert
  /// Copies of the leaves' slots and of the right literal, for the plain-number evaluators:
  /// they save a dependent load on every evaluation.
  int32_t LeftSlot = -1;
  int32_t RightSlot = -1;
  Number RightPlain;
  /// Both sides plain-number nodes or calls with PlainArgs, the operator one that plain
  /// numbers take: the results meet without Variants.
  ArithFn Arith = nullptr;
  const Node* Left = nullptr;
  const Node* Right = nullptr;
};

struct CallProcNode : Node {
  CallProcNode() : Node(NodeKind::CallProc) {}
  int32_t Proc = -1;  ///< global procedure number
  /// Every argument is a literal, a plain variable or plain-number arithmetic, so none needs
  /// writing back after the call.
  bool PlainArgs = false;
  NodeList Args;
};

struct CallMethodNode : Node {
  CallMethodNode() : Node(NodeKind::CallMethod) {}
  const Procedure* Method = nullptr;  ///< nullptr: the member has no procedure of that use
  NodeList Args;
};

struct CallBuiltinNode : Node {
  CallBuiltinNode() : Node(NodeKind::CallBuiltin) {}
  const BuiltinFunction* Builtin = nullptr;
  NodeList Args;
};

struct CallNativeNode : Node {
  CallNativeNode() : Node(NodeKind::CallNative) {}
  int32_t Host = -1;
  int32_t Member = -1;
  NodeList Args;
};

struct HostObjectNode : Node {
  HostObjectNode() : Node(NodeKind::HostObject) {}
  int32_t Host = -1;
  NodeList Args;
};

/// The member found the last time a MemberNode ran: its class (or native member table) and
/// where in it. A side table of the compiled block, the one thing that changes while code runs.
struct MemberCache {
  const void* Owner = nullptr;
  int Index = -1;
  const ClassMember* Member = nullptr;
};

struct MemberNode : Node {
  MemberNode() : Node(NodeKind::Member) {}
  const Node* Object = nullptr;  ///< nullptr: `.Name` outside any With (error 505)
  const std::string* Key = nullptr;
  MemberCache* Cache = nullptr;
  NodeList Args;
};

struct ApplyNode : Node {
  ApplyNode() : Node(NodeKind::Apply) {}
  const Node* Target = nullptr;
  NodeList Args;
};

/// New Class: the class number, BuiltinRegExpClass, or -1 for a name of no class.
struct NewNode : Node {
  NewNode() : Node(NodeKind::New) {}
  int32_t Class = -1;
};

/// Err's members, in the order Err.Number, Description, Source, HelpFile, HelpContext, Raise,
/// Clear; Err itself reads its Number.
enum class ErrMember : int8_t {
  Unknown = -2,  ///< a name Err has no member of: error 438 when it runs (members bind late)
  Err = -1,
  Number,
  Description,
  Source,
  HelpFile,
  HelpContext,
  Raise,
  Clear,
};

struct ErrNode : Node {
  ErrNode() : Node(NodeKind::ErrMember) {}
  ErrMember Member = ErrMember::Err;
  NodeList Args;
};

struct EvalTextNode : Node {
  EvalTextNode() : Node(NodeKind::EvalText) {}
  NodeList Args;
};

struct MeNode : Node {
  MeNode() : Node(NodeKind::Me) {}
};

// ---- statements ----

enum class StatementKind : uint8_t {
  Call,     ///< CallStatement
  Assign,   ///< AssignStatement: Target = Value
  Set,      ///< AssignStatement: Set Target = Value
  Dim,      ///< DimStatement: the arrays it declares
  ReDim,    ///< ReDimStatement
  Erase,    ///< EraseStatement
  If,       ///< IfStatement
  Select,   ///< SelectStatement
  For,      ///< ForStatement
  ForEach,  ///< ForEachStatement
  Loop,     ///< LoopStatement: While and Do
  Exit,     ///< ExitStatement
  OnError,  ///< OnErrorStatement
  With,     ///< WithStatement
  Execute,  ///< ExecuteStatement: Execute and ExecuteGlobal
};

class Statement;
/// A block of statements, owned by the compiled block.
using StatementList = std::span<const Statement* const>;

/// What every statement has: its kind and its place in the text, which a run-time error in it
/// reports.
class Statement {
 public:
  Statement(StatementKind kind, SourcePos pos) : Kind(kind), Pos(pos) {}
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  template <class T>
  const T& As() const {
    return static_cast<const T&>(*this);
  }

  const StatementKind Kind;
  const SourcePos Pos;
};

struct CallStatement : Statement {
  explicit CallStatement(SourcePos pos) : Statement(StatementKind::Call, pos) {}
  const Node* Target = nullptr;
  bool DiscardsConversion = false;  ///< "Call CInt(x)": the conversion's result is thrown away
};

/// The most parts `s = s & a & b ...` may append to s in place.
inline constexpr size_t MaxAppendParts = 16;

struct AssignStatement : Statement {
  AssignStatement(StatementKind kind, SourcePos pos) : Statement(kind, pos) {}
  const Node* Target = nullptr;
  const Node* Value = nullptr;
  /// `s = s & x & y` on a plain local or global s: the parts may go onto s's text in place.
  bool AppendsToTarget = false;
};

/// One array of a Dim: its variable and the upper bounds (none: a dynamic array).
struct DimArray {
  const Node* Target = nullptr;
  std::vector<int32_t> Upper;
};

struct DimStatement : Statement {
  explicit DimStatement(SourcePos pos) : Statement(StatementKind::Dim, pos) {}
  std::vector<DimArray> Arrays;
};

struct ReDimArray {
  const Node* Target = nullptr;
  NodeList Upper;
};

struct ReDimStatement : Statement {
  explicit ReDimStatement(SourcePos pos) : Statement(StatementKind::ReDim, pos) {}
  bool Preserve = false;
  std::vector<ReDimArray> Arrays;
};

struct EraseStatement : Statement {
  explicit EraseStatement(SourcePos pos) : Statement(StatementKind::Erase, pos) {}
  const Node* Target = nullptr;
};

struct IfStatement : Statement {
  explicit IfStatement(SourcePos pos) : Statement(StatementKind::If, pos) {}
  NodeList Conds;
  std::vector<StatementList> Blocks;  ///< one per condition
  StatementList Else;
  /// One condition, each branch's statement when the branch is one assignment (null
  /// otherwise): the VM runs this common shape without the lists.
  const Node* OnlyCond = nullptr;
  const AssignStatement* ThenAssign = nullptr;
  const AssignStatement* ElseAssign = nullptr;
};

struct CaseValue {
  const Node* Value = nullptr;
  bool NumericLiteral = false;  ///< a numeric literal: a string test converts to a number
};

struct CaseBranch {
  std::vector<CaseValue> Values;
  StatementList Body;
};

struct SelectStatement : Statement {
  explicit SelectStatement(SourcePos pos) : Statement(StatementKind::Select, pos) {}
  const Node* Test = nullptr;
  std::vector<CaseBranch> Cases;
  StatementList Else;
  /// When every case value is a plain-number literal: their numbers, in order, and the index
  /// into Cases of each. A plain-number test then runs through these alone.
  std::vector<double> CaseNumbers;
  std::vector<uint32_t> CaseOfNumber;
};

struct ForStatement : Statement {
  explicit ForStatement(SourcePos pos) : Statement(StatementKind::For, pos) {}
  const Node* Counter = nullptr;
  const Node* Start = nullptr;
  const Node* Limit = nullptr;
  const Node* Step = nullptr;  ///< nullptr: 1
  StatementList Body;
  /// The body when it is one assignment, which the counting loop runs without a block.
  const AssignStatement* OnlyAssign = nullptr;
};

struct ForEachStatement : Statement {
  explicit ForEachStatement(SourcePos pos) : Statement(StatementKind::ForEach, pos) {}
  const Node* Element = nullptr;
  const Node* Collection = nullptr;
  StatementList Body;
};

struct LoopStatement : Statement {
  explicit LoopStatement(SourcePos pos) : Statement(StatementKind::Loop, pos) {}
  const Node* Cond = nullptr;  ///< nullptr: none (Do ... Loop)
  bool PreTest = true;
  bool Until = false;
  StatementList Body;
};

/// What an Exit statement leaves: Exit Sub, Function and Property all leave the procedure.
enum class ExitFrom : uint8_t { Do, For, Procedure };

struct ExitStatement : Statement {
  ExitStatement(ExitFrom from, SourcePos pos) : Statement(StatementKind::Exit, pos), From(from) {}
  const ExitFrom From;
};

struct OnErrorStatement : Statement {
  OnErrorStatement(bool resumeNext, SourcePos pos)
      : Statement(StatementKind::OnError, pos), ResumeNext(resumeNext) {}
  const bool ResumeNext;
};

struct WithStatement : Statement {
  explicit WithStatement(SourcePos pos) : Statement(StatementKind::With, pos) {}
  const Node* Object = nullptr;
  int32_t Slot = -1;  ///< the hidden frame slot holding the object
  StatementList Body;
};

struct ExecuteStatement : Statement {
  explicit ExecuteStatement(SourcePos pos) : Statement(StatementKind::Execute, pos) {}
  const Node* Text = nullptr;
  bool Global = false;  ///< ExecuteGlobal
};

/// Owns the nodes, statements and lists of one compiled block; their addresses never change.
class CodeArena {
 public:
  CodeArena() = default;
  CodeArena(const CodeArena&) = delete;
  CodeArena& operator=(const CodeArena&) = delete;

  template <class T, class... Args>
  T& Make(Args&&... args) {
    return std::get<std::deque<T>>(pools_).emplace_back(std::forward<Args>(args)...);
  }
  NodeList Nodes(std::vector<const Node*> nodes) {
    return nodeLists_.emplace_back(std::move(nodes));
  }
  StatementList Statements(std::vector<const Statement*> statements) {
    return statementLists_.emplace_back(std::move(statements));
  }
  const std::string* Name(std::string name) { return &names_.emplace_back(std::move(name)); }
  MemberCache* Cache() { return &caches_.emplace_back(); }

 private:
  std::tuple<std::deque<LiteralNode>, std::deque<VariableNode>, std::deque<ByValNode>,
             std::deque<UnaryNode>, std::deque<BinaryNode>, std::deque<CallProcNode>,
             std::deque<CallMethodNode>, std::deque<CallBuiltinNode>, std::deque<CallNativeNode>,
             std::deque<HostObjectNode>, std::deque<MemberNode>, std::deque<ApplyNode>,
             std::deque<NewNode>, std::deque<ErrNode>, std::deque<EvalTextNode>, std::deque<MeNode>,
             std::deque<CallStatement>, std::deque<AssignStatement>, std::deque<DimStatement>,
             std::deque<ReDimStatement>, std::deque<EraseStatement>, std::deque<IfStatement>,
             std::deque<SelectStatement>, std::deque<ForStatement>, std::deque<ForEachStatement>,
             std::deque<LoopStatement>, std::deque<ExitStatement>, std::deque<OnErrorStatement>,
             std::deque<WithStatement>, std::deque<ExecuteStatement>>
      pools_;
  std::deque<std::vector<const Node*>> nodeLists_;
  std::deque<std::vector<const Statement*>> statementLists_;
  std::deque<std::string> names_;
  std::deque<MemberCache> caches_;
};

}  // namespace chartorium::vbscript
