// Small hand-built stocks for the indicator tests: a Workspace on a temporary
// folder whose bars are filled directly.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/MacroStatus.h"
#include "core/Workspace.h"
#include "indicators/SeriesTypes.h"
#include "support/TestBars.h"

namespace chartorium::testing {

using Bar = TestBar;

class BarFixture : public ::testing::Test {
 protected:
  BarFixture() {
    folder_ = std::filesystem::temp_directory_path() /
              ("chartorium-indicators-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
               std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    workspace_ = std::make_unique<Workspace>(folder_);
  }
  ~BarFixture() override {
    // The series the tests read are built in or computed by fake runners: no script runs.
    EXPECT_TRUE(runs_.Clean());
    workspace_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  Workspace& Ws() { return *workspace_; }
  QuoteStore& Store() { return workspace_->Quotes(); }
  BarView View() { return BarView(workspace_->Quotes()); }
  const std::filesystem::path& Folder() const { return folder_; }
  /// Where the reads of named series put the errors of custom indicator runs.
  MacroStatus& Runs() { return runs_; }

  /// Bars 1..n with these closes only (no Open, High, Low or Volume).
  void SetCloses(const std::vector<Single>& closes) {
    std::vector<Bar> bars;
    for (const Single c : closes) bars.push_back(Bar{0, 0, 0, c, 0});
    SetBars(bars);
  }

  /// Bars 1..n; every later bar of the store is cleared.
  void SetBars(const std::vector<Bar>& bars) { SetTestBars(*workspace_, bars); }

  /// Closes 1, 2, ..., n with High = Close + 1 and Low = Close - 1.
  void SetRisingBars(int n) {
    std::vector<Bar> bars;
    for (int p = 1; p <= n; ++p) {
      const Single c = static_cast<Single>(p);
      bars.push_back(Bar{c, c + 1, c - 1, c, 1000 * p});
    }
    SetBars(bars);
  }

  /// A deterministic wandering stock of n bars with every field filled.
  void SetWanderingBars(int n) {
    std::vector<Bar> bars;
    unsigned state = 12345;
    double close = 50;
    for (int p = 1; p <= n; ++p) {
      state = state * 1103515245u + 12345u;
      const double step = static_cast<double>((state >> 16) % 2001) / 1000.0 - 1.0;
      const double open = close;
      close = std::max(5.0, close + step);
      const double high = std::max(open, close) + static_cast<double>((state >> 8) % 7) / 10.0;
      const double low = std::min(open, close) - static_cast<double>((state >> 4) % 5) / 10.0;
      bars.push_back(Bar{static_cast<Single>(open), static_cast<Single>(high),
                         static_cast<Single>(low), static_cast<Single>(close),
                         static_cast<int>(1000 + (state >> 12) % 5000)});
    }
    SetBars(bars);
  }

 private:
  std::filesystem::path folder_;
  MacroStatus runs_;
  std::unique_ptr<Workspace> workspace_;
};

}  // namespace chartorium::testing
