// Pattern text -> syntax tree of a regular expression, in the dialect of VBScript's RegExp.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "vbscript/RegExpProgram.h"

namespace chartorium::vbscript {

enum class RegexNodeKind : uint8_t {
  Empty,
  Char,         ///< Value: the unit
  Any,          ///< `.`
  Set,          ///< Value: index in ParsedRegex::Sets
  Assertion,    ///< Value: a RegexOp among TextStart..NotWordBoundary (Multiline not applied)
  Group,        ///< Value: capture number (1-based) or 0 for `(?: )`; one child
  Lookahead,    ///< Negated; one child
  BackRef,      ///< Value: group number
  Sequence,     ///< children in order
  Alternation,  ///< children tried in order
  Repeat,       ///< Min..Max (-1: no limit) of the one child; Greedy
};

struct RegexNode {
  RegexNodeKind Kind = RegexNodeKind::Empty;
  bool Negated = false;
  bool Greedy = true;
  int32_t Value = 0;
  int32_t Min = 0;
  int32_t Max = -1;
  std::vector<RegexNode> Children;
};

struct ParsedRegex {
  RegexNode Root;
  std::vector<RegexCharSet> Sets;  ///< Ranges and Negated filled; case folding is the compiler's
  int GroupCount = 0;
};

/// Groups may nest this deep; deeper patterns are error 28, so that parsing, compiling and
/// freeing the tree stay within a small, fixed amount of the C++ stack.
inline constexpr int MaxRegexNesting = 200;

/// Parses a pattern. A malformed one throws the script error users see: 5017 syntax, 5018
/// quantifier without anything to repeat, 5019 missing `]`, 5020 missing `)`, 5021 a range
/// whose ends are out of order, 28 nesting beyond MaxRegexNesting.
ParsedRegex ParseRegex(std::u16string_view pattern);

}  // namespace chartorium::vbscript
