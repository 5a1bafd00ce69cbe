// The HTML tag functions: fixed fragments with the attributes their arguments ask for.
#include "reports/HtmlTags.h"

#include <algorithm>

namespace chartorium {
namespace {

std::string Attribute(std::string_view name, std::string_view value) {
  std::string text = " ";
  text += name;
  text += "=\"";
  text += value;
  text += '"';
  return text;
}

}  // namespace

std::string HtmlPageStart(std::string_view title, std::string_view bodyColor) {
  std::string text = "<html><head><META name=\"identifier\" content=\"";
  text += ProductSite;
  text +=
      "\"><STYLE type=\"text/css\">td "
      "{font-family:Tahoma,Verdana,Arial,Helvetica,sans-serif;font-size:9pt}</STYLE><title>";
  text += title;
  text += "</title></head><body bgcolor=\"";
  text += bodyColor;
  text += "\">";
  return text;
}

std::string HtmlPageEnd() {
  return "</body></html>";
}
std::string HtmlParagraph() {
  return "<p>";
}

std::string HtmlTableStart(int border, int width) {
  return "<table border=\"" + std::to_string(border & 0xFF) + "\" width=\"" +
         std::to_string(std::clamp(width, 0, 100)) + "%\">";
}

std::string HtmlTableEnd() {
  return "</table>";
}
std::string HtmlRowStart() {
  return "<tr>";
}
std::string HtmlRowEnd() {
  return "</tr>";
}

std::string HtmlCellStart(std::string_view bgColor, int align, bool noWrap) {
  std::string text = "<td";
  switch (align) {
    case AlignRight:
      text += Attribute("align", "right");
      break;
    case AlignLeft:
      text += Attribute("align", "left");
      break;
    case AlignCenter:
      text += Attribute("align", "center");
      break;
    default:
      break;
  }
  if (noWrap) text += " nowrap";
  if (!bgColor.empty()) text += Attribute("bgcolor", bgColor);
  return text + ">";
}

std::string HtmlCellEnd() {
  return "</td>";
}

std::string HtmlFontStart(std::string_view face, std::string_view color, int size) {
  std::string text = "<font";
  if (!face.empty()) text += Attribute("face", face);
  if (!color.empty()) text += Attribute("color", color);
  if (size != 0) text += Attribute("size", std::to_string(size));
  return text + ">";
}

std::string HtmlFontEnd() {
  return "</font>";
}
std::string HtmlListStart() {
  return "<ul>";
}
std::string HtmlListEnd() {
  return "</ul>";
}
std::string HtmlListItem() {
  return "<li>";
}

std::string HtmlLink(std::string_view href, std::string_view text) {
  std::string link = "<a";
  link += Attribute("href", href);
  link += '>';
  link += text;
  return link + "</a>";
}

std::string HtmlAnchorStart(std::string_view name) {
  return "<a" + Attribute("name", name) + ">";
}
std::string HtmlAnchorEnd() {
  return "</a>";
}
std::string HtmlBoldStart() {
  return "<b>";
}
std::string HtmlBoldEnd() {
  return "</b>";
}
std::string HtmlBreak() {
  return "<br>";
}
std::string HtmlCenterStart() {
  return "<center>";
}
std::string HtmlCenterEnd() {
  return "</center>";
}
std::string HtmlHeadingStart(int level) {
  return "<h" + std::to_string(level) + ">";
}
std::string HtmlHeadingEnd(int level) {
  return "</h" + std::to_string(level) + ">";
}

}  // namespace chartorium
