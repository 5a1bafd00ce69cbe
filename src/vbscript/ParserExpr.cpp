// Expression rules of the parser, with the one table of operator priorities.
#include "vbscript/Conversion.h"
#include "vbscript/Lexer.h"
#include "vbscript/Parser.h"
#include "vbscript/ParserState.h"

namespace chartorium::vbscript {

namespace {

struct BinaryPriority {
  TokenKind Token;
  Op Operator;
  int Priority;  ///< higher binds tighter; all binary operators are left-associative
};

constexpr BinaryPriority BinaryPriorities[] = {
    {TokenKind::Imp, Op::Imp, 1},           {TokenKind::Eqv, Op::Eqv, 2},
    {TokenKind::Xor, Op::Xor, 3},           {TokenKind::Or, Op::Or, 4},
    {TokenKind::And, Op::And, 5},           {TokenKind::Equal, Op::Eq, 7},
    {TokenKind::NotEqual, Op::Ne, 7},       {TokenKind::Less, Op::Lt, 7},
    {TokenKind::Greater, Op::Gt, 7},        {TokenKind::LessEqual, Op::Le, 7},
    {TokenKind::GreaterEqual, Op::Ge, 7},   {TokenKind::Is, Op::Is, 7},
    {TokenKind::Ampersand, Op::Concat, 8},  {TokenKind::Plus, Op::Plus, 9},
    {TokenKind::Minus, Op::Minus, 9},       {TokenKind::Mod, Op::Mod, 10},
    {TokenKind::Backslash, Op::IntDiv, 11}, {TokenKind::Star, Op::Mul, 12},
    {TokenKind::Slash, Op::Div, 12},        {TokenKind::Caret, Op::Pow, 13},
};

constexpr int NotPriority = 6;     // Not applies to a whole comparison
constexpr int UnaryPriority = 14;  // unary minus binds tighter than ^: -3^2 = 9

const BinaryPriority* FindBinary(TokenKind kind) {
  for (const BinaryPriority& b : BinaryPriorities)
    if (b.Token == kind) return &b;
  return nullptr;
}

ExprPtr MakeExpr(ExprKind kind, SourcePos pos) {
  auto e = std::make_unique<Expr>();
  e->Kind = kind;
  e->Pos = pos;
  return e;
}

}  // namespace

const Token& ParserState::PeekToken(size_t ahead) const {
  const size_t i = at_ + ahead;
  return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

bool ParserState::Accept(TokenKind kind) {
  if (!Is(kind)) return false;
  Advance();
  return true;
}

void ParserState::Expect(TokenKind kind, int errorNumber) {
  if (!Accept(kind)) ThrowCompile(errorNumber, Current().Pos);
}

void ParserState::EnterLevel() {
  if (++depth_ > MaxParseDepth) ThrowCompile(28, Current().Pos, "nesting too deep");
}

// Words that are reserved yet may name variables and procedures.
bool ParserState::IsNameToken() const {
  switch (Kind()) {
    case TokenKind::Identifier:
    case TokenKind::Default:
    case TokenKind::Error:
    case TokenKind::Explicit:
    case TokenKind::Property:
    case TokenKind::Step:
      return true;
    default:
      return false;
  }
}

std::string ParserState::ExpectName() {
  if (!IsNameToken()) ThrowCompile(1010, Current().Pos);
  return Advance().Text;
}

// expr -> subexpr(0)
ExprPtr ParserState::ParseExpression() {
  return ParseSubExpression(0);
}

// subexpr -> (Not subexpr | ('-'|'+') subexpr | simpleexp) { binop subexpr }
ExprPtr ParserState::ParseSubExpression(int limit) {
  EnterLevel();
  ExprPtr left;
  const SourcePos pos = Current().Pos;
  if (Accept(TokenKind::Not)) {
    left = MakeExpr(ExprKind::Unary, pos);
    left->Operator = Op::Not;
    left->Left = ParseSubExpression(NotPriority);
  } else if (Is(TokenKind::Minus) || Is(TokenKind::Plus)) {
    const bool minus = Is(TokenKind::Minus);
    Advance();
    left = MakeExpr(ExprKind::Unary, pos);
    left->Operator = minus ? Op::Neg : Op::Pos;
    left->Left = ParseSubExpression(UnaryPriority);
  } else {
    left = ParseSimple();
  }
  for (;;) {
    const BinaryPriority* binary = FindBinary(Kind());
    if (!binary || binary->Priority <= limit) break;
    const SourcePos opPos = Current().Pos;
    Advance();
    ExprPtr node = MakeExpr(ExprKind::Binary, opPos);
    node->Operator = binary->Operator;
    node->Left = std::move(left);
    node->Right = ParseSubExpression(binary->Priority);
    left = std::move(node);
  }
  LeaveLevel();
  return left;
}

// simpleexp -> literal | True | False | Empty | Null | Nothing | New NAME | Me | '(' expr ')'
//            | reference
ExprPtr ParserState::ParseSimple() {
  const Token& token = Current();
  const SourcePos pos = token.Pos;
  switch (token.Kind) {
    case TokenKind::Literal: {
      ExprPtr e = MakeExpr(ExprKind::Literal, pos);
      e->Value = token.Value;
      Advance();
      return e;
    }
    case TokenKind::True:
    case TokenKind::False:
    case TokenKind::Empty:
    case TokenKind::Null:
    case TokenKind::Nothing: {
      ExprPtr e = MakeExpr(ExprKind::Literal, pos);
      if (token.Kind == TokenKind::True) e->Value = Variant::Boolean(true);
      if (token.Kind == TokenKind::False) e->Value = Variant::Boolean(false);
      if (token.Kind == TokenKind::Null) e->Value = Variant::MakeNull();
      if (token.Kind == TokenKind::Nothing) e->Value = Variant::Nothing();
      Advance();
      return e;
    }
    case TokenKind::New: {
      Advance();
      ExprPtr e = MakeExpr(ExprKind::New, pos);
      e->Name = ExpectName();
      e->Key = LowerAscii(e->Name);
      return e;
    }
    case TokenKind::Me:
      Advance();
      return ParsePostfix(MakeExpr(ExprKind::Me, pos));
    case TokenKind::LeftParen: {
      Advance();
      ExprPtr e = MakeExpr(ExprKind::Paren, pos);
      e->Left = ParseExpression();
      Expect(TokenKind::RightParen, 1006);
      return ParsePostfix(std::move(e));
    }
    default:
      if (IsNameToken() || Is(TokenKind::Dot)) return ParseReference();
      ThrowCompile(1023, pos);
  }
}

// reference -> (NAME | '.' NAME) { '.' NAME | '(' [args] ')' }
ExprPtr ParserState::ParseReference() {
  const SourcePos pos = Current().Pos;
  ExprPtr e;
  if (Accept(TokenKind::Dot)) {
    e = MakeExpr(ExprKind::Member, pos);
    if (!Is(TokenKind::Identifier)) ThrowCompile(1010, Current().Pos);
    e->Name = Advance().Text;
  } else {
    e = MakeExpr(ExprKind::Name, pos);
    e->Name = ExpectName();
  }
  e->Key = LowerAscii(e->Name);
  return ParsePostfix(std::move(e));
}

ExprPtr ParserState::ParsePostfix(ExprPtr base) {
  for (;;) {
    if (Is(TokenKind::Dot) && !Current().SpaceBefore) {
      const SourcePos pos = Current().Pos;
      Advance();
      if (!Is(TokenKind::Identifier)) ThrowCompile(1010, Current().Pos);
      ExprPtr member = MakeExpr(ExprKind::Member, pos);
      member->Name = Advance().Text;
      member->Key = LowerAscii(member->Name);
      member->Left = std::move(base);
      base = std::move(member);
    } else if (Is(TokenKind::LeftParen)) {
      const SourcePos pos = Current().Pos;
      Advance();
      if ((base->Kind == ExprKind::Name || base->Kind == ExprKind::Member) && !base->HasParens) {
        base->HasParens = true;
        ParseArgList(base->Args);
      } else {
        ExprPtr apply = MakeExpr(ExprKind::Apply, pos);
        apply->Left = std::move(base);
        apply->HasParens = true;
        ParseArgList(apply->Args);
        base = std::move(apply);
      }
    } else {
      return base;
    }
  }
}

// args -> [expr {',' expr}] ')'
void ParserState::ParseArgList(std::vector<ExprPtr>& args) {
  if (Accept(TokenKind::RightParen)) return;
  for (;;) {
    if (Is(TokenKind::Comma) || Is(TokenKind::RightParen)) {
      // A left-out argument: built-ins with optional parameters take their default.
      auto missing = std::make_unique<Expr>();
      missing->Kind = ExprKind::Literal;
      missing->Pos = Current().Pos;
      missing->Value = Variant::ErrorCode(MissingArgument);
      args.push_back(std::move(missing));
      if (Accept(TokenKind::Comma)) continue;
      Expect(TokenKind::RightParen, 1006);
      return;
    }
    args.push_back(ParseExpression());
    if (Accept(TokenKind::Comma)) continue;
    Expect(TokenKind::RightParen, 1006);
    return;
  }
}

ExprPtr ParserState::ParseWholeExpression() {
  while (Is(TokenKind::NewLine)) Advance();
  ExprPtr e = ParseExpression();
  while (Is(TokenKind::NewLine)) Advance();
  if (!Is(TokenKind::EndOfText)) ThrowCompile(1025, Current().Pos);
  return e;
}

ScriptBlock ParseScript(std::string_view text, const ScriptLocale& locale) {
  ParserState parser(Tokenize(text, locale));
  return parser.ParseProgram();
}

ExprPtr ParseExpressionText(std::string_view text, const ScriptLocale& locale) {
  ParserState parser(Tokenize(text, locale));
  return parser.ParseWholeExpression();
}

}  // namespace chartorium::vbscript
