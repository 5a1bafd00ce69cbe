// The histogram of a multi-test page drawn in the page itself, so that it
// shows in browsers that run no Java applets: one horizontal bar per result
// from a zero line, losses in the applet's red and gains in its green.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/TextHelpers.h"
#include "systems/PerformanceReport.h"
#include "systems/PerformanceReportMarkup.h"
#include "systems/TesterTexts.h"

namespace chartorium {

using namespace report;

namespace {

constexpr double Width = 600;
constexpr double LabelWidth = 200;  // names and values, right-aligned before the bars
constexpr double BarLeft = LabelWidth + 10;
constexpr double BarWidth = Width - BarLeft - 10;
constexpr double RowHeight = 20;
constexpr double BarHeight = 14;
constexpr double Top = 10;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// Unlike the tag functions this picture is XML: a "<" or "&" in a name would
// break it, so names are escaped here.
std::string XmlText(std::string_view text) {
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

}  // namespace

std::string ReturnsHistogram(std::span<const std::string> names, std::span<const double> returns) {
  // A return that is no number (a test without an initial amount) draws no bar.
  const auto finite = [](double value) { return std::isfinite(value) ? value : 0.0; };
  double low = 0, high = 0;
  for (const double value : returns) {
    low = std::min(low, finite(value));
    high = std::max(high, finite(value));
  }
  const double span = high > low ? high - low : 1;
  const auto x = [&](double value) { return BarLeft + (finite(value) - low) / span * BarWidth; };
  const double zero = x(0);
  const double height = Top * 2 + RowHeight * static_cast<double>(returns.size());

  std::string page;
  Line(page,
       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"90%\" viewBox=\"0 0 " + Number(Width) +
           " " + Number(height) +
           "\" role=\"img\" font-family=\"Tahoma,Verdana,Arial,sans-serif\" font-size=\"11\">");
  Line(page, "<title>Report Histogram</title>");
  for (size_t i = 0; i < returns.size() && i < names.size(); ++i) {
    const double value = returns[i];
    const double y = Top + RowHeight * static_cast<double>(i);
    const double left = std::min(zero, x(value));
    const double right = std::max(zero, x(value));
    Line(page, "<text x=\"" + Number(LabelWidth) + "\" y=\"" + Number(y + BarHeight - 3) +
                   "\" text-anchor=\"end\">" + XmlText(names[i]) + " " + TwoDecimals(value) +
                   "%</text>");
    Line(page, "<rect x=\"" + Number(left) + "\" y=\"" + Number(y) + "\" width=\"" +
                   Number(right - left) + "\" height=\"" + Number(BarHeight) + "\" fill=\"" +
                   (value < 0 ? "#b40000" : "#00a000") + "\"/>");
  }
  Line(page, "<line x1=\"" + Number(zero) + "\" y1=\"" + Number(Top / 2) + "\" x2=\"" +
                 Number(zero) + "\" y2=\"" + Number(height - Top / 2) +
                 "\" stroke=\"#000000\" stroke-width=\"1\"/>");
  Line(page, "</svg>");
  return page;
}

}  // namespace chartorium
