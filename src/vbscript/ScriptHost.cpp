// The host API: compiles and runs text, and turns every ScriptError into the last error.
#include "vbscript/ScriptHost.h"

#include <new>

#include "vbscript/Builtins.h"
#include "vbscript/Compiler.h"
#include "vbscript/Conversion.h"
#include "vbscript/Parser.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

struct ScriptHost::Engine {
  Engine() : Vm(Globals) {}
  GlobalState Globals;
  vbscript::Vm Vm;  ///< declared after Globals, which it refers to
};

ScriptHost::ScriptHost() : engine_(std::make_unique<Engine>()) {}

ScriptHost::~ScriptHost() {
  Reset();
}

bool ScriptHost::SetLanguage(std::string_view language) {
  if (LowerAscii(language) != "vbscript") return false;
  language_ = "VBScript";
  return true;
}

void ScriptHost::SetCallbacks(HostCallbacks callbacks) {
  callbacks_ = std::move(callbacks);
  engine_->Vm.Callbacks = callbacks_;
}

void ScriptHost::SetLocale(const ScriptLocale& locale) {
  locale_ = locale;
  engine_->Vm.Locale = locale_;
  engine_->Vm.HostLocale = locale_;
}

bool ScriptHost::AddObject(std::string_view name, std::shared_ptr<NativeObject> object,
                           bool globalMembers) {
  const std::string key = LowerAscii(name);
  if (!object || key.empty() || engine_->Globals.Symbols.count(key)) return false;
  HostEntry entry;
  entry.Name = std::string(name);
  entry.Native = object;
  entry.Object = Variant::Object(std::make_unique<HostObjectRef>(object).release());
  entry.GlobalMembers = globalMembers;
  const int number = static_cast<int>(engine_->Globals.Hosts.size());
  engine_->Globals.Hosts.push_back(std::move(entry));
  GlobalSymbol symbol;
  symbol.Kind = SymbolKind::HostObject;
  symbol.Slot = number;
  engine_->Globals.Symbols[key] = symbol;
  if (!globalMembers) return true;
  const std::span<const NativeMember> members = object->Members();
  for (size_t i = 0; i < members.size(); ++i) {
    if (members[i].Kind == MemberKind::PropertyPut) continue;
    const std::string memberKey = LowerAscii(members[i].Name);
    if (engine_->Globals.Symbols.count(memberKey)) continue;
    GlobalSymbol member;
    member.Kind = SymbolKind::HostMember;
    member.Slot = number;
    member.Member = static_cast<int>(i);
    engine_->Globals.Symbols[memberKey] = member;
  }
  return true;
}

void ScriptHost::Reset() {
  // Values go first, while the code their class terminators run is still there.
  for (Variant& v : engine_->Globals.Values) v.Clear();
  for (HostEntry& h : engine_->Globals.Hosts) h.Object.Clear();
  engine_.reset();
  engine_ = std::make_unique<Engine>();
  engine_->Vm.Callbacks = callbacks_;
  engine_->Vm.Locale = locale_;
  engine_->Vm.HostLocale = locale_;
  ++generation_;
}

void ScriptHost::Report(const ScriptError& error) {
  lastError_ = ScriptErrorInfo{};
  lastError_.Number = error.Number;
  lastError_.Source = error.Source;
  lastError_.Description = error.Description;
  lastError_.HelpFile = error.HelpFile;
  lastError_.HelpContext = error.HelpContext;
  lastError_.Line = error.Pos.Line;
  lastError_.Column = error.Pos.Column > 0 ? error.Pos.Column - 1 : 0;
  if (errorHandler_) errorHandler_(lastError_);
}

