// The portfolio's HTML page, built from the tag functions.
#include "portfolio/PortfolioPage.h"

#include "core/Cp1252.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"
#include "portfolio/Portfolio.h"
#include "reports/HtmlTags.h"

namespace chartorium {
namespace {

constexpr std::string_view PageTitle = "System Tester Report";
constexpr std::string_view Face = "Tahoma";
constexpr std::string_view TitleColor = "#140a50";
constexpr std::string_view White = "#ffffff";
constexpr std::string_view Red = "#ff0000";
constexpr std::string_view Green = "#008000";
constexpr std::string_view ProductName = "Chartorium";

// The page's own titles differ from the grid's in two columns.
constexpr std::string_view PageColumnTitles[] = {"Stocks", "Buy date",   "Qty",   "Buy price",
                                                 "Total",  "Last close", "Change"};
static_assert(std::size(PageColumnTitles) == PositionColumnCount);

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

void Line(std::string& page, std::string_view text) {
  page += text;
  page += "\r\n";
}

std::string Cell(std::string_view text, std::string_view color) {
  return HtmlCellStart("", AlignNone, false) + HtmlFontStart(Face, color, 0) + Escaped(text) +
         HtmlFontEnd() + HtmlCellEnd();
}

std::string SummaryRow(std::string_view text) {
  return HtmlRowStart() + HtmlCellStart("", AlignLeft, false) + HtmlFontStart(Face, "", 0) +
         Escaped(text) + HtmlFontEnd() + HtmlCellEnd() + HtmlRowEnd();
}

std::string FooterRow(std::string_view markup) {
  return HtmlRowStart() + HtmlCellStart("", AlignRight, false) + HtmlFontStart(Face, "", 2) +
         std::string(markup) + HtmlFontEnd() + HtmlCellEnd() + HtmlRowEnd();
}

}  // namespace

std::string PortfolioPage(const Portfolio& portfolio) {
  std::string page;
  Line(page, HtmlPageStart(PageTitle, White));
  Line(page, HtmlHeadingStart(2) + HtmlFontStart(Face, "", 0) + "Report of the " +
                 Escaped(portfolio.TrimmedName()) + " portfolio" + HtmlFontEnd() +
                 HtmlHeadingEnd(2) + HtmlParagraph());
  Line(page, HtmlCenterStart() + HtmlTableStart(0, 90));
  std::string titles = HtmlRowStart();
  for (const std::string_view title : PageColumnTitles)
    titles += HtmlCellStart(TitleColor, AlignNone, false) + HtmlFontStart(Face, White, 0) +
              std::string(title) + HtmlFontEnd() + HtmlCellEnd();
  Line(page, titles + HtmlRowEnd());
  for (const PositionRow& row : portfolio.Rows) {
    std::string cells = HtmlRowStart();
    for (int column = 0; column < PositionColumnCount - 1; ++column)
      cells += Cell(row.Column(static_cast<PositionColumn>(column)), "");
    cells += Cell(row.Change, row.Falling() ? Red : Green);
    Line(page, cells + HtmlRowEnd());
  }
  Line(page, HtmlTableEnd() + HtmlCenterEnd() + HtmlParagraph());
  Line(page, HtmlTableStart(0, 100));
  Line(page, SummaryRow("Portfolio change: " + std::string(Trim(portfolio.PortfolioChange))));
  Line(page, SummaryRow("Portfolio cash: " + std::string(Trim(portfolio.Cash))));
  Line(page, SummaryRow("Total assets: " + std::string(Trim(portfolio.TotalAssets))));
  Line(page, FooterRow("Report created with " + std::string(ProductName)));
  Line(page, FooterRow(HtmlLink(ProductSite, ProductSite)));
  Line(page, HtmlTableEnd());
  Line(page, HtmlPageEnd());
  return page;
}

Status WritePortfolioPage(const Portfolio& portfolio, const std::filesystem::path& file) {
  if (!WriteFileAtomically(file, Utf8ToCp1252(PortfolioPage(portfolio))).ok())
    return Status::IoError("cannot write the page '" + file.string() + "'");
  return Status::Ok();
}

PortfolioPrintout PrintPortfolio(const Portfolio& portfolio) {
  PortfolioPrintout printout;
  printout.Header = "Portfolio " + portfolio.TrimmedName();
  printout.Footer = std::string(ProductName);
  for (const PositionRow& row : portfolio.Rows) {
    std::string line;
    for (int column = 0; column < PositionColumnCount; ++column) {
      if (column > 0) line += "|";
      line += row.Column(static_cast<PositionColumn>(column));
    }
    printout.Lines.push_back(std::move(line));
  }
  printout.Lines.emplace_back();
  printout.Lines.push_back("Funds: " + std::string(Trim(portfolio.Cash)));
  printout.Lines.push_back(std::string(Trim(portfolio.TotalAssets)));
  return printout;
}

}  // namespace chartorium
