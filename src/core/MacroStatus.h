// What a macro run gives back: whether it ran to its end, and the script
// errors met on the way, as values the caller decides how to show.
#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

class Dialogs;

/// A script error as the script host reports it.
struct MacroError {
  int Number = 0;      ///< VBScript's error number
  std::string Source;  ///< "Microsoft VBScript runtime error" / "... compilation error"
  std::string Description;
  int Line = 0;    ///< 1-based, counted within the macro's text
  int Column = 0;  ///< 0-based character offset within that line
  std::string HelpFile;

  friend bool operator==(const MacroError&, const MacroError&) = default;
};

/// The host's error message: source, description, line, character and help
/// file, laid out as "%s:\r\n\r\n'%s'\r\n\r\nat line:%d, char:%d\r\n\r\n%s"
/// with `newline` for each "\r\n" (the command line passes "\n").
std::string ScriptErrorText(const MacroError& error, std::string_view newline = "\r\n");

/// The caption of the script error box.
constexpr std::string_view ScriptErrorCaption = "Error";

/// Macro runs nest: a macro that asks for a custom indicator or a system's
/// signal starts another run. An error ends only the run it happens in; the
/// run that started it goes on with what the inner run left (the values it
/// set before the error) and carries the inner error back to its own caller,
/// which shows each error once.
class [[nodiscard]] MacroStatus {
 public:
  /// Ran to its end, and no run it started met an error.
  MacroStatus() = default;
  static MacroStatus Failed(MacroError error) {
    MacroStatus status;
    status.Fail(std::move(error));
    return status;
  }

  /// The run itself reached its end (errors of runs it started may be listed).
  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  /// No error at all.
  bool Clean() const { return errors_.empty(); }
  /// Every error in the order met: those of the runs this one started and,
  /// last, the one that ended this run when !ok().
  std::span<const MacroError> Errors() const { return errors_; }

  /// Takes over the errors of a run this one started; this run's own outcome
  /// does not change. An error listed already (the same custom indicator
  /// failing again on the next stock of a batch) is not listed twice.
  void AddNested(const MacroStatus& nested) {
    for (const MacroError& error : nested.errors_) {
      if (std::find(errors_.begin(), errors_.end(), error) == errors_.end()) {
        errors_.push_back(error);
      }
    }
  }
  /// Takes over the errors of a run that followed this one in the same
  /// command; that run's failure is the command's failure.
  void Append(const MacroStatus& next) {
    AddNested(next);
    failed_ = failed_ || next.failed_;
  }
  /// This run ended with `error`, after the errors met so far.
  void Fail(MacroError error) {
    errors_.push_back(std::move(error));
    failed_ = true;
  }

 private:
  std::vector<MacroError> errors_;
  bool failed_ = false;
};

/// Shows each error of the status, in order, as the box "Error" with ScriptErrorText.
void ReportScriptErrors(Dialogs& dialogs, const MacroStatus& status);

}  // namespace chartorium
