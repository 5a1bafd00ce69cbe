// One test's performance table and order list, the single-test page, and
// the page file.
#include "systems/PerformanceReport.h"

#include <utility>

#include "core/Cp1252.h"
#include "core/SafeFile.h"
#include "core/TextHelpers.h"
#include "reports/HtmlTags.h"
#include "systems/PerformanceReportMarkup.h"
#include "systems/TestStatistics.h"
#include "systems/TesterTexts.h"

namespace chartorium {

namespace report {

void TitleBar(std::string& page, std::string_view name) {
  Line(page, HtmlTableStart(0, 100) + HtmlRowStart() +
                 HtmlCellStart(TitleColor, AlignCenter, false) + HtmlFontStart(Face, White, 3) +
                 "Report of " + std::string(name) + HtmlFontEnd() + HtmlCellEnd() + HtmlRowEnd() +
                 HtmlTableEnd());
}

}  // namespace report

using namespace report;

namespace {

using Row = StatisticsRow;

// A two-cell row of a long-only panel: label and value in the small font,
// both cells in the row's colour.
void PanelRow(std::string& page, std::string_view label, std::string_view value,
              std::string_view color, std::string_view valueFont) {
  const std::string font = HtmlFontStart(Face, "", 2);
  Line(page, HtmlRowStart() + HtmlCellStart(color, AlignNone, false) + font + std::string(label) +
                 HtmlFontEnd() + HtmlCellEnd() + HtmlCellStart(color, AlignRight, false) +
                 std::string(valueFont) + std::string(value) + HtmlFontEnd() + HtmlCellEnd() +
                 HtmlRowEnd());
}

void Panel(std::string& page, const StatisticsColumn& column,
           std::initializer_list<std::pair<Row, std::string_view>> rows) {
  const std::string font = HtmlFontStart(Face, "", 2);
  for (const auto& [row, color] : rows) {
    PanelRow(page, StatisticsLabel(row), column[row], color, font);
  }
}

void LongOnlyLayout(std::string& page, const StatisticsTexts& statistics) {
  const StatisticsColumn& column = statistics.Long;
  TitleBar(page, statistics.Name);
  Line(page, HtmlTableStart(0, 100) + HtmlRowStart() + "<td align=\"left\" valign=\"top\">");
  Line(page, HtmlTableStart(0, 99));
  // The return is red when it is negative and green otherwise, zero included.
  const std::string& returnText = column[Row::Return];
  PanelRow(page, StatisticsLabel(Row::Return), returnText, NeutralColor,
           HtmlFontStart(Face, returnText.starts_with('-') ? "#ff0000" : "#008000", 2));
  PanelRow(page, statistics.NetResultLabel, statistics.NetResult, NeutralColor,
           HtmlFontStart(Face, "", 2));
  Panel(page, column,
        {{Row::Wins, WinColor},
         {Row::GrossProfit, WinColor},
         {Row::LargestWin, WinColor},
         {Row::AverageWin, WinColor},
         {Row::MaxBars, NeutralColor},
         {Row::AverageBars, NeutralColor}});
  Line(page, HtmlTableEnd() + HtmlCellEnd() + "<td align=\"right\" valign=\"top\">");
  Line(page, HtmlTableStart(0, 99));
  Panel(page, column,
        {{Row::HoldReturn, NeutralColor},
         {Row::EndingAmount, NeutralColor},
         {Row::Losses, LossColor},
         {Row::GrossLoss, LossColor},
         {Row::LargestLoss, LossColor},
         {Row::AverageLoss, LossColor},
         {Row::MinBars, NeutralColor},
         {Row::Trades, NeutralColor}});
  PanelRow(page, " ", " ", NeutralColor, HtmlFontStart(Face, "", 2));
  Line(page, HtmlTableEnd() + HtmlCellEnd() + HtmlRowEnd() + HtmlTableEnd());
  Line(page, HtmlParagraph());
}

std::string AmountText(double amount, std::string_view currency) {
  return TwoDecimals(amount) + " " + std::string(currency);
}

void FourCellRow(std::string& page, std::string_view label, std::string_view longValue,
                 std::string_view shortValue, std::string_view totalValue, std::string_view color,
                 std::string_view totalColor) {
  Line(page, HtmlRowStart() + HtmlCellStart(NeutralColor, AlignNone, true) + std::string(label) +
                 HtmlCellEnd() + HtmlCellStart(color, AlignNone, true) + std::string(longValue) +
                 HtmlCellEnd() + HtmlCellStart(color, AlignNone, true) + std::string(shortValue) +
                 HtmlCellEnd() + HtmlCellStart(totalColor, AlignNone, true) +
                 std::string(totalValue) + HtmlCellEnd() + HtmlRowEnd());
}

void LongShortTotalLayout(std::string& page, const StatisticsTexts& statistics,
                          const TestAmounts& amounts) {
  Line(page, HtmlTableStart(0, 100));
  std::string header = HtmlRowStart() + HtmlCellStart("", AlignNone, true) + HtmlBoldStart() +
                       "Report of " + statistics.Name + HtmlBoldEnd() + HtmlCellEnd();
  for (const std::string_view column : {"Long", "Short", "Total"}) {
    header += HtmlCellStart(TitleColor, AlignNone, true) + HtmlFontStart("", White, 0) +
              HtmlBoldStart() + std::string(column) + HtmlBoldEnd() + HtmlFontEnd() + HtmlCellEnd();
  }
  Line(page, header + HtmlRowEnd());

  const auto statisticsRow = [&](Row row, std::string_view color, std::string_view totalColor) {
    FourCellRow(page, StatisticsLabel(row), statistics.Long[row], statistics.Short[row],
                statistics.Total[row], color, totalColor);
  };
  statisticsRow(Row::Return, NeutralColor, NeutralColor);
  FourCellRow(
      page, "Initial Amount", AmountText(amounts.InitialTradingAmount, amounts.Currency),
      AmountText(amounts.InitialMarginAmount, amounts.Currency),
      AmountText(amounts.InitialTradingAmount + amounts.InitialMarginAmount, amounts.Currency),
      NeutralColor, NeutralColor);
  statisticsRow(Row::EndingAmount, NeutralColor, NeutralColor);
  FourCellRow(page, StatisticsLabel(Row::HoldReturn), statistics.Long[Row::HoldReturn],
              statistics.Short[Row::HoldReturn], "N/A", NeutralColor, NeutralColor);
  constexpr std::pair<Row, std::string_view> Rows[] = {
      {Row::Trades, NeutralColor},     {Row::Wins, WinColor},         {Row::GrossProfit, WinColor},
      {Row::LargestWin, WinColor},     {Row::AverageWin, WinColor},   {Row::Losses, LossColor},
      {Row::GrossLoss, LossColor},     {Row::LargestLoss, LossColor}, {Row::AverageLoss, LossColor},
      {Row::AverageBars, NeutralColor}};
  for (const auto& [row, color] : Rows) statisticsRow(row, color, color);
  statisticsRow(Row::MaxBars, NeutralColor, "");
  statisticsRow(Row::MinBars, NeutralColor, NeutralColor);
  Line(page, HtmlRowEnd() + HtmlTableEnd());
  Line(page, HtmlParagraph());
}

}  // namespace

std::string PerformanceFragment(const StatisticsTexts& statistics, const TestAmounts& amounts) {
  std::string page;
  if (amounts.InitialMarginAmount == 0) {
    LongOnlyLayout(page, statistics);
  } else {
    LongShortTotalLayout(page, statistics, amounts);
  }
  return page;
}

std::string TradesFragment(std::string_view tradeText) {
  const size_t separator = tradeText.find(';');
  const std::string_view name = tradeText.substr(0, separator);
  const std::string_view entries =
      separator == std::string_view::npos ? std::string_view() : tradeText.substr(separator + 1);
  std::string page;
  TitleBar(page, name);
  Line(page,
       HtmlTableStart(0, 100) + HtmlRowStart() + HtmlCellStart(NeutralColor, AlignNone, false));
  if (FieldOf(entries, 1, ";").empty()) {
    Line(page, "None<BR>");
  } else {
    Line(page, HtmlTableStart(0, 100));
    for (int n = 1;; ++n) {
      const std::string entry = FieldOf(entries, n, ";");
      if (entry.empty()) break;
      const size_t tab = entry.find('\t');
      const std::string order = entry.substr(0, tab);
      const std::string profit = tab == std::string::npos ? std::string() : entry.substr(tab + 1);
      Line(page, HtmlRowStart() + HtmlCellStart("", AlignNone, false) + order + HtmlCellEnd() +
                     HtmlCellStart("", AlignRight, false) + profit + HtmlCellEnd() + HtmlRowEnd());
    }
    Line(page, HtmlTableEnd());
  }
  Line(page, HtmlCellEnd() + HtmlRowEnd() + HtmlTableEnd());
  Line(page, HtmlParagraph());
  return page;
}

std::string SingleTestPage(std::string_view systemName, const StatisticsTexts& statistics,
                           const TestAmounts& amounts, std::string_view tradeText) {
  std::string page;
  Line(page, HtmlPageStart(PageTitle, White));
  Line(page, HtmlHeadingStart(2) + HtmlFontStart(Face, "", 0) + "Report of the " +
                 std::string(systemName) + " system" + HtmlFontEnd() + HtmlHeadingEnd(2));
  Line(page, HtmlParagraph());
  page += PerformanceFragment(statistics, amounts);
  Line(page, HtmlParagraph());
  page += TradesFragment(tradeText);
  Line(page, HtmlPageEnd());
  return page;
}

void MultiTestResults::Add(std::string performance, std::string trades, std::string name,
                           double overallReturn) {
  Performances.push_back(std::move(performance));
  Trades.push_back(std::move(trades));
  Names.push_back(std::move(name));
  Returns.push_back(overallReturn);
}

Status WriteReportPage(const std::filesystem::path& file, std::string_view page) {
  if (!WriteFileAtomically(file, Utf8ToCp1252(page)).ok()) {
    return Status::IoError("Cannot create file " + file.string());
  }
  return Status::Ok();
}

}  // namespace chartorium
