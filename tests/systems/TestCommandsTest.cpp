// The four test commands on a small library: the pages they write, the
// user's stock given back, the save question, and failures that write nothing.
#include "systems/TestCommands.h"

#include "core/TextHelpers.h"
#include "systems/TestCommandsFixture.h"
#include "systems/TestStatistics.h"

namespace chartorium::testing {
namespace {

using TestCommandsTest = TestCommandsFixture;

std::vector<std::string> Names(const std::vector<TestSummary>& tests, bool systems) {
  std::vector<std::string> names;
  for (const TestSummary& test : tests) names.push_back(systems ? test.System : test.Stock);
  return names;
}

TEST_F(TestCommandsTest, ListeActTakesCheckedStocksOrTheStocksDirectlyInCheckedFolders) {
  EXPECT_EQ(ListeAct(workspace, {false, {"BBB", "AAA"}, {"Tech"}}),
            (std::vector<std::string>{"BBB", "AAA"}));
  // Sub-folders are not entered, a child without a stock file is skipped,
  // and a folder the tree does not hold gives nothing.
  EXPECT_EQ(ListeAct(workspace, {true, {"ccc"}, {"Tech", "Nowhere", "Sub"}}),
            (std::vector<std::string>{"AAA", "BBB", "DDD"}));
  EXPECT_EQ(StockListEntries(folder.Path()),
            (std::vector<std::string>{"AAA", "BBB", "ccc", "DDD"}));
  EXPECT_EQ(FolderListEntries(workspace),
            (std::vector<std::string>{"Stocks", "Tech", "Gone", "Sub"}));
}

TEST_F(TestCommandsTest, TestTheStockWritesTheSingleTestPage) {
  EXPECT_EQ(TestTheStock(Context(), {"", Text("Buy First"), true}).Outcome,
            TestOutcome::NothingDone);
  EXPECT_FALSE(std::filesystem::exists(folder / "~temp002.html"));

  Open("AAA");
  const TestRun run = TestTheStock(Context(), {"", Text("Buy First"), true});
  ASSERT_EQ(run.Outcome, TestOutcome::PageWritten);
  EXPECT_EQ(run.Page, folder / "~temp002.html");
  ASSERT_EQ(run.Tests.size(), 1u);
  EXPECT_EQ(run.Tests[0].Statistics.Name, "AAA");
  EXPECT_EQ(FormatStatistics(run.Tests[0].Statistics).Long[StatisticsRow::Return], "100.00%");
  EXPECT_TRUE(run.Script.Clean());
  const std::string page = Page();
  EXPECT_NE(page.find("Report of the (unsaved system) system"), std::string::npos);
  EXPECT_NE(page.find("<tr><td>Buy 10000 share(s) at 10.00 the "), std::string::npos) << page;
  EXPECT_NE(page.find("Profit of 100000.00</td>"), std::string::npos);
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(TestCommandsTest, TestSelectedStocksReportsEachStockAndOpensTheUsersStockAgain) {
  Open("DDD");
  const TestRun run =
      TestSelectedStocks(Context(), {true, {}, {"Tech"}}, {"Buy First", Text("Buy First"), false});
  ASSERT_EQ(run.Outcome, TestOutcome::PageWritten);
  EXPECT_EQ(Names(run.Tests, false), (std::vector<std::string>{"AAA", "BBB"}));
  const std::string page = Page();
  EXPECT_NE(page.find("Report of the Buy First system</h2>"), std::string::npos);
  EXPECT_NE(page.find("<li><a href=\"#R2\">BBB</a><br>"), std::string::npos);
  EXPECT_NE(page.find("<param name=Value1 value=\"100.00\">"), std::string::npos);
  EXPECT_NE(page.find("<param name=Value2 value=\"-50.00\">"), std::string::npos);
  EXPECT_NE(page.find("# Losing stocks</td><td align=\"right\" bgcolor=\"#f4d1c6\">1<"),
            std::string::npos);
  EXPECT_EQ(workspace.Quotes().StockName, "DDD");
  EXPECT_EQ(workspace.Quotes().BarCount, 6);
  EXPECT_EQ(workspace.Quotes().BarSeries[1].Close, 8);
  EXPECT_EQ(observer.Opened, 1);
  ASSERT_EQ(dialogs.Messages.size(), 2u);
  EXPECT_EQ(dialogs.Messages[0].Kind + " " + dialogs.Messages[0].Text, "progress AAA");
  EXPECT_EQ(dialogs.Messages[1].Text, "BBB");
  EXPECT_FALSE(dialogs.ProgressVisible());
}

TEST_F(TestCommandsTest, WithoutAnOpenStockTheBatchLeavesTheStoreEmpty) {
  const TestRun run =
      TestSelectedStocks(Context(), {false, {"AAA"}, {}}, {"Buy First", Text("Buy First"), false});
  ASSERT_EQ(run.Outcome, TestOutcome::PageWritten);
  EXPECT_EQ(workspace.Quotes().StockName, "");
  EXPECT_EQ(workspace.Quotes().BarCount, 0);
  EXPECT_EQ(observer.Opened, 0);
}

// A failing system aborts the command: the error is shown, no page is
// written (an older one stays), the progress box closes and the user's stock
// comes back.
TEST_F(TestCommandsTest, AFailingSystemWritesNoPage) {
  ASSERT_TRUE(WriteFileAtomically(folder / "~temp002.html", "older page").ok());
  Open("DDD");
  const std::vector<std::string> systems = {"Buy First", "Broken"};
  struct Case {
    std::string_view Command;
    TestRun Run;
  };
  const Case cases[] = {
      {"stock", TestTheStock(Context(), {"Broken", Text("Broken"), false})},
      {"stocks", TestSelectedStocks(Context(), {false, {"AAA", "BBB"}, {}},
                                    {"Broken", Text("Broken"), false})},
      {"systems", TestSelectedSystems(Context(), {}, systems, {"Buy First", "", false})},
      {"matrix", TestStocksAndSystems(Context(), {false, {"AAA", "BBB"}, {}}, systems,
                                      {"Buy First", "", false})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.Run.Outcome, TestOutcome::Failed) << c.Command;
    EXPECT_TRUE(c.Run.Page.empty()) << c.Command;
  }
  EXPECT_EQ(Page(), "older page");
  for (const Case& c : cases) {
    EXPECT_FALSE(c.Run.Script.ok()) << c.Command;
    ASSERT_EQ(c.Run.Script.Errors().size(), 1u) << c.Command;
    EXPECT_EQ(c.Run.Script.Errors()[0].Source, "Microsoft VBScript compilation error");
    EXPECT_EQ(c.Run.Script.Errors()[0].Line, 2);
  }
  // The caller shows the script errors; the commands show none themselves.
  EXPECT_FALSE(ShownError());
  EXPECT_FALSE(dialogs.ProgressVisible());
  EXPECT_EQ(workspace.Quotes().StockName, "DDD");
  EXPECT_EQ(workspace.Quotes().BarSeries[1].Close, 8);
}

// A custom indicator that fails ends only its own run: the system goes on with
// its zeros, the page is written, and the error comes back once, although the
// indicator runs again on each stock of the batch.
TEST_F(TestCommandsTest, ACustomIndicatorsErrorDoesNotStopTheTests) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Indicators.dat", "Broken\r\n").ok());
  std::filesystem::create_directories(folder / "Indicators");
  ASSERT_TRUE(WriteFileAtomically(folder / "Indicators" / "Broken",
                                  "Sub Main()\r\n  SetValue 1, 1\r\n  x = 1 / 0\r\nEnd Sub\r\n")
                  .ok());
  WriteSystem("Reads Broken",
              "Sub Main()\r\n  If GetValue(\"Broken\", 1) = 1 Then Buy BeginBar\r\nEnd Sub\r\n");
  Open("DDD");
  const TestRun run = TestSelectedStocks(Context(), {false, {"AAA", "BBB"}, {}},
                                         {"Reads Broken", Text("Reads Broken"), false});
  ASSERT_EQ(run.Outcome, TestOutcome::PageWritten);
  ASSERT_EQ(run.Tests.size(), 2u);
  // The value set before the error is kept: the system bought on both stocks.
  for (const TestSummary& test : run.Tests)
    EXPECT_EQ(FormatStatistics(test.Statistics).Long[StatisticsRow::Trades], "1") << test.Stock;
  EXPECT_TRUE(run.Script.ok());
  ASSERT_EQ(run.Script.Errors().size(), 1u);
  EXPECT_EQ(run.Script.Errors()[0].Description, "Division by zero");
  EXPECT_EQ(run.Script.Errors()[0].Line, 3);
}

TEST_F(TestCommandsTest, TestSelectedSystemsNamesEachResultBySystemOnTheOpenStock) {
  Open("BBB");
  const std::vector<std::string> systems = {"Buy First", "Nothing"};
  const TestRun run = TestSelectedSystems(Context(), {}, systems, {"Nothing", "", false});
  ASSERT_EQ(run.Outcome, TestOutcome::PageWritten);
  ASSERT_EQ(run.Tests.size(), 2u);
  EXPECT_EQ(run.Tests[0].Statistics.Name, "Buy First");
  EXPECT_EQ(run.Tests[1].Statistics.Name, "Nothing");
  EXPECT_EQ(FormatStatistics(run.Tests[1].Statistics).Long[StatisticsRow::Return], "0.00%");
  const std::string page = Page();
  EXPECT_NE(page.find("Report of the BBB stock</h2>"), std::string::npos);
  EXPECT_NE(page.find("Report of Buy First</font>"), std::string::npos);
  EXPECT_NE(page.find("<li><a href=\"#D2\">Nothing</a><br>"), std::string::npos);
  // Zero trades and a return of 0: neither losing nor winning.
  EXPECT_NE(page.find("# Wining stocks</td><td align=\"right\" bgcolor=\"#c7f4c6\">0<"),
            std::string::npos);
  EXPECT_EQ(workspace.Quotes().StockName, "BBB");
}

TEST_F(TestCommandsTest, TestSelectedSystemsWithoutAStockTakesTheFirstCheckedOne) {
  const std::vector<std::string> systems = {"Buy First"};
  EXPECT_EQ(TestSelectedSystems(Context(), {}, systems, {}).Outcome, TestOutcome::NothingDone);
  const TestRun run = TestSelectedSystems(Context(), {false, {"AAA", "BBB"}, {}}, systems, {});
  ASSERT_EQ(run.Outcome, TestOutcome::PageWritten);
  EXPECT_EQ(Names(run.Tests, false), (std::vector<std::string>{"AAA"}));
  EXPECT_EQ(workspace.Quotes().StockName, "AAA");
}

TEST_F(TestCommandsTest, AModifiedSystemIsSavedOnlyWhenTheUserSaysYes) {
  Open("AAA");
  const std::vector<std::string> systems = {"Nothing"};
  const std::string edited = "Sub Main()\r\n  Buy BeginBar + 1\r\nEnd Sub\r\n";
  dialogs.ConfirmAnswers = {false, true};
  ASSERT_EQ(TestSelectedSystems(Context(), {}, systems, {"Nothing", edited, true}).Outcome,
            TestOutcome::PageWritten);
  EXPECT_EQ(Text("Nothing"), "Sub Main()\r\nEnd Sub\r\n");
  const TestRun run = TestSelectedSystems(Context(), {}, systems, {"Nothing", edited, true});
  EXPECT_EQ(Text("Nothing"), edited);
  // The saved text is the one tested.
  EXPECT_EQ(FormatStatistics(run.Tests[0].Statistics).Long[StatisticsRow::Trades], "1");
  ASSERT_EQ(dialogs.Messages.size(), 4u);
  EXPECT_EQ(dialogs.Messages[0].Kind, "confirm");
  EXPECT_EQ(dialogs.Messages[0].Text, "Do you want to save the Nothing system?");
  EXPECT_EQ(dialogs.Messages[2].Text, "Do you want to save the Nothing system?");
  // An unmodified system asks nothing.
  dialogs.Messages.clear();
  static_cast<void>(TestStocksAndSystems(Context(), {}, systems, {"Nothing", edited, false}));
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(TestCommandsTest, StocksAndSystemsWritesTheTableOfReturns) {
  Open("ccc");
  const std::vector<std::string> systems = {"Buy First", "Nothing"};
  const TestRun run =
      TestStocksAndSystems(Context(), {false, {"AAA", "BBB", "DDD"}, {}}, systems, {});
  ASSERT_EQ(run.Outcome, TestOutcome::PageWritten);
  EXPECT_EQ(Names(run.Tests, true), (std::vector<std::string>{"Buy First", "Nothing", "Buy First",
                                                              "Nothing", "Buy First", "Nothing"}));
  const std::string page = Page();
  const std::string font = "<font face=\"Tahoma\" size=\"2\">";
  EXPECT_NE(page.find("<tr><td bgcolor=\"#faf9fb\">" + font + "BBB</font></td>" +
                      "<td align=\"center\" nowrap bgcolor=\"#f4d1c6\">" + font +
                      "-50.00%</font></td><td align=\"center\" nowrap bgcolor=\"#faf9fb\">" + font +
                      "0.00%</font></td></tr>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("bgcolor=\"#c7f4c6\">" + font + "100.00%"), std::string::npos);
  EXPECT_EQ(workspace.Quotes().StockName, "ccc");
  EXPECT_EQ(observer.Opened, 1);
}

TEST_F(TestCommandsTest, APageThatCannotBeWrittenIsReported) {
  Open("AAA");
  TestContext context = Context();
  context.PageFile = folder / "no folder" / "page.html";
  EXPECT_EQ(TestTheStock(context, {"Buy First", Text("Buy First"), false}).Outcome,
            TestOutcome::Failed);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "Error: Cannot create file " + context.PageFile.string());
}

TEST_F(TestCommandsTest, AMissingSystemFileStopsTheCommand) {
  Open("AAA");
  const std::vector<std::string> systems = {"Buy First", "Vanished"};
  EXPECT_EQ(TestSelectedSystems(Context(), {}, systems, {}).Outcome, TestOutcome::Failed);
  ASSERT_TRUE(ShownError());
  EXPECT_EQ(dialogs.Messages.back().Text,
            "Error: Cannot open file " + (folder / "Signals" / "Vanished").string());
  EXPECT_FALSE(std::filesystem::exists(folder / "~temp002.html"));
}

}  // namespace
}  // namespace chartorium::testing
