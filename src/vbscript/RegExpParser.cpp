// The pattern parser: recursive descent over UTF-16 units, one function per rule. Only groups
// recurse, and their depth is limited, so no pattern can exhaust the C++ stack.
#include "vbscript/RegExpParser.h"

#include <algorithm>
#include <limits>

#include "vbscript/ScriptError.h"

namespace chartorium::vbscript {

namespace {

using Range = RegexCharSet::Range;

constexpr int SyntaxError = 5017;
constexpr int UnexpectedQuantifier = 5018;
constexpr int ExpectedBracket = 5019;
constexpr int ExpectedParen = 5020;
constexpr int InvalidRange = 5021;
constexpr int OutOfStackSpace = 28;

// Counts beyond this are read as this: no text is that long anyway.
constexpr int32_t MaxCount = std::numeric_limits<int32_t>::max() / 2;

void SortAndMerge(std::vector<Range>& ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const Range& a, const Range& b) { return a.First < b.First; });
  std::vector<Range> merged;
  for (const Range& r : ranges) {
    if (!merged.empty() && r.First <= merged.back().Last + 1) {
      merged.back().Last = std::max(merged.back().Last, r.Last);
      continue;
    }
    merged.push_back(r);
  }
  ranges = std::move(merged);
}

std::vector<Range> Complement(std::vector<Range> ranges) {
  SortAndMerge(ranges);
  std::vector<Range> gaps;
  int32_t next = 0;
  for (const Range& r : ranges) {
    if (r.First > next)
      gaps.push_back({static_cast<char16_t>(next), static_cast<char16_t>(r.First - 1)});
    next = r.Last + 1;
  }
  if (next <= 0xFFFF) gaps.push_back({static_cast<char16_t>(next), u'\xFFFF'});
  return gaps;
}

// The units of \d, \w and \s; their upper-case letters give the complements.
std::vector<Range> ClassEscapeRanges(char16_t letter) {
  std::vector<Range> ranges;
  switch (letter) {
    case u'd':
    case u'D':
      ranges = {{u'0', u'9'}};
      break;
    case u'w':
    case u'W':
      ranges = {{u'0', u'9'}, {u'A', u'Z'}, {u'_', u'_'}, {u'a', u'z'}};
      break;
    default:  // s, S: space, tab, line feed, vertical tab, form feed, carriage return
      ranges = {{u'\t', u'\r'}, {u' ', u' '}};
      break;
  }
  if (letter == u'D' || letter == u'W' || letter == u'S') return Complement(std::move(ranges));
  return ranges;
}

