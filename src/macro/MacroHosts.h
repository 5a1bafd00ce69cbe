// The script hosts macros run in: the system tester's, the custom reports'
// and the fresh one of each custom indicator run; and the script error report.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/MacroStatus.h"
#include "macro/SystemRunState.h"
#include "vbscript/ScriptHost.h"

namespace chartorium {

class MacroLang;
class Workspace;
struct CustomIndicatorOutput;

/// The script variables the signal methods read at nearly every call.
enum class TesterGlobal : std::uint8_t { CurrentBar, Signal };

/// The system tester's host: the macro object "KVX" with global members and
/// the colour constants. It keeps its code and globals from run to run.
class TesterHost {
 public:
  explicit TesterHost(Workspace& workspace);
  vbscript::ScriptHost Host;

  /// The current value of CurrentBar or Signal; Empty when it has none.
  const vbscript::Variant& Value(TesterGlobal global);
  /// The current value of any global script variable; Empty when it has none.
  vbscript::Variant Variable(std::string_view name);
  /// Sets the script's Signal to SignalBuy, SignalSell, SignalShort or SignalCover.
  void SetSignal(SignalCode code);
  /// The macro object "KVX" of the host.
  MacroLang& Object() { return *object_; }

 private:
  bool Prepared() const;

  std::shared_ptr<MacroLang> object_;
  /// Found once; a Reset of the host makes them stale (they then read Empty).
  std::array<vbscript::GlobalHandle, 2> globals_;
  /// True while the host's globals are still those the constructor set up.
  vbscript::GlobalHandle prepared_;
};

/// The host's last error as the engine passes script errors on.
MacroError LastMacroError(const vbscript::ScriptHost& host);

/// The status of a call of `host` that returned `ran`: the errors of the runs
/// `object`'s methods started meanwhile (taken from it), then the host's last
/// error when the call failed.
MacroStatus CallStatus(bool ran, const vbscript::ScriptHost& host, MacroLang& object);

/// A script host for macros: language VBScript and a new macro object added
/// as "KVX" with global members, writing its custom indicator values to `output`.
struct MacroHost {
  /// `output` must outlive the host.
  MacroHost(Workspace& workspace, CustomIndicatorOutput& output);
  vbscript::ScriptHost Host;
  std::shared_ptr<MacroLang> Object;

  /// CallStatus of a call of Host that returned `ran`.
  MacroStatus Outcome(bool ran) { return CallStatus(ran, Host, *Object); }
};

/// Adds a new macro object as "KVX" with global members to a host set up by
/// its owner (the command line's script host), and returns it so that the
/// owner can take the errors of the runs its methods start.
std::shared_ptr<MacroLang> AddMacroObject(vbscript::ScriptHost& host, Workspace& workspace);

/// A host for a custom report macro, kept by the custom reports window.
std::unique_ptr<MacroHost> CreateReportHost(Workspace& workspace);

/// Runs the custom indicator `name` from its macro text in a fresh host and
/// adds its series to the cache. A script error still adds the values set so
/// far, with the levels but without the colour and histogram part, and is
/// returned with the errors of the runs the macro started. Asked for again
/// while its run is in progress (a macro reading itself), it does nothing.
MacroStatus RunCustomIndicator(Workspace& workspace, const std::string& name,
                               std::string_view text);

/// The indicators builder's "Test the code": compiles the text in a host set
/// up like a custom indicator's, running nothing. Fails with the syntax error.
MacroStatus CheckIndicatorText(Workspace& workspace, std::string_view text);

}  // namespace chartorium
