// One test's performance table and order list, the single-test page, and
// the page file.
#include "systems/PerformanceReport.h"

#include <utility>

#include "core/Cp1252.h"
#include "core/SafeFile.h"
#include "core/TextHelpers.h"
#include "reports/HtmlTags.h"
#include "systems/PerformanceReportMarkup.h"
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

std::string Field(std::string_view statistics, int n) {
  return FieldOf(statistics, n, ";");
}

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

struct PanelField {
  int Label;
  std::string_view Color;
};

void Panel(std::string& page, std::string_view statistics, std::initializer_list<PanelField> rows) {
  const std::string font = HtmlFontStart(Face, "", 2);
  for (const PanelField& row : rows) {
    PanelRow(page, Field(statistics, row.Label), Field(statistics, row.Label + 1), row.Color, font);
  }
}

void LongOnlyLayout(std::string& page, std::string_view statistics) {
  TitleBar(page, Field(statistics, 1));
  Line(page, HtmlTableStart(0, 100) + HtmlRowStart() + "<td align=\"left\" valign=\"top\">");
  Line(page, HtmlTableStart(0, 99));
  // The return is red when it is negative and green otherwise, zero included.
  const std::string returnText = Field(statistics, 29);
  PanelRow(page, Field(statistics, 28), returnText, NeutralColor,
           HtmlFontStart(Face, returnText.starts_with('-') ? "#ff0000" : "#008000", 2));
  Panel(page, statistics,
        {{32, NeutralColor},
         {4, WinColor},
         {8, WinColor},
         {12, WinColor},
         {16, WinColor},
         {22, NeutralColor},
         {20, NeutralColor}});
  Line(page, HtmlTableEnd() + HtmlCellEnd() + "<td align=\"right\" valign=\"top\">");
  Line(page, HtmlTableStart(0, 99));
  Panel(page, statistics,
        {{30, NeutralColor},
         {26, NeutralColor},
         {6, LossColor},
         {10, LossColor},
         {14, LossColor},
         {18, LossColor},
         {24, NeutralColor},
         {2, NeutralColor}});
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

void LongShortTotalLayout(std::string& page, std::string_view statistics,
                          const TestAmounts& amounts) {
  Line(page, HtmlTableStart(0, 100));
  std::string header = HtmlRowStart() + HtmlCellStart("", AlignNone, true) + HtmlBoldStart() +
                       "Report of " + Field(statistics, 1) + HtmlBoldEnd() + HtmlCellEnd();
  for (const std::string_view column : {"Long", "Short", "Total"}) {
    header += HtmlCellStart(TitleColor, AlignNone, true) + HtmlFontStart("", White, 0) +
              HtmlBoldStart() + std::string(column) + HtmlBoldEnd() + HtmlFontEnd() + HtmlCellEnd();
  }
  Line(page, header + HtmlRowEnd());

  // Label field, then the fields of the long, short and total values.
  struct Row {
    int Label, Long, Short, Total;
    std::string_view Color;
  };
  const auto fieldRow = [&](const Row& row, std::string_view totalColor) {
    FourCellRow(page, Field(statistics, row.Label), Field(statistics, row.Long),
                Field(statistics, row.Short), Field(statistics, row.Total), row.Color, totalColor);
  };
  fieldRow({28, 29, 47, 63, NeutralColor}, NeutralColor);
  FourCellRow(
      page, "Initial Amount", AmountText(amounts.InitialTradingAmount, amounts.Currency),
      AmountText(amounts.InitialMarginAmount, amounts.Currency),
      AmountText(amounts.InitialTradingAmount + amounts.InitialMarginAmount, amounts.Currency),
      NeutralColor, NeutralColor);
  fieldRow({26, 27, 46, 62, NeutralColor}, NeutralColor);
  FourCellRow(page, Field(statistics, 30), Field(statistics, 31), Field(statistics, 48), "N/A",
              NeutralColor, NeutralColor);
  constexpr Row Rows[] = {{2, 3, 34, 49, NeutralColor}, {4, 5, 35, 50, WinColor},
                          {8, 9, 37, 52, WinColor},     {12, 13, 39, 54, WinColor},
                          {16, 17, 41, 56, WinColor},   {6, 7, 36, 51, LossColor},
                          {10, 11, 38, 53, LossColor},  {14, 15, 40, 55, LossColor},
                          {18, 19, 42, 57, LossColor},  {20, 21, 43, 58, NeutralColor}};
  for (const Row& row : Rows) fieldRow(row, row.Color);
  fieldRow({22, 23, 44, 59, NeutralColor}, "");
  fieldRow({24, 25, 45, 60, NeutralColor}, NeutralColor);
  Line(page, HtmlRowEnd() + HtmlTableEnd());
  Line(page, HtmlParagraph());
}

}  // namespace

std::string PerformanceFragment(std::string_view statistics, const TestAmounts& amounts) {
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

std::string SingleTestPage(std::string_view systemName, std::string_view statistics,
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
