// The host API: compiles and runs text, and turns every ScriptError into the last error.
#include "vbscript/ScriptHost.h"
#include "vbscript/Conversion.h"

#include <new>

#include "vbscript/Builtins.h"
#include "vbscript/Compiler.h"
#include "vbscript/Parser.h"

namespace chartorium::vbscript {

ScriptHost::ScriptHost()
    : globals_(std::make_unique<GlobalState>()), vm_(std::make_unique<Vm>(*globals_)) {}

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
  vm_->Callbacks = callbacks_;
}

void ScriptHost::SetLocale(const ScriptLocale& locale) {
  locale_ = locale;
  vm_->Locale = locale_;
  vm_->HostLocale = locale_;
}

bool ScriptHost::AddObject(std::string_view name, std::shared_ptr<NativeObject> object,
                           bool globalMembers) {
  const std::string key = LowerAscii(name);
  if (!object || key.empty() || globals_->Symbols.count(key)) return false;
  HostEntry entry;
  entry.Name = std::string(name);
  entry.Native = object;
  entry.Object = Variant::Object(std::make_unique<HostObjectRef>(object).release());
  entry.GlobalMembers = globalMembers;
  const int number = static_cast<int>(globals_->Hosts.size());
  globals_->Hosts.push_back(std::move(entry));
  GlobalSymbol symbol;
  symbol.Kind = SymbolKind::HostObject;
  symbol.Slot = number;
  globals_->Symbols[key] = symbol;
  if (!globalMembers) return true;
  const std::span<const NativeMember> members = object->Members();
  for (size_t i = 0; i < members.size(); ++i) {
    if (members[i].Kind == MemberKind::PropertyPut) continue;
    const std::string memberKey = LowerAscii(members[i].Name);
    if (globals_->Symbols.count(memberKey)) continue;
    GlobalSymbol member;
    member.Kind = SymbolKind::HostMember;
    member.Slot = number;
    member.Member = static_cast<int>(i);
    globals_->Symbols[memberKey] = member;
  }
  return true;
}

void ScriptHost::Reset() {
  // Values go first, while the code their class terminators run is still there.
  for (Variant& v : globals_->Values) v.Clear();
  for (HostEntry& h : globals_->Hosts) h.Object.Clear();
  vm_.reset();
  globals_ = std::make_unique<GlobalState>();
  vm_ = std::make_unique<Vm>(*globals_);
  vm_->Callbacks = callbacks_;
  vm_->Locale = locale_;
  vm_->HostLocale = locale_;
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
    vm_->Arm(timeoutMs_, cancel_);
    vm_->MarkStackBase();
  }
  ++running_;
  struct Leave {
    ScriptHost& Host;
    ~Leave() {
      // Between calls no frame runs, so code that can no longer run may go.
      if (--Host.running_ == 0) Host.globals_->ReleaseFinishedBlocks();
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
    Compiler compiler(*globals_);
    std::unique_ptr<CompiledBlock> block =
        compiler.Compile(ParseScript(text, locale_), CompileMode::Global, nullptr, nullptr);
    compiler.Install(*block);
    vm_->RunBlock(globals_->Keep(std::move(block)), nullptr);
  });
}

bool ScriptHost::ExecuteStatement(std::string_view statement) {
  return CompileAndRun(statement);
}

bool ScriptHost::AddCode(std::string_view code) {
  return CompileAndRun(code);
}

size_t ScriptHost::CompiledBlockCount() const {
  return globals_->Blocks.size();
}

bool ScriptHost::HasProcedure(std::string_view name) const {
  auto it = globals_->Symbols.find(LowerAscii(name));
  return it != globals_->Symbols.end() && it->second.Kind == SymbolKind::Procedure &&
         globals_->Procedures[static_cast<size_t>(it->second.Slot)] != nullptr;
}

GlobalHandle ScriptHost::FindGlobal(std::string_view name) {
  const std::string key = LowerAscii(name);
  if (key.empty()) return {};
  auto it = globals_->Symbols.find(key);
  if (it == globals_->Symbols.end()) {
    // Built-in names stay built-ins: a variable of that name would hide them from all code.
    if (key == "err" || key == "eval" || FindBuiltin(key) || FindBuiltinConstant(key)) return {};
    return {globals_->AddVariable(key), generation_};
  }
  if (it->second.Kind != SymbolKind::Variable) return {};
  return {it->second.Slot, generation_};
}

const Variant& ScriptHost::GlobalValue(GlobalHandle handle) const {
  if (handle.Generation != generation_ || handle.Slot < 0) return empty_;
  const auto slot = static_cast<size_t>(handle.Slot);
  if (slot >= globals_->Values.size() || !globals_->Declared[slot]) return empty_;
  return globals_->Values[slot];
}

ScriptResult ScriptHost::Run(std::string_view name, std::span<const Variant> args) {
  ScriptResult result;
  result.Ok = Protected([&] {
    auto it = globals_->Symbols.find(LowerAscii(name));
    const Procedure* proc = nullptr;
    if (it != globals_->Symbols.end() && it->second.Kind == SymbolKind::Procedure)
      proc = globals_->Procedures[static_cast<size_t>(it->second.Slot)];
    if (!proc) ThrowRuntime(35);
    std::vector<Variant> values(args.begin(), args.end());
    result.Value = vm_->CallWithValues(*proc, values);
  });
  return result;
}

ScriptResult ScriptHost::Eval(std::string_view expression) {
  ScriptResult result;
  result.Ok = Protected([&] {
    Compiler compiler(*globals_);
    std::unique_ptr<CompiledBlock> block =
        compiler.CompileExpression(ParseExpressionText(expression, locale_), nullptr, nullptr);
    result.Value = vm_->EvaluateBlock(*block);
  });
  return result;
}

}  // namespace chartorium::vbscript
