// A scripted Dialogs: queued answers for confirmations and input boxes, and a
// record of every message shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/Dialogs.h"

namespace chartorium::testing {

class FakeDialogs final : public Dialogs {
 public:
  struct Shown {
    std::string Kind;  ///< "warning", "information", "error", "confirm", "input", "beep"
    std::string Text;
  };

  std::deque<bool> ConfirmAnswers;
  std::deque<std::string> InputAnswers;
  std::vector<Shown> Messages;

  void Warning(std::string_view text) override {
    Messages.push_back({"warning", std::string(text)});
  }
  void Information(std::string_view text) override {
    Messages.push_back({"information", std::string(text)});
  }
  void Error(std::string_view caption, std::string_view text) override {
    Messages.push_back({"error", std::string(caption) + ": " + std::string(text)});
  }
  bool Confirm(std::string_view text) override {
    Messages.push_back({"confirm", std::string(text)});
    if (ConfirmAnswers.empty()) return false;
    const bool answer = ConfirmAnswers.front();
    ConfirmAnswers.pop_front();
    return answer;
  }
  std::string Input(std::string_view prompt, std::string_view) override {
    Messages.push_back({"input", std::string(prompt)});
    if (InputAnswers.empty()) return {};
    std::string answer = InputAnswers.front();
    InputAnswers.pop_front();
    return answer;
  }
  void Beep() override { Messages.push_back({"beep", ""}); }
  void ShowProgress(std::string_view text) override {
    progressVisible_ = true;
    Messages.push_back({"progress", std::string(text)});
  }
  void HideProgress() override { progressVisible_ = false; }
  bool ProgressVisible() const override { return progressVisible_; }
  bool ProgressCancelled() const override { return false; }

 private:
  bool progressVisible_ = false;
};

}  // namespace chartorium::testing
