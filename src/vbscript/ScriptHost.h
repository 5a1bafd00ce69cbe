// The host API in the Script Control's terms; the one place that catches ScriptError.
// The compiler and the VM stay behind it: callers see values, objects and errors only.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vbscript/HostCallbacks.h"
#include "vbscript/NativeObject.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptLocale.h"
#include "vbscript/Variant.h"

namespace chartorium::vbscript {

/// The last error of a host: VBScript's number and texts, and where it happened.
struct ScriptErrorInfo {
  int Number = 0;
  std::string Source;  ///< "Microsoft VBScript runtime error" / "... compilation error"
  std::string Description;
  std::string HelpFile;
  int HelpContext = 0;
  int Line = 0;    ///< 1-based, counted within the text passed to AddCode/ExecuteStatement
  int Column = 0;  ///< 0-based character offset within that line
};

/// A global script variable found once by name, for reading its value fast and often.
/// Reset makes every handle stale; a stale or invalid handle reads as Empty.
struct GlobalHandle {
  int Slot = -1;
  uint64_t Generation = 0;
  bool Valid() const { return Slot >= 0; }
};

/// A call's value, or failure (then LastError says why).
struct [[nodiscard]] ScriptResult {
  bool Ok = false;
  Variant Value;
  explicit operator bool() const { return Ok; }
};

/// One script engine instance. Code and global variables persist across AddCode, Run and
/// ExecuteStatement until Reset. Every call returns its status; none throws.
/// Not thread-safe: use a host from one thread (native members are called back on it).
class ScriptHost {
 public:
  static constexpr int DefaultTimeoutMs = 10000;

  ScriptHost();
  ~ScriptHost();
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  /// Only "VBScript" (any case) is accepted.
  [[nodiscard]] bool SetLanguage(std::string_view language);
  const std::string& Language() const { return language_; }

  /// Makes `object` visible as `name`; with `globalMembers` its members are global names too
  /// (a script's own procedures and variables of the same name win). Add objects before the
  /// code that uses them. False when the name is taken.
  [[nodiscard]] bool AddObject(std::string_view name, std::shared_ptr<NativeObject> object,
                               bool globalMembers);
  /// Discards all code, variables and objects. REQUIRES: the caller holds no Variant that
  /// references a script class instance of this host.
  void Reset();
  /// Runs one statement (or several) at global level; a Const it declares is seen by code
  /// added later.
  [[nodiscard]] bool ExecuteStatement(std::string_view statement);
  /// Compiles the text as a block at global level, then runs its global code. On a syntax
  /// error nothing of the text is kept.
  [[nodiscard]] bool AddCode(std::string_view code);
  /// Calls a Sub or Function of the added code; ByRef parameters see copies of `args`.
  ScriptResult Run(std::string_view name, std::span<const Variant> args = {});
  /// The value of an expression at global level, e.g. a script variable's current value.
  ScriptResult Eval(std::string_view expression);
  /// True when the added code defines a procedure of that name.
  bool HasProcedure(std::string_view name) const;
  /// The global variable `name` (any case). A name no code has used yet is kept as a variable
  /// that later code declares or assigns. Invalid when the name is a procedure, class,
  /// constant or host object.
  GlobalHandle FindGlobal(std::string_view name);
  /// The variable's current value without compiling or calling anything; Empty while the
  /// script has not declared or assigned it, or when the handle is stale.
  const Variant& GlobalValue(GlobalHandle handle) const;

  /// The blocks of added code the host keeps because their code may still run.
  size_t CompiledBlockCount() const;

  const ScriptErrorInfo& LastError() const { return lastError_; }
  /// Called with the error before the failing call returns.
  void SetErrorHandler(std::function<void(const ScriptErrorInfo&)> handler) {
    errorHandler_ = std::move(handler);
  }
  /// Milliseconds a call may run (0: no limit); the default is DefaultTimeoutMs.
  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
  int Timeout() const { return timeoutMs_; }
  /// While *cancel is true a running script stops with an error. nullptr: none.
  void SetCancelFlag(const std::atomic<bool>* cancel) { cancel_ = cancel; }
  /// MsgBox and InputBox of scripts go here; without them MsgBox returns 0 and InputBox "".
  void SetCallbacks(HostCallbacks callbacks);
  /// The regional settings of number and date texts (US English unless set); Reset keeps them.
  void SetLocale(const ScriptLocale& locale);
  const ScriptLocale& Locale() const { return locale_; }

 private:
  template <typename Body>
  bool Protected(Body&& body);
  void Report(const ScriptError& error);
  bool CompileAndRun(std::string_view text);

  struct Engine;  ///< the global tables and the VM, rebuilt by Reset

  std::string language_ = "VBScript";
  std::unique_ptr<Engine> engine_;
  HostCallbacks callbacks_;
  ScriptLocale locale_;
  ScriptErrorInfo lastError_;
  std::function<void(const ScriptErrorInfo&)> errorHandler_;
  int timeoutMs_ = DefaultTimeoutMs;
  const std::atomic<bool>* cancel_ = nullptr;
  int running_ = 0;
  uint64_t generation_ = 1;  ///< counts Resets, so handles of discarded globals read Empty
  Variant empty_;
};

}  // namespace chartorium::vbscript
