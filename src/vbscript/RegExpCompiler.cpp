// Syntax tree -> instructions. Counted repeats keep a counter instead of copies of their body,
// so `(ab){1000}` stays small, and a repeated single unit becomes one SimpleRepeat.
#include "vbscript/RegExpCompiler.h"

#include "vbscript/RegExpParser.h"
#include "vbscript/TextUnits.h"

namespace chartorium::vbscript {

bool RegexCharSet::InRanges(char16_t unit) const {
  size_t low = 0;
  size_t high = Ranges.size();
  while (low < high) {
    const size_t mid = (low + high) / 2;
    if (unit < Ranges[mid].First)
      high = mid;
    else if (unit > Ranges[mid].Last)
      low = mid + 1;
    else
      return true;
  }
  return false;
}

bool RegexCharSet::Contains(char16_t unit) const {
  if (unit < 128) return (Ascii[unit >> 6] >> (unit & 63)) & 1;
  bool member = InRanges(unit);
  if (!member && FoldCase) member = InRanges(UpperUnit(unit)) || InRanges(LowerUnit(unit));
  return member != Negated;
}

namespace {

bool HasCase(char16_t unit) {
  return UpperUnit(unit) != unit || LowerUnit(unit) != unit;
}

void PrepareSet(RegexCharSet& set, bool foldCase) {
  set.FoldCase = foldCase;
  set.Ascii = {};
  for (char16_t unit = 0; unit < 128; ++unit) {
    bool member = set.InRanges(unit);
    if (!member && foldCase)
      member = set.InRanges(UpperUnit(unit)) || set.InRanges(LowerUnit(unit));
    if (member != set.Negated) set.Ascii[unit >> 6] |= uint64_t{1} << (unit & 63);
  }
}

// A non-capturing group around one node adds nothing.
const RegexNode& Unwrapped(const RegexNode& node) {
  const RegexNode* n = &node;
  while (n->Kind == RegexNodeKind::Group && n->Value == 0) n = &n->Children.front();
  return *n;
}

class Emitter {
 public:
  Emitter(RegexProgram& program, RegexFlags flags) : program_(program), flags_(flags) {}

  void Emit(const RegexNode& node) {
    switch (node.Kind) {
      case RegexNodeKind::Empty:
        return;
      case RegexNodeKind::Char:
      case RegexNodeKind::Any:
      case RegexNodeKind::Set: {
        RegexInst inst;
        UnitTest(node, inst.Op, inst.A);
        Add(inst);
        return;
      }
      case RegexNodeKind::Assertion:
        Add({.Op = AssertionOp(static_cast<RegexOp>(node.Value))});
        return;
      case RegexNodeKind::Group:
        if (node.Value == 0) {
          Emit(node.Children.front());
          return;
        }
        Add({.Op = RegexOp::Save, .A = 2 * node.Value});
        Emit(node.Children.front());
        Add({.Op = RegexOp::Save, .A = 2 * node.Value + 1});
        return;
      case RegexNodeKind::Lookahead: {
        const size_t start = Add({.Op = RegexOp::LookStart, .Negated = node.Negated});
        Emit(node.Children.front());
        Add({.Op = RegexOp::LookEnd, .Negated = node.Negated});
        program_.Code[start].A = Here();
        return;
      }
      case RegexNodeKind::BackRef:
        Add({.Op = RegexOp::BackRef, .A = node.Value, .B = flags_.IgnoreCase ? 1 : 0});
        return;
      case RegexNodeKind::Sequence:
        for (const RegexNode& child : node.Children) Emit(child);
        return;
      case RegexNodeKind::Alternation:
        EmitAlternation(node);
        return;
      case RegexNodeKind::Repeat:
        EmitRepeat(node);
        return;
    }
  }

 private:
  int32_t Here() const { return static_cast<int32_t>(program_.Code.size()); }
  size_t Add(const RegexInst& inst) {
    program_.Code.push_back(inst);
    return program_.Code.size() - 1;
  }

