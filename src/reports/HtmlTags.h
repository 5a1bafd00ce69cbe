// The tag functions every HTML page of the program is assembled from: each
// returns one fixed fragment of markup and escapes nothing.
#pragma once

#include <string>
#include <string_view>

namespace chartorium {

/// The product's web site, named in every page's identifier META tag and in
/// the footer of the system tester's reports.
constexpr std::string_view ProductSite = "https://chartorium.example.org";

/// The alignment argument of a table cell; any other value writes no align.
enum CellAlign : int { AlignNone = 0, AlignRight = 1, AlignLeft = 2, AlignCenter = 3 };

/// The page head (identifier META tag, the cell style, the title) and the
/// opening body tag with its colour. Texts are inserted as given.
std::string HtmlPageStart(std::string_view title, std::string_view bodyColor);
std::string HtmlPageEnd();
std::string HtmlParagraph();
/// The border is reduced to its low 8 bits; the width (a percentage) is
/// clamped to 0..100.
std::string HtmlTableStart(int border, int width);
std::string HtmlTableEnd();
std::string HtmlRowStart();
std::string HtmlRowEnd();
/// `<td` with the align, nowrap and bgcolor attributes that are asked for;
/// an empty colour is left out.
std::string HtmlCellStart(std::string_view bgColor, int align, bool noWrap);
std::string HtmlCellEnd();
/// `<font` with face, color and size, each left out when empty (size 0).
std::string HtmlFontStart(std::string_view face, std::string_view color, int size);
std::string HtmlFontEnd();
std::string HtmlListStart();
std::string HtmlListEnd();
std::string HtmlListItem();
std::string HtmlLink(std::string_view href, std::string_view text);
std::string HtmlAnchorStart(std::string_view name);
std::string HtmlAnchorEnd();
std::string HtmlBoldStart();
std::string HtmlBoldEnd();
std::string HtmlBreak();
std::string HtmlCenterStart();
std::string HtmlCenterEnd();
std::string HtmlHeadingStart(int level);
std::string HtmlHeadingEnd(int level);

}  // namespace chartorium
