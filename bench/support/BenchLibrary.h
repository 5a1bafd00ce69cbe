// What the benchmarks share: a library of generated stocks, the demo systems'
// texts and a Dialogs that shows nothing.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/Dialogs.h"

namespace chartorium {

/// "Stock 0", "Stock 1", ...: the names of GeneratedLibrary's stocks.
std::string GeneratedStockName(int i);

/// A data folder "<temp>/<folderName>" holding `stockCount` generated stocks of
/// 2001 bars each (seeds seedBase, seedBase + 1, ...), written afresh.
std::filesystem::path WriteGeneratedLibrary(std::string_view folderName, int stockCount,
                                            unsigned long long seedBase);

/// The text of a demo macro file such as "Signals/MA Crossover"; "" when none.
std::string DemoMacroText(std::string_view path);

/// Answers nothing and shows nothing: a benchmark meets no message.
class SilentDialogs final : public Dialogs {
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
