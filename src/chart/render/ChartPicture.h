// The chart as one picture: the price pane, the visible indicator panes under
// it and a footer line, as "Export to file" and the command line save it.
#pragma once

#include <array>
#include <string>

#include <QImage>

#include "chart/ChartFrame.h"

namespace chartorium {

struct ChartPictureLayout {
  int Width = 1000;
  int PriceHeight = 400;
  std::array<int, 3> PaneHeights{99, 99, 99};  ///< used for the visible panes only
  std::string Footer;
};

/// The picture's height: the price pane, each visible pane plus a 1-pixel
/// gap, and the footer strip (its text height + 4).
int ChartPictureHeight(const ChartPictureLayout& layout,
                       const std::array<bool, PaneCount>& visible);

/// Where the panes go in the picture: the price pane at the top, the visible
/// panes under it in order, each after a 1-pixel gap.
ChartLayout PictureChartLayout(const ChartPictureLayout& layout,
                               const std::array<bool, PaneCount>& visible);

/// The text heights of the chart in a picture at 96 dots per inch.
ChartTextHeights PictureTextHeights(std::string_view titleFont);

/// Draws a frame prepared with PictureChartLayout on a background of "C5",
/// at 96 dots per inch, with the footer line under the panes.
QImage DrawChartPicture(const ChartFrame& frame, const ChartPictureLayout& layout);

}  // namespace chartorium
