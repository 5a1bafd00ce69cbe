// A small library on a temporary folder for the test commands and the
// signals list: four stocks, a tree with folders, and a few systems.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/QuoteRecord.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/StockObserver.h"
#include "core/Workspace.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"
#include "systems/ReportOptions.h"
#include "systems/TestCommands.h"
#include "systems/TesterOptions.h"

namespace chartorium::testing {

/// Counts the stocks opened through Ouvre.
class CountingObserver final : public StockObserver {
 public:
  int Opened = 0;
  void StockOpened(bool, bool) override { ++Opened; }
};

class TestCommandsFixture : public ::testing::Test {
 protected:
  TestCommandsFixture() : workspace(folder.Path()) {
    std::filesystem::create_directories(folder / "Stocks");
    std::filesystem::create_directories(folder / "Signals");
    WriteStock("AAA", {10, 12, 14, 16, 18, 20});  // doubles
    WriteStock("BBB", {20, 18, 16, 14, 12, 10});  // halves
    WriteStock("ccc", {5, 5, 5, 5, 5, 5});
    WriteStock("DDD", {8, 8, 8, 8, 8, 8});
    // "Gone" has no stock file: a folder; "Sub" holds DDD one level deeper.
    workspace.Library.SetText("Stocks\n\tTech\n\t\tAAA\n\t\tBBB\n\t\tGone\n\t\tSub\n\t\t\tDDD\n");
    WriteSystem("Buy First", "Sub Main()\r\n  Buy BeginBar\r\nEnd Sub\r\n");
    WriteSystem("Nothing", "Sub Main()\r\nEnd Sub\r\n");
    WriteSystem("Broken", "Sub Main()\r\n  If Then\r\nEnd Sub\r\n");
  }

  void WriteStock(const std::string& name, const std::vector<Single>& closes) const {
    std::string bytes;
    for (size_t i = 0; i < closes.size(); ++i) {
      QuoteRecord record;
      record.Date = 40001 + static_cast<double>(i);
      record.Open = record.Low = record.High = record.Close = closes[i];
      record.Volume = 100;
      std::array<std::uint8_t, QuoteRecordSize> encoded;
      EncodeQuoteRecord(record, encoded);
      if (i == 0) encoded[0] = FormatMarker;
      bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    }
    ASSERT_TRUE(WriteFileAtomically(folder / "Stocks" / (name + ".kvx"), bytes).ok());
  }
  void WriteSystem(const std::string& name, const std::string& text) const {
    ASSERT_TRUE(WriteFileAtomically(folder / "Signals" / name, text).ok());
  }
  void Open(const std::string& name) {
    ASSERT_TRUE(Ouvre(workspace, dialogs, observer, folder / "Stocks" / (name + ".kvx")).ok());
    observer.Opened = 0;
  }
  std::string Page() const { return ReadWholeFile(folder / "~temp002.html").value_or("<no page>"); }
  TestContext Context() { return {workspace, dialogs, observer, options, report, {}}; }
  std::string Text(const std::string& system) const {
    return ReadWholeFile(folder / "Signals" / system).value_or("");
  }
  bool ShownError() const {
    for (const auto& message : dialogs.Messages)
      if (message.Kind == "error") return true;
    return false;
  }

  TempFolder folder;
  Workspace workspace;
  FakeDialogs dialogs;
  CountingObserver observer;
  TesterOptions options;
  ReportOptions report;
};

}  // namespace chartorium::testing
