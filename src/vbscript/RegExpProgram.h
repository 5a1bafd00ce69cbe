// A compiled regular expression: the instructions the backtracking matcher runs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace chartorium::vbscript {

/// A set of UTF-16 code units, as `[...]`, `\d` or `\w` denote it.
struct RegexCharSet {
  struct Range {
    char16_t First;
    char16_t Last;
  };
  std::vector<Range> Ranges;  ///< sorted, disjoint
  bool Negated = false;
  bool FoldCase = false;            ///< IgnoreCase: a unit matches when either case is a member
  std::array<uint64_t, 2> Ascii{};  ///< the answer for units below 128, case folding included

  /// True when `unit` is in the set (negation and case folding applied).
  bool Contains(char16_t unit) const;
  /// True when `unit` is one of Ranges, ignoring Negated and FoldCase.
  bool InRanges(char16_t unit) const;
};

enum class RegexOp : uint8_t {
  Char,             ///< A: the unit
  CharFold,         ///< A: the unit in upper case; compared with the text's unit in upper case
  Any,              ///< any unit but a line terminator
  Set,              ///< A: index in Sets
  TextStart,        ///< ^ without Multiline
  TextEnd,          ///< $ without Multiline
  LineStart,        ///< ^ with Multiline
  LineEnd,          ///< $ with Multiline
  WordBoundary,     ///< \b
  NotWordBoundary,  ///< \B
  Split,            ///< try A first; B on backtracking
  Jump,             ///< go to A
  Save,             ///< capture slot A = position
  BackRef,          ///< A: group; B != 0: ignore case
  RepeatInit,       ///< counter A starts at 0
  RepeatLoop,       ///< counter A; B min, C max (-1: none); D exit; Greedy. Body follows at +1
  RepeatEnter,      ///< counter A: an iteration starts here
  RepeatEnd,        ///< counter A; B min; D the RepeatLoop to return to
  SimpleRepeat,     ///< the unit test of Unit/A repeated B..C (-1: no max) times; Greedy;
                    ///< D: the unit that must come next (-1: unknown)
  LookStart,        ///< lookahead whose body follows; A: the instruction after LookEnd; Negated
  LookEnd,          ///< the lookahead body matched; Negated
  Match,
};

/// One instruction. SimpleRepeat keeps its unit test in Unit (Char, CharFold, Any or Set).
struct RegexInst {
  RegexOp Op = RegexOp::Match;
  RegexOp Unit = RegexOp::Char;
  bool Greedy = true;
  bool Negated = false;
  int32_t A = 0;
  int32_t B = 0;
  int32_t C = 0;
  int32_t D = 0;
};

struct RegexProgram {
  std::vector<RegexInst> Code;
  std::vector<RegexCharSet> Sets;
  int GroupCount = 0;    ///< capturing groups, not counting the whole match
  int CounterCount = 0;  ///< general repeats, each with its own iteration counter
  /// The first instruction is TextStart: only position 0 can match.
  bool AnchoredAtStart = false;
  /// The pattern cannot match the empty text and every match starts with one of StartAscii
  /// (units below 128) or, when StartNonAscii, with any unit from 128 up: the matcher skips
  /// the other start positions.
  bool HasStartUnits = false;
  bool StartNonAscii = false;
  std::array<uint64_t, 2> StartAscii{};

  bool CanStartWith(char16_t unit) const {
    return unit < 128 ? (StartAscii[unit >> 6] >> (unit & 63)) & 1 : StartNonAscii;
  }
};

/// True for the line terminators `.` does not match and Multiline anchors stop at.
inline bool IsLineTerminator(char16_t unit) {
  return unit == u'\n' || unit == u'\r' || unit == 0x2028 || unit == 0x2029;
}

/// True for the units of \w: ASCII letters, digits and the underscore.
inline bool IsWordUnit(char16_t unit) {
  return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
         (unit >= u'0' && unit <= u'9') || unit == u'_';
}

}  // namespace chartorium::vbscript
