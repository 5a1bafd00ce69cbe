// A workspace on a temporary folder with an import wizard, and helpers to
// write text files to import.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "core/Calendar.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/DateTexts.h"
#include "core/LibraryCommands.h"
#include "core/StockCommands.h"
#include "core/StockFileFixture.h"
#include "quotes/ImportWizard.h"

namespace chartorium::testing {

/// 2 January 2020, a Thursday.
constexpr int Day0 = 43832;

/// A price line "date,open,high,low,close,volume".
inline std::string PriceLine(const std::string& date, double close, long volume = 1000) {
  const auto text = [](double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  };
  return date + "," + text(close - 0.5) + "," + text(close + 1) + "," + text(close - 1) + "," +
         text(close) + "," + std::to_string(volume);
}

/// `count` consecutive days from `first`, one price line each, with a header;
/// close of day i is 10 + i. Newest first when asked, as data sites list them.
inline std::string DailyFile(int first, int count, bool newestFirst, bool header = true) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back(PriceLine(IsoDateText(first + i), 10 + i, 1000 + i));
  if (newestFirst) std::reverse(lines.begin(), lines.end());
  std::string text = header ? "Date,Open,High,Low,Close,Volume\r\n" : "";
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class ImportTest : public StockFileTest {
 protected:
  ImportTest() : wizard(folder.Path()), observer(workspace.Library), clock(Day0 + 400) {
    locale = DateLocale{};
  }

  ImportPorts Ports() { return {workspace, dialogs, observer, locale, clock}; }

  std::filesystem::path WriteText(const std::string& name, const std::string& text) {
    const auto path = folder / name;
    EXPECT_TRUE(WriteFileAtomically(path, text).ok());
    return path;
  }

  /// Opens the stock as the library would, for the import to go into.
  void OpenStock(const std::string& name) {
    workspace.Quotes().StockName = name;
    ASSERT_TRUE(Ouvre(workspace, dialogs, observer, StockFile(name)).ok());
  }

  /// Opens the file, "&Next", then "&Process", as a user of the window does.
  ImportOutcome Import(const std::filesystem::path& file) {
    EXPECT_TRUE(wizard.OpenFile(file, dialogs, true).ok());
    if (!wizard.Next(dialogs, true, locale)) return {};
    return wizard.Process(Ports(), {});
  }

  std::vector<double> StoredDates() const {
    std::vector<double> dates;
    const QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= store.QuoteCount; ++i) dates.push_back(store.QuoteArray[i].Date);
    return dates;
  }

  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& message : dialogs.Messages) shown.push_back(message.Kind + " " + message.Text);
    return shown;
  }

  ImportWizard wizard;
  LibraryObserver observer;
  DateLocale locale;
  FixedClock clock;
};

}  // namespace chartorium::testing