template <typename Body>
bool ScriptHost::Protected(Body&& body) {
  // Nested calls (a native member running script of the same host) share the outer limits.
  if (running_ == 0) {
    engine_->Vm.Arm(timeoutMs_, cancel_);
    engine_->Vm.MarkStackBase();
  }
  ++running_;
  struct Leave {
    ScriptHost& Host;
    ~Leave() {
      // Between calls no frame runs, so code that can no longer run may go.
      if (--Host.running_ == 0) Host.engine_->Globals.ReleaseFinishedBlocks();
    }
  } leave{*this};
  try {
    body();
    return true;
  } catch (const ScriptError& error) {
    Report(error);
  } catch (const std::bad_alloc&) {
    ScriptError error;
    error.Number = 7;
    error.Description = std::string(ErrorDescription(7));
    error.Source = std::string(RuntimeSource);
    Report(error);
  } catch (const std::exception& e) {
    ScriptError error;
    error.Number = 51;
    error.Description = std::string(ErrorDescription(51)) + ": " + e.what();
    error.Source = std::string(RuntimeSource);
    Report(error);
  }
  return false;
}

bool ScriptHost::CompileAndRun(std::string_view text) {
  return Protected([&] {
    Compiler compiler(engine_->Globals);
    std::unique_ptr<CompiledBlock> block =
        compiler.Compile(ParseScript(text, locale_), CompileMode::Global, nullptr, nullptr);
    compiler.Install(*block);
    engine_->Vm.RunBlock(engine_->Globals.Keep(std::move(block)), nullptr);
  });
}

bool ScriptHost::ExecuteStatement(std::string_view statement) {
  return CompileAndRun(statement);
}

bool ScriptHost::AddCode(std::string_view code) {
  return CompileAndRun(code);
}

size_t ScriptHost::CompiledBlockCount() const {
  return engine_->Globals.Blocks.size();
}

bool ScriptHost::HasProcedure(std::string_view name) const {
  auto it = engine_->Globals.Symbols.find(LowerAscii(name));
  return it != engine_->Globals.Symbols.end() && it->second.Kind == SymbolKind::Procedure &&
         engine_->Globals.Procedures[static_cast<size_t>(it->second.Slot)] != nullptr;
}

GlobalHandle ScriptHost::FindGlobal(std::string_view name) {
  const std::string key = LowerAscii(name);
  if (key.empty()) return {};
  auto it = engine_->Globals.Symbols.find(key);
  if (it == engine_->Globals.Symbols.end()) {
    // Built-in names stay built-ins: a variable of that name would hide them from all code.
    if (key == "err" || key == "eval" || FindBuiltin(key) || FindBuiltinConstant(key)) return {};
    return {engine_->Globals.AddVariable(key), generation_};
  }
  if (it->second.Kind != SymbolKind::Variable) return {};
  return {it->second.Slot, generation_};
}

const Variant& ScriptHost::GlobalValue(GlobalHandle handle) const {
  if (handle.Generation != generation_ || handle.Slot < 0) return empty_;
  const auto slot = static_cast<size_t>(handle.Slot);
  if (slot >= engine_->Globals.Values.size() || !engine_->Globals.Declared[slot]) return empty_;
  return engine_->Globals.Values[slot];
}

ScriptResult ScriptHost::Run(std::string_view name, std::span<const Variant> args) {
  ScriptResult result;
  result.Ok = Protected([&] {
    auto it = engine_->Globals.Symbols.find(LowerAscii(name));
    const Procedure* proc = nullptr;
    if (it != engine_->Globals.Symbols.end() && it->second.Kind == SymbolKind::Procedure)
      proc = engine_->Globals.Procedures[static_cast<size_t>(it->second.Slot)];
    if (!proc) ThrowRuntime(35);
    std::vector<Variant> values(args.begin(), args.end());
    result.Value = engine_->Vm.CallWithValues(*proc, values);
  });
  return result;
}

ScriptResult ScriptHost::Eval(std::string_view expression) {
  ScriptResult result;
  result.Ok = Protected([&] {
    Compiler compiler(engine_->Globals);
    std::unique_ptr<CompiledBlock> block =
        compiler.CompileExpression(*ParseExpressionText(expression, locale_), nullptr, nullptr);
    result.Value = engine_->Vm.EvaluateBlock(*block);
  });
  return result;
}

}  // namespace chartorium::vbscript
