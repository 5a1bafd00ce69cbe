// The message boxes, input box and progress box of the windows.
#pragma once

#include "core/Dialogs.h"

class QWidget;

namespace chartorium {

class InpBox;
class Progress;

/// The Dialogs port with Qt message boxes, the InpBox and the Progress box.
class QtDialogs final : public Dialogs {
 public:
  /// `parent` owns the message boxes (null: centred on the screen).
  QtDialogs(InpBox& input, Progress& progress, QWidget* parent = nullptr)
      : input_(input), progress_(progress), parent_(parent) {}

  void Warning(std::string_view text) override;
  void Information(std::string_view text) override;
  void Error(std::string_view caption, std::string_view text) override;
  bool Confirm(std::string_view text) override;
  std::string Input(std::string_view prompt, std::string_view initial) override;
  void Beep() override;
  void ShowProgress(std::string_view text) override;
  void HideProgress() override;
  bool ProgressVisible() const override;
  bool ProgressCancelled() const override;

 private:
  InpBox& input_;
  Progress& progress_;
  QWidget* parent_;
};

}  // namespace chartorium