bool IsClassEscapeLetter(char16_t c) {
  return c == u'd' || c == u'D' || c == u'w' || c == u'W' || c == u's' || c == u'S';
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsOctal(char16_t c) {
  return c >= u'0' && c <= u'7';
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

RegexNode MakeNode(RegexNodeKind kind, int32_t value = 0) {
  RegexNode node;
  node.Kind = kind;
  node.Value = value;
  return node;
}

/// One member of a character class: a single unit, or the units of a class escape.
struct ClassAtom {
  bool IsUnit = true;
  char16_t Unit = 0;
  std::vector<Range> Ranges;
};

class Parser {
 public:
  explicit Parser(std::u16string_view pattern) : p_(pattern) {}

  ParsedRegex Run() {
    out_.Root = Disjunction();
    // Only an unmatched ')' can stop the top level early.
    if (!AtEnd()) ThrowRuntime(SyntaxError);
    return std::move(out_);
  }

 private:
  bool AtEnd() const { return pos_ >= p_.size(); }
  char16_t Peek(size_t ahead = 0) const {
    return pos_ + ahead < p_.size() ? p_[pos_ + ahead] : char16_t{0};
  }
  bool Has(size_t ahead) const { return pos_ + ahead < p_.size(); }

  // disjunction -> alternative ('|' alternative)*
  RegexNode Disjunction() {
    RegexNode first = Alternative();
    if (AtEnd() || Peek() != u'|') return first;
    RegexNode alternation = MakeNode(RegexNodeKind::Alternation);
    alternation.Children.push_back(std::move(first));
    while (!AtEnd() && Peek() == u'|') {
      ++pos_;
      alternation.Children.push_back(Alternative());
    }
    return alternation;
  }

  // alternative -> term*
  RegexNode Alternative() {
    RegexNode sequence = MakeNode(RegexNodeKind::Sequence);
    while (!AtEnd() && Peek() != u'|' && Peek() != u')') Term(sequence.Children);
    if (sequence.Children.empty()) return MakeNode(RegexNodeKind::Empty);
    if (sequence.Children.size() == 1) return std::move(sequence.Children.front());
    return sequence;
  }

  // term -> assertion | atom quantifier?
  void Term(std::vector<RegexNode>& items) {
    if (QuantifierAhead()) ThrowRuntime(UnexpectedQuantifier);
    const char16_t c = Peek();
    if (c == u'^' || c == u'$') {
      ++pos_;
      items.push_back(
          MakeNode(RegexNodeKind::Assertion,
                   static_cast<int32_t>(c == u'^' ? RegexOp::TextStart : RegexOp::TextEnd)));
      return;
    }
    if (c == u'\\' && (Peek(1) == u'b' || Peek(1) == u'B')) {
      const bool word = Peek(1) == u'b';
      pos_ += 2;
      items.push_back(
          MakeNode(RegexNodeKind::Assertion,
                   static_cast<int32_t>(word ? RegexOp::WordBoundary : RegexOp::NotWordBoundary)));
      return;
    }
    RegexNode atom = Atom();
    int32_t min = 0;
    int32_t max = -1;
    if (!ReadQuantifier(min, max)) {
      items.push_back(std::move(atom));
      return;
    }
    RegexNode repeat = MakeNode(RegexNodeKind::Repeat);
    repeat.Min = min;
    repeat.Max = max;
    if (!AtEnd() && Peek() == u'?') {
      ++pos_;
      repeat.Greedy = false;
    }
    repeat.Children.push_back(std::move(atom));
    items.push_back(std::move(repeat));
  }

  // quantifier -> ('*' | '+' | '?' | '{' n (',' m?)? '}') '?'?
  bool QuantifierAhead() const {
    if (AtEnd()) return false;
    const char16_t c = Peek();
    if (c == u'*' || c == u'+' || c == u'?') return true;
    return c == u'{' && BraceQuantifierAhead();
  }

  // A `{` that does not start {n}, {n,} or {n,m} is a plain character.
  bool BraceQuantifierAhead() const {
    size_t i = pos_ + 1;
    const size_t firstDigit = i;
    while (i < p_.size() && IsDigit(p_[i])) ++i;
    if (i == firstDigit || i >= p_.size()) return false;
    if (p_[i] == u',') {
      ++i;
      while (i < p_.size() && IsDigit(p_[i])) ++i;
    }
    return i < p_.size() && p_[i] == u'}';
  }

  int32_t ReadCount() {
    int64_t value = 0;
    while (!AtEnd() && IsDigit(Peek())) {
      value = std::min<int64_t>(value * 10 + (Peek() - u'0'), MaxCount);
      ++pos_;
    }
    return static_cast<int32_t>(value);
  }

  bool ReadQuantifier(int32_t& min, int32_t& max) {
    if (AtEnd()) return false;
    switch (Peek()) {
      case u'*':
        ++pos_;
        min = 0;
        max = -1;
        return true;
      case u'+':
        ++pos_;
        min = 1;
        max = -1;
        return true;
      case u'?':
        ++pos_;
        min = 0;
        max = 1;
        return true;
      default:
        break;
    }
    if (Peek() != u'{' || !BraceQuantifierAhead()) return false;
    ++pos_;
    min = ReadCount();
    max = min;
    if (Peek() == u',') {
      ++pos_;
      max = IsDigit(Peek()) ? ReadCount() : -1;
    }
    ++pos_;  // '}'
    if (max >= 0 && max < min) ThrowRuntime(SyntaxError);
    return true;
  }

  // atom -> '.' | '(' disjunction ')' | '(?:' ... | '(?=' ... | '(?!' ... | class | escape | unit
  RegexNode Atom() {
    const char16_t c = Peek();
    ++pos_;
    switch (c) {
      case u'.':
        return MakeNode(RegexNodeKind::Any);
      case u'(':
        return GroupAtom();
      case u'[':
        return ClassNode();
      case u'\\':
        return EscapeAtom();
      default:
        return MakeNode(RegexNodeKind::Char, c);
    }
  }

  RegexNode GroupAtom() {
    if (++depth_ > MaxRegexNesting) ThrowRuntime(OutOfStackSpace);
    RegexNode group = MakeNode(RegexNodeKind::Group);
    if (Peek() == u'?') {
      const char16_t kind = Peek(1);
      if (kind == u':') {
        group.Value = 0;
      } else if (kind == u'=' || kind == u'!') {
        group.Kind = RegexNodeKind::Lookahead;
        group.Negated = kind == u'!';
      } else {
        ThrowRuntime(UnexpectedQuantifier);
      }
      pos_ += 2;
    } else {
      group.Value = ++out_.GroupCount;
    }
    group.Children.push_back(Disjunction());
    if (AtEnd()) ThrowRuntime(ExpectedParen);
    ++pos_;  // ')'
    --depth_;
    return group;
  }

  // escape -> '\' (class letter | control | hex | unicode | digits | any other unit)
  RegexNode EscapeAtom() {
    if (AtEnd()) ThrowRuntime(SyntaxError);
    const char16_t c = Peek();
    if (IsClassEscapeLetter(c)) {
      ++pos_;
      return SetNode(ClassEscapeRanges(c), false);
    }
    if (c >= u'1' && c <= u'9') {
      const int group = BackReferenceNumber();
      if (group > 0) return MakeNode(RegexNodeKind::BackRef, group);
    }
    return MakeNode(RegexNodeKind::Char, EscapedUnit(false));
  }

  // \n and \nm refer to a group when that many groups precede them (\nm first, then \n
  // followed by the digit m); consumes the digits it uses, or nothing (returns 0).
  int BackReferenceNumber() {
    const int one = Peek() - u'0';
    if (IsDigit(Peek(1))) {
      const int two = one * 10 + (Peek(1) - u'0');
      if (two <= out_.GroupCount) {
        pos_ += 2;
        return two;
      }
    }
    if (one <= out_.GroupCount) {
      ++pos_;
      return one;
    }
    return 0;
  }

  // The unit an escape other than a class or a back-reference stands for. REQUIRES: !AtEnd().
  char16_t EscapedUnit(bool inClass) {
    const char16_t c = Peek();
    ++pos_;
    switch (c) {
      case u'n':
        return u'\n';
      case u'r':
        return u'\r';
      case u't':
        return u'\t';
      case u'f':
        return u'\f';
      case u'v':
        return u'\v';
      case u'b':  // only reached inside a class
        return inClass ? u'\b' : u'b';
      case u'c':
        // \cM is Control-M; without a letter after it, \c is a plain 'c'.
        if (IsAsciiLetter(Peek())) return static_cast<char16_t>(p_[pos_++] % 32);
        return u'c';
      case u'x':
        return HexUnit(2, c);
      case u'u':
        return HexUnit(4, c);
      default:
        break;
    }
    if (IsOctal(c)) return OctalUnit(c);
    return c;
  }

  // \xhh and \uhhhh; without enough hex digits the letter stands for itself.
  char16_t HexUnit(size_t digits, char16_t letter) {
    int value = 0;
    for (size_t i = 0; i < digits; ++i) {
      const int d = HexValue(Peek(i));
      if (!Has(i) || d < 0) return letter;
      value = value * 16 + d;
    }
    pos_ += digits;
    return static_cast<char16_t>(value);
  }

  // An octal escape: up to three digits while the value stays below 256.
  char16_t OctalUnit(char16_t first) {
    int value = first - u'0';
    for (int i = 0; i < 2 && IsOctal(Peek()); ++i) {
      const int next = value * 8 + (Peek() - u'0');
      if (next > 0xFF) break;
      value = next;
      ++pos_;
    }
    return static_cast<char16_t>(value);
  }

  RegexNode SetNode(std::vector<Range> ranges, bool negated) {
    SortAndMerge(ranges);
    RegexCharSet set;
    set.Ranges = std::move(ranges);
    set.Negated = negated;
    out_.Sets.push_back(std::move(set));
    return MakeNode(RegexNodeKind::Set, static_cast<int32_t>(out_.Sets.size() - 1));
  }

  // class -> '[' '^'? (classatom ('-' classatom)?)* ']'
  RegexNode ClassNode() {
    bool negated = false;
    if (!AtEnd() && Peek() == u'^') {
      negated = true;
      ++pos_;
    }
    std::vector<Range> ranges;
    auto add = [&ranges](const ClassAtom& atom) {
      if (atom.IsUnit)
        ranges.push_back({atom.Unit, atom.Unit});
      else
        ranges.insert(ranges.end(), atom.Ranges.begin(), atom.Ranges.end());
    };
    for (;;) {
      if (AtEnd()) ThrowRuntime(ExpectedBracket);
      if (Peek() == u']') break;
      const ClassAtom first = ReadClassAtom();
      if (Peek() != u'-' || !Has(1) || Peek(1) == u']') {
        add(first);
        continue;
      }
      ++pos_;  // '-'
      const ClassAtom last = ReadClassAtom();
      if (!first.IsUnit || !last.IsUnit) {
        // A class escape cannot end a range: the '-' is a member of its own.
        add(first);
        ranges.push_back({u'-', u'-'});
        add(last);
        continue;
      }
      if (first.Unit > last.Unit) ThrowRuntime(InvalidRange);
      ranges.push_back({first.Unit, last.Unit});
    }
    ++pos_;  // ']'
    return SetNode(std::move(ranges), negated);
  }

  // REQUIRES: !AtEnd().
  ClassAtom ReadClassAtom() {
    ClassAtom atom;
    const char16_t c = Peek();
    ++pos_;
    if (c != u'\\') {
      atom.Unit = c;
      return atom;
    }
    if (AtEnd()) ThrowRuntime(ExpectedBracket);
    if (IsClassEscapeLetter(Peek())) {
      atom.IsUnit = false;
      atom.Ranges = ClassEscapeRanges(Peek());
      ++pos_;
      return atom;
    }
    atom.Unit = EscapedUnit(true);
    return atom;
  }

  std::u16string_view p_;
  size_t pos_ = 0;
  int depth_ = 0;
  ParsedRegex out_;
};

}  // namespace

ParsedRegex ParseRegex(std::u16string_view pattern) {
  return Parser(pattern).Run();
}

}  // namespace chartorium::vbscript
