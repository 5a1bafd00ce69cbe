// The exact output of the HTML tag functions, edge cases included.
#include "reports/HtmlTags.h"

#include <gtest/gtest.h>

#include <string>

namespace chartorium {
namespace {

TEST(HtmlTagsTest, FragmentsAreExact) {
  struct Case {
    std::string Actual;
    std::string_view Expected;
  };
  const Case cases[] = {
      {HtmlCellStart("", AlignNone, false), "<td>"},
      {HtmlCellStart("#faf9fb", AlignRight, true),
       "<td align=\"right\" nowrap bgcolor=\"#faf9fb\">"},
      {HtmlCellStart("", AlignLeft, false), "<td align=\"left\">"},
      {HtmlCellStart("#140a50", AlignCenter, false), "<td align=\"center\" bgcolor=\"#140a50\">"},
      {HtmlCellStart("", 7, true), "<td nowrap>"},
      {HtmlCellStart("", -1, false), "<td>"},
      {HtmlFontStart("", "", 2), "<font size=\"2\">"},
      {HtmlFontStart("Tahoma", "#ffffff", 3),
       "<font face=\"Tahoma\" color=\"#ffffff\" size=\"3\">"},
      {HtmlFontStart("", "", 0), "<font>"},
      {HtmlFontStart("", "#ff0000", -1), "<font color=\"#ff0000\" size=\"-1\">"},
      {HtmlTableStart(0, 120), "<table border=\"0\" width=\"100%\">"},
      {HtmlTableStart(0, -5), "<table border=\"0\" width=\"0%\">"},
      {HtmlTableStart(1, 99), "<table border=\"1\" width=\"99%\">"},
      {HtmlTableStart(257, 50), "<table border=\"1\" width=\"50%\">"},
      {HtmlTableStart(-1, 100), "<table border=\"255\" width=\"100%\">"},
      {HtmlLink("#R1", "A&B <x>"), "<a href=\"#R1\">A&B <x></a>"},
      {HtmlAnchorStart("1st"), "<a name=\"1st\">"},
      {HtmlHeadingStart(2), "<h2>"},
      {HtmlHeadingEnd(2), "</h2>"},
      {HtmlPageEnd(), "</body></html>"},
      {HtmlParagraph() + HtmlTableEnd() + HtmlRowStart() + HtmlRowEnd() + HtmlCellEnd() +
           HtmlFontEnd(),
       "<p></table><tr></tr></td></font>"},
      {HtmlListStart() + HtmlListItem() + HtmlListEnd() + HtmlAnchorEnd() + HtmlBoldStart() +
           HtmlBoldEnd() + HtmlBreak() + HtmlCenterStart() + HtmlCenterEnd(),
       "<ul><li></ul></a><b></b><br><center></center>"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Actual, c.Expected);
}

TEST(HtmlTagsTest, PageStartNamesTheSiteAndKeepsTheTitleUnescaped) {
  EXPECT_EQ(HtmlPageStart("A < B & C", "#ffffff"),
            "<html><head><META name=\"identifier\" content=\"https://chartorium.example.org\">"
            "<STYLE type=\"text/css\">td {font-family:Tahoma,Verdana,Arial,Helvetica,sans-serif;"
            "font-size:9pt}</STYLE><title>A < B & C</title></head><body bgcolor=\"#ffffff\">");
}

}  // namespace
}  // namespace chartorium
