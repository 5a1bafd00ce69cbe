// The `script` command: runs a VBScript file as a console script host would.
#include <memory>
#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliCommandList.h"
#include "cli/CliMacro.h"
#include "cli/CliStock.h"
#include "core/MacroStatus.h"
#include "core/SafeFile.h"
#include "core/Workspace.h"
#include "macro/MacroHosts.h"
#include "macro/MacroLang.h"
#include "macro/MacroState.h"
#include "vbscript/Conversion.h"
#include "vbscript/NativeObject.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptHost.h"

namespace chartorium::cli {

namespace {

using vbscript::MemberKind;
using vbscript::NativeMember;
using vbscript::NativeObject;
using vbscript::Variant;

// WScript.Quit ends the script through an error no script can catch.
constexpr int QuitErrorNumber = 0x1F00;

/// WScript.Arguments: Count, Length and the default Item(index).
class ArgumentsObject final : public NativeObject {
 public:
  explicit ArgumentsObject(std::vector<std::string> args) : args_(std::move(args)) {}

  std::span<const NativeMember> Members() const override { return Table; }
  std::string TypeName() const override { return "Arguments"; }
  void Invoke(int index, std::span<Variant> args, Variant& result) override {
    if (index == 0 || index == 1) {
      result = Variant::Long(static_cast<int32_t>(args_.size()));
      return;
    }
    const int32_t i = vbscript::ToLong(args[0]);
    if (i < 0 || static_cast<size_t>(i) >= args_.size()) vbscript::ThrowRuntime(9);
    result = Variant::String(args_[static_cast<size_t>(i)]);
  }

 private:
  static constexpr NativeMember Table[] = {
      {"Count", MemberKind::PropertyGet, 0, -1, true},
      {"Length", MemberKind::PropertyGet, 0, -1, true},
      {"Item", MemberKind::PropertyGet, 1, -1, true, 0, true},
  };
  std::vector<std::string> args_;
};

/// The WScript object: Echo, Arguments, Quit.
class WScriptObject final : public NativeObject {
 public:
  WScriptObject(std::ostream& out, std::vector<std::string> args)
      : out_(out),
        arguments_(Variant::Object(std::make_unique<vbscript::HostObjectRef>(
                                       std::make_shared<ArgumentsObject>(std::move(args)))
                                       .release())) {}

  std::span<const NativeMember> Members() const override { return Table; }
  std::string TypeName() const override { return "WScript"; }
  void Invoke(int index, std::span<Variant> args, Variant& result) override {
    switch (index) {
      case 0: {
        std::string line;
        for (size_t i = 0; i < args.size(); ++i) {
          if (i > 0) line += ' ';
          vbscript::AppendText(line, args[i].IsObject() ? Variant::String("[object]") : args[i]);
        }
        out_ << line << '\n';
        return;
      }
      case 1:
        result = arguments_;
        return;
      case 2: {
        ExitCode = args.empty() ? 0 : vbscript::ToLong(args[0]);
        vbscript::ScriptError quit;
        quit.Number = QuitErrorNumber;
        quit.Fatal = true;
        throw quit;
      }
      default:
        return;
    }
  }

  int ExitCode = 0;

 private:
  static constexpr NativeMember Table[] = {
      {"Echo", MemberKind::Method, -1, 0, false, 0, false, true},
      {"Arguments", MemberKind::PropertyGet, 0, -1, true},
      {"Quit", MemberKind::Method, 1, 0, false},
  };
  std::ostream& out_;
  Variant arguments_;
};

int RunScript(CliContext& context, std::span<const std::string> args) {
  if (args.empty() || args[0] == "--help") {
    context.Err << ScriptCommand.Usage;
    return args.empty() ? ExitUsage : ExitOk;
  }
  const Result<std::string> text = ReadWholeFile(args[0]);
  if (!text) {
    context.Err << "chartorium-cli script: cannot open " << args[0] << '\n';
    return ExitUsage;
  }

  // --stock STOCK: the macro object "KVX" works on that stock; PrintOut lines go to stdout.
  std::unique_ptr<Workspace> stock;
  if (args.size() >= 3 && args[1] == "--stock") {
    int exitCode = ExitOk;
    stock = OpenMacroStock(context, args[2], exitCode);
    if (!stock) return exitCode;
    stock->Macros.Console.Echo = [&context](const std::string& line) {
      context.Out << line << '\n';
    };
  }

  vbscript::ScriptHost host;
  std::shared_ptr<MacroLang> object;
  if (stock) object = AddMacroObject(host, *stock);
  auto wscript = std::make_shared<WScriptObject>(
      context.Out, std::vector<std::string>(args.begin() + (stock ? 3 : 1), args.end()));
  static_cast<void>(host.AddObject("WScript", wscript, false));
  vbscript::HostCallbacks callbacks;
  callbacks.MsgBox = [&context](const std::string& prompt, int, const std::string&) {
    context.Out << prompt << '\n';
    return 1;
  };
  host.SetCallbacks(std::move(callbacks));
  host.SetTimeout(0);

  // The errors of custom indicators and systems that KVX ran for the script
  // are printed before the script's own, and make the command fail as well.
  auto finish = [&](bool ok) {
    const bool quit = !ok && host.LastError().Number == QuitErrorNumber;
    MacroStatus status = object ? CallStatus(ok || quit, host, *object) : MacroStatus();
    if (!ok && !quit) status.Fail(LastMacroError(host));
    const bool failed = PrintScriptErrors(context, status);
    if (quit) return wscript->ExitCode;
    return static_cast<int>(failed ? ExitFailed : ExitOk);
  };
  if (!host.AddCode(*text)) return finish(false);
  if (host.HasProcedure("Main")) return finish(host.Run("Main").Ok);
  return finish(true);
}

}  // namespace

constexpr CliCommand ScriptCommand{
    "script", "run a VBScript file",
    "usage: chartorium-cli script FILE [--stock STOCK] [ARGS...]\n"
    "Runs the global code of FILE, then its Sub Main when it has one. The script sees\n"
    "WScript.Echo, WScript.Arguments and WScript.Quit; MsgBox prints its prompt.\n"
    "Script errors are printed on stderr and exit with 1.\n"
    "With --stock, the macro object KVX (Close, GetIndic, PrintOut...) works on the\n"
    "daily bars of STOCK in the home, and PrintOut lines are printed on stdout.\n",
    RunScript};

}  // namespace chartorium::cli
