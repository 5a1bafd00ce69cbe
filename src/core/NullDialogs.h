// Dialogs that show nothing and answer every question No.
#pragma once

#include <string>
#include <string_view>

#include "core/Dialogs.h"

namespace chartorium {

/// For runs without a user: benchmarks, tests that meet no message, and the
/// command line, which overrides the messages to print them.
class NullDialogs : public Dialogs {
 public:
  void Warning(std::string_view) override {}
  void Information(std::string_view) override {}
  void Error(std::string_view, std::string_view) override {}
  bool Confirm(std::string_view) override { return false; }
  std::string Input(std::string_view, std::string_view) override { return {}; }
  void Beep() override {}
  void ShowProgress(std::string_view) override {}
  void HideProgress() override {}
  bool ProgressVisible() const override { return false; }
  bool ProgressCancelled() const override { return false; }
};

}  // namespace chartorium
