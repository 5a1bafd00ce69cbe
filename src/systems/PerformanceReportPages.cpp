// The pages of the batch test commands: many results with their contents
// list, histogram and overall results, and the stocks-by-systems table.
#include <cassert>
#include <string>

#include "core/TextHelpers.h"
#include "reports/HtmlTags.h"
#include "systems/PerformanceReport.h"
#include "systems/PerformanceReportMarkup.h"
#include "systems/ReportOptions.h"
#include "systems/TesterTexts.h"

namespace chartorium {

using namespace report;

namespace {

void Heading(std::string& page, std::string_view subject) {
  Line(page, HtmlPageStart(PageTitle, White));
  Line(page, HtmlHeadingStart(2) + HtmlFontStart(Face, "", 0) + "Report of the " +
                 std::string(subject) + HtmlHeadingEnd(2) + HtmlParagraph());
}

void Footer(std::string& page) {
  Line(page, HtmlParagraph());
  Line(page, HtmlParagraph());
  Line(page, HtmlTableStart(0, 100) + HtmlRowStart() + HtmlCellStart("", AlignRight, false) +
                 HtmlFontStart("", "", 2));
  Line(page, "Report created with Chartorium" + HtmlBreak() + HtmlLink(ProductSite, ProductSite));
  Line(page, HtmlRowEnd() + HtmlTableEnd());
  Line(page, HtmlPageEnd());
}

// A list of links to the results' anchors ("#R1", "#D1", ...).
void ResultLinks(std::string& page, std::string_view anchor, const MultiTestResults& results) {
  Line(page, HtmlListStart());
  for (size_t i = 0; i < results.Names.size(); ++i) {
    Line(page, HtmlListItem() +
                   HtmlLink("#" + std::string(anchor) + std::to_string(i + 1), results.Names[i]) +
                   HtmlBreak());
  }
}

void Contents(std::string& page, const MultiTestResults& results, const ReportOptions& options) {
  Line(page, HtmlCenterStart() + HtmlTableStart(0, 90) + HtmlRowStart() +
                 HtmlCellStart("", AlignNone, false) + HtmlListStart());
  if (options.ChO1) {
    Line(page, HtmlFontStart("", "", 1) + HtmlListItem() + HtmlLink("#1st", "Performance reports") +
                   HtmlBreak());
    ResultLinks(page, "R", results);
    Line(page, HtmlListEnd() + HtmlBreak());
  }
  if (options.ChO2) Line(page, HtmlListItem() + HtmlLink("#2nd", "Histogram") + HtmlBreak());
  if (options.ChO3) {
    Line(page, HtmlListItem() + HtmlLink("#3rd", "Detailed Buys/Sells reports"));
    ResultLinks(page, "D", results);
    Line(page, HtmlListEnd() + HtmlBreak());
  }
  if (options.ChO4) Line(page, HtmlListItem() + HtmlLink("#4th", "Overall results"));
  Line(page, HtmlListEnd() + HtmlFontEnd() + HtmlRowEnd() + HtmlTableEnd() + HtmlCenterEnd());
  Line(page, HtmlParagraph() + HtmlParagraph());
}

// The applet the page names, followed by the same histogram drawn in the page
// itself for browsers that run no applets.
void Histogram(std::string& page, const MultiTestResults& results, bool verticalApplet) {
  Line(page, HtmlAnchorStart("2nd") + HtmlAnchorEnd());
  Line(page, std::string("<applet code=Graph.class archive=\"") +
                 (verticalApplet ? "GraphPackII.jar" : "GraphPack.jar") +
                 "\" width=\"90%\" height=300>");
  Line(page, "<param name=Title value=\"Report Histogram\">");
  Line(page, "<param name=MinColor value=\"180000000\">");
  Line(page, "<param name=MaxColor value=\"000160000\"><param name=Unit value=\"%\">");
  Line(page, "<param name=Etiquette value=\"true\"><param name=SortingAlgorithm value=\"1\">");
  Line(page, "<param name=TriDimensionalEffect value=\"true\">");
  for (size_t i = 0; i < results.Names.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    Line(page, "<param name=Name" + number + " value=\"" + results.Names[i] + "\">");
    Line(page,
         "<param name=Value" + number + " value=\"" + TwoDecimals(results.Returns[i]) + "\">");
  }
  Line(page, "</applet>");
  page += ReturnsHistogram(results.Names, results.Returns);
  Line(page, HtmlParagraph());
  Line(page, HtmlParagraph());
}

void Fragments(std::string& page, std::string_view anchor, const std::vector<std::string>& parts) {
  for (size_t i = 0; i < parts.size(); ++i) {
    Line(page, HtmlAnchorStart(std::string(anchor) + std::to_string(i + 1)) + HtmlAnchorEnd());
    page += parts[i];
  }
}

struct Tally {
  int Count = 0;
  double Sum = 0;
  std::string Average() const { return Count == 0 ? "N/A" : TwoDecimals(Sum / Count); }
};

void TallyRow(std::string& page, std::string_view label, std::string_view value,
              std::string_view color, bool noWrap) {
  Line(page, HtmlRowStart() + HtmlCellStart(color, AlignLeft, noWrap) + std::string(label) +
                 HtmlCellEnd() + HtmlCellStart(color, AlignRight, noWrap) + std::string(value) +
                 HtmlCellEnd() + HtmlRowEnd());
}

}  // namespace

std::string OverallResults(std::span<const double> returns) {
  Tally losing, winning;
  for (const double value : returns) {
    if (value < 0) {
      ++losing.Count;
      losing.Sum += value;
    } else if (value > 0) {
      ++winning.Count;
      winning.Sum += value;
    }
  }
  std::string page;
  Line(page, HtmlParagraph());
  Line(page, HtmlTableStart(0, 100) + HtmlRowStart() +
                 HtmlCellStart(TitleColor, AlignCenter, false) + HtmlFontStart("", White, 0) +
                 "Overall results" + HtmlFontEnd() + HtmlCellEnd() + HtmlRowEnd() + HtmlTableEnd());
  Line(page, HtmlTableStart(0, 100) + HtmlRowStart() + "<td align=\"left\" valign=\"top\">");
  Line(page, HtmlTableStart(0, 99));
  TallyRow(page, "# Losing stocks", std::to_string(losing.Count), LossColor, false);
  TallyRow(page, "# Wining stocks", std::to_string(winning.Count), WinColor, false);
  Line(page, HtmlTableEnd() + HtmlCellEnd() + "<td align=\"right\" valign=\"top\">");
  Line(page, HtmlTableStart(0, 99));
  TallyRow(page, "Average Percent loss", losing.Average(), LossColor, true);
  TallyRow(page, "Average Percent profit", winning.Average(), WinColor, true);
  Line(page, HtmlTableEnd() + HtmlCellEnd() + HtmlRowEnd() + HtmlTableEnd());
  Line(page, HtmlParagraph());
  return page;
}

std::string MultiTestPage(MultiTestKind kind, std::string_view subject,
                          const MultiTestResults& results, const ReportOptions& options) {
  assert(results.Names.size() == results.Returns.size() &&
         results.Names.size() == results.Performances.size() &&
         results.Names.size() == results.Trades.size() && "the result lists go in step");
  std::string page;
  Heading(page, std::string(subject) + (kind == MultiTestKind::System ? " system" : " stock"));
  Contents(page, results, options);
  if (options.ChO1) {
    Line(page, HtmlAnchorStart("1st") + HtmlAnchorEnd());
    Fragments(page, "R", results.Performances);
  }
  Line(page, HtmlParagraph() + HtmlParagraph() + HtmlCenterStart());
  if (options.ChO2) Histogram(page, results, options.ChO5);
  Line(page, HtmlCenterEnd());
  if (options.ChO3) {
    Line(page, HtmlAnchorStart("3rd") + HtmlAnchorEnd());
    Fragments(page, "D", results.Trades);
  }
  if (options.ChO4) {
    Line(page, HtmlAnchorStart("4th") + HtmlAnchorEnd());
    page += OverallResults(results.Returns);
  }
  Footer(page);
  return page;
}

std::string MatrixPage(std::span<const std::string> stocks, std::span<const std::string> systems,
                       std::span<const double> returns) {
  assert(returns.size() == stocks.size() * systems.size() && "one return per stock and system");
  const std::string font = HtmlFontStart(Face, "", 2);
  std::string page;
  Line(page, HtmlPageStart(PageTitle, White));
  Line(page, HtmlHeadingStart(2) + HtmlFontStart(Face, "", 0) + "Report" + HtmlHeadingEnd(2) +
                 HtmlParagraph());
  Line(page, HtmlCenterStart() + HtmlTableStart(0, 90));
  std::string header = HtmlRowStart() + HtmlCellStart(White, AlignNone, false) + HtmlCellEnd();
  for (const std::string& system : systems) {
    header += HtmlCellStart(NeutralColor, AlignNone, false) + font + system + HtmlFontEnd() +
              HtmlCellEnd();
  }
  Line(page, header + HtmlRowEnd());
  for (size_t row = 0; row < stocks.size(); ++row) {
    std::string line = HtmlRowStart() + HtmlCellStart(NeutralColor, AlignNone, false) + font +
                       stocks[row] + HtmlFontEnd() + HtmlCellEnd();
    for (size_t column = 0; column < systems.size(); ++column) {
      const double value = returns[row * systems.size() + column];
      const std::string_view color = value > 0 ? WinColor : value < 0 ? LossColor : NeutralColor;
      line += HtmlCellStart(color, AlignCenter, true) + font + TwoDecimals(value) + "%" +
              HtmlFontEnd() + HtmlCellEnd();
    }
    Line(page, line + HtmlRowEnd());
  }
  Line(page, HtmlTableEnd() + HtmlCenterEnd());
  Footer(page);
  return page;
}

}  // namespace chartorium
