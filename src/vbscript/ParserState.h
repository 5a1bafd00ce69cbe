// The parser's state and rule functions, shared by ParserExpr.cpp and ParserStmt.cpp.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/Token.h"

namespace chartorium::vbscript {

/// Deepest nesting of blocks and expressions; deeper input is error 28, not a stack overflow.
inline constexpr int MaxParseDepth = 200;

class ParserState {
 public:
  explicit ParserState(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  ScriptBlock ParseProgram();
  ExprPtr ParseWholeExpression();

 private:
  // Tokens
  const Token& Current() const { return tokens_[at_]; }
  const Token& PeekToken(size_t ahead) const;
  TokenKind Kind() const { return tokens_[at_].Kind; }
  bool Is(TokenKind kind) const { return Kind() == kind; }
  bool Accept(TokenKind kind);
  void Expect(TokenKind kind, int errorNumber);
  const Token& Advance() { return tokens_[at_ == tokens_.size() - 1 ? at_ : at_++]; }
  bool AtStatementEnd() const;
  bool IsNameToken() const;
  std::string ExpectName();
  void ExpectStatementEnd();
  void SkipNewLines();
  void EnterLevel();
  void LeaveLevel() { --depth_; }

  // Expressions (ParserExpr.cpp)
  ExprPtr ParseExpression();
  ExprPtr ParseSubExpression(int limit);
  ExprPtr ParseSimple();
  ExprPtr ParsePostfix(ExprPtr base);
  void ParseArgList(std::vector<ExprPtr>& args);
  ExprPtr ParseReference();
  ExprPtr ParseCallTarget();

  // Statements (ParserStmt.cpp)
  Block ParseBlock();
  bool AtBlockEnd() const;
  void ParseStatementInto(Block& block);
  void ParseSimpleStatementsInto(Block& block, bool inLineIf);
  StmtPtr ParseIf();
  StmtPtr ParseSelect();
  StmtPtr ParseFor();
  StmtPtr ParseDo();
  StmtPtr ParseWhile();
  StmtPtr ParseWith();
  StmtPtr ParseExit();
  StmtPtr ParseOnError();
  StmtPtr ParseDim(StmtKind kind, bool isPublic);
  StmtPtr ParseReDim();
  StmtPtr ParseConst(bool isPublic);
  StmtPtr ParseCallOrAssign();
  void ParseProcedure(bool isPublic, bool isDefault, std::vector<std::unique_ptr<ProcDecl>>& into);
  void ParseClass();
  void ExpectEnd(TokenKind closer, std::string_view what, SourcePos opener);

  std::vector<Token> tokens_;
  size_t at_ = 0;
  int depth_ = 0;
  bool inProcedure_ = false;
  bool inClass_ = false;
  int inLineIf_ = 0;
  int loopDepthDo_ = 0;
  int loopDepthFor_ = 0;
  ProcKind procKind_ = ProcKind::Sub;
  ScriptBlock* block_ = nullptr;
};

/// A new statement node of that kind at that place.
inline StmtPtr MakeStmt(StmtKind kind, SourcePos pos) {
  auto s = std::make_unique<Stmt>();
  s->Kind = kind;
  s->Pos = pos;
  return s;
}

}  // namespace chartorium::vbscript
