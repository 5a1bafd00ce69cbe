// The dialogs of the command line: messages go to stderr, questions are
// answered No and the progress box is not shown.
#pragma once

#include <ostream>
#include <string>

#include "core/Dialogs.h"

namespace chartorium::cli {

class CliDialogs final : public Dialogs {
 public:
  explicit CliDialogs(std::ostream& err) : err_(err) {}

  void Warning(std::string_view text) override { err_ << "chartorium-cli: " << text << "\n"; }
  void Information(std::string_view text) override { err_ << "chartorium-cli: " << text << "\n"; }
  void Error(std::string_view caption, std::string_view text) override {
    err_ << "chartorium-cli: " << text << "\n";
  }
  bool Confirm(std::string_view) override { return false; }
  std::string Input(std::string_view, std::string_view) override { return {}; }
  void Beep() override {}
  void ShowProgress(std::string_view) override {}
  void HideProgress() override {}
  bool ProgressVisible() const override { return false; }
  bool ProgressCancelled() const override { return false; }

 private:
  std::ostream& err_;
};

}  // namespace chartorium::cli
