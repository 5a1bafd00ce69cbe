#include "export/Split.h"

#include <gtest/gtest.h>

#include "core/Calendar.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/QuoteStore.h"
#include "core/StockCommands.h"
#include "core/StockFileFixture.h"
#include "core/StockObserver.h"

namespace chartorium {
namespace {

using testing::CurrentFormat;

constexpr int Day0 = 43832;  // 2 January 2020

QuoteRecord Record(double date, Single close, std::int32_t volume) {
  QuoteRecord record;
  record.Date = date;
  record.Open = close;
  record.Low = close - 1;
  record.High = close + 1;
  record.Close = close;
  record.Volume = volume;
  record.OpenInterest = volume / 3;
  return record;
}

class Split : public testing::StockFileTest {
 protected:
  // Stock "S": four days from Day0 with closes 20, 30, 40, 50 and volumes 15, 100, 200, 300.
  void OpenSample() {
    CloseStockFile(workspace);  // the stock of an earlier case is not saved over the sample
    WriteStock("S", CurrentFormat({Record(Day0, 20, 15), Record(Day0 + 1, 30, 100),
                                   Record(Day0 + 2, 40, 200), Record(Day0 + 3, 50, 300)}));
    workspace.Quotes().StockName = "S";
    NoStockObserver observer;
    ASSERT_TRUE(Ouvre(workspace, dialogs, observer, StockFile("S")).ok());
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& m : dialogs.Messages) shown.push_back(m.Kind + " " + m.Text);
    return shown;
  }
  std::vector<Single> Closes() const {
    std::vector<Single> closes;
    for (int i = 1; i <= workspace.Quotes().QuoteCount; ++i)
      closes.push_back(workspace.Quotes().QuoteArray[i].Close);
    return closes;
  }
  std::vector<std::int32_t> Volumes() const {
    std::vector<std::int32_t> volumes;
    for (int i = 1; i <= workspace.Quotes().QuoteCount; ++i)
      volumes.push_back(workspace.Quotes().QuoteArray[i].Volume);
    return volumes;
  }
};

std::string DoneMessage() {
  return "information " + std::string(SplitDoneMessage) +
         "\r\nThe quotes as they were are kept in \"S.kvx.presplit\".";
}

TEST_F(Split, RescalesTheQuotesOfTheRange) {
  struct Case {
    std::string_view Name;
    double From, To;
    std::string Divisor1, Divisor2;
    std::vector<Single> Closes;
    std::vector<std::int32_t> Volumes;
    bool Changes;
  };
  const Case cases[] = {
      {"TwoForOne", Day0, Day0 + 3, "2", "1", {10, 15, 20, 25}, {30, 200, 400, 600}, true},
      {"OneByTenTruncates", Day0, Day0 + 3, "1", "10", {200, 300, 400, 500}, {1, 10, 20, 30}, true},
      {"InsideTheHistory",
       Day0 + 1,
       Day0 + 2,
       "2",
       "1",
       {20, 15, 20, 50},
       {15, 200, 400, 300},
       true},
      {"UnreadableFromStartsAtTheFirst",
       NoDate,
       Day0,
       "2",
       "1",
       {10, 30, 40, 50},
       {30, 100, 200, 300},
       true},
      {"EndsBeforeTheFirstQuote",
       Day0 - 30,
       Day0 - 1,
       "2",
       "1",
       {20, 30, 40, 50},
       {15, 100, 200, 300},
       false},
      {"UnreadableToChangesNothing",
       Day0,
       NoDate,
       "2",
       "1",
       {20, 30, 40, 50},
       {15, 100, 200, 300},
       false},
  };
  for (const Case& c : cases) {
    dialogs.Messages.clear();
    OpenSample();
    const std::string before = FileBytes(StockFile("S"));
    std::filesystem::remove(folder / "Stocks/S.kvx.presplit");
    EXPECT_EQ(SplitStock(workspace, dialogs, {c.From, c.To, c.Divisor1, c.Divisor2}),
              SplitResult::Done)
        << c.Name;
    EXPECT_EQ(Closes(), c.Closes) << c.Name;
    EXPECT_EQ(Volumes(), c.Volumes) << c.Name;
    EXPECT_EQ(workspace.Quotes().BarSeries[1].Close, c.Closes[0]) << c.Name << ": bars rebuilt";
    EXPECT_EQ(Shown(),
              std::vector<std::string>{c.Changes ? DoneMessage()
                                                 : "information " + std::string(SplitDoneMessage)})
        << c.Name;
    // The stock file holds the split quotes; the file as it was is kept beside it.
    EXPECT_EQ(FileBytes(folder / "Stocks/S.kvx.presplit"), c.Changes ? before : "<missing>")
        << c.Name;
    ASSERT_TRUE(LoadStockQuietly(workspace, StockFile("S")).ok());
    EXPECT_EQ(Closes(), c.Closes) << c.Name;
  }
}

TEST_F(Split, ChecksTheDivisorsAndTheOpenStockFirst) {
  struct Case {
    std::string Divisor1, Divisor2;
    bool Open;
    std::string_view Message;
  };
  const Case cases[] = {
      {" ", "1", true, DivisorNotSetMessage},
      {"2", "", true, DivisorNotSetMessage},
      {"2", "0", true, DivisionByZeroMessage},
      {"abc", "1", true, DivisionByZeroMessage},
      {"2", "1", false, NoOpenFileMessage},
      {"1e300", "1e-300", true, SplitOutOfRangeMessage},
      {"1e10", "1", true, SplitOutOfRangeMessage},   // volumes beyond 32 bits
      {"1e-40", "1", true, SplitOutOfRangeMessage},  // prices beyond a Single
  };
  for (const Case& c : cases) {
    dialogs.Messages.clear();
    OpenSample();
    if (!c.Open) {
      CloseStockFile(workspace);
      workspace.Quotes().StockName.clear();
    }
    const std::string before = FileBytes(StockFile("S"));
    EXPECT_EQ(SplitStock(workspace, dialogs, {Day0, Day0 + 3, c.Divisor1, c.Divisor2}),
              SplitResult::Refused)
        << c.Divisor1 << " by " << c.Divisor2;
    EXPECT_EQ(Shown(), std::vector<std::string>{"warning " + std::string(c.Message)})
        << c.Divisor1 << " by " << c.Divisor2;
    EXPECT_EQ(Closes(), (std::vector<Single>{20, 30, 40, 50}));
    EXPECT_EQ(FileBytes(StockFile("S")), before);
  }
}

TEST_F(Split, AWrongSplitIsUndoneFromTheKeptFile) {
  OpenSample();
  const std::string before = FileBytes(StockFile("S"));
  ASSERT_EQ(SplitStock(workspace, dialogs, {Day0, Day0 + 3, "3", "1"}), SplitResult::Done);
  EXPECT_NE(FileBytes(StockFile("S")), before);
  ASSERT_TRUE(UndoSplit(workspace, "S").ok());
  EXPECT_EQ(FileBytes(StockFile("S")), before);
  // The open store no longer writes over the restored file.
  ASSERT_TRUE(SauveFich(workspace).ok());
  EXPECT_EQ(FileBytes(StockFile("S")), before);
  EXPECT_EQ(UndoSplit(workspace, "Other").code(), StatusCode::NotFound);
}

TEST_F(Split, AFailedSaveLeavesTheQuotesAsTheyWere) {
  OpenSample();
  const std::string before = FileBytes(StockFile("S"));
  std::filesystem::create_directories(folder / "Stocks/S.kvx.tmp~");
  EXPECT_EQ(SplitStock(workspace, dialogs, {Day0, Day0 + 3, "2", "1"}), SplitResult::Failed);
  EXPECT_EQ(Closes(), (std::vector<Single>{20, 30, 40, 50}));
  EXPECT_EQ(FileBytes(StockFile("S")), before);
  EXPECT_EQ(dialogs.Messages.back().Kind, "error");
}

TEST_F(Split, ReadsTheDatesTheButtonsWrite) {
  const FixedClock clock(Day0 + 100);
  for (const std::string_view pattern :
       {"dd/MM/yyyy", "M/d/yy", "d MMM yyyy", "yy-MM-dd", "dd.MM.yy"}) {
    const DateLocale locale = LocaleFromPattern(pattern);
    OpenSample();
    const SplitRequest request =
        ReadSplitFields(FirstQuoteDateText(workspace, locale), LastQuoteDateText(workspace, locale),
                        "2", "1", locale, clock);
    EXPECT_EQ(request.FromDate, Day0) << pattern;
    EXPECT_EQ(request.ToDate, Day0 + 3) << pattern;
  }
  EXPECT_EQ(ReadSplitFields("15/3", "", "2", "1", DateLocale{}, clock).FromDate,
            DayNumber(2020, 3, 15));
  EXPECT_EQ(ReadSplitFields("", "31/02/2020", "2", "1", DateLocale{}, clock).ToDate, NoDate);
}

TEST_F(Split, TheDateButtonsGiveTheFirstAndLastQuote) {
  const DateLocale locale;
  EXPECT_EQ(FirstQuoteDateText(workspace, locale), "");
  OpenSample();
  EXPECT_EQ(FirstQuoteDateText(workspace, locale), "02/01/2020");
  EXPECT_EQ(LastQuoteDateText(workspace, locale), "05/01/2020");
  EXPECT_EQ(LastQuoteDateText(workspace, LocaleFromPattern("M/d/yy")), "1/5/2020");
}

}  // namespace
}  // namespace chartorium
