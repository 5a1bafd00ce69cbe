// RegExp, Matches, Match and SubMatches as native objects. Texts are matched as UTF-16 code
// units, so FirstIndex and Length count what Len and Mid count.
#include "vbscript/RegExpObjects.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/NativeObject.h"
#include "vbscript/RegExpCompiler.h"
#include "vbscript/RegExpMatcher.h"
#include "vbscript/TextUnits.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

template <typename T, typename... Args>
Variant MakeNative(Args&&... args) {
  return Variant::Object(
      std::make_unique<HostObjectRef>(std::make_shared<T>(std::forward<Args>(args)...)).release());
}

/// The element `index` of a zero-based collection; 5 outside it.
const Variant& ItemAt(const std::vector<Variant>& items, Vm& vm, const Variant& index) {
  const int32_t i = IntArg(vm.DefaultValue(index));
  if (i < 0 || static_cast<size_t>(i) >= items.size()) ThrowRuntime(5);
  return items[static_cast<size_t>(i)];
}

class SubMatchesObject final : public NativeObject {
 public:
  SubMatchesObject(std::shared_ptr<const std::vector<Variant>> groups, Vm& vm)
      : groups_(std::move(groups)), vm_(vm) {}

  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int index, std::span<Variant> args, Variant& result) override {
    if (index == 0)  // Count
      result = Variant::Long(static_cast<int32_t>(groups_->size()));
    else
      result = ItemAt(*groups_, vm_, args[0]);
  }
  bool Items(std::vector<Variant>& out) const override {
    out = *groups_;
    return true;
  }
  std::string TypeName() const override { return "ISubMatches"; }

 private:
  static constexpr NativeMember Table[] = {
      {"Count", MemberKind::PropertyGet, 0, -1, true},
      {"Item", MemberKind::PropertyGet, 1, -1, true, 0, true},
  };
  std::shared_ptr<const std::vector<Variant>> groups_;
  Vm& vm_;
};

/// What one match found, in script terms.
struct MatchRecord {
  std::string Value;
  int32_t FirstIndex = 0;
  int32_t Length = 0;
  std::shared_ptr<const std::vector<Variant>> Groups;  ///< Empty for a group that took no part
};

class MatchObject final : public NativeObject {
 public:
  MatchObject(MatchRecord record, Vm& vm) : record_(std::move(record)), vm_(vm) {}

  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int index, std::span<Variant>, Variant& result) override {
    switch (index) {
      case 0:  // Value
        result = Variant::String(record_.Value);
        return;
      case 1:  // FirstIndex
        result = Variant::Long(record_.FirstIndex);
        return;
      case 2:  // Length
        result = Variant::Long(record_.Length);
        return;
      default:  // SubMatches
        result = MakeNative<SubMatchesObject>(record_.Groups, vm_);
        return;
    }
  }
  std::string TypeName() const override { return "IMatch2"; }

 private:
  static constexpr NativeMember Table[] = {
      {"Value", MemberKind::PropertyGet, 0, -1, true, 0, true},
      {"FirstIndex", MemberKind::PropertyGet, 0, -1, true},
      {"Length", MemberKind::PropertyGet, 0, -1, true},
      {"SubMatches", MemberKind::PropertyGet, 0, -1, true},
  };
  MatchRecord record_;
  Vm& vm_;
};

class MatchesObject final : public NativeObject {
 public:
  MatchesObject(std::vector<Variant> matches, Vm& vm) : matches_(std::move(matches)), vm_(vm) {}

  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int index, std::span<Variant> args, Variant& result) override {
    if (index == 0)  // Count
      result = Variant::Long(static_cast<int32_t>(matches_.size()));
    else
      result = ItemAt(matches_, vm_, args[0]);
  }
  bool Items(std::vector<Variant>& out) const override {
    out = matches_;
    return true;
  }
  std::string TypeName() const override { return "IMatchCollection2"; }

 private:
  static constexpr NativeMember Table[] = {
      {"Count", MemberKind::PropertyGet, 0, -1, true},
      {"Item", MemberKind::PropertyGet, 1, -1, true, 0, true},
  };
  std::vector<Variant> matches_;
  Vm& vm_;
};

/// One piece of a Replace text: literal units, or what a `$` sequence stands for.
struct ReplacementPart {
  enum class Kind : uint8_t { Literal, Group, Match, Before, After };
  Kind What = Kind::Literal;
  std::u16string Text;
  int Group = 0;
};

