// The chart as one picture: the price pane, the visible indicator panes under
// it and a footer line, as "Export to file" and the command line save it.
#pragma once

#include <array>
#include <string>

#include <QImage>

#include "chart/render/PricePane.h"

namespace chartorium {

struct DateLocale;
struct IndicatorPaneData;
class Workspace;

struct ChartPictureLayout {
  int Width = 1000;
  int PriceHeight = 400;
  std::array<int, 3> PaneHeights{99, 99, 99};  ///< used for the visible panes only
  std::string Footer;
};

/// The picture's height: the price pane, each visible pane plus a 1-pixel
/// gap, and the footer strip (its text height + 4).
int ChartPictureHeight(const ChartPictureLayout& layout, const IndicatorPaneData& panes);

/// Draws the picture on a background of "C5", at 96 dots per inch.
QImage DrawChartPicture(Workspace& workspace, const PriceChartOptions& options,
                        const IndicatorPaneData& panes, const DateLocale& locale,
                        const ChartPictureLayout& layout);

}  // namespace chartorium
