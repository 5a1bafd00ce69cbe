// Host-interaction built-ins, the vb* constants, and the lookup over every family.
#include "vbscript/Builtins.h"

#include <memory>
#include <optional>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/RegExpObjects.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

Variant FnMsgBox(Vm& vm, std::span<Variant> a) {
  const std::string prompt = ToString(a[0]);
  const int32_t buttons = Given(a, 1) ? IntArg(a[1]) : 0;
  const std::string title = Given(a, 2) ? ToString(a[2]) : "";
  const int answer = vm.Callbacks.MsgBox ? vm.Callbacks.MsgBox(prompt, buttons, title) : 0;
  return Variant::Integer(static_cast<int16_t>(answer));
}

Variant FnInputBox(Vm& vm, std::span<Variant> a) {
  const std::string prompt = ToString(a[0]);
  const std::string title = Given(a, 1) ? ToString(a[1]) : "";
  const std::string fallback = Given(a, 2) ? ToString(a[2]) : "";
  return Variant::String(vm.Callbacks.InputBox ? vm.Callbacks.InputBox(prompt, title, fallback)
                                               : std::string());
}

Variant FnScriptEngine(Vm&, std::span<Variant>) {
  return Variant::String("VBScript");
}
Variant FnMajor(Vm&, std::span<Variant>) {
  return Variant::Long(5);
}
Variant FnMinor(Vm&, std::span<Variant>) {
  return Variant::Long(8);
}
Variant FnBuild(Vm&, std::span<Variant>) {
  return Variant::Long(16384);
}
Variant FnGetLocale(Vm& vm, std::span<Variant>) {
  return Variant::Long(vm.Locale.Lcid);
}

// SetLocale(lcid or "fr-FR"): 0 or no argument is the host's own locale again; the result is
// the id of the locale it replaces. Unknown ids and names are error 5.
Variant FnSetLocale(Vm& vm, std::span<Variant> a) {
  const int previous = vm.Locale.Lcid;
  std::optional<ScriptLocale> next;
  if (!Given(a, 0)) {
    next = vm.HostLocale;
  } else if (a[0].IsString() && !ParseNumber(a[0].AsString())) {
    next = FindScriptLocale(a[0].AsString());
  } else {
    const int32_t lcid = IntArg(a[0]);
    next = lcid == 0 ? std::optional<ScriptLocale>(vm.HostLocale) : FindScriptLocale(lcid);
  }
  if (!next) ThrowRuntime(5);
  vm.Locale = std::move(*next);
  return Variant::Long(previous);
}

// GetRef("name"): a callable object for a global Sub or Function.
Variant FnGetRef(Vm& vm, std::span<Variant> a) {
  const Procedure* proc = vm.FindProcedure(LowerAscii(ToString(a[0])));
  if (!proc) ThrowRuntime(5);
  return Variant::Object(std::make_unique<ProcedureRef>(*proc).release());
}

// Scripts get no COM objects but the regular expression: no file, process or network access
// through them.
Variant FnCreateObject(Vm& vm, std::span<Variant> a) {
  if (a.size() == 1 && LowerAscii(ToString(a[0])) == "vbscript.regexp") return NewRegExpObject(vm);
  ThrowRuntime(429);
}
Variant FnGetObject(Vm&, std::span<Variant>) {
  ThrowRuntime(429);
}

constexpr BuiltinFunction HostFunctions[] = {
    {"msgbox", 1, 5, FnMsgBox},
    {"inputbox", 1, 7, FnInputBox},
    {"scriptengine", 0, 0, FnScriptEngine},
    {"scriptenginemajorversion", 0, 0, FnMajor},
    {"scriptengineminorversion", 0, 0, FnMinor},
    {"scriptenginebuildversion", 0, 0, FnBuild},
    {"getlocale", 0, 0, FnGetLocale},
    {"setlocale", 0, 1, FnSetLocale},
    {"getref", 1, 1, FnGetRef},
    {"createobject", 1, 2, FnCreateObject},
    {"getobject", 0, 2, FnGetObject},
};

enum class ConstKind { Integer, Long, String };

struct NamedConstant {
  std::string_view Name;
  ConstKind Kind;
  int64_t Number;
  std::string_view Text;
};

