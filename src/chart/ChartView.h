// The window of visible bars and how it moves: clamping, scrolling, the date
// seeker's thumb, zooming and centring on the marker.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

namespace chartorium {

enum class Periodicity : std::int16_t;
struct QuoteStore;
class Workspace;

/// SGraph shows the chart only for an open stock with more than one bar.
bool ChartCanShow(const QuoteStore& store);

/// Keeps the view inside the bars: the window ends at the last bar at most,
/// starts at bar 1 at least, and is no wider than the bars.
void ClampView(QuoteStore& store);

/// The last first bar that still fills the window.
int LastFirstVisibleBar(const QuoteStore& store);

struct ScrollResult {
  bool Moved = false;       ///< the first bar changed: repaint, enable the opposite button
  bool ReachedEnd = false;  ///< the move was clamped: the scroll timer stops
};

/// Moves the first bar by `delta`, clamped to 1..LastFirstVisibleBar.
ScrollResult ScrollView(QuoteStore& store, int delta);

/// "Chose the period to be plotted" with the input box's answer: a blank
/// answer changes nothing; otherwise the answer truncated to a whole number
/// of bars, kept within 1..2001, becomes "Plot on ... bars" and every
/// preference is saved.
Status ChoosePeriodToPlot(Workspace& workspace, std::string_view answer);

/// Zoom In: five bars fewer, the window shifted right by three.
void ZoomIn(Workspace& workspace);
/// Zoom Out: five bars more.
void ZoomOut(Workspace& workspace);

/// With a marker set, puts it in the middle of the window (after a zoom or a
/// change of periodicity); the clamp of the next frame keeps it in bounds.
void CentreOnMarker(QuoteStore& store);

/// The Daily, Weekly and Monthly buttons: rebuilds the bars in the new
/// periodicity, where the marker stays on the bar holding its day, and puts
/// the marker in the middle of a window of "Plot on ... bars" bars.
void ChangePeriodicity(Workspace& workspace, Periodicity period);

/// The date seeker strip of width S pixels.
struct DateSeekerLayout {
  int ThumbLeft = 0;
  int ThumbWidth = 0;
  struct YearMark {
    int X;
    std::string Label;  ///< the last two digits of the year
    bool Tick;          ///< the first and last bars' labels have no tick
  };
  std::vector<YearMark> YearMarks;
};

/// Thumb and year marks of the strip. REQUIRES: BarCount > 0 and stripWidth > 16.
DateSeekerLayout LayOutDateSeeker(const QuoteStore& store, int stripWidth);

/// The first bar for a thumb dragged to `thumbLeft`; at the strip's ends it
/// snaps to the first or to the last window.
int FirstBarForThumb(const QuoteStore& store, int thumbLeft, int thumbWidth, int stripWidth);

}  // namespace chartorium
