// The system tester's report pages: the performance and order tables, the
// multi-test sections, the overall results and the page file.
#include "systems/PerformanceReport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "support/TempFolder.h"
#include "systems/ReportOptions.h"
#include "systems/TestStatistics.h"

namespace chartorium {
namespace {

// Long-only statistics texts, with `result` as the return.
StatisticsTexts LongOnlyStatistics(std::string_view result) {
  StatisticsTexts texts;
  texts.Name = "IBM";
  texts.Long.Texts = {"2",
                      "1",
                      "1",
                      "150.00 USD",
                      "-50.00 USD",
                      "150.00 USD",
                      "-50.00 USD",
                      "150.00 USD",
                      "-50.00 USD",
                      "4",
                      "5",
                      "3",
                      "100,100.00 USD",
                      std::string(result),
                      "-2.50%"};
  texts.NetResultLabel = "Total net profit";
  texts.NetResult = "100.00 USD";
  return texts;
}

// The short and total columns of a margin account: each text is "s" and the
// number the field had in the tester's old statistics list (34..48 short,
// 49..60 total, 61 the result, 62 and 63 the total ending amount and return),
// so a cell names its field.
StatisticsTexts WithMarginFields(StatisticsTexts texts) {
  const auto field = [](int n) { return "s" + std::to_string(n); };
  for (size_t row = 0; row < StatisticsRowCount; ++row)
    texts.Short.Texts[row] = field(34 + static_cast<int>(row));
  for (size_t row = 0; row <= static_cast<size_t>(StatisticsRow::MinBars); ++row)
    texts.Total.Texts[row] = field(49 + static_cast<int>(row));
  texts.TotalResult = field(61);
  texts.Total[StatisticsRow::EndingAmount] = field(62);
  texts.Total[StatisticsRow::Return] = field(63);
  return texts;
}

// The position of each text in the page, in order; fails when one is missing
// or out of order.
void ExpectInOrder(const std::string& page, std::initializer_list<std::string_view> texts) {
  size_t at = 0;
  for (const std::string_view text : texts) {
    const size_t found = page.find(text, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << text;
    at = found + text.size();
  }
}

TEST(PerformanceReportTest, LongOnlyLayoutColoursTheReturnBySign) {
  struct Case {
    std::string_view Return;
    std::string_view Font;
  };
  constexpr Case Cases[] = {{"-1.50%", "<font face=\"Tahoma\" color=\"#ff0000\" size=\"2\">"},
                            {"0.00%", "<font face=\"Tahoma\" color=\"#008000\" size=\"2\">"},
                            {"12.25%", "<font face=\"Tahoma\" color=\"#008000\" size=\"2\">"},
                            {"N/A", "<font face=\"Tahoma\" color=\"#008000\" size=\"2\">"}};
  for (const Case& c : Cases) {
    const std::string page = PerformanceFragment(LongOnlyStatistics(c.Return), {100000, 0, "USD"});
    const std::string row =
        "<tr><td bgcolor=\"#faf9fb\"><font face=\"Tahoma\" size=\"2\">Return</font></td>"
        "<td align=\"right\" bgcolor=\"#faf9fb\">" +
        std::string(c.Font) + std::string(c.Return) + "</font></td></tr>\r\n";
    EXPECT_NE(page.find(row), std::string::npos) << c.Return << "\n" << page;
  }
}

TEST(PerformanceReportTest, LongOnlyLayoutOrdersItsPanels) {
  const std::string page = PerformanceFragment(LongOnlyStatistics("0.10%"), {100000, 0, "USD"});
  ExpectInOrder(page, {"Report of IBM</font>",
                       "<td align=\"left\" valign=\"top\">",
                       ">Return<",
                       ">Total net profit<",
                       ">Number winning trades<",
                       ">Gross Profit<",
                       ">Largest winning trade<",
                       ">Average winning trade<",
                       ">Maximum number bars by trade<",
                       ">Average number bars by trade<",
                       "<td align=\"right\" valign=\"top\">",
                       ">With buy & hold<",
                       ">Ending amount<",
                       ">Number losing trades<",
                       ">Gross Loss<",
                       ">Largest losing trade<",
                       ">Average losing trade<",
                       ">Minimum number bars by trade<",
                       ">Number of trades<",
                       "> </font>"});
  EXPECT_NE(page.find("<td bgcolor=\"#f4d1c6\"><font face=\"Tahoma\" size=\"2\">Gross Loss</font>"
                      "</td><td align=\"right\" bgcolor=\"#f4d1c6\"><font face=\"Tahoma\" "
                      "size=\"2\">-50.00 USD</font></td>"),
            std::string::npos);
  EXPECT_TRUE(page.ends_with("</table></td></tr></table>\r\n<p>\r\n"));
}

TEST(PerformanceReportTest, MarginLayoutHasLongShortAndTotalColumns) {
  const std::string page =
      PerformanceFragment(WithMarginFields(LongOnlyStatistics("0.10%")), {100000, 50000, "EUR"});
  ExpectInOrder(
      page,
      {"<tr><td nowrap><b>Report of IBM</b></td><td nowrap bgcolor=\"#140a50\"><font "
       "color=\"#ffffff\"><b>Long</b></font></td><td nowrap bgcolor=\"#140a50\"><font "
       "color=\"#ffffff\"><b>Short</b></font></td><td nowrap bgcolor=\"#140a50\"><font "
       "color=\"#ffffff\"><b>Total</b></font></td></tr>\r\n",
       "<tr><td nowrap bgcolor=\"#faf9fb\">Return</td><td nowrap bgcolor=\"#faf9fb\">0.10%</td>"
       "<td nowrap bgcolor=\"#faf9fb\">s47</td><td nowrap bgcolor=\"#faf9fb\">s63</td></tr>\r\n",
       "<td nowrap bgcolor=\"#faf9fb\">Initial Amount</td><td nowrap bgcolor=\"#faf9fb\">100000.00 "
       "EUR</td><td nowrap bgcolor=\"#faf9fb\">50000.00 EUR</td><td nowrap "
       "bgcolor=\"#faf9fb\">150000.00 EUR</td>",
       ">Ending amount</td>", ">s46<", ">s62<", ">With buy & hold</td>", ">-2.50%<", ">s48<",
       ">N/A<", ">Number of trades<", ">s34<", ">s49<", ">Number winning trades<", ">s35<",
       ">Gross Profit<", ">s37<", ">Largest winning trade<", ">s39<", ">Average winning trade<",
       ">s41<", ">Number losing trades<", ">s36<", ">Gross Loss<", ">s38<",
       ">Largest losing trade<", ">s40<", ">Average losing trade<", ">s42<",
       ">Average number bars by trade<", ">s43<", ">s58<",
       // the maximum-bars row leaves its total cell without a colour
       "<td nowrap bgcolor=\"#faf9fb\">s44</td><td nowrap>s59</td>",
       ">Minimum number bars by trade<", ">s45<", ">s60<", "</tr></table>\r\n<p>\r\n"});
  EXPECT_NE(page.find("<td nowrap bgcolor=\"#c7f4c6\">s52</td>"), std::string::npos);
  EXPECT_NE(page.find("<td nowrap bgcolor=\"#f4d1c6\">s55</td>"), std::string::npos);
}

TEST(PerformanceReportTest, NegativeMarginLeavesShortAndTotalCellsEmpty) {
  const std::string page = PerformanceFragment(LongOnlyStatistics("0.10%"), {100000, -500, "USD"});
  EXPECT_NE(page.find("<tr><td nowrap bgcolor=\"#faf9fb\">Number of trades</td><td nowrap "
                      "bgcolor=\"#faf9fb\">2</td><td nowrap bgcolor=\"#faf9fb\"></td><td nowrap "
                      "bgcolor=\"#faf9fb\"></td></tr>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find(">-500.00 USD</td><td nowrap bgcolor=\"#faf9fb\">99500.00 USD<"),
            std::string::npos);
}

TEST(PerformanceReportTest, TradesFragmentListsEachOrder) {
  EXPECT_EQ(
      TradesFragment("IBM;"),
      "<table border=\"0\" width=\"100%\"><tr><td align=\"center\" bgcolor=\"#140a50\"><font "
      "face=\"Tahoma\" color=\"#ffffff\" size=\"3\">Report of IBM</font></td></tr></table>\r\n"
      "<table border=\"0\" width=\"100%\"><tr><td bgcolor=\"#faf9fb\">\r\n"
      "None<BR>\r\n"
      "</td></tr></table>\r\n"
      "<p>\r\n");
  EXPECT_EQ(
      TradesFragment("A&B;Buy 10 share(s) at 12.50 the 01/02/2003;"
                     "Sell 10 share(s) at 13.00 the 05/02/2003\t Profit of     5.00;"),
      "<table border=\"0\" width=\"100%\"><tr><td align=\"center\" bgcolor=\"#140a50\"><font "
      "face=\"Tahoma\" color=\"#ffffff\" size=\"3\">Report of A&B</font></td></tr></table>\r\n"
      "<table border=\"0\" width=\"100%\"><tr><td bgcolor=\"#faf9fb\">\r\n"
      "<table border=\"0\" width=\"100%\">\r\n"
      "<tr><td>Buy 10 share(s) at 12.50 the 01/02/2003</td><td align=\"right\"></td></tr>\r\n"
      "<tr><td>Sell 10 share(s) at 13.00 the 05/02/2003</td><td align=\"right\"> Profit of  "
      "   5.00</td></tr>\r\n"
      "</table>\r\n"
      "</td></tr></table>\r\n"
      "<p>\r\n");
}

const std::string_view Footer =
    "<p>\r\n"
    "<p>\r\n"
    "<table border=\"0\" width=\"100%\"><tr><td align=\"right\"><font size=\"2\">\r\n"
    "Report created with Chartorium<br><a "
    "href=\"https://chartorium.example.org\">https://chartorium.example.org</a>\r\n"
    "</tr></table>\r\n"
    "</body></html>\r\n";

TEST(PerformanceReportTest, MultiTestPageWithEveryOptionOffHoldsTitleEmptyContentsAndFooter) {
  MultiTestResults results;
  results.Add("<perf>\r\n", "<trades>\r\n", "IBM", 3.5);
  const ReportOptions off{false, false, false, false, false};
  EXPECT_EQ(MultiTestPage(MultiTestKind::System, "MA Crossover", results, off),
            "<html><head><META name=\"identifier\" content=\"https://chartorium.example.org\">"
            "<STYLE type=\"text/css\">td {font-family:Tahoma,Verdana,Arial,Helvetica,sans-serif;"
            "font-size:9pt}</STYLE><title>System Tester Report</title></head>"
            "<body bgcolor=\"#ffffff\">\r\n"
            "<h2><font face=\"Tahoma\">Report of the MA Crossover system</h2><p>\r\n"
            "<center><table border=\"0\" width=\"90%\"><tr><td><ul>\r\n"
            "</ul></font></tr></table></center>\r\n"
            "<p><p>\r\n"
            "<p><p><center>\r\n"
            "</center>\r\n" +
                std::string(Footer));
}

TEST(PerformanceReportTest, StockKindTitlesTheStockAndNamesResultsBySystem) {
  MultiTestResults results;
  results.Add("", "", "MA Crossover", 1);
  results.Add("", "", "RSI Reversion", -1);
  const std::string page =
      MultiTestPage(MultiTestKind::Stock, "IBM", results, ReportOptions{true, false, true, false});
  EXPECT_NE(page.find("<h2><font face=\"Tahoma\">Report of the IBM stock</h2>"), std::string::npos);
  ExpectInOrder(
      page,
      {"<li><a href=\"#R1\">MA Crossover</a><br>", "<li><a href=\"#R2\">RSI Reversion</a><br>",
       "<li><a href=\"#D1\">MA Crossover</a><br>", "<li><a href=\"#D2\">RSI Reversion</a><br>",
       "<a name=\"R1\"></a>", "<a name=\"R2\"></a>", "<a name=\"D1\"></a>", "<a name=\"D2\"></a>"});
  EXPECT_EQ(page.find("Overall results"), std::string::npos);
  EXPECT_EQ(page.find("<applet"), std::string::npos);
}

TEST(PerformanceReportTest, HistogramNamesTheAppletAndDrawsTheBarsInThePage) {
  MultiTestResults results;
  results.Add("", "", "A<B", -2.004);
  results.Add("", "", "C", 6);
  for (const bool vertical : {false, true}) {
    const std::string page = MultiTestPage(MultiTestKind::System, "S", results,
                                           ReportOptions{false, true, false, false, vertical});
    ExpectInOrder(
        page, {"<li><a href=\"#2nd\">Histogram</a><br>", "<a name=\"2nd\"></a>",
               vertical ? "archive=\"GraphPackII.jar\"" : "archive=\"GraphPack.jar\"",
               "<param name=Name1 value=\"A<B\">\r\n<param name=Value1 value=\"-2.00\">\r\n"
               "<param name=Name2 value=\"C\">\r\n<param name=Value2 value=\"6.00\">\r\n"
               "</applet>\r\n<svg",
               ">A&lt;B -2.00%</text>", "fill=\"#b40000\"", ">C 6.00%</text>", "fill=\"#00a000\"",
               "</svg>\r\n<p>\r\n<p>\r\n</center>"});
  }
  // The bars share one scale: -2 reaches a quarter of the way from the left
  // end, +6 the rest, from a zero line at the quarter.
  const std::string svg = ReturnsHistogram(results.Names, results.Returns);
  EXPECT_NE(svg.find("<rect x=\"210.0\" y=\"10.0\" width=\"95.1\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("<rect x=\"305.1\" y=\"30.0\" width=\"284.9\""), std::string::npos) << svg;
}

TEST(PerformanceReportTest, OverallResultsCountAReturnOfZeroNeitherWay) {
  const double returns[] = {0, -2, 4, 0, -3};
  const std::string page = OverallResults(returns);
  ExpectInOrder(page, {"<font color=\"#ffffff\">Overall results</font>",
                       "<tr><td align=\"left\" bgcolor=\"#f4d1c6\"># Losing stocks</td>"
                       "<td align=\"right\" bgcolor=\"#f4d1c6\">2</td></tr>",
                       "<tr><td align=\"left\" bgcolor=\"#c7f4c6\"># Wining stocks</td>"
                       "<td align=\"right\" bgcolor=\"#c7f4c6\">1</td></tr>",
                       "<tr><td align=\"left\" nowrap bgcolor=\"#f4d1c6\">Average Percent loss"
                       "</td><td align=\"right\" nowrap bgcolor=\"#f4d1c6\">-2.50</td></tr>",
                       "<td align=\"right\" nowrap bgcolor=\"#c7f4c6\">4.00</td>"});
  const double zeros[] = {0, 0};
  const std::string none = OverallResults(zeros);
  EXPECT_NE(none.find("# Losing stocks</td><td align=\"right\" bgcolor=\"#f4d1c6\">0<"),
            std::string::npos);
  EXPECT_NE(none.find("# Wining stocks</td><td align=\"right\" bgcolor=\"#c7f4c6\">0<"),
            std::string::npos);
  EXPECT_NE(
      none.find("Average Percent loss</td><td align=\"right\" nowrap bgcolor=\"#f4d1c6\">N/A"),
      std::string::npos);
  EXPECT_NE(none.find("profit</td><td align=\"right\" nowrap bgcolor=\"#c7f4c6\">N/A"),
            std::string::npos);
}

TEST(PerformanceReportTest, MatrixPageColoursEachReturn) {
  const std::string stocks[] = {"IBM", "MSFT"};
  const std::string systems[] = {"S1", "S2"};
  const double returns[] = {1.5, -0.25, 0, 10};
  const std::string page = MatrixPage(stocks, systems, returns);
  const std::string font = "<font face=\"Tahoma\" size=\"2\">";
  ExpectInOrder(
      page,
      {"<h2><font face=\"Tahoma\">Report</h2><p>\r\n<center><table border=\"0\" width=\"90%\">\r\n",
       "<tr><td bgcolor=\"#ffffff\"></td><td bgcolor=\"#faf9fb\">" + font + "S1</font></td>" +
           "<td bgcolor=\"#faf9fb\">" + font + "S2</font></td></tr>\r\n",
       "<tr><td bgcolor=\"#faf9fb\">" + font + "IBM</font></td><td align=\"center\" nowrap " +
           "bgcolor=\"#c7f4c6\">" + font + "1.50%</font></td><td align=\"center\" nowrap " +
           "bgcolor=\"#f4d1c6\">" + font + "-0.25%</font></td></tr>\r\n",
       "<td align=\"center\" nowrap bgcolor=\"#faf9fb\">" + font + "0.00%</font></td>",
       "bgcolor=\"#c7f4c6\">" + font + "10.00%</font></td></tr>\r\n",
       "</table></center>\r\n" + std::string(Footer)});
  EXPECT_TRUE(page.ends_with(Footer));

  // A loss that rounds to zero is coloured as a loss but shown without a sign.
  const double tiny[] = {-0.001};
  EXPECT_NE(MatrixPage({stocks, 1}, {systems, 1}, tiny)
                .find("bgcolor=\"#f4d1c6\">" + font + "0.00%</font>"),
            std::string::npos);
}

TEST(PerformanceReportTest, PageFileIsWindows1252AndAFailedWriteKeepsTheOldPage) {
  testing::TempFolder home;
  ASSERT_TRUE(WriteReportPage(home / "~temp002.html", "<title>Caf\xC3\xA9</title>\r\n").ok());
  EXPECT_EQ(ReadWholeFile(home / "~temp002.html").value_or(""), "<title>Caf\xE9</title>\r\n");

  const std::filesystem::path missing = home / "no such folder";
  const Status failed = WriteReportPage(missing / "~temp002.html", "x");
  EXPECT_EQ(failed.message(), "Cannot create file " + (missing / "~temp002.html").string());
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(ReportOptionsTest, DefaultsRoundTripAndVerticalAppletIsNotStored) {
  const ReportOptions defaults = LoadReportOptions(IniFile());
  EXPECT_TRUE(defaults.ChO1 && defaults.ChO2 && defaults.ChO3 && defaults.ChO4);
  EXPECT_FALSE(defaults.ChO5);

  IniFile ini;
  SaveReportOptions({false, true, false, true, true}, ini);
  EXPECT_EQ(ini.Text(), "[FBS]\r\nCh1=0\r\nCh2=1\r\nCh3=0\r\nCh4=1\r\n");
  const ReportOptions loaded = LoadReportOptions(IniFile::FromText(ini.Text()));
  EXPECT_FALSE(loaded.ChO1);
  EXPECT_TRUE(loaded.ChO2);
  EXPECT_FALSE(loaded.ChO3);
  EXPECT_TRUE(loaded.ChO4);
  EXPECT_FALSE(loaded.ChO5);
}

}  // namespace
}  // namespace chartorium