  RegexOp AssertionOp(RegexOp op) const {
    if (!flags_.Multiline) return op;
    if (op == RegexOp::TextStart) return RegexOp::LineStart;
    if (op == RegexOp::TextEnd) return RegexOp::LineEnd;
    return op;
  }

  // The single-unit test of a Char, Any or Set node.
  void UnitTest(const RegexNode& node, RegexOp& op, int32_t& operand) const {
    switch (node.Kind) {
      case RegexNodeKind::Char: {
        const auto unit = static_cast<char16_t>(node.Value);
        const bool fold = flags_.IgnoreCase && HasCase(unit);
        op = fold ? RegexOp::CharFold : RegexOp::Char;
        operand = fold ? UpperUnit(unit) : unit;
        return;
      }
      case RegexNodeKind::Any:
        op = RegexOp::Any;
        operand = 0;
        return;
      default:
        op = RegexOp::Set;
        operand = node.Value;
        return;
    }
  }

  // Split to each alternative in turn; each but the last jumps to the end.
  void EmitAlternation(const RegexNode& node) {
    std::vector<size_t> jumps;
    for (size_t i = 0; i < node.Children.size(); ++i) {
      const bool last = i + 1 == node.Children.size();
      if (last) {
        Emit(node.Children[i]);
        break;
      }
      const size_t split = Add({.Op = RegexOp::Split});
      program_.Code[split].A = Here();
      Emit(node.Children[i]);
      jumps.push_back(Add({.Op = RegexOp::Jump}));
      program_.Code[split].B = Here();
    }
    for (size_t jump : jumps) program_.Code[jump].A = Here();
  }

  void EmitRepeat(const RegexNode& node) {
    if (node.Max == 0) return;
    const RegexNode& body = Unwrapped(node.Children.front());
    if (node.Min == 1 && node.Max == 1) {
      Emit(body);
      return;
    }
    if (body.Kind == RegexNodeKind::Char || body.Kind == RegexNodeKind::Any ||
        body.Kind == RegexNodeKind::Set) {
      RegexInst inst{
          .Op = RegexOp::SimpleRepeat, .Greedy = node.Greedy, .B = node.Min, .C = node.Max};
      UnitTest(body, inst.Unit, inst.A);
      Add(inst);
      return;
    }
    const int32_t counter = program_.CounterCount++;
    Add({.Op = RegexOp::RepeatInit, .A = counter});
    const size_t loop = Add({.Op = RegexOp::RepeatLoop,
                             .Greedy = node.Greedy,
                             .A = counter,
                             .B = node.Min,
                             .C = node.Max});
    Add({.Op = RegexOp::RepeatEnter, .A = counter});
    Emit(body);
    Add({.Op = RegexOp::RepeatEnd, .A = counter, .B = node.Min, .D = static_cast<int32_t>(loop)});
    program_.Code[loop].D = Here();
  }

  RegexProgram& program_;
  RegexFlags flags_;
};

// The node every match starts with, looking through groups and sequences.
const RegexNode& Leading(const RegexNode& root) {
  const RegexNode* n = &root;
  for (;;) {
    if (n->Kind == RegexNodeKind::Group ||
        (n->Kind == RegexNodeKind::Sequence && !n->Children.empty()))
      n = &n->Children.front();
    else if (n->Kind == RegexNodeKind::Repeat && n->Min > 0)
      n = &n->Children.front();
    else
      return *n;
  }
}

/// The units a node's matches can start with, and whether it can match the empty text.
struct StartUnits {
  std::array<uint64_t, 2> Ascii{};
  bool NonAscii = false;
  bool Anything = false;
  bool Nullable = false;

