#include "core/StockCommands.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/StockFileFixture.h"
#include "core/StockObserver.h"
#include "core/StockSettingsFile.h"

namespace chartorium {
namespace {

using testing::CurrentFormat;
using testing::OldFormat;
using testing::Quote;

class RecordingObserver final : public StockObserver {
 public:
  std::vector<std::string> Created;
  int Opened = 0;
  bool ShowGraph = false;
  bool ShowSignals = false;
  void StockNodeCreated(std::string_view name) override { Created.emplace_back(name); }
  void StockOpened(bool graph, bool signals) override {
    ++Opened;
    ShowGraph = graph;
    ShowSignals = signals;
  }
};

class StockCommands : public testing::StockFileTest {
 protected:
  Status Open(const std::string& name) {
    return Ouvre(workspace, dialogs, observer, StockFile(name));
  }
  QuoteStore& store() { return workspace.Quotes(); }
  RecordingObserver observer;
};

TEST_F(StockCommands, AnEmptyFileOpensWithNoQuotesAndNoMessage) {
  WriteStock("Empty", "");
  ASSERT_TRUE(Open("Empty").ok());
  EXPECT_EQ(store().StockName, "Empty");
  EXPECT_EQ(store().QuoteCount, 0);
  EXPECT_EQ(store().BarCount, 0);
  EXPECT_TRUE(dialogs.Messages.empty());
  EXPECT_EQ(observer.Opened, 1);
}

TEST_F(StockCommands, OpensAFileAndShowsItsNewestBars) {
  WriteStock("ABC", CurrentFormat({Quote(45000, 10), Quote(45001, 11), Quote(45002, 12)}));
  workspace.Prefs.Set("ENbD", "2");
  workspace.Prefs.SetFlag("B1", true);
  ASSERT_TRUE(Open("ABC").ok());
  EXPECT_EQ(store().QuoteCount, 3);
  EXPECT_EQ(store().BarCount, 3);
  EXPECT_EQ(store().BarSeries[3].Close, 12.0f);
  EXPECT_EQ(store().VisibleBarCount, 2);
  EXPECT_EQ(store().FirstVisibleBar, 3);
  EXPECT_EQ(workspace.ChartCaption, "ABC");
  EXPECT_TRUE(observer.ShowGraph);
  EXPECT_FALSE(observer.ShowSignals);
}

TEST_F(StockCommands, AFileWithoutTheMarkerOfWholeRecordsLoadsUnchangedAndGetsItOnSave) {
  const std::string bytes = CurrentFormat({Quote(45000, 10), Quote(45001, 11)}, false);
  WriteStock("NoMark", bytes);
  ASSERT_TRUE(Open("NoMark").ok());
  EXPECT_EQ(store().QuoteCount, 2);
  EXPECT_EQ(FileBytes(StockFile("NoMark")), bytes);
  ASSERT_TRUE(SauveFich(workspace).ok());
  std::string marked = bytes;
  marked[0] = 'Y';
  EXPECT_EQ(FileBytes(StockFile("NoMark")), marked);
}

TEST_F(StockCommands, ConvertsTheOlderFormatToFortyByteRecords) {
  const std::vector<QuoteRecord> quotes = {Quote(45000, 10, 5), Quote(45001, 11, 6),
                                           Quote(45002, 12, 7)};
  WriteStock("Old", OldFormat(quotes));
  ASSERT_TRUE(Open("Old").ok());
  std::vector<QuoteRecord> expected = quotes;
  for (QuoteRecord& q : expected) q.OpenInterest = 0;
  EXPECT_EQ(FileBytes(StockFile("Old")), CurrentFormat(expected));
  ASSERT_EQ(store().QuoteCount, 3);
  EXPECT_EQ(store().QuoteArray[2].Volume, 6);
  EXPECT_EQ(store().QuoteArray[3].OpenInterest, 0);
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(StockCommands, KeepsCopyOfCorruptFile) {
  struct Case {
    std::string name;
    std::string bytes;
  };
  const Case Cases[] = {
      {"BadClose", CurrentFormat({Quote(45000, 10), Quote(45001, 0), Quote(45002, 12)})},
      {"NegativeClose", CurrentFormat({Quote(45000, 10), Quote(45001, -1)})},
      {"BadOld", OldFormat({Quote(45000, 10), Quote(45001, 0)})},
  };
  for (const Case& c : Cases) {
    dialogs.Messages.clear();
    WriteStock(c.name, c.bytes);
    ASSERT_TRUE(Open(c.name).ok()) << c.name;
    EXPECT_EQ(store().QuoteCount, 0) << c.name;
    EXPECT_EQ(store().BarCount, 0) << c.name;
    ASSERT_EQ(dialogs.Messages.size(), 1u) << c.name;
    EXPECT_EQ(dialogs.Messages[0].Text, CorruptedFileMessage);
    EXPECT_EQ(FileBytes(folder / "Stocks" / (c.name + ".kvx.corrupt")), c.bytes) << c.name;
  }
}

TEST_F(StockCommands, NoCorruptionMessageWhileABatchWindowIsVisible) {
  WriteStock("Bad", CurrentFormat({Quote(45000, 10), Quote(45001, 0)}));
  workspace.Activity.QuietStockMessages = true;
  ASSERT_TRUE(Open("Bad").ok());
  EXPECT_TRUE(dialogs.Messages.empty());
  EXPECT_EQ(store().QuoteCount, 0);
}

TEST_F(StockCommands, QuietLoadAcceptsNegativeClosesButNotZero) {
  WriteStock("Neg", CurrentFormat({Quote(45000, 10), Quote(45001, -2)}));
  WriteStock("Zero", CurrentFormat({Quote(45000, 10), Quote(45001, 0)}));
  auto neg = LoadStockQuietly(workspace, StockFile("Neg"));
  ASSERT_TRUE(neg.ok());
  EXPECT_EQ(*neg, LoadOutcome::Loaded);
  EXPECT_EQ(store().QuoteCount, 2);
  auto zero = LoadStockQuietly(workspace, StockFile("Zero"));
  ASSERT_TRUE(zero.ok());
  EXPECT_EQ(*zero, LoadOutcome::Damaged);
  EXPECT_EQ(store().QuoteCount, 0);
  EXPECT_EQ(*LoadStockQuietly(workspace, StockFile("Absent")), LoadOutcome::Missing);
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(StockCommands, ALongFileLoadsItsNewestRecordsAndIsKeptBeforeItShrinks) {
  std::vector<QuoteRecord> quotes;
  for (int i = 0; i < MaxQuotes + 5; ++i) quotes.push_back(Quote(40000 + i, 10 + i % 7));
  const std::string bytes = CurrentFormat(quotes);
  WriteStock("Long", bytes);
  ASSERT_TRUE(Open("Long").ok());
  EXPECT_EQ(store().QuoteCount, MaxQuotes);
  EXPECT_EQ(store().QuoteArray[1].Date, 40005);
  EXPECT_EQ(store().QuoteArray[MaxQuotes].Date, 40000 + MaxQuotes + 4);
  ASSERT_TRUE(SauveFich(workspace).ok());
  EXPECT_EQ(FileBytes(folder / "Stocks" / "Long.kvx.full"), bytes);
  EXPECT_EQ(FileBytes(StockFile("Long")).size(), static_cast<size_t>(MaxQuotes) * 40);
}

TEST_F(StockCommands, SaveWithNothingOpenWritesNothing) {
  ASSERT_TRUE(SauveFich(workspace).ok());
  store().StockName = "Ghost";
  ASSERT_TRUE(SauveFich(workspace).ok());
  EXPECT_FALSE(std::filesystem::exists(StockFile("Ghost")));
  EXPECT_FALSE(std::filesystem::exists(folder / "Preferences"));

  WriteStock("Empty", "");
  ASSERT_TRUE(Open("Empty").ok());
  ASSERT_TRUE(SauveFich(workspace).ok());
  EXPECT_FALSE(std::filesystem::exists(folder / "Preferences" / "Empty.ini"));
}

TEST_F(StockCommands, SavesTheStockThatWasOpenWhenTheNextIsAlreadyNamed) {
  WriteStock("First", CurrentFormat({Quote(45000, 10)}));
  WriteStock("Second", CurrentFormat({Quote(45000, 20)}));
  ASSERT_TRUE(Open("First").ok());
  workspace.OpenStockSettings.Slots[0].Names = "RSI";
  // The library tree names the next stock before it opens it.
  store().StockName = "Second";
  ASSERT_TRUE(Open("Second").ok());
  const auto first = LoadStockSettings(folder.Path(), "First");
  ASSERT_TRUE(first.ok());
  EXPECT_EQ(first->Slots[0].Names, "RSI");
  EXPECT_FALSE(std::filesystem::exists(folder / "Preferences" / "Second.ini"));
  EXPECT_EQ(store().QuoteArray[1].Close, 20.0f);
}

TEST_F(StockCommands, BatchLoadsDoNotWriteTheirSlotsIntoTheUsersStock) {
  WriteStock("Mine", CurrentFormat({Quote(45000, 10)}));
  WriteStock("Other", CurrentFormat({Quote(45000, 20)}));
  IniFile other;
  IndicatorSlots otherSlots;
  otherSlots[0].Names = "MACD";
  WriteIndicatorSlots(other, otherSlots);
  std::filesystem::create_directories(folder / "Preferences");
  ASSERT_TRUE(other.Save(folder / "Preferences" / "Other.ini").ok());

  ASSERT_TRUE(Open("Mine").ok());
  workspace.OpenStockSettings.Slots[0].Names = "RSI";
  ASSERT_TRUE(SauveFich(workspace).ok());
  ASSERT_TRUE(LoadStockQuietly(workspace, StockFile("Other")).ok());
  ASSERT_TRUE(Open("Mine").ok());  // the batch ends by opening the user's stock again
  EXPECT_EQ(workspace.OpenStockSettings.Slots[0].Names, "RSI");
  EXPECT_EQ(LoadStockSettings(folder.Path(), "Other")->Slots[0].Names, "MACD");
}

TEST_F(StockCommands, AMissingFileIsCreatedAndAddedToTheTree) {
  ASSERT_TRUE(Open("Fresh").ok());
  EXPECT_TRUE(std::filesystem::exists(StockFile("Fresh")));
  EXPECT_EQ(FileBytes(StockFile("Fresh")), "");
  EXPECT_EQ(observer.Created, (std::vector<std::string>{"Fresh"}));
  EXPECT_EQ(store().StockName, "Fresh");
  EXPECT_EQ(workspace.ChartCaption, "Fresh");
}

TEST_F(StockCommands, AnEmptyFileNameOnlyClearsTheStore) {
  WriteStock("ABC", CurrentFormat({Quote(45000, 10)}));
  ASSERT_TRUE(Open("ABC").ok());
  ASSERT_TRUE(Ouvre(workspace, dialogs, observer, folder / "Stocks" / ".kvx").ok());
  EXPECT_EQ(store().QuoteCount, 0);
  EXPECT_TRUE(observer.Created.empty());
  EXPECT_EQ(observer.Opened, 1);
  EXPECT_FALSE(std::filesystem::exists(folder / "Stocks" / ".kvx"));
}

TEST_F(StockCommands, TheSignalsWindowIsShownWhenItExists) {
  WriteStock("ABC", CurrentFormat({Quote(45000, 10)}));
  workspace.Activity.SignalsWindowExists = true;
  ASSERT_TRUE(Open("ABC").ok());
  EXPECT_TRUE(observer.ShowSignals);
  EXPECT_FALSE(observer.ShowGraph);
}

TEST_F(StockCommands, InspectsFilesWithoutChangingThem) {
  const std::string old = OldFormat({Quote(45000, 10), Quote(45010, 11)});
  WriteStock("Old", old);
  const auto info = InspectStockFile(StockFile("Old"));
  ASSERT_TRUE(info.ok());
  EXPECT_TRUE(info->OldFormat);
  EXPECT_EQ(info->RecordCount, 2);
  EXPECT_EQ(info->FirstDate, 45000);
  EXPECT_EQ(info->LastDate, 45010);
  EXPECT_EQ(FileBytes(StockFile("Old")), old);
}

TEST(StockSettingsFile, RoundTripsBothSections) {
  StockSettings settings;
  settings.Properties.Tick = "ABC";
  settings.Properties.Years = "2020;2021";
  settings.Slots[2] = {"RSI;MACD", "0;-1", "255;16711680", "1;2"};
  IniFile file;
  WriteStockProperties(file, "Abc Corp", settings.Properties);
  WriteIndicatorSlots(file, settings.Slots);
  EXPECT_EQ(ReadStockSettings(IniFile::FromText(file.Text()), "ABC CORP"), settings);
  EXPECT_EQ(file.ReadSection("Main").front(), "I1");
  EXPECT_EQ(file.ReadSection("Main").back(), "W6");
  const StockSettings defaults = ReadStockSettings(IniFile(), "X");
  EXPECT_EQ(defaults.Properties.Cur, "USD");
  EXPECT_EQ(defaults.Slots[5].Widths, "1");
}

}  // namespace
}  // namespace chartorium
