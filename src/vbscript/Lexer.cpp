// The lexer: one pass over the text with one state struct, as small as the language.
#include "vbscript/Lexer.h"

#include <cctype>
#include <cmath>

#include "vbscript/Conversion.h"
#include "vbscript/DateCalc.h"

namespace chartorium::vbscript {

namespace {

constexpr size_t MaxIdentifier = 255;

bool IsIdentStart(unsigned char c) {
  return std::isalpha(c) || c >= 0x80;
}
bool IsIdentChar(unsigned char c) {
  return std::isalnum(c) || c == '_' || c >= 0x80;
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

struct LexState {
  LexState(std::string_view text, const ScriptLocale& locale) : Text(text), Locale(locale) {}

  std::string_view Text;
  const ScriptLocale& Locale;
  size_t At = 0;
  int Line = 1;
  size_t LineStart = 0;
  std::vector<Token> Tokens;

  char Peek(size_t ahead = 0) const { return At + ahead < Text.size() ? Text[At + ahead] : '\0'; }
  bool AtEnd() const { return At >= Text.size(); }
  SourcePos Pos() const { return {Line, static_cast<int>(At - LineStart) + 1}; }
  TokenKind LastKind() const { return Tokens.empty() ? TokenKind::NewLine : Tokens.back().Kind; }

  void Push(TokenKind kind, SourcePos pos, std::string text = {}, Variant value = {}) {
    const size_t start = LineStart + static_cast<size_t>(pos.Column - 1);
    const bool spaced =
        start > 0 && start <= Text.size() && (Text[start - 1] == ' ' || Text[start - 1] == '\t');
    Tokens.push_back(Token{kind, pos, std::move(text), std::move(value), spaced});
  }

  // Consumes one line break (CR, LF or CR LF).
  void SkipLineBreak() {
    if (Peek() == '\r' && Peek(1) == '\n') ++At;
    ++At;
    ++Line;
    LineStart = At;
  }

  void SkipToLineEnd() {
    while (!AtEnd() && Peek() != '\r' && Peek() != '\n') ++At;
  }
};

Variant IntegerLiteral(double value) {
  if (value <= 32767) return Variant::Integer(static_cast<int16_t>(value));
  if (value <= 2147483647.0) return Variant::Long(static_cast<int32_t>(value));
  return Variant::Double(value);
}

// number -> digits ['.' digits] [('e'|'E') ['+'|'-'] digits]
void LexNumber(LexState& s) {
  const SourcePos pos = s.Pos();
  const size_t start = s.At;
  bool isFloat = false;
  while (std::isdigit(static_cast<unsigned char>(s.Peek()))) ++s.At;
  if (s.Peek() == '.') {
    isFloat = true;
    ++s.At;
    while (std::isdigit(static_cast<unsigned char>(s.Peek()))) ++s.At;
  }
  if ((s.Peek() == 'e' || s.Peek() == 'E') &&
      (std::isdigit(static_cast<unsigned char>(s.Peek(1))) ||
       ((s.Peek(1) == '+' || s.Peek(1) == '-') &&
        std::isdigit(static_cast<unsigned char>(s.Peek(2)))))) {
    isFloat = true;
    s.At += 2;
    while (std::isdigit(static_cast<unsigned char>(s.Peek()))) ++s.At;
  }
  if (IsIdentStart(static_cast<unsigned char>(s.Peek())) && s.Peek() != 'e' && s.Peek() != 'E')
    ThrowCompile(1031, pos);
  const std::string digits(s.Text.substr(start, s.At - start));
  const double value = ReadCNumber(digits);
  if (std::isinf(value)) ThrowCompile(1031, pos);
  s.Push(TokenKind::Literal, pos, digits, isFloat ? Variant::Double(value) : IntegerLiteral(value));
}

// hex -> '&H' hexdigit{1,8} ['&'] ; octal -> '&O' octdigit+ ['&']
void LexRadix(LexState& s, int radix) {
  const SourcePos pos = s.Pos();
  s.At += 2;
  uint64_t value = 0;
  int count = 0;
  for (;;) {
    const char c = s.Peek();
    int d = -1;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (radix == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    if (d < 0 || d >= radix) break;
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    ++count;
    ++s.At;
    if (count > 11 || value > 0xFFFFFFFFull) ThrowCompile(1031, pos);
  }
  bool asLong = false;
  if (s.Peek() == '&') {
    asLong = true;
    ++s.At;
  }
  int32_t result;
  if (!asLong && value <= 0xFFFF)
    result = static_cast<int16_t>(value);
  else
    result = static_cast<int32_t>(static_cast<uint32_t>(value));
  s.Push(TokenKind::Literal, pos, {},
         result >= -32768 && result <= 32767 ? Variant::Integer(static_cast<int16_t>(result))
                                             : Variant::Long(result));
}

void LexString(LexState& s) {
  const SourcePos pos = s.Pos();
  ++s.At;
  std::string text;
  for (;;) {
    if (s.AtEnd() || s.Peek() == '\r' || s.Peek() == '\n') ThrowCompile(1033, pos);
    const char c = s.Text[s.At++];
    if (c == '"') {
      if (s.Peek() != '"') break;
      ++s.At;
    }
    text += c;
  }
  s.Push(TokenKind::Literal, pos, {}, Variant::String(std::move(text)));
}

void LexDate(LexState& s) {
  const SourcePos pos = s.Pos();
  const size_t end = s.Text.find_first_of("#\r\n", s.At + 1);
  if (end == std::string_view::npos || s.Text[end] != '#') ThrowCompile(1032, pos);
  const std::optional<double> serial =
      ParseDateText(s.Text.substr(s.At + 1, end - s.At - 1), s.Locale);
  if (!serial) ThrowCompile(1002, pos, "invalid date literal");
  s.At = end + 1;
  s.Push(TokenKind::Literal, pos, {}, Variant::Date(*serial));
}

void LexWord(LexState& s) {
  const SourcePos pos = s.Pos();
  const size_t start = s.At;
  while (IsIdentChar(static_cast<unsigned char>(s.Peek()))) ++s.At;
  std::string word(s.Text.substr(start, s.At - start));
  if (word.size() > MaxIdentifier) ThrowCompile(1030, pos);
  // After '.' every word is a member name.
  if (s.LastKind() != TokenKind::Dot) {
    const std::string lower = LowerAscii(word);
    if (lower == "rem") {
      s.SkipToLineEnd();
      return;
    }
    for (size_t k = 0; k < Keywords.size(); ++k) {
      if (Keywords[k] == lower) {
        s.Push(static_cast<TokenKind>(static_cast<int>(FirstKeyword) + static_cast<int>(k)), pos,
               std::move(word));
        return;
      }
    }
  }
  s.Push(TokenKind::Identifier, pos, std::move(word));
}

bool LexOperator(LexState& s) {
  const SourcePos pos = s.Pos();
  const char c = s.Peek(), n = s.Peek(1);
  auto two = [&](TokenKind kind) {
    s.At += 2;
    s.Push(kind, pos);
    return true;
  };
  if (c == '<' && n == '>') return two(TokenKind::NotEqual);
  if (c == '>' && n == '<') return two(TokenKind::NotEqual);
  if (c == '<' && n == '=') return two(TokenKind::LessEqual);
  if (c == '=' && n == '<') return two(TokenKind::LessEqual);
  if (c == '>' && n == '=') return two(TokenKind::GreaterEqual);
  if (c == '=' && n == '>') return two(TokenKind::GreaterEqual);
  TokenKind kind;
  switch (c) {
    case '+':
      kind = TokenKind::Plus;
      break;
    case '-':
      kind = TokenKind::Minus;
      break;
    case '*':
      kind = TokenKind::Star;
      break;
    case '/':
      kind = TokenKind::Slash;
      break;
    case '\\':
      kind = TokenKind::Backslash;
      break;
    case '^':
      kind = TokenKind::Caret;
      break;
    case '&':
      kind = TokenKind::Ampersand;
      break;
    case '=':
      kind = TokenKind::Equal;
      break;
    case '<':
      kind = TokenKind::Less;
      break;
    case '>':
      kind = TokenKind::Greater;
      break;
    case '(':
      kind = TokenKind::LeftParen;
      break;
    case ')':
      kind = TokenKind::RightParen;
      break;
    case ',':
      kind = TokenKind::Comma;
      break;
    case '.':
      kind = TokenKind::Dot;
      break;
    case ':':
      kind = TokenKind::Colon;
      break;
    default:
      return false;
  }
  ++s.At;
  s.Push(kind, pos);
  return true;
}

}  // namespace

std::vector<Token> Tokenize(std::string_view text, const ScriptLocale& locale) {
  LexState s(text, locale);
  while (!s.AtEnd()) {
    const char c = s.Peek();
    const unsigned char u = static_cast<unsigned char>(c);
    if (IsBlank(c)) {
      ++s.At;
    } else if (c == '\r' || c == '\n') {
      s.Push(TokenKind::NewLine, s.Pos());
      s.SkipLineBreak();
    } else if (c == '\'') {
      s.SkipToLineEnd();
    } else if (c == '_') {
      // A continuation joins the next line; only blanks may follow it.
      const SourcePos pos = s.Pos();
      ++s.At;
      while (IsBlank(s.Peek())) ++s.At;
      if (s.Peek() != '\r' && s.Peek() != '\n') ThrowCompile(1032, pos);
      s.SkipLineBreak();
    } else if (IsIdentStart(u)) {
      LexWord(s);
    } else if (std::isdigit(u) ||
               (c == '.' && std::isdigit(static_cast<unsigned char>(s.Peek(1))) &&
                s.LastKind() != TokenKind::Identifier && s.LastKind() != TokenKind::RightParen)) {
      LexNumber(s);
    } else if (c == '"') {
      LexString(s);
    } else if (c == '&' && (s.Peek(1) == 'h' || s.Peek(1) == 'H') &&
               std::isxdigit(static_cast<unsigned char>(s.Peek(2)))) {
      LexRadix(s, 16);
    } else if (c == '&' && (s.Peek(1) == 'o' || s.Peek(1) == 'O') && s.Peek(2) >= '0' &&
               s.Peek(2) <= '7') {
      LexRadix(s, 8);
    } else if (c == '#') {
      LexDate(s);
    } else if (c == '[') {
      const SourcePos pos = s.Pos();
      const size_t end = s.Text.find_first_of("]\r\n", s.At + 1);
      if (end == std::string_view::npos || s.Text[end] != ']') ThrowCompile(1007, pos);
      s.Push(TokenKind::Identifier, pos, std::string(s.Text.substr(s.At + 1, end - s.At - 1)));
      s.At = end + 1;
    } else if (!LexOperator(s)) {
      ThrowCompile(1032, s.Pos());
    }
  }
  s.Push(TokenKind::NewLine, s.Pos());
  s.Push(TokenKind::EndOfText, s.Pos());
  return std::move(s.Tokens);
}

std::string_view TokenKindText(TokenKind kind) {
  switch (kind) {
    case TokenKind::EndOfText:
      return "end of text";
    case TokenKind::NewLine:
      return "end of line";
    case TokenKind::Identifier:
      return "identifier";
    case TokenKind::Literal:
      return "literal";
    default:
      break;
  }
  if (kind >= FirstKeyword)
    return Keywords[static_cast<size_t>(static_cast<int>(kind) - static_cast<int>(FirstKeyword))];
  return "operator";
}

}  // namespace chartorium::vbscript
