// Runs a RegexProgram over UTF-16 text with a backtracking stack on the heap.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "vbscript/RegExpProgram.h"

namespace chartorium::vbscript {

/// The backtracking stack may hold this many entries; a match that needs more is error 28.
inline constexpr size_t MaxRegexBacktrackEntries = size_t{4} << 20;

/// Searches one text after another with one program. Positions are code-unit offsets.
class RegexMatcher {
 public:
  /// `interrupt` is called every few hundred steps and may throw to end a long match (the
  /// VM's time-out and cancel check). A match needing more than `maxEntries` backtracking
  /// entries is error 28. REQUIRES: `program` outlives the matcher.
  RegexMatcher(const RegexProgram& program, std::function<void()> interrupt,
               size_t maxEntries = MaxRegexBacktrackEntries);

  /// Finds the leftmost match starting at `from` or later. On success `captures` holds
  /// 2 * (GroupCount + 1) offsets: start and end of the match, then of each group (-1 for a
  /// group that took no part). REQUIRES: from <= text.size().
  bool Search(std::u16string_view text, size_t from, std::vector<int32_t>& captures);

 private:
  enum class EntryKind : uint8_t {
    Choice,          ///< resume at Pc, Pos
    RestoreCapture,  ///< capture slot Pc was Pos
    RestoreCounter,  ///< counter Pc had count Pos and iteration start Extra
    GreedyBack,      ///< a SimpleRepeat ending at Pos may give back units down to Extra
    LazyBack,        ///< the SimpleRepeat at Pc, now at Pos, may take Extra more (-1: any)
    Barrier,         ///< the lookahead started by the LookStart at Pc, at Pos
  };
  struct Entry {
    EntryKind Kind;
    int32_t Pc;
    int32_t Pos;
    int32_t Extra;
  };
  struct Counter {
    int32_t Count = 0;
    int32_t Start = -1;
  };

  bool MatchAt(int32_t start);
  bool Backtrack(int32_t& pc, int32_t& pos);
  /// The single-unit test `test` (Char, CharFold, Any or Set) with its operand.
  bool UnitMatches(RegexOp test, int32_t operand, char16_t unit) const;
  bool Assertion(RegexOp op, int32_t pos) const;
  bool BackReference(const RegexInst& inst, int32_t& pos) const;
  bool SimpleRepeat(int32_t pc, int32_t& pos);
  void EndLookahead(const RegexInst& inst, int32_t& pc, int32_t& pos, bool& failed);
  size_t TopBarrier() const;
  void Push(EntryKind kind, int32_t pc, int32_t pos, int32_t extra = 0);
  void SaveCounter(int32_t index);
  void CountSteps(uint32_t steps);

  const RegexProgram& program_;
  std::function<void()> interrupt_;
  std::u16string_view text_;
  int32_t end_ = 0;
  std::vector<int32_t> captures_;
  std::vector<Counter> counters_;
  std::vector<Entry> stack_;
  uint32_t steps_ = 0;
  size_t maxEntries_;
};

}  // namespace chartorium::vbscript