constexpr NamedConstant Constants[] = {
    {"vbempty", ConstKind::Integer, 0, {}},
    {"vbnull", ConstKind::Integer, 1, {}},
    {"vbinteger", ConstKind::Integer, 2, {}},
    {"vblong", ConstKind::Integer, 3, {}},
    {"vbsingle", ConstKind::Integer, 4, {}},
    {"vbdouble", ConstKind::Integer, 5, {}},
    {"vbcurrency", ConstKind::Integer, 6, {}},
    {"vbdate", ConstKind::Integer, 7, {}},
    {"vbstring", ConstKind::Integer, 8, {}},
    {"vbobject", ConstKind::Integer, 9, {}},
    {"vberror", ConstKind::Integer, 10, {}},
    {"vbboolean", ConstKind::Integer, 11, {}},
    {"vbvariant", ConstKind::Integer, 12, {}},
    {"vbdataobject", ConstKind::Integer, 13, {}},
    {"vbdecimal", ConstKind::Integer, 14, {}},
    {"vbbyte", ConstKind::Integer, 17, {}},
    {"vbarray", ConstKind::Integer, 8192, {}},
    {"vbtrue", ConstKind::Integer, -1, {}},
    {"vbfalse", ConstKind::Integer, 0, {}},
    {"vbusedefault", ConstKind::Integer, -2, {}},
    {"vbbinarycompare", ConstKind::Integer, 0, {}},
    {"vbtextcompare", ConstKind::Integer, 1, {}},
    {"vbdatabasecompare", ConstKind::Integer, 2, {}},
    {"vbgeneraldate", ConstKind::Integer, 0, {}},
    {"vblongdate", ConstKind::Integer, 1, {}},
    {"vbshortdate", ConstKind::Integer, 2, {}},
    {"vblongtime", ConstKind::Integer, 3, {}},
    {"vbshorttime", ConstKind::Integer, 4, {}},
    {"vbusesystemdayofweek", ConstKind::Integer, 0, {}},
    {"vbsunday", ConstKind::Integer, 1, {}},
    {"vbmonday", ConstKind::Integer, 2, {}},
    {"vbtuesday", ConstKind::Integer, 3, {}},
    {"vbwednesday", ConstKind::Integer, 4, {}},
    {"vbthursday", ConstKind::Integer, 5, {}},
    {"vbfriday", ConstKind::Integer, 6, {}},
    {"vbsaturday", ConstKind::Integer, 7, {}},
    {"vbusesystem", ConstKind::Integer, 0, {}},
    {"vbfirstjan1", ConstKind::Integer, 1, {}},
    {"vbfirstfourdays", ConstKind::Integer, 2, {}},
    {"vbfirstfullweek", ConstKind::Integer, 3, {}},
    {"vbokonly", ConstKind::Integer, 0, {}},
    {"vbokcancel", ConstKind::Integer, 1, {}},
    {"vbabortretryignore", ConstKind::Integer, 2, {}},
    {"vbyesnocancel", ConstKind::Integer, 3, {}},
    {"vbyesno", ConstKind::Integer, 4, {}},
    {"vbretrycancel", ConstKind::Integer, 5, {}},
    {"vbcritical", ConstKind::Integer, 16, {}},
    {"vbquestion", ConstKind::Integer, 32, {}},
    {"vbexclamation", ConstKind::Integer, 48, {}},
    {"vbinformation", ConstKind::Integer, 64, {}},
    {"vbdefaultbutton1", ConstKind::Integer, 0, {}},
    {"vbdefaultbutton2", ConstKind::Integer, 256, {}},
    {"vbdefaultbutton3", ConstKind::Integer, 512, {}},
    {"vbdefaultbutton4", ConstKind::Integer, 768, {}},
    {"vbapplicationmodal", ConstKind::Integer, 0, {}},
    {"vbsystemmodal", ConstKind::Integer, 4096, {}},
    {"vbok", ConstKind::Integer, 1, {}},
    {"vbcancel", ConstKind::Integer, 2, {}},
    {"vbabort", ConstKind::Integer, 3, {}},
    {"vbretry", ConstKind::Integer, 4, {}},
    {"vbignore", ConstKind::Integer, 5, {}},
    {"vbyes", ConstKind::Integer, 6, {}},
    {"vbno", ConstKind::Integer, 7, {}},
    {"vbmsgboxhelpbutton", ConstKind::Long, 16384, {}},
    {"vbmsgboxsetforeground", ConstKind::Long, 65536, {}},
    {"vbmsgboxright", ConstKind::Long, 524288, {}},
    {"vbmsgboxrtlreading", ConstKind::Long, 1048576, {}},
    {"vbobjecterror", ConstKind::Long, -2147221504, {}},
    {"vbblack", ConstKind::Long, 0, {}},
    {"vbred", ConstKind::Long, 0xFF, {}},
    {"vbgreen", ConstKind::Long, 0xFF00, {}},
    {"vbyellow", ConstKind::Long, 0xFFFF, {}},
    {"vbblue", ConstKind::Long, 0xFF0000, {}},
    {"vbmagenta", ConstKind::Long, 0xFF00FF, {}},
    {"vbcyan", ConstKind::Long, 0xFFFF00, {}},
    {"vbwhite", ConstKind::Long, 0xFFFFFF, {}},
    {"vbcr", ConstKind::String, 0, "\r"},
    {"vblf", ConstKind::String, 0, "\n"},
    {"vbcrlf", ConstKind::String, 0, "\r\n"},
    {"vbnewline", ConstKind::String, 0, "\r\n"},
    {"vbformfeed", ConstKind::String, 0, "\f"},
    {"vbtab", ConstKind::String, 0, "\t"},
    {"vbverticaltab", ConstKind::String, 0, "\v"},
    {"vbnullchar", ConstKind::String, 0, std::string_view("\0", 1)},
    {"vbnullstring", ConstKind::String, 0, ""},
};

}  // namespace

std::span<const BuiltinFunction> HostBuiltins() {
  return HostFunctions;
}

const BuiltinFunction* FindBuiltin(std::string_view key) {
  for (auto family : {StringBuiltins(), ByteStringBuiltins(), MathBuiltins(), ConversionBuiltins(),
                      DateTimeBuiltins(), HostBuiltins()})
    for (const BuiltinFunction& f : family)
      if (f.Name == key) return &f;
  return nullptr;
}

std::optional<Variant> FindBuiltinConstant(std::string_view key) {
  for (const NamedConstant& c : Constants) {
    if (c.Name != key) continue;
    switch (c.Kind) {
      case ConstKind::Integer:
        return Variant::Integer(static_cast<int16_t>(c.Number));
      case ConstKind::Long:
        return Variant::Long(static_cast<int32_t>(c.Number));
      case ConstKind::String:
        return Variant::String(c.Text);
    }
  }
  return std::nullopt;
}

}  // namespace chartorium::vbscript
