// The report grid functions and the tester console.
#include "macro/MacroLang.h"

#include "macro/MacroFixture.h"
#include "macro/MacroState.h"

namespace chartorium::testing {
namespace {

class MacroReports : public MacroFixture {
 protected:
  ReportGrid& Grid() { return Ws().Macros.Grid; }
};

TEST_F(MacroReports, HeaderAddsColumnsUpToItsNumber) {
  ASSERT_TRUE(
      RunGlobal("Header 3, \"Close\"\nHeader 0, \"none\"\nHeader -2, \"none\"\n"
                "Header 1.5, \"Two\""));
  ASSERT_EQ(Grid().Columns.size(), 4u);
  EXPECT_EQ(Grid().Columns[0].Caption, "Stocks");
  EXPECT_EQ(Grid().Columns[0].Width, 120);
  EXPECT_EQ(Grid().Columns[1].Caption, "");
  EXPECT_EQ(Grid().Columns[2].Caption, "Two");  // 1.5 rounds to 2
  EXPECT_EQ(Grid().Columns[3].Caption, "Close");
  EXPECT_EQ(Grid().Columns[3].Width, 80);
}

TEST_F(MacroReports, CellsGoToTheTakenStocksRow) {
  Ws().Macros.Report.StockDisplayName = "Acme Corp";
  ASSERT_TRUE(
      RunGlobal("PutInGrid 1, \"early\"\nTakeThisStock\nPutInGrid 3, 3.14159\n"
                "PutInGrid 1, 5\nPutInGrid 0, \"none\"\nPutInGrid 2.9, \"two\"\n"
                "PutInGrid 4, CSng(-2.5)\nResetTTS\nPutInGrid 1, \"late\""));
  ASSERT_EQ(Grid().Rows.size(), 1u);
  const ReportRow& row = Grid().Rows[0];
  EXPECT_EQ(row.Caption, "Acme Corp");
  const std::vector<std::string> expected = {"5", "two", "3.14", "-2.50"};
  EXPECT_EQ(row.Cells, expected);
  EXPECT_FALSE(Ws().Macros.Report.Taken);
}

TEST_F(MacroReports, PrintOutAppendsLines) {
  ASSERT_TRUE(RunGlobal("PrintOut \"hello\"\nPrintOut 1.5\nPrintOut \"\""));
  const std::vector<std::string> expected = {"hello", "1.5", ""};
  EXPECT_EQ(Ws().Macros.Console.Lines, expected);
}

}  // namespace
}  // namespace chartorium::testing