// $1..$99 name a group when the pattern has it ($12 before $1 followed by "2"), $& the match,
// $` the text before it, $' the text after it, $$ a dollar; any other `$` stays as written.
std::vector<ReplacementPart> ParseReplacement(std::u16string_view text, int groupCount) {
  std::vector<ReplacementPart> parts;
  auto literal = [&parts](std::u16string_view units) {
    if (parts.empty() || parts.back().What != ReplacementPart::Kind::Literal) parts.emplace_back();
    parts.back().Text.append(units);
  };
  auto special = [&parts](ReplacementPart::Kind kind, int group = 0) {
    parts.push_back({kind, {}, group});
  };
  auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'$' || i + 1 == text.size()) {
      literal(text.substr(i, 1));
      continue;
    }
    const char16_t next = text[i + 1];
    if (next == u'$' || next == u'&' || next == u'`' || next == u'\'') {
      if (next == u'$') literal(u"$");
      if (next == u'&') special(ReplacementPart::Kind::Match);
      if (next == u'`') special(ReplacementPart::Kind::Before);
      if (next == u'\'') special(ReplacementPart::Kind::After);
      ++i;
      continue;
    }
    if (isDigit(next)) {
      const int one = next - u'0';
      if (i + 2 < text.size() && isDigit(text[i + 2])) {
        const int two = one * 10 + (text[i + 2] - u'0');
        if (two >= 1 && two <= groupCount) {
          special(ReplacementPart::Kind::Group, two);
          i += 2;
          continue;
        }
      }
      if (one >= 1 && one <= groupCount) {
        special(ReplacementPart::Kind::Group, one);
        ++i;
        continue;
      }
    }
    literal(u"$");
  }
  return parts;
}

void AppendReplacement(std::u16string& out, const std::vector<ReplacementPart>& parts,
                       std::u16string_view text, const std::vector<int32_t>& captures) {
  const auto start = static_cast<size_t>(captures[0]);
  const auto end = static_cast<size_t>(captures[1]);
  for (const ReplacementPart& part : parts) {
    switch (part.What) {
      case ReplacementPart::Kind::Literal:
        out += part.Text;
        break;
      case ReplacementPart::Kind::Group: {
        const int32_t first = captures[2 * static_cast<size_t>(part.Group)];
        const int32_t last = captures[2 * static_cast<size_t>(part.Group) + 1];
        if (first >= 0 && last >= first)
          out.append(text.substr(static_cast<size_t>(first), static_cast<size_t>(last - first)));
        break;
      }
      case ReplacementPart::Kind::Match:
        out.append(text.substr(start, end - start));
        break;
      case ReplacementPart::Kind::Before:
        out.append(text.substr(0, start));
        break;
      case ReplacementPart::Kind::After:
        out.append(text.substr(end));
        break;
    }
  }
}

