// Declaration rules of the parser: Dim, ReDim, Const, procedures and classes.
#include "vbscript/Conversion.h"
#include "vbscript/ParserState.h"

namespace chartorium::vbscript {

// dim -> NAME ['(' [intconst {',' intconst}] ')'] {',' ...}
StmtPtr ParserState::ParseDim(StmtKind kind, bool isPublic) {
  StmtPtr s = MakeStmt(kind, Current().Pos);
  for (;;) {
    Declaration d;
    d.Pos = Current().Pos;
    d.Name = ExpectName();
    d.Key = LowerAscii(d.Name);
    d.Public = isPublic;
    if (Accept(TokenKind::LeftParen)) {
      d.IsArray = true;
      if (!Accept(TokenKind::RightParen)) {
        for (;;) {
          if (!Is(TokenKind::Literal) || !(Current().Value.Type() == VarType::Integer ||
                                           Current().Value.Type() == VarType::Long))
            ThrowCompile(1026, Current().Pos);
          auto bound = std::make_unique<Expr>();
          bound->Kind = ExprKind::Literal;
          bound->Pos = Current().Pos;
          bound->Value = Advance().Value;
          d.Bounds.push_back(std::move(bound));
          if (Accept(TokenKind::Comma)) continue;
          Expect(TokenKind::RightParen, 1006);
          break;
        }
      }
    }
    s->Decls.push_back(std::move(d));
    if (!Accept(TokenKind::Comma)) break;
  }
  ExpectStatementEnd();
  return s;
}

// redim -> ReDim [Preserve] NAME '(' expr {',' expr} ')' {',' ...}
StmtPtr ParserState::ParseReDim() {
  StmtPtr s = MakeStmt(StmtKind::ReDim, Current().Pos);
  Advance();
  s->Preserve = Accept(TokenKind::Preserve);
  for (;;) {
    Declaration d;
    d.Pos = Current().Pos;
    d.Name = ExpectName();
    d.Key = LowerAscii(d.Name);
    d.IsArray = true;
    Expect(TokenKind::LeftParen, 1005);
    for (;;) {
      d.Bounds.push_back(ParseExpression());
      if (Accept(TokenKind::Comma)) continue;
      Expect(TokenKind::RightParen, 1006);
      break;
    }
    s->Decls.push_back(std::move(d));
    if (!Accept(TokenKind::Comma)) break;
  }
  ExpectStatementEnd();
  return s;
}

// const -> NAME '=' ['-'] literal {',' ...}
namespace {

bool IsOperator(TokenKind kind) {
  switch (kind) {
    case TokenKind::Plus:
    case TokenKind::Minus:
    case TokenKind::Star:
    case TokenKind::Slash:
    case TokenKind::Backslash:
    case TokenKind::Caret:
    case TokenKind::Ampersand:
    case TokenKind::Equal:
    case TokenKind::NotEqual:
    case TokenKind::Less:
    case TokenKind::Greater:
    case TokenKind::LessEqual:
    case TokenKind::GreaterEqual:
    case TokenKind::Dot:
    case TokenKind::And:
    case TokenKind::Or:
    case TokenKind::Xor:
    case TokenKind::Eqv:
    case TokenKind::Imp:
    case TokenKind::Mod:
    case TokenKind::Is:
      return true;
    default:
      return false;
  }
}

}  // namespace

StmtPtr ParserState::ParseConst(bool isPublic) {
  StmtPtr s = MakeStmt(StmtKind::Const, Current().Pos);
  for (;;) {
    Declaration d;
    d.Pos = Current().Pos;
    d.Name = ExpectName();
    d.Key = LowerAscii(d.Name);
    d.Public = isPublic;
    Expect(TokenKind::Equal, 1011);
    const SourcePos valuePos = Current().Pos;
    const bool negative = Accept(TokenKind::Minus);
    auto value = std::make_unique<Expr>();
    value->Kind = ExprKind::Literal;
    value->Pos = Current().Pos;
    switch (Kind()) {
      case TokenKind::Literal:
        value->Value = Current().Value;
        break;
      case TokenKind::True:
        value->Value = Variant::Boolean(true);
        break;
      case TokenKind::False:
        value->Value = Variant::Boolean(false);
        break;
      case TokenKind::Null:
        value->Value = Variant::MakeNull();
        break;
      case TokenKind::Empty:
        break;
      case TokenKind::Nothing:
        value->Value = Variant::Nothing();
        break;
      default:
        ThrowCompile(1045, Current().Pos);
    }
    if (negative && !value->Value.IsNumeric()) ThrowCompile(1045, Current().Pos);
    Advance();
    // `Const c = 1 + 2`: the value is an expression, not a literal.
    if (IsOperator(Kind())) ThrowCompile(1045, valuePos);
    if (negative) {
      auto neg = std::make_unique<Expr>();
      neg->Kind = ExprKind::Unary;
      neg->Operator = Op::Neg;
      neg->Pos = d.Pos;
      neg->Left = std::move(value);
      value = std::move(neg);
    }
    d.Value = std::move(value);
    s->Decls.push_back(std::move(d));
    if (!Accept(TokenKind::Comma)) break;
  }
  ExpectStatementEnd();
  return s;
}

// procedure -> (Sub | Function | Property (Get|Let|Set)) NAME ['(' params ')'] block End ...
void ParserState::ParseProcedure(bool isPublic, bool isDefault,
                                 std::vector<std::unique_ptr<ProcDecl>>& into) {
  const SourcePos pos = Current().Pos;
  if (inProcedure_) ThrowCompile(1024, pos);
  auto proc = std::make_unique<ProcDecl>();
  proc->Pos = pos;
  proc->Public = isPublic;
  proc->Default = isDefault;
  TokenKind closer = Kind();
  std::string_view what = "Sub";
  if (Accept(TokenKind::Sub)) {
    proc->Kind = ProcKind::Sub;
  } else if (Accept(TokenKind::Function)) {
    proc->Kind = ProcKind::Function;
    what = "Function";
  } else if (Accept(TokenKind::Property)) {
    if (!inClass_) ThrowCompile(1048, pos);
    what = "Property";
    if (Accept(TokenKind::Get))
      proc->Kind = ProcKind::PropertyGet;
    else if (Accept(TokenKind::Let))
      proc->Kind = ProcKind::PropertyLet;
    else if (Accept(TokenKind::Set))
      proc->Kind = ProcKind::PropertySet;
    else
      ThrowCompile(1049, Current().Pos);
    if (isDefault && proc->Kind != ProcKind::PropertyGet) ThrowCompile(1058, pos);
  } else {
    ThrowCompile(1024, pos);
  }
  proc->Name = ExpectName();
  proc->Key = LowerAscii(proc->Name);
  const bool hasParens = Is(TokenKind::LeftParen);
  if (Accept(TokenKind::LeftParen) && !Accept(TokenKind::RightParen)) {
    for (;;) {
      Parameter p;
      if (Accept(TokenKind::ByVal))
        p.ByVal = true;
      else
        Accept(TokenKind::ByRef);
      p.Pos = Current().Pos;
      p.Name = ExpectName();
      p.Key = LowerAscii(p.Name);
      if (Accept(TokenKind::LeftParen)) Expect(TokenKind::RightParen, 1006);
      proc->Params.push_back(std::move(p));
      if (Accept(TokenKind::Comma)) continue;
      Expect(TokenKind::RightParen, 1006);
      break;
    }
  }
  if ((proc->Kind == ProcKind::PropertyLet || proc->Kind == ProcKind::PropertySet) &&
      proc->Params.empty())
    ThrowCompile(1054, pos);
  if (inClass_ && (proc->Key == "class_initialize" || proc->Key == "class_terminate") &&
      !proc->Params.empty())
    ThrowCompile(1053, pos);
  // "Sub s() x = 1 End Sub": statements may follow the parameter list directly.
  if (!hasParens) ExpectStatementEnd();
  inProcedure_ = true;
  procKind_ = proc->Kind;
  const int savedDo = loopDepthDo_, savedFor = loopDepthFor_;
  loopDepthDo_ = loopDepthFor_ = 0;
  proc->Body = ParseBlock();
  loopDepthDo_ = savedDo;
  loopDepthFor_ = savedFor;
  inProcedure_ = false;
  ExpectEnd(closer, what, pos);
  ExpectStatementEnd();
  into.push_back(std::move(proc));
}

// class -> Class NAME { field | procedure } End Class
void ParserState::ParseClass() {
  const SourcePos pos = Current().Pos;
  if (inProcedure_ || inClass_) ThrowCompile(1024, pos);
  Advance();
  auto decl = std::make_unique<ClassDecl>();
  decl->Pos = pos;
  decl->Name = ExpectName();
  decl->Key = LowerAscii(decl->Name);
  if (!Is(TokenKind::NewLine) && !Is(TokenKind::Colon)) ThrowCompile(1025, Current().Pos);
  inClass_ = true;
  int defaults = 0;
  for (;;) {
    SkipNewLines();
    if (Is(TokenKind::End) || Is(TokenKind::EndOfText)) break;
    const SourcePos memberPos = Current().Pos;
    bool isPublic = true;
    bool hasModifier = false;
    if (Is(TokenKind::Public) || Is(TokenKind::Private)) {
      isPublic = Is(TokenKind::Public);
      hasModifier = true;
      Advance();
    }
    const bool isDefault = Accept(TokenKind::Default);
    if (isDefault && !isPublic) ThrowCompile(1057, memberPos);
    if (Is(TokenKind::Sub) || Is(TokenKind::Function) || Is(TokenKind::Property)) {
      if (isDefault && ++defaults > 1) ThrowCompile(1052, memberPos);
      ParseProcedure(isPublic, isDefault, decl->Procs);
      continue;
    }
    if (isDefault) ThrowCompile(1056, memberPos);
    if (Accept(TokenKind::Dim) || hasModifier) {
      StmtPtr fields = ParseDim(StmtKind::Dim, isPublic);
      for (Declaration& d : fields->Decls) decl->Fields.push_back({std::move(d), isPublic});
      continue;
    }
    ThrowCompile(1024, memberPos);
  }
  inClass_ = false;
  ExpectEnd(TokenKind::Class, "Class", pos);
  ExpectStatementEnd();
  block_->Classes.push_back(std::move(decl));
}

}  // namespace chartorium::vbscript
