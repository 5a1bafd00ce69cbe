// The backtracking matcher. Choice points and the old values of captures and counters go on
// one heap stack (a trail), so failing restores exactly the state of the last choice, and no
// pattern or text makes the matcher recurse.
#include "vbscript/RegExpMatcher.h"

#include <algorithm>
#include <limits>

#include "vbscript/ScriptError.h"
#include "vbscript/TextUnits.h"

namespace chartorium::vbscript {

namespace {

// The interrupt check runs this often: cheap against the work, frequent enough that a time-out
// ends a runaway match promptly.
constexpr uint32_t StepsPerInterruptCheck = 256;

}  // namespace

RegexMatcher::RegexMatcher(const RegexProgram& program, std::function<void()> interrupt,
                           size_t maxEntries)
    : program_(program), interrupt_(std::move(interrupt)), maxEntries_(maxEntries) {
  captures_.resize(2 * static_cast<size_t>(program.GroupCount + 1));
  counters_.resize(static_cast<size_t>(program.CounterCount));
}

bool RegexMatcher::Search(std::u16string_view text, size_t from, std::vector<int32_t>& captures) {
  // Offsets are 32-bit; script strings never come near that.
  if (text.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) ThrowRuntime(14);
  text_ = text;
  end_ = static_cast<int32_t>(text.size());
  for (auto start = static_cast<int32_t>(from); start <= end_; ++start) {
    if (program_.AnchoredAtStart && start > 0) return false;
    if (program_.HasStartUnits) {
      while (start < end_ && !program_.CanStartWith(text_[static_cast<size_t>(start)])) ++start;
      if (start == end_) return false;
    }
    if (MatchAt(start)) {
      captures = captures_;
      return true;
    }
  }
  return false;
}

void RegexMatcher::CountSteps(uint32_t steps) {
  steps_ += steps;
  if (steps_ < StepsPerInterruptCheck) return;
  steps_ = 0;
  if (interrupt_) interrupt_();
}

void RegexMatcher::Push(EntryKind kind, int32_t pc, int32_t pos, int32_t extra) {
  if (stack_.size() >= maxEntries_) ThrowRuntime(28);
  stack_.push_back({kind, pc, pos, extra});
}

void RegexMatcher::SaveCounter(int32_t index) {
  const Counter& c = counters_[static_cast<size_t>(index)];
  Push(EntryKind::RestoreCounter, index, c.Count, c.Start);
}

bool RegexMatcher::UnitMatches(RegexOp test, int32_t operand, char16_t unit) const {
  switch (test) {
    case RegexOp::Char:
      return unit == operand;
    case RegexOp::CharFold:
      return UpperUnit(unit) == operand;
    case RegexOp::Any:
      return !IsLineTerminator(unit);
    default:
      return program_.Sets[static_cast<size_t>(operand)].Contains(unit);
  }
}

bool RegexMatcher::Assertion(RegexOp op, int32_t pos) const {
  switch (op) {
    case RegexOp::TextStart:
      return pos == 0;
    case RegexOp::TextEnd:
      return pos == end_;
    case RegexOp::LineStart:
      return pos == 0 || IsLineTerminator(text_[static_cast<size_t>(pos - 1)]);
    case RegexOp::LineEnd:
      return pos == end_ || IsLineTerminator(text_[static_cast<size_t>(pos)]);
    default: {
      const bool before = pos > 0 && IsWordUnit(text_[static_cast<size_t>(pos - 1)]);
      const bool after = pos < end_ && IsWordUnit(text_[static_cast<size_t>(pos)]);
      return (before != after) == (op == RegexOp::WordBoundary);
    }
  }
}

// A group that has not matched (or not yet) matches the empty text.
bool RegexMatcher::BackReference(const RegexInst& inst, int32_t& pos) const {
  const int32_t first = captures_[2 * static_cast<size_t>(inst.A)];
  const int32_t last = captures_[2 * static_cast<size_t>(inst.A) + 1];
  if (first < 0 || last < first) return true;
  const int32_t length = last - first;
  if (length > end_ - pos) return false;
  for (int32_t i = 0; i < length; ++i) {
    const char16_t a = text_[static_cast<size_t>(first + i)];
    const char16_t b = text_[static_cast<size_t>(pos + i)];
    if (a != b && (inst.B == 0 || UpperUnit(a) != UpperUnit(b))) return false;
  }
  pos += length;
  return true;
}

// One unit test repeated: take as many units as allowed at once (greedy) or as few (lazy),
// leaving a single entry that gives back or takes one more unit per backtrack.
bool RegexMatcher::SimpleRepeat(int32_t pc, int32_t& pos) {
  const RegexInst& inst = program_.Code[static_cast<size_t>(pc)];
  const int32_t room = end_ - pos;
  const int32_t limit = inst.C < 0 ? room : std::min(inst.C, room);
  if (inst.Greedy) {
    int32_t n = 0;
    while (n < limit && UnitMatches(inst.Unit, inst.A, text_[static_cast<size_t>(pos + n)])) ++n;
    CountSteps(static_cast<uint32_t>(n));
    if (n < inst.B) return false;
    if (n > inst.B) Push(EntryKind::GreedyBack, pc + 1, pos + n, pos + inst.B);
    pos += n;
    return true;
  }
  if (inst.B > limit) return false;
  for (int32_t i = 0; i < inst.B; ++i)
    if (!UnitMatches(inst.Unit, inst.A, text_[static_cast<size_t>(pos + i)])) return false;
  CountSteps(static_cast<uint32_t>(inst.B));
  pos += inst.B;
  const int32_t more = inst.C < 0 ? -1 : inst.C - inst.B;
  if (more != 0) Push(EntryKind::LazyBack, pc, pos, more);
  return true;
}

size_t RegexMatcher::TopBarrier() const {
  size_t i = stack_.size();
  while (i > 0 && stack_[i - 1].Kind != EntryKind::Barrier) --i;
  return i - 1;  // a LookEnd always has its LookStart's barrier below it
}

// The lookahead's body matched. A positive lookahead succeeds without its choice points (it
// is never re-entered) but keeps its captures; a negative one fails, undoing its captures.
void RegexMatcher::EndLookahead(const RegexInst& inst, int32_t& pc, int32_t& pos, bool& failed) {
  const size_t barrier = TopBarrier();
  const Entry start = stack_[barrier];
  if (inst.Negated) {
    while (stack_.size() > barrier + 1) {
      const Entry e = stack_.back();
      stack_.pop_back();
      if (e.Kind == EntryKind::RestoreCapture) captures_[static_cast<size_t>(e.Pc)] = e.Pos;
      if (e.Kind == EntryKind::RestoreCounter)
        counters_[static_cast<size_t>(e.Pc)] = {e.Pos, e.Extra};
    }
    stack_.pop_back();
    failed = true;
    return;
  }
  size_t kept = barrier;
  for (size_t i = barrier + 1; i < stack_.size(); ++i) {
    const EntryKind kind = stack_[i].Kind;
    if (kind == EntryKind::RestoreCapture || kind == EntryKind::RestoreCounter)
      stack_[kept++] = stack_[i];
  }
  stack_.resize(kept);
  pos = start.Pos;
  pc = program_.Code[static_cast<size_t>(start.Pc)].A;
}

bool RegexMatcher::Backtrack(int32_t& pc, int32_t& pos) {
  while (!stack_.empty()) {
    const Entry e = stack_.back();
    stack_.pop_back();
    switch (e.Kind) {
      case EntryKind::RestoreCapture:
        captures_[static_cast<size_t>(e.Pc)] = e.Pos;
        break;
      case EntryKind::RestoreCounter:
        counters_[static_cast<size_t>(e.Pc)] = {e.Pos, e.Extra};
        break;
      case EntryKind::Choice:
        pc = e.Pc;
        pos = e.Pos;
        return true;
      case EntryKind::GreedyBack: {
        // Where the unit that must follow is absent the rest cannot match: pass those by.
        const int32_t follow = program_.Code[static_cast<size_t>(e.Pc - 1)].D;
        pos = e.Pos - 1;
        if (follow >= 0)
          while (pos > e.Extra && text_[static_cast<size_t>(pos)] != follow) --pos;
        if (pos > e.Extra) Push(EntryKind::GreedyBack, e.Pc, pos, e.Extra);
        pc = e.Pc;
        return true;
      }
      case EntryKind::LazyBack: {
        const RegexInst& inst = program_.Code[static_cast<size_t>(e.Pc)];
        if (e.Pos >= end_ || !UnitMatches(inst.Unit, inst.A, text_[static_cast<size_t>(e.Pos)]))
          break;
        pos = e.Pos + 1;
        const int32_t more = e.Extra < 0 ? -1 : e.Extra - 1;
        if (more != 0) Push(EntryKind::LazyBack, e.Pc, pos, more);
        pc = e.Pc + 1;
        return true;
      }
      case EntryKind::Barrier:
        // A negative lookahead whose body failed everywhere has succeeded.
        if (!program_.Code[static_cast<size_t>(e.Pc)].Negated) break;
        pc = program_.Code[static_cast<size_t>(e.Pc)].A;
        pos = e.Pos;
        return true;
    }
  }
  return false;
}

bool RegexMatcher::MatchAt(int32_t start) {
  stack_.clear();
  std::fill(captures_.begin(), captures_.end(), -1);
  const std::vector<RegexInst>& code = program_.Code;
  int32_t pc = 0;
  int32_t pos = start;
  for (;;) {
    CountSteps(1);
    const RegexInst& inst = code[static_cast<size_t>(pc)];
    bool failed = false;
    switch (inst.Op) {
      case RegexOp::Char:
      case RegexOp::CharFold:
      case RegexOp::Any:
      case RegexOp::Set: {
        failed = pos >= end_ || !UnitMatches(inst.Op, inst.A, text_[static_cast<size_t>(pos)]);
        if (!failed) ++pos;
        ++pc;
        break;
      }
      case RegexOp::TextStart:
      case RegexOp::TextEnd:
      case RegexOp::LineStart:
      case RegexOp::LineEnd:
      case RegexOp::WordBoundary:
      case RegexOp::NotWordBoundary:
        failed = !Assertion(inst.Op, pos);
        ++pc;
        break;
      case RegexOp::Split:
        Push(EntryKind::Choice, inst.B, pos);
        pc = inst.A;
        break;
      case RegexOp::Jump:
        pc = inst.A;
        break;
      case RegexOp::Save:
        Push(EntryKind::RestoreCapture, inst.A, captures_[static_cast<size_t>(inst.A)]);
        captures_[static_cast<size_t>(inst.A)] = pos;
        ++pc;
        break;
      case RegexOp::BackRef:
        failed = !BackReference(inst, pos);
        ++pc;
        break;
      case RegexOp::RepeatInit:
        SaveCounter(inst.A);
        counters_[static_cast<size_t>(inst.A)] = {0, -1};
        ++pc;
        break;
      case RegexOp::RepeatLoop: {
        const int32_t count = counters_[static_cast<size_t>(inst.A)].Count;
        if (count < inst.B) {
          ++pc;
        } else if (inst.C >= 0 && count >= inst.C) {
          pc = inst.D;
        } else if (inst.Greedy) {
          Push(EntryKind::Choice, inst.D, pos);
          ++pc;
        } else {
          Push(EntryKind::Choice, pc + 1, pos);
          pc = inst.D;
        }
        break;
      }
      case RegexOp::RepeatEnter:
        SaveCounter(inst.A);
        counters_[static_cast<size_t>(inst.A)].Start = pos;
        ++pc;
        break;
      case RegexOp::RepeatEnd: {
        Counter& counter = counters_[static_cast<size_t>(inst.A)];
        // An optional iteration that matched nothing would repeat forever: it fails.
        if (counter.Count >= inst.B && pos == counter.Start) {
          failed = true;
          break;
        }
        SaveCounter(inst.A);
        ++counter.Count;
        pc = inst.D;
        break;
      }
      case RegexOp::SimpleRepeat:
        failed = !SimpleRepeat(pc, pos);
        ++pc;
        break;
      case RegexOp::LookStart:
        Push(EntryKind::Barrier, pc, pos);
        ++pc;
        break;
      case RegexOp::LookEnd:
        EndLookahead(inst, pc, pos, failed);
        break;
      case RegexOp::Match:
        captures_[0] = start;
        captures_[1] = pos;
        return true;
    }
    if (failed && !Backtrack(pc, pos)) return false;
  }
}

}  // namespace chartorium::vbscript
