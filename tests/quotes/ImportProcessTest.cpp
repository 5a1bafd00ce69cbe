#include "quotes/ImportProcess.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/IniFile.h"
#include "core/QuoteStore.h"
#include "quotes/ImportAnalysis.h"
#include "quotes/ImportFixture.h"

namespace chartorium {
namespace {

double Day(int year, int month, int day) {
  return DayNumber(year, month, day);
}

using testing::DailyFile;
using testing::Day0;
using testing::Quote;

class ImportProcess : public testing::ImportTest {};

// A stock "S" with `count` daily quotes from `first`.
std::string StockBytes(int first, int count) {
  std::vector<QuoteRecord> records;
  for (int i = 0; i < count; ++i) records.push_back(Quote(first + i, 10 + i % 50));
  return testing::CurrentFormat(records);
}

// The one-stock cases of the wizard: a file, what the stock held, how the
// wizard is set and answered, and what the stock holds afterwards.
struct HistoryCase {
  std::string_view Name;
  std::string File;
  int StoredFirst = 0;  ///< first date of the stock's quotes (none when 0)
  int StoredCount = 0;
  std::function<void(ImportWizard&)> Set;  ///< changes after "&Next"
  std::vector<bool> Confirms;
  std::vector<std::string> Messages;  ///< what the user sees
  int Count = 0;                      ///< quotes afterwards
  double FirstDate = 0, LastDate = 0;
};

std::vector<HistoryCase> HistoryCases() {
  std::vector<HistoryCase> cases;
  cases.push_back({"NewestFirstWithHeader",
                   DailyFile(Day0, 5, true),
                   0,
                   0,
                   {},
                   {},
                   {"information Import is finished!"},
                   5,
                   Day0,
                   Day0 + 4});
  cases.push_back(
      {"OldestFirstWithoutHeader",
       DailyFile(Day0, 5, false, false),
       0,
       0,
       [](ImportWizard& w) {
         for (size_t c = 0; c < 6; ++c)
           w.ChooseRole(c, std::array{"Date", "Open", "High", "Low", "Close", "Volume"}[c]);
       },
       {},
       {"information Import is finished!"},
       5,
       Day0,
       Day0 + 4});
  cases.push_back({"AppendsNewDaysOnly",
                   DailyFile(Day0, 8, true),
                   Day0 - 3,
                   6,
                   {},
                   {},
                   {"information Import is finished!"},
                   11,
                   Day0 - 3,
                   Day0 + 7});
  cases.push_back({"NothingNew",
                   DailyFile(Day0, 5, true),
                   Day0,
                   5,
                   {},
                   {},
                   {"warning " + std::string(NoNewDataMessage)},
                   5,
                   Day0,
                   Day0 + 4});
  cases.push_back(
      {"GapAnsweredNo",
       DailyFile(Day0 + 14, 3, false),
       Day0,
       5,
       {},
       {false},
       {"confirm " + std::string(GapQuestion), "warning " + std::string(ImportFailedMessage)},
       5,
       Day0,
       Day0 + 4});
  cases.push_back(
      {"GapAnsweredYesIsAskedOnce",
       "Date,Close\n" + IsoDateText(Day0 + 14) + ",5\n" + IsoDateText(Day0 + 30) + ",6\n",
       Day0,
       5,
       {},
       {true},
       {"confirm " + std::string(GapQuestion), "information Import is finished!"},
       7,
       Day0,
       Day0 + 30});
  cases.push_back({"IgnoreTwoLines",
                   DailyFile(Day0, 5, false, false),
                   0,
                   0,
                   [](ImportWizard& w) {
                     w.ChooseRole(0, "Date");
                     w.ChooseRole(4, "Close");
                     w.Settings.IgnoreLines = "2";
                   },
                   {},
                   {"information Import is finished!"},
                   3,
                   Day0 + 2,
                   Day0 + 4});
  cases.push_back({"MonthNamesAsDMY",
                   "Date,Close\n26-Feb-99,5\n25-Feb-99,4\n",
                   0,
                   0,
                   {},
                   {},
                   {"information Import is finished!"},
                   2,
                   Day(1999, 2, 25),
                   Day(1999, 2, 26)});
  cases.push_back({"MonthNamesAsYMD",
                   "Date,Close\n26-Feb-99,5\n25-Feb-99,4\n",
                   0,
                   0,
                   [](ImportWizard& w) { w.Settings.DateFormat = 2; },
                   {},
                   {"warning " + std::string(NoNewDataMessage)},
                   0,
                   0,
                   0});
  cases.push_back({"KeepsTheLast2001Lines",
                   DailyFile(Day0, 2500, false),
                   0,
                   0,
                   {},
                   {},
                   {"information Import is finished!"},
                   2001,
                   Day0 + 499,
                   Day0 + 2499});
  cases.push_back({"DropsOldestQuotesToMakeRoom",
                   DailyFile(Day0, 10, false),
                   Day0 - 1995,
                   1995,
                   {},
                   {},
                   {"information Import is finished!"},
                   2001,
                   Day0 - 1991,
                   Day0 + 9});
  cases.push_back({"DeletesExistingData",
                   DailyFile(Day0, 3, false),
                   Day0 + 100,
                   4,
                   [](ImportWizard& w) { w.Settings.DeleteExisting = true; },
                   {},
                   {"information Import is finished!"},
                   3,
                   Day0,
                   Day0 + 2});
  cases.push_back({"CommaDecimalsProposed",
                   "Date;Close\n13/01/2020;12,5\n14/01/2020;1.234,75\n",
                   0,
                   0,
                   {},
                   {},
                   {"information Import is finished!"},
                   2,
                   Day(2020, 1, 13),
                   Day(2020, 1, 14)});
  cases.push_back({"BadFieldsSkipLines",
                   "Date,Close\n2020-01-02,1\n2020-01-03,inf\n2020-01-04,nan\n2020-01-05,1e400\n"
                   "2020-01-06,-4\n31/02/2020,3\n99999-01-07,3\n2020-01-08,2\n",
                   0,
                   0,
                   {},
                   {},
                   {"information Import is finished!"},
                   2,
                   Day(2020, 1, 2),
                   Day(2020, 1, 8)});
  cases.push_back({"NoCloseColumn",
                   "Date,Open\n2020-01-02,1\n",
                   0,
                   0,
                   {},
                   {},
                   {"warning " + std::string(CloseMissingMessage)},
                   0,
                   0,
                   0});
  cases.push_back({"NoDateColumn",
                   "Close,Open\n1,1\n",
                   0,
                   0,
                   {},
                   {},
                   {"warning " + std::string(DateMissingMessage)},
                   0,
                   0,
                   0});
  cases.push_back({"TooManyLinesToIgnore",
                   "Date,Close\n2020-01-02,1\n",
                   0,
                   0,
                   [](ImportWizard& w) { w.Settings.IgnoreLines = "3"; },
                   {},
                   {"warning " + std::string(IgnoreLinesMessage)},
                   0,
                   0,
                   0});
  return cases;
}

class ImportHistory : public testing::ImportTest,
                      public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(ImportHistory, ImportsTheNewLinesOfTheFile) {
  const HistoryCase& c = GetParam();
  if (c.StoredCount > 0)
    WriteStock("S", StockBytes(c.StoredFirst, c.StoredCount));
  else
    WriteStock("S", "");
  OpenStock("S");
  const std::string before = FileBytes(StockFile("S"));
  for (const bool answer : c.Confirms) dialogs.ConfirmAnswers.push_back(answer);

  ASSERT_TRUE(wizard.OpenFile(WriteText("quotes.csv", c.File), dialogs, true).ok());
  ASSERT_TRUE(wizard.Next(dialogs, true, locale));
  if (c.Set) c.Set(wizard);
  const ImportOutcome outcome = wizard.Process(Ports(), {});

  EXPECT_EQ(Shown(), c.Messages);
  const QuoteStore& store = workspace.Quotes();
  ASSERT_EQ(store.QuoteCount, c.Count);
  if (c.Count > 0) {
    EXPECT_EQ(store.QuoteArray[1].Date, c.FirstDate);
    EXPECT_EQ(store.QuoteArray[c.Count].Date, c.LastDate);
  }
  const std::vector<double> dates = StoredDates();
  EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end()) &&
              std::adjacent_find(dates.begin(), dates.end()) == dates.end());
  for (int i = 1; i <= store.QuoteCount; ++i) EXPECT_GT(store.QuoteArray[i].Close, 0) << i;
  if (outcome.ok()) {
    EXPECT_EQ(store.BarCount, store.QuoteCount);
    // What the stock holds is what its file holds.
    ASSERT_TRUE(LoadStockQuietly(workspace, StockFile("S")).ok());
    EXPECT_EQ(StoredDates(), dates);
  } else {
    EXPECT_EQ(FileBytes(StockFile("S")), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportHistory, ::testing::ValuesIn(HistoryCases()),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ImportProcess, ReadsTheFieldsOfEachLineIntoTheRecord) {
  WriteStock("S", "");
  OpenStock("S");
  const auto outcome = Import(WriteText("q.csv",
                                        "Date,Open,High,Low,Close,Volume,OI\n"
                                        "2020-01-03,10.5,12.25,9.75,11,1200.9,7\n"
                                        "2020-01-02,9,10,,9.5,,\n"));
  ASSERT_TRUE(outcome.ok());
  ASSERT_EQ(outcome.Stocks.size(), 1u);
  EXPECT_EQ(outcome.Stocks[0].Stock, "S");
  EXPECT_EQ(outcome.Stocks[0].Added, 2);
  const QuoteStore& store = workspace.Quotes();
  const QuoteRecord& first = store.QuoteArray[1];
  EXPECT_EQ(first.Date, Day(2020, 1, 2));
  EXPECT_EQ(first.Open, 9);
  EXPECT_EQ(first.Low, 0);
  EXPECT_EQ(first.High, 10);
  EXPECT_EQ(first.Close, 9.5f);
  EXPECT_EQ(first.Volume, 0);
  const QuoteRecord& last = store.QuoteArray[2];
  EXPECT_EQ(last.Open, 10.5f);
  EXPECT_EQ(last.Low, 9.75f);
  EXPECT_EQ(last.High, 12.25f);
  EXPECT_EQ(last.Close, 11);
  EXPECT_EQ(last.Volume, 1200);
  EXPECT_EQ(last.OpenInterest, 0) << "OI is never preset from a header";
}

TEST_F(ImportProcess, ImportingTheSameFileTwiceAddsNothing) {
  const auto file = WriteText("q.csv", DailyFile(Day0, 30, true));
  ASSERT_TRUE(Import(file).ok());
  const std::string saved = FileBytes(StockFile("q"));
  dialogs.Messages.clear();
  const ImportOutcome again = Import(file);
  EXPECT_EQ(again.Status, ImportStatus::Refused);
  EXPECT_EQ(Shown(), std::vector<std::string>{"warning " + std::string(NoNewDataMessage)});
  EXPECT_EQ(FileBytes(StockFile("q")), saved);
}

TEST_F(ImportProcess, AStockIsNamedByTheAnswerOrAfterTheFile) {
  struct Case {
    std::string Answer;
    bool NewFile;
    std::string Stock;
    ImportStatus Status;
  };
  const Case cases[] = {
      {"", false, "ibm", ImportStatus::Imported},
      {"Big Blue", false, "Big Blue", ImportStatus::Imported},
      {"Renamed", true, "Renamed", ImportStatus::Imported},
      {"a/b", true, "", ImportStatus::Refused},
  };
  for (const Case& c : cases) {
    ImportWizard fresh(folder.Path());
    workspace.Quotes().StockName.clear();
    CloseStockFile(workspace);
    ClearQuoteStore(workspace.Quotes());
    dialogs.InputAnswers = {c.Answer};
    ASSERT_TRUE(fresh.OpenFile(WriteText("ibm.csv", DailyFile(Day0, 3, true)), dialogs, true).ok());
    ASSERT_TRUE(fresh.Next(dialogs, true, locale));
    fresh.Settings.NewFile = c.NewFile;
    const ImportOutcome outcome = fresh.Process(Ports(), {});
    EXPECT_EQ(outcome.Status, c.Status) << c.Answer;
    EXPECT_EQ(workspace.Quotes().StockName, c.Stock) << c.Answer;
    if (c.Status == ImportStatus::Imported) {
      EXPECT_EQ(dialogs.Messages.front().Text, StockNamePrompt);
      EXPECT_TRUE(std::filesystem::exists(StockFile(c.Stock))) << c.Answer;
      EXPECT_NE(workspace.Library.Find(c.Stock), nullptr) << c.Answer;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder / "Stocks" / "a", ignored);
    EXPECT_FALSE(std::filesystem::exists(folder / "Stocks" / "a")) << "no folder for 'a/b'";
  }
}

TEST_F(ImportProcess, AFailedSaveLeavesStoreAndFileAsTheyWere) {
  WriteStock("S", StockBytes(Day0, 3));
  OpenStock("S");
  const std::string before = FileBytes(StockFile("S"));
  // A folder where the save's temporary file would go makes the save fail.
  std::filesystem::create_directories(folder / "Stocks" / "S.kvx.tmp~");
  const ImportOutcome outcome = Import(WriteText("q.csv", DailyFile(Day0 + 3, 4, true)));
  EXPECT_EQ(outcome.Status, ImportStatus::Failed);
  EXPECT_EQ(FileBytes(StockFile("S")), before);
  EXPECT_EQ(workspace.Quotes().QuoteCount, 3);
  EXPECT_EQ(workspace.Quotes().BarCount, 3);
  ASSERT_FALSE(dialogs.Messages.empty());
  EXPECT_EQ(dialogs.Messages.back().Kind, "error");
}

TEST_F(ImportProcess, ARefusedImportWithDeleteExistingKeepsTheQuotes) {
  WriteStock("S", StockBytes(Day0, 5));
  OpenStock("S");
  const std::string before = FileBytes(StockFile("S"));
  dialogs.ConfirmAnswers = {false};
  ASSERT_TRUE(
      wizard.OpenFile(WriteText("q.csv", "Date,Close\n2020-01-02,1\n2020-03-01,2\n"), dialogs, true)
          .ok());
  ASSERT_TRUE(wizard.Next(dialogs, true, locale));
  wizard.Settings.DeleteExisting = true;
  EXPECT_EQ(wizard.Process(Ports(), {}).Status, ImportStatus::Refused);
  EXPECT_EQ(workspace.Quotes().QuoteCount, 5);
  EXPECT_EQ(workspace.Quotes().BarCount, 5);
  EXPECT_EQ(FileBytes(StockFile("S")), before);
}

TEST_F(ImportProcess, ABatchRunShowsNoMessageButAsksItsQuestions) {
  WriteStock("S", StockBytes(Day0, 5));
  OpenStock("S");
  const std::string before = FileBytes(StockFile("S"));
  dialogs.ConfirmAnswers = {false};
  const auto gap =
      ImportFileUnseen(wizard, WriteText("gap.csv", DailyFile(Day0 + 20, 2, false)), Ports(), true);
  EXPECT_EQ(gap.Status, ImportStatus::Refused);
  EXPECT_EQ(gap.Message, ImportFailedMessage);
  EXPECT_EQ(Shown(), std::vector<std::string>{"confirm " + std::string(GapQuestion)});
  EXPECT_EQ(FileBytes(StockFile("S")), before);

  dialogs.Messages.clear();
  const auto unasked = ImportFileUnseen(
      wizard, WriteText("gap.csv", DailyFile(Day0 + 20, 2, false)), Ports(), false);
  EXPECT_TRUE(unasked.ok());
  EXPECT_TRUE(dialogs.Messages.empty());
  EXPECT_EQ(workspace.Quotes().QuoteCount, 7);
  EXPECT_TRUE(wizard.FileName().empty()) << "a batch file is not shown";

  const auto binary =
      ImportFileUnseen(wizard, WriteText("b.csv", std::string("\0\1", 2)), Ports(), true);
  EXPECT_EQ(binary.Status, ImportStatus::Refused);
  EXPECT_EQ(binary.Message, NotTextMessage);
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ImportProcess, ABinaryFileGivesAMessageAndAnEmptyPreview) {
  ASSERT_FALSE(wizard.OpenFile(WriteText("x.bin", std::string("Da\0te", 5)), dialogs, true).ok());
  EXPECT_EQ(Shown(), std::vector<std::string>{"warning " + std::string(NotTextMessage)});
  EXPECT_EQ(wizard.Text().LineCount(), 0u);
  EXPECT_FALSE(wizard.Next(dialogs, true, locale));
  EXPECT_EQ(dialogs.Messages.back().Text, EmptyFileMessage);
}

// Multi-stock files: one line per stock and day.
TEST_F(ImportProcess, AMultiStockFileWithoutDatesAddsTodaysQuoteToEveryStock) {
  WriteStock("Alpha", StockBytes(Day0, 3));
  WriteStock("Open", StockBytes(Day0, 2));
  OpenStock("Open");
  ASSERT_TRUE(WriteFileAtomically(folder / "Stocks.ini", "[Alpha]\r\nTick=ALP\r\n").ok());
  const auto file = WriteText("day.csv",
                              "Ticker,Close,Volume\nALP,20,5\nBETA,30,6\n,40,7\nGAMMA,0,8\n"
                              "a/b,1,1\n");
  const ImportOutcome outcome = Import(file);
  ASSERT_TRUE(outcome.ok()) << outcome.Message;
  ASSERT_EQ(outcome.Stocks.size(), 2u);
  EXPECT_EQ(outcome.Stocks[0].Stock, "Alpha");
  EXPECT_EQ(outcome.Stocks[1].Stock, "BETA");
  EXPECT_EQ(outcome.SkippedLines, 3);
  EXPECT_EQ(workspace.Quotes().StockName, "Open") << "the open stock is opened again";
  EXPECT_EQ(workspace.Quotes().QuoteCount, 2);

  const auto tickers = IniFile::Load(folder / "Stocks.ini").value();
  EXPECT_EQ(tickers.ReadString("BETA", "Tick", ""), "BETA");
  EXPECT_EQ(tickers.ReadString("Alpha", "Tick", ""), "ALP");
  EXPECT_NE(workspace.Library.Find("BETA"), nullptr);
  for (const auto& [stock, count, close] :
       {std::tuple{"Alpha", 4, 20.0f}, std::tuple{"BETA", 1, 30.0f}}) {
    ASSERT_TRUE(LoadStockQuietly(workspace, StockFile(stock)).ok());
    const QuoteStore& store = workspace.Quotes();
    ASSERT_EQ(store.QuoteCount, count) << stock;
    EXPECT_EQ(store.QuoteArray[count].Date, clock.Today()) << stock;
    EXPECT_EQ(store.QuoteArray[count].Close, close) << stock;
  }

  // A second import on the same day updates today's quotes instead of adding them.
  workspace.Quotes().StockName.clear();
  CloseStockFile(workspace);
  ASSERT_TRUE(Import(WriteText("day.csv", "Ticker,Close\nBETA,31\n")).ok());
  ASSERT_TRUE(LoadStockQuietly(workspace, StockFile("BETA")).ok());
  EXPECT_EQ(workspace.Quotes().QuoteCount, 1);
  EXPECT_EQ(workspace.Quotes().QuoteArray[1].Close, 31);
}

TEST_F(ImportProcess, AMultiStockFileWithDatesKeepsEachStocksOrder) {
  WriteStock("A", StockBytes(Day0, 3));
  const auto file = WriteText("many.csv",
                              "Date;Name;Close\n"
                              "2020-01-04;A;5\n"  // not later than A's last quote
                              "2020-01-05;A;6\n"
                              "2020-01-05;B;7\n"
                              "2020-01-06;A;8\n"    // A again after B
                              "2020-01-05;B;9\n"    // not later than B's last
                              "31/02/2020;B;9\n");  // no date
  ASSERT_TRUE(wizard.OpenFile(file, dialogs, true).ok());
  ASSERT_TRUE(wizard.Next(dialogs, true, locale));
  EXPECT_EQ(wizard.Captions(), (std::vector<std::string>{"Date", "", "Close"}));
  wizard.ChooseRole(1, "Name");  // "Name" is never preset
  const ImportOutcome outcome = wizard.Process(Ports(), {});
  ASSERT_TRUE(outcome.ok()) << outcome.Message;
  EXPECT_EQ(outcome.SkippedLines, 3);
  EXPECT_TRUE(workspace.Quotes().StockName.empty()) << "no stock was open before";
  ASSERT_TRUE(LoadStockQuietly(workspace, StockFile("A")).ok());
  EXPECT_EQ(StoredDates(), (std::vector<double>{Day0, Day0 + 1, Day0 + 2, Day0 + 3, Day0 + 4}));
  ASSERT_TRUE(LoadStockQuietly(workspace, StockFile("B")).ok());
  EXPECT_EQ(StoredDates(), std::vector<double>{Day0 + 3});
}

}  // namespace
}  // namespace chartorium
