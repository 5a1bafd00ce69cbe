// Preparing the chart's frame: everything a paint will need, in the order
// the old paint computed it, so the system sees the same state.
#include "chart/ChartFrame.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "chart/ChartSystem.h"
#include "core/DateLocale.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

ChartPalette PaletteOf(const Preferences& prefs) {
  ChartPalette p;
  p.Background = prefs.Colour("C5");
  p.Plot = prefs.Colour("C29");
  p.Text = prefs.Colour("C16");
  p.Axis = prefs.Colour("C17");
  p.Grid = prefs.Colour("C19");
  p.Bands = prefs.Colour("C2");
  p.Studies = prefs.Colour("C6");
  p.Quadrants = prefs.Colour("C8");
  p.ZigZag = prefs.Colour("C9");
  p.BarsUp = prefs.Colour("C10");
  p.BarsDown = prefs.Colour("C11");
  p.CandlesUp = prefs.Colour("C12");
  p.CandlesDown = prefs.Colour("C13");
  p.LineUp = prefs.Colour("C14");
  p.LineDown = prefs.Colour("C15");
  p.PriceHistogram = prefs.Colour("C20");
  p.Sar = prefs.Colour("C21");
  p.Marker = prefs.Colour("C22");
  p.LastCloseText = prefs.Colour("C98");
  p.LastCloseBox = prefs.Colour("C99");
  return p;
}

// RS chooses the first pair of marker pictures, RB the second, anything else (RQ) the third.
MarkerStyle MarkerStyleOf(const Preferences& prefs) {
  if (prefs.Flag("RS")) return MarkerStyle::Arrows;
  if (prefs.Flag("RB")) return MarkerStyle::WideArrows;
  return MarkerStyle::Triangles;
}

ChartLook LookOf(const Preferences& prefs) {
  ChartLook look;
  look.NameInPlot = prefs.Flag("CCom");
  look.GridAcross = prefs.Flag("CBX");
  look.DatesUnderPrice = prefs.Flag("CBY");
  look.DatesUnderPanes = prefs.Flag("CBY2");
  look.SeparatorEveryMonth = prefs.Flag("CBYM");
  look.HighlightLastClose = prefs.Flag("ChHi");
  look.SignalRectangles = prefs.Flag("RRe");
  look.Markers = MarkerStyleOf(prefs);
  look.PenWidth = std::max(1, prefs.Integer("EBW"));
  look.TitleFont = prefs.Text("BFon");
  return look;
}

// The shortest decimal text of a grid value.
std::string GridLabel(std::int64_t units) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, static_cast<double>(units) / 10000.0);
  return std::string(text, end.ptr);
}

int SlotLeftOf(const ChartScale& scale, int first, int bar) {
  return scale.PlotLeft +
         static_cast<int>(std::trunc(static_cast<Extended>(bar - first) * scale.BarWidth));
}

// The visible bars and where they go, so a paint only draws.
std::vector<FrameBar> BarsOf(const QuoteStore& store, const ChartScale& scale, int first,
                             int last) {
  std::vector<FrameBar> bars;
  bars.reserve(static_cast<size_t>(last - first + 1));
  for (int j = first; j <= last; ++j) {
    const QuoteRecord& q = store.BarSeries[static_cast<size_t>(j)];
    FrameBar bar{q.Open, q.High, q.Low, q.Close};
    bar.Rising = j <= 1 || q.Close >= store.BarSeries[static_cast<size_t>(j - 1)].Close;
    bar.X = BarToX(scale, j);
    bar.SlotLeft = SlotLeftOf(scale, first, j);
    bar.YOpen = ValueToY(scale, q.Open);
    bar.YHigh = ValueToY(scale, q.High);
    bar.YLow = ValueToY(scale, q.Low);
    bar.YClose = ValueToY(scale, q.Close);
    bars.push_back(bar);
  }
  return bars;
}

// Runs the selected system unless it failed since the stock was loaded or it
// was chosen. Its first failure is recorded in the quote store, which keeps
// the signals off and the error from being reported again.
void RunSelectedSystem(Workspace& workspace, const std::string& text, ChartFrame& frame) {
  QuoteStore& store = workspace.Quotes();
  if (text.empty() || store.SystemError) return;
  ChartSystemRun run = RunChartSystem(workspace, text, frame.Price.First, frame.Price.Last);
  if (run.Error) {
    store.SystemError = true;
    frame.SystemFailure = std::move(run.Error);
    return;
  }
  frame.Price.Signals = std::move(run.Signals);
}

}  // namespace

std::int32_t PriceFrame::BarColour(int bar) const {
  if (!Signals || bar < Signals->First) return -1;
  const auto i = static_cast<size_t>(bar - Signals->First);
  return i < Signals->BarColours.size() ? Signals->BarColours[i] : -1;
}

ChartFrame PrepareChartFrame(Workspace& workspace, const IndicatorPaneData& panes,
                             const DateLocale& locale, const ChartFrameOptions& options) {
  ChartFrame frame;
  frame.Layout = options.Layout;
  frame.Colours = PaletteOf(workspace.Prefs);
  frame.Look = LookOf(workspace.Prefs);
  frame.MonthNames = locale.ShortMonthNames;
  if (workspace.Quotes().BarCount <= 1) return frame;
  frame.HasBars = true;

  const PriceChartOptions& chart = options.Chart;
  PriceFrame& price = frame.Price;
  const PriceTextHeights heights{static_cast<Single>(options.Text.Caption),
                                 static_cast<Single>(options.Text.MonthName)};
  price.Scale = ComputePriceScale(workspace, options.Layout.Price, chart.Buttons.Overlays, heights);
  const QuoteStore& store = workspace.Quotes();
  price.First = store.FirstVisibleBar;
  price.Last = std::min(store.BarCount, price.First + store.VisibleBarCount - 1);
  price.VisibleBarCount = store.VisibleBarCount;
  RunSelectedSystem(workspace, chart.SystemText, frame);

  price.Type = chart.Buttons.Type;
  price.Title = chart.Caption + " (" + chart.Ticker + ")";
  price.Bars = BarsOf(store, price.Scale, price.First, price.Last);
  price.EndSlotLeft = SlotLeftOf(price.Scale, price.First, price.Last + 1);
  const PriceGrid& grid = price.Scale.Grid;
  for (std::int64_t k = 0; k <= (grid.Top - grid.Bottom) / grid.Step; ++k)
    price.ValueLabels.push_back(GridLabel(k * grid.Step + grid.Bottom));
  if (frame.Look.HighlightLastClose) price.LastCloseText = PriceText(price.Bars.back().Close);
  price.Studies = PrepareStudies(workspace, chart.Buttons, price.Scale, price.First, price.Last);
  if (frame.Look.DatesUnderPrice || frame.Look.DatesUnderPanes)
    frame.Dates = DateMarksOf(store, price.First, price.Last);

  const PaneTextHeights paneHeights{options.Text.MonthName, options.Text.PaneCaption};
  for (int pane = 1; pane <= PaneCount; ++pane) {
    const auto i = static_cast<size_t>(pane - 1);
    const PaneRect& rect = options.Layout.Panes[i];
    if (!panes.Visible[i] || rect.Width <= 0 || rect.Height <= 0) continue;
    const auto slot = static_cast<size_t>(SlotOfPane(pane));
    frame.Panes[i] = PreparePaneFrame(panes.Slots[slot], workspace.OpenStockSettings.Slots[slot],
                                      rect, price.First, price.Last, price.Scale.BarWidth,
                                      paneHeights, frame.Look.DatesUnderPanes);
  }
  return frame;
}

}  // namespace chartorium
