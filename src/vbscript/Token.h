// Tokens of VBScript text: a kind, a position, and a literal value or name.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "vbscript/ScriptError.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

enum class TokenKind : uint8_t {
  EndOfText,
  NewLine,  ///< end of a line; ':' is its own token
  Colon,
  Identifier,
  Literal,  ///< number, string or date; the value is in Token::Value
  // operators
  Plus,
  Minus,
  Star,
  Slash,
  Backslash,
  Caret,
  Ampersand,
  Equal,
  NotEqual,
  Less,
  Greater,
  LessEqual,
  GreaterEqual,
  LeftParen,
  RightParen,
  Comma,
  Dot,
  // reserved words, in the order of Keywords below
  And,
  ByRef,
  ByVal,
  Call,
  Case,
  Class,
  Const,
  Default,
  Dim,
  Do,
  Each,
  Else,
  ElseIf,
  Empty,
  End,
  Eqv,
  Error,
  Exit,
  Explicit,
  False,
  For,
  Function,
  Get,
  GoTo,
  If,
  Imp,
  In,
  Is,
  Let,
  Loop,
  Me,
  Mod,
  New,
  Next,
  Not,
  Nothing,
  Null,
  On,
  Option,
  Or,
  Preserve,
  Private,
  Property,
  Public,
  ReDim,
  Resume,
  Select,
  Set,
  Step,
  Stop,
  Sub,
  Then,
  To,
  True,
  Until,
  Wend,
  While,
  With,
  Xor,
};

inline constexpr TokenKind FirstKeyword = TokenKind::And;

/// Reserved words in TokenKind order (Rem is handled by the lexer as a comment).
inline constexpr std::array<std::string_view, 59> Keywords = {
    "and",      "byref",   "byval",    "call",    "case",   "class",    "const",  "default",
    "dim",      "do",      "each",     "else",    "elseif", "empty",    "end",    "eqv",
    "error",    "exit",    "explicit", "false",   "for",    "function", "get",    "goto",
    "if",       "imp",     "in",       "is",      "let",    "loop",     "me",     "mod",
    "new",      "next",    "not",      "nothing", "null",   "on",       "option", "or",
    "preserve", "private", "property", "public",  "redim",  "resume",   "select", "set",
    "step",     "stop",    "sub",      "then",    "to",     "true",     "until",  "wend",
    "while",    "with",    "xor"};

static_assert(static_cast<int>(FirstKeyword) + Keywords.size() - 1 ==
                  static_cast<int>(TokenKind::Xor),
              "Keywords lists every reserved-word token in order");

struct Token {
  TokenKind Kind = TokenKind::EndOfText;
  SourcePos Pos;
  std::string Text;          ///< identifier or keyword as written
  Variant Value;             ///< literal value
  bool SpaceBefore = false;  ///< blank before it: " .x" after a name starts a With member
};

/// The text of a token kind for messages ("'End'", "identifier").
std::string_view TokenKindText(TokenKind kind);

}  // namespace chartorium::vbscript
