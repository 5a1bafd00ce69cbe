// Statement rules of the parser.
#include "vbscript/Conversion.h"
#include "vbscript/ParserState.h"

namespace chartorium::vbscript {

namespace {

std::string OpenedAt(std::string_view closer, std::string_view opener, SourcePos pos) {
  return "expected '" + std::string(closer) + "' to close '" + std::string(opener) + "' at line " +
         std::to_string(pos.Line);
}

}  // namespace

bool ParserState::AtStatementEnd() const {
  switch (Kind()) {
    case TokenKind::NewLine:
    case TokenKind::Colon:
    case TokenKind::EndOfText:
      return true;
    case TokenKind::Else:
      return inLineIf_ > 0;
    case TokenKind::End: {
      // "x = 1 End Sub" closes a procedure or class on the statement's own line.
      const TokenKind next = PeekToken(1).Kind;
      if (next == TokenKind::If) return inLineIf_ > 0;
      return next == TokenKind::Sub || next == TokenKind::Function || next == TokenKind::Property ||
             next == TokenKind::Class;
    }
    default:
      return false;
  }
}

void ParserState::ExpectStatementEnd() {
  if (!AtStatementEnd()) ThrowCompile(1025, Current().Pos);
}

void ParserState::SkipNewLines() {
  while (Is(TokenKind::NewLine) || Is(TokenKind::Colon)) Advance();
}

// program -> [Option Explicit] { statement | definition }
ScriptBlock ParserState::ParseProgram() {
  ScriptBlock block;
  block_ = &block;
  SkipNewLines();
  if (Is(TokenKind::Option)) {
    Advance();
    Expect(TokenKind::Explicit, 1002);
    ExpectStatementEnd();
    block.OptionExplicit = true;
  }
  block.Body = ParseBlock();
  if (!Is(TokenKind::EndOfText)) {
    switch (Kind()) {
      case TokenKind::Loop:
        ThrowCompile(1038, Current().Pos);
      case TokenKind::Next:
        ThrowCompile(1055, Current().Pos);
      default:
        ThrowCompile(1024, Current().Pos);
    }
  }
  return block;
}

bool ParserState::AtBlockEnd() const {
  switch (Kind()) {
    case TokenKind::EndOfText:
    case TokenKind::End:
    case TokenKind::Else:
    case TokenKind::ElseIf:
    case TokenKind::Case:
    case TokenKind::Loop:
    case TokenKind::Next:
    case TokenKind::Wend:
      return true;
    default:
      return false;
  }
}

// block -> { statement (NEWLINE | ':') }
Block ParserState::ParseBlock() {
  EnterLevel();
  Block block;
  for (;;) {
    SkipNewLines();
    if (AtBlockEnd()) break;
    ParseStatementInto(block);
  }
  LeaveLevel();
  return block;
}

void ParserState::ExpectEnd(TokenKind closer, std::string_view what, SourcePos opener) {
  if (Is(TokenKind::End) && PeekToken(1).Kind == closer) {
    Advance();
    Advance();
    return;
  }
  const std::string closerText = "End " + std::string(what);
  ThrowCompile(1014, Current().Pos, OpenedAt(closerText, what, opener));
}

void ParserState::ParseStatementInto(Block& block) {
  const SourcePos pos = Current().Pos;
  switch (Kind()) {
    case TokenKind::Dim:
      Advance();
      block.push_back(ParseDim(StmtKind::Dim, true));
      return;
    case TokenKind::Public:
    case TokenKind::Private: {
      const bool isPublic = Is(TokenKind::Public);
      const TokenKind next = PeekToken(1).Kind;
      if (next == TokenKind::Sub || next == TokenKind::Function || next == TokenKind::Default ||
          (next == TokenKind::Property && PeekToken(2).Kind != TokenKind::Equal &&
           PeekToken(2).Kind != TokenKind::Comma)) {
        Advance();
        const bool isDefault = Accept(TokenKind::Default);
        if (isDefault && !isPublic) ThrowCompile(1057, pos);
        ParseProcedure(isPublic, isDefault, block_->Procs);
        return;
      }
      Advance();
      if (Accept(TokenKind::Const)) {
        block.push_back(ParseConst(isPublic));
        return;
      }
      if (inProcedure_) ThrowCompile(1024, pos);
      block.push_back(ParseDim(StmtKind::Dim, isPublic));
      return;
    }
    case TokenKind::Const:
      Advance();
      block.push_back(ParseConst(true));
      return;
    case TokenKind::ReDim:
      block.push_back(ParseReDim());
      return;
    case TokenKind::If:
      block.push_back(ParseIf());
      return;
    case TokenKind::Select:
      block.push_back(ParseSelect());
      return;
    case TokenKind::For:
      block.push_back(ParseFor());
      return;
    case TokenKind::Do:
      block.push_back(ParseDo());
      return;
    case TokenKind::While:
      block.push_back(ParseWhile());
      return;
    case TokenKind::With:
      block.push_back(ParseWith());
      return;
    case TokenKind::Exit:
      block.push_back(ParseExit());
      return;
    case TokenKind::On:
      block.push_back(ParseOnError());
      return;
    case TokenKind::Sub:
    case TokenKind::Function:
      ParseProcedure(true, false, block_->Procs);
      return;
    case TokenKind::Property:
      if (PeekToken(1).Kind == TokenKind::Get || PeekToken(1).Kind == TokenKind::Let ||
          PeekToken(1).Kind == TokenKind::Set) {
        if (!inClass_) ThrowCompile(1048, pos);
        ParseProcedure(true, false, block_->Procs);
        return;
      }
      block.push_back(ParseCallOrAssign());
      return;
    case TokenKind::Class:
      ParseClass();
      return;
    case TokenKind::Stop:
      Advance();
      ExpectStatementEnd();
      return;
    case TokenKind::Set: {
      Advance();
      StmtPtr s = MakeStmt(StmtKind::Set, pos);
      s->Target = ParseReference();
      Expect(TokenKind::Equal, 1011);
      s->Value = ParseExpression();
      ExpectStatementEnd();
      block.push_back(std::move(s));
      return;
    }
    case TokenKind::Call: {
      Advance();
      StmtPtr s = MakeStmt(StmtKind::Call, pos);
      s->Target = ParseCallTarget();
      ExpectStatementEnd();
      block.push_back(std::move(s));
      return;
    }
    case TokenKind::Option:
      ThrowCompile(1002, pos, "Option Explicit must come first");
    case TokenKind::Let:
      Advance();
      block.push_back(ParseCallOrAssign());
      return;
    default:
      if (IsNameToken() || Is(TokenKind::Dot) || Is(TokenKind::Me)) {
        if (Is(TokenKind::Identifier) && LowerAscii(Current().Text) == "erase" &&
            PeekToken(1).Kind == TokenKind::Identifier) {
          Advance();
          StmtPtr s = MakeStmt(StmtKind::Erase, pos);
          s->Target = ParseReference();
          ExpectStatementEnd();
          block.push_back(std::move(s));
          return;
        }
        block.push_back(ParseCallOrAssign());
        return;
      }
      ThrowCompile(1024, pos);
  }
}

// calltarget -> reference | '(' calltarget ')' { '.' NAME | '(' [args] ')' }
// "Call (f) (x)" calls f with x, as "Call f(x)" does.
ExprPtr ParserState::ParseCallTarget() {
  if (!Is(TokenKind::LeftParen)) return ParseReference();
  EnterLevel();
  Advance();
  ExprPtr inner = ParseCallTarget();
  Expect(TokenKind::RightParen, 1006);
  LeaveLevel();
  return ParsePostfix(std::move(inner));
}

// callorassign -> reference '=' expr | reference [args]
StmtPtr ParserState::ParseCallOrAssign() {
  const SourcePos pos = Current().Pos;
  const size_t start = at_;
  ExprPtr target;
  if (Is(TokenKind::Me)) {
    Advance();
    auto me = std::make_unique<Expr>();
    me->Kind = ExprKind::Me;
    me->Pos = pos;
    target = ParsePostfix(std::move(me));
  } else {
    target = ParseReference();
  }
  if (Accept(TokenKind::Equal)) {
    StmtPtr s = MakeStmt(StmtKind::Assign, pos);
    s->Target = std::move(target);
    s->Value = ParseExpression();
    ExpectStatementEnd();
    return s;
  }
  StmtPtr s = MakeStmt(StmtKind::Call, pos);
  if (AtStatementEnd()) {
    if (target->HasParens && target->Kind != ExprKind::Apply && target->Args.size() > 1)
      ThrowCompile(1044, Current().Pos);
    // "Foo (a)" passes one parenthesised argument, by value.
    if (target->HasParens && target->Args.size() == 1) {
      auto paren = std::make_unique<Expr>();
      paren->Kind = ExprKind::Paren;
      paren->Pos = target->Args[0]->Pos;
      paren->Left = std::move(target->Args[0]);
      target->Args[0] = std::move(paren);
    }
    s->Target = std::move(target);
    return s;
  }
  if (target->HasParens) {
    // The parentheses opened the first argument: "Foo (a) + 1, b". Parse the name again, up
    // to its last '(' group, and read the arguments as expressions.
    size_t parenAt = at_;
    int level = 0;
    for (size_t i = start; i < at_; ++i) {
      if (tokens_[i].Kind == TokenKind::LeftParen && level++ == 0) parenAt = i;
      if (tokens_[i].Kind == TokenKind::RightParen) --level;
    }
    at_ = start;
    target = ParseReference();
    while (at_ > parenAt) {
      // The reference took the group again; rebuild it without the last group.
      at_ = start;
      auto e = std::make_unique<Expr>();
      e->Kind = ExprKind::Name;
      e->Pos = Current().Pos;
      e->Name = ExpectName();
      e->Key = LowerAscii(e->Name);
      while (at_ < parenAt && Is(TokenKind::Dot)) {
        const SourcePos dotPos = Current().Pos;
        Advance();
        auto member = std::make_unique<Expr>();
        member->Kind = ExprKind::Member;
        member->Pos = dotPos;
        member->Name = Advance().Text;
        member->Key = LowerAscii(member->Name);
        member->Left = std::move(e);
        e = std::move(member);
      }
      if (at_ != parenAt) ThrowCompile(1044, Current().Pos);
      target = std::move(e);
    }
  }
  for (;;) {
    target->Args.push_back(ParseExpression());
    if (!Accept(TokenKind::Comma)) break;
  }
  ExpectStatementEnd();
  s->Target = std::move(target);
  return s;
}

// if -> If expr Then (NEWLINE block {ElseIf expr Then block} [Else block] End If
//                    | statements [Else statements] [End If])
StmtPtr ParserState::ParseIf() {
  const SourcePos pos = Current().Pos;
  StmtPtr s = MakeStmt(StmtKind::If, pos);
  Advance();
  s->Conds.push_back(ParseExpression());
  Expect(TokenKind::Then, 1017);
  if (!Is(TokenKind::NewLine) && !Is(TokenKind::EndOfText)) {
    ++inLineIf_;
    Block then;
    ParseSimpleStatementsInto(then, true);
    s->Blocks.push_back(std::move(then));
    if (Accept(TokenKind::Else)) {
      s->HasElse = true;
      ParseSimpleStatementsInto(s->ElseBody, true);
    }
    if (Is(TokenKind::End) && PeekToken(1).Kind == TokenKind::If) {
      Advance();
      Advance();
    }
    --inLineIf_;
    ExpectStatementEnd();
    return s;
  }
  const int savedLineIf = inLineIf_;
  inLineIf_ = 0;
  s->Blocks.push_back(ParseBlock());
  while (Is(TokenKind::ElseIf)) {
    Advance();
    s->Conds.push_back(ParseExpression());
    Expect(TokenKind::Then, 1017);
    s->Blocks.push_back(ParseBlock());
  }
  if (Accept(TokenKind::Else)) {
    s->HasElse = true;
    s->ElseBody = ParseBlock();
  }
  ExpectEnd(TokenKind::If, "If", pos);
  inLineIf_ = savedLineIf;
  ExpectStatementEnd();
  return s;
}

// The statements of a one-line If branch: stmt {':' stmt} up to Else or the line's end.
void ParserState::ParseSimpleStatementsInto(Block& block, bool inLineIf) {
  for (;;) {
    while (Accept(TokenKind::Colon)) {
    }
    if (Is(TokenKind::NewLine) || Is(TokenKind::EndOfText) || Is(TokenKind::Else)) return;
    if (Is(TokenKind::End) && PeekToken(1).Kind == TokenKind::If) return;
    ParseStatementInto(block);
    if (!Is(TokenKind::Colon)) return;
  }
}

// select -> Select Case expr { Case (Else | expr {',' expr}) block } End Select
StmtPtr ParserState::ParseSelect() {
  const SourcePos pos = Current().Pos;
  StmtPtr s = MakeStmt(StmtKind::Select, pos);
  Advance();
  Expect(TokenKind::Case, 1021);
  s->Value = ParseExpression();
  ExpectStatementEnd();
  SkipNewLines();
  while (Accept(TokenKind::Case)) {
    if (Accept(TokenKind::Else)) {
      s->HasElse = true;
      s->ElseBody = ParseBlock();
      break;
    }
    CaseClause clause;
    for (;;) {
      clause.Values.push_back(ParseExpression());
      if (!Accept(TokenKind::Comma)) break;
    }
    clause.Body = ParseBlock();
    s->Cases.push_back(std::move(clause));
  }
  ExpectEnd(TokenKind::Select, "Select", pos);
  ExpectStatementEnd();
  return s;
}

// for -> For NAME '=' expr To expr [Step expr] block Next
//      | For Each NAME In expr block Next
StmtPtr ParserState::ParseFor() {
  const SourcePos pos = Current().Pos;
  Advance();
  const bool each = Accept(TokenKind::Each);
  StmtPtr s = MakeStmt(each ? StmtKind::ForEach : StmtKind::For, pos);
  if (!IsNameToken()) ThrowCompile(1040, Current().Pos);
  auto counter = std::make_unique<Expr>();
  counter->Kind = ExprKind::Name;
  counter->Pos = Current().Pos;
  counter->Name = Advance().Text;
  counter->Key = LowerAscii(counter->Name);
  s->Target = std::move(counter);
  if (each) {
    Expect(TokenKind::In, 1046);
    s->Value = ParseExpression();
  } else {
    Expect(TokenKind::Equal, 1011);
    s->Value = ParseExpression();
    Expect(TokenKind::To, 1013);
    s->Limit = ParseExpression();
    if (Accept(TokenKind::Step)) s->StepExpr = ParseExpression();
  }
  ExpectStatementEnd();
  ++loopDepthFor_;
  s->Body = ParseBlock();
  --loopDepthFor_;
  if (!Accept(TokenKind::Next)) ThrowCompile(1020, Current().Pos, OpenedAt("Next", "For", pos));
  ExpectStatementEnd();
  return s;
}

// do -> Do [(While|Until) expr] block Loop [(While|Until) expr]
StmtPtr ParserState::ParseDo() {
  const SourcePos pos = Current().Pos;
  StmtPtr s = MakeStmt(StmtKind::Loop, pos);
  Advance();
  if (Is(TokenKind::While) || Is(TokenKind::Until)) {
    s->Until = Is(TokenKind::Until);
    Advance();
    s->Cond = ParseExpression();
  } else if (!AtStatementEnd()) {
    ThrowCompile(1028, Current().Pos);
  }
  ExpectStatementEnd();
  ++loopDepthDo_;
  s->Body = ParseBlock();
  --loopDepthDo_;
  if (!Is(TokenKind::Loop)) ThrowCompile(1019, Current().Pos, OpenedAt("Loop", "Do", pos));
  const SourcePos loopPos = Current().Pos;
  Advance();
  if (Is(TokenKind::While) || Is(TokenKind::Until)) {
    if (s->Cond) ThrowCompile(1025, Current().Pos);
    s->Until = Is(TokenKind::Until);
    Advance();
    s->Cond = ParseExpression();
    s->PreTest = false;
    s->Cond->Pos = loopPos;
  }
  ExpectStatementEnd();
  return s;
}

// while -> While expr block Wend
StmtPtr ParserState::ParseWhile() {
  const SourcePos pos = Current().Pos;
  StmtPtr s = MakeStmt(StmtKind::Loop, pos);
  Advance();
  s->Cond = ParseExpression();
  ExpectStatementEnd();
  s->Body = ParseBlock();
  if (!Accept(TokenKind::Wend)) ThrowCompile(1018, Current().Pos, OpenedAt("Wend", "While", pos));
  ExpectStatementEnd();
  return s;
}

// with -> With expr block End With
StmtPtr ParserState::ParseWith() {
  const SourcePos pos = Current().Pos;
  StmtPtr s = MakeStmt(StmtKind::With, pos);
  Advance();
  s->Value = ParseExpression();
  ExpectStatementEnd();
  s->Body = ParseBlock();
  ExpectEnd(TokenKind::With, "With", pos);
  ExpectStatementEnd();
  return s;
}

// exit -> Exit (Do | For | Sub | Function | Property)
StmtPtr ParserState::ParseExit() {
  const SourcePos pos = Current().Pos;
  StmtPtr s = MakeStmt(StmtKind::Exit, pos);
  Advance();
  bool valid = false;
  switch (Kind()) {
    case TokenKind::Do:
      s->Exit = ExitKind::Do;
      valid = loopDepthDo_ > 0;
      break;
    case TokenKind::For:
      s->Exit = ExitKind::For;
      valid = loopDepthFor_ > 0;
      break;
    case TokenKind::Sub:
      s->Exit = ExitKind::Sub;
      valid = inProcedure_ && procKind_ == ProcKind::Sub;
      break;
    case TokenKind::Function:
      s->Exit = ExitKind::Function;
      valid = inProcedure_ && procKind_ == ProcKind::Function;
      break;
    case TokenKind::Property:
      s->Exit = ExitKind::Property;
      valid = inProcedure_ && procKind_ >= ProcKind::PropertyGet;
      break;
    default:
      break;
  }
  if (!valid) ThrowCompile(1039, pos);
  Advance();
  ExpectStatementEnd();
  return s;
}

// onerror -> On Error (Resume Next | GoTo 0)
StmtPtr ParserState::ParseOnError() {
  StmtPtr s = MakeStmt(StmtKind::OnError, Current().Pos);
  Advance();
  Expect(TokenKind::Error, 1002);
  if (Accept(TokenKind::Resume)) {
    Expect(TokenKind::Next, 1002);
    s->ResumeNext = true;
  } else {
    Expect(TokenKind::GoTo, 1002);
    if (!Is(TokenKind::Literal) || Current().Value.Type() != VarType::Integer ||
        Current().Value.AsInteger() != 0)
      ThrowCompile(1002, Current().Pos);
    Advance();
  }
  ExpectStatementEnd();
  return s;
}

}  // namespace chartorium::vbscript
