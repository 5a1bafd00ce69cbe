// The error thrown inside the engine and caught once, in ScriptHost.
#pragma once

#include <string>
#include <string_view>

namespace chartorium::vbscript {

/// A place in a script text; both 1-based (line 1 = first line of the added code).
struct SourcePos {
  int Line = 0;
  int Column = 0;
};

/// A run-time or compile error with VBScript's number and text.
struct ScriptError {
  int Number = 0;
  std::string Description;
  std::string Source;
  std::string HelpFile;
  int HelpContext = 0;
  SourcePos Pos;
  bool HasPos = false;
  bool Compile = false;
  bool Fatal = false;  ///< time-out or cancel: On Error Resume Next does not catch it
};

/// Error numbers of a script stopped from outside; On Error Resume Next does not catch them.
inline constexpr int TimeoutErrorNumber = 0x1001;
inline constexpr int CancelErrorNumber = 0x1002;

inline constexpr std::string_view RuntimeSource = "Microsoft VBScript runtime error";
inline constexpr std::string_view CompileSource = "Microsoft VBScript compilation error";

/// The standard English description of a VBScript error number ("Unknown runtime error"
/// for numbers without one).
std::string_view ErrorDescription(int number);

/// The VBScript number of an error code that Err.Raise or an object reports: facility-control
/// codes &H800Axxxx name error xxxx, well-known COM failures their VBScript errors; any
/// other code is kept.
int ErrorNumberOfCode(int number);

/// Throws the run-time error `number` with its standard description.
[[noreturn]] void ThrowRuntime(int number);
/// Throws the run-time error `number` with a description of the caller's words.
[[noreturn]] void ThrowRuntime(int number, std::string_view description);
/// Throws the compile error `number` at `pos`, adding `detail` to the standard text.
[[noreturn]] void ThrowCompile(int number, SourcePos pos, std::string_view detail = {});

}  // namespace chartorium::vbscript
