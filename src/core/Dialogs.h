// The message boxes, input box and progress box the engine's commands show.
#pragma once

#include <string>
#include <string_view>

namespace chartorium {

/// Implemented by the windows with real dialogs and by tests with a scripted
/// fake. Texts are the program's own, passed exactly as the user sees them.
class Dialogs {
 public:
  Dialogs() = default;
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;
  virtual ~Dialogs() = default;

  /// Modal warning with an OK button.
  virtual void Warning(std::string_view text) = 0;
  /// Modal information with an OK button.
  virtual void Information(std::string_view text) = 0;
  /// Modal error box with the given caption and an OK button.
  virtual void Error(std::string_view caption, std::string_view text) = 0;
  /// Yes/No confirmation; true for Yes.
  virtual bool Confirm(std::string_view text) = 0;
  /// The input box: prompt, prefilled text; the trimmed answer, empty when cancelled.
  virtual std::string Input(std::string_view prompt, std::string_view initial) = 0;
  /// The platform's exclamation sound.
  virtual void Beep() = 0;

  /// The progress box: shown with one line of text, hidden again, and whether
  /// the user pressed its "&Cancel" button since it was shown.
  virtual void ShowProgress(std::string_view text) = 0;
  virtual void HideProgress() = 0;
  virtual bool ProgressVisible() const = 0;
  virtual bool ProgressCancelled() const = 0;
};

}  // namespace chartorium