  void Add(char16_t unit) {
    if (unit < 128)
      Ascii[unit >> 6] |= uint64_t{1} << (unit & 63);
    else
      NonAscii = true;
  }
  void Merge(const StartUnits& other) {
    Ascii[0] |= other.Ascii[0];
    Ascii[1] |= other.Ascii[1];
    NonAscii = NonAscii || other.NonAscii;
    Anything = Anything || other.Anything;
  }
};

StartUnits Starts(const RegexNode& node, const RegexProgram& program, RegexFlags flags) {
  StartUnits starts;
  switch (node.Kind) {
    case RegexNodeKind::Char: {
      const auto unit = static_cast<char16_t>(node.Value);
      if (!flags.IgnoreCase || !HasCase(unit)) {
        starts.Add(unit);
        return starts;
      }
      // Every unit of the same upper case matches; beyond ASCII, assume any might.
      for (char16_t other = 0; other < 128; ++other)
        if (UpperUnit(other) == UpperUnit(unit)) starts.Add(other);
      starts.NonAscii = true;
      return starts;
    }
    case RegexNodeKind::Set: {
      const RegexCharSet& set = program.Sets[static_cast<size_t>(node.Value)];
      starts.Ascii = set.Ascii;
      starts.NonAscii =
          set.Negated || set.FoldCase || set.Ranges.empty() || set.Ranges.back().Last >= 128;
      return starts;
    }
    case RegexNodeKind::Any:
      starts.Anything = true;
      return starts;
    case RegexNodeKind::BackRef:
      starts.Anything = true;
      starts.Nullable = true;
      return starts;
    case RegexNodeKind::Group:
      return Starts(node.Children.front(), program, flags);
    case RegexNodeKind::Sequence:
      starts.Nullable = true;
      for (const RegexNode& child : node.Children) {
        const StartUnits first = Starts(child, program, flags);
        starts.Merge(first);
        if (!first.Nullable) {
          starts.Nullable = false;
          break;
        }
      }
      return starts;
    case RegexNodeKind::Alternation:
      for (const RegexNode& child : node.Children) {
        const StartUnits first = Starts(child, program, flags);
        starts.Merge(first);
        starts.Nullable = starts.Nullable || first.Nullable;
      }
      return starts;
    case RegexNodeKind::Repeat:
      if (node.Max == 0) break;
      starts = Starts(node.Children.front(), program, flags);
      starts.Nullable = starts.Nullable || node.Min == 0;
      return starts;
    default:  // empty, assertions and lookaheads consume nothing
      break;
  }
  starts.Nullable = true;
  return starts;
}

// A greedy repeat followed (past group ends) by a plain unit only has to give back down to
// where that unit stands.
void NoteFollowingUnits(std::vector<RegexInst>& code) {
  for (size_t i = 0; i < code.size(); ++i) {
    if (code[i].Op != RegexOp::SimpleRepeat) continue;
    size_t next = i + 1;
    while (code[next].Op == RegexOp::Save) ++next;
    code[i].D = code[next].Op == RegexOp::Char ? code[next].A : -1;
  }
}

}  // namespace

RegexProgram CompileRegex(std::u16string_view pattern, RegexFlags flags) {
  ParsedRegex parsed = ParseRegex(pattern);
  RegexProgram program;
  program.GroupCount = parsed.GroupCount;
  program.Sets = std::move(parsed.Sets);
  for (RegexCharSet& set : program.Sets) PrepareSet(set, flags.IgnoreCase);
  Emitter(program, flags).Emit(parsed.Root);
  program.Code.push_back({.Op = RegexOp::Match});
  NoteFollowingUnits(program.Code);
  const RegexNode& first = Leading(parsed.Root);
  if (first.Kind == RegexNodeKind::Assertion &&
      static_cast<RegexOp>(first.Value) == RegexOp::TextStart && !flags.Multiline)
    program.AnchoredAtStart = true;
  const StartUnits starts = Starts(parsed.Root, program, flags);
  if (!starts.Nullable && !starts.Anything) {
    program.HasStartUnits = true;
    program.StartAscii = starts.Ascii;
    program.StartNonAscii = starts.NonAscii;
  }
  return program;
}

}  // namespace chartorium::vbscript