class RegExpObject final : public NativeObject {
 public:
  explicit RegExpObject(Vm& vm) : vm_(vm) {}

  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int index, std::span<Variant> args, Variant& result) override {
    switch (index) {
      case PatternGet:
        result = Variant::String(pattern_);
        return;
      case PatternPut:
        pattern_ = Text(args[0]);
        return;
      case IgnoreCaseGet:
      case GlobalGet:
      case MultilineGet:
        result = Variant::Boolean(Flag(index));
        return;
      case IgnoreCasePut:
      case GlobalPut:
      case MultilinePut:
        Flag(index - 1) = ToBoolean(vm_.DefaultValue(args[0]));
        return;
      case TestMethod:
        result = Variant::Boolean(Test(Text(args[0])));
        return;
      case ExecuteMethod:
        result = Execute(Text(args[0]));
        return;
      default: {
        const std::string subject = Text(args[0]);
        result = Variant::String(Replace(subject, Text(args[1])));
        return;
      }
    }
  }
  std::string TypeName() const override { return "IRegExp2"; }

 private:
  // Each Put follows its Get.
  enum MemberIndex : int {
    PatternGet,
    PatternPut,
    IgnoreCaseGet,
    IgnoreCasePut,
    GlobalGet,
    GlobalPut,
    MultilineGet,
    MultilinePut,
    TestMethod,
    ExecuteMethod,
    ReplaceMethod,
    MemberCount,
  };
  static constexpr NativeMember Table[] = {
      {"Pattern", MemberKind::PropertyGet, 0, -1, true},
      {"Pattern", MemberKind::PropertyPut, 1, -1, false},
      {"IgnoreCase", MemberKind::PropertyGet, 0, -1, true},
      {"IgnoreCase", MemberKind::PropertyPut, 1, -1, false},
      {"Global", MemberKind::PropertyGet, 0, -1, true},
      {"Global", MemberKind::PropertyPut, 1, -1, false},
      {"Multiline", MemberKind::PropertyGet, 0, -1, true},
      {"Multiline", MemberKind::PropertyPut, 1, -1, false},
      {"Test", MemberKind::Method, 1, -1, true},
      {"Execute", MemberKind::Method, 1, -1, true},
      {"Replace", MemberKind::Method, 2, -1, true},
  };
  static_assert(std::size(Table) == MemberCount, "one table entry per member index");

  bool& Flag(int getIndex) {
    if (getIndex == IgnoreCaseGet) return ignoreCase_;
    if (getIndex == GlobalGet) return global_;
    return multiline_;
  }

  // Arguments read as a COM object receives them: objects by their default value, Booleans
  // as "-1" and "0" (not CStr's words), other values as CStr writes them; Null is 94.
  std::string Text(const Variant& value) {
    const Variant text = vm_.DefaultValue(value);
    if (text.Type() == VarType::Boolean) return text.AsBoolean() ? "-1" : "0";
    return ToString(text, vm_.Locale);
  }

  // Compiled once per pattern and flags; a malformed pattern raises its error at each use.
  const RegexProgram& Program() {
    const RegexFlags flags{ignoreCase_, multiline_};
    if (!program_ || compiledPattern_ != pattern_ || compiledFlags_ != flags) {
      program_.reset();
      program_ = CompileRegex(ToUtf16(pattern_), flags);
      compiledPattern_ = pattern_;
      compiledFlags_ = flags;
    }
    return *program_;
  }

  RegexMatcher Matcher(const RegexProgram& program) {
    return RegexMatcher(program, [&vm = vm_] { vm.CheckInterrupt(); });
  }

  // After an empty match the next search starts one unit further, so Global loops end.
  static size_t NextStart(const std::vector<int32_t>& captures) {
    const auto end = static_cast<size_t>(captures[1]);
    return captures[0] == captures[1] ? end + 1 : end;
  }

  bool Test(const std::string& subject) {
    const RegexProgram& program = Program();
    RegexMatcher matcher = Matcher(program);
    std::vector<int32_t> captures;
    return matcher.Search(ToUtf16(subject), 0, captures);
  }

  Variant Execute(const std::string& subject) {
    const RegexProgram& program = Program();
    RegexMatcher matcher = Matcher(program);
    const std::u16string text = ToUtf16(subject);
    std::vector<Variant> matches;
    std::vector<int32_t> captures;
    for (size_t from = 0; from <= text.size() && matcher.Search(text, from, captures);
         from = NextStart(captures)) {
      matches.push_back(MakeNative<MatchObject>(Record(text, captures, program.GroupCount), vm_));
      if (!global_) break;
    }
    return MakeNative<MatchesObject>(std::move(matches), vm_);
  }

  static MatchRecord Record(std::u16string_view text, const std::vector<int32_t>& captures,
                            int groupCount) {
    MatchRecord record;
    record.FirstIndex = captures[0];
    record.Length = captures[1] - captures[0];
    record.Value = ToUtf8(
        text.substr(static_cast<size_t>(record.FirstIndex), static_cast<size_t>(record.Length)));
    auto groups = std::make_shared<std::vector<Variant>>();
    for (int g = 1; g <= groupCount; ++g) {
      const int32_t first = captures[2 * static_cast<size_t>(g)];
      const int32_t last = captures[2 * static_cast<size_t>(g) + 1];
      if (first < 0 || last < first) {
        groups->emplace_back();
        continue;
      }
      groups->push_back(Variant::String(
          ToUtf8(text.substr(static_cast<size_t>(first), static_cast<size_t>(last - first)))));
    }
    record.Groups = std::move(groups);
    return record;
  }

  std::string Replace(const std::string& subject, const std::string& replacement) {
    const RegexProgram& program = Program();
    RegexMatcher matcher = Matcher(program);
    const std::u16string text = ToUtf16(subject);
    const std::vector<ReplacementPart> parts =
        ParseReplacement(ToUtf16(replacement), program.GroupCount);
    std::u16string out;
    out.reserve(text.size());
    size_t copied = 0;
    bool matched = false;
    std::vector<int32_t> captures;
    for (size_t from = 0; from <= text.size() && matcher.Search(text, from, captures);
         from = NextStart(captures)) {
      matched = true;
      out.append(text, copied, static_cast<size_t>(captures[0]) - copied);
      AppendReplacement(out, parts, text, captures);
      copied = static_cast<size_t>(captures[1]);
      if (!global_) break;
    }
    // Without a match the text comes back byte for byte.
    if (!matched) return subject;
    out.append(text, copied);
    return ToUtf8(out);
  }

  Vm& vm_;
  std::string pattern_;
  bool ignoreCase_ = false;
  bool global_ = false;
  bool multiline_ = false;
  std::optional<RegexProgram> program_;
  std::string compiledPattern_;
  RegexFlags compiledFlags_;
};

}  // namespace

Variant NewRegExpObject(Vm& vm) {
  return MakeNative<RegExpObject>(vm);
}

}  // namespace chartorium::vbscript
