#include "chart/render/IndicatorPane.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>
#include <vector>

#include "chart/ChartFrame.h"
#include "chart/IndicatorPanes.h"
#include "chart/PaneFrame.h"
#include "chart/render/ChartPicture.h"
#include "chart/render/Colours.h"
#include "chart/render/RenderText.h"
#include "core/Calendar.h"
#include "core/DateLocale.h"
#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "macro/MacroState.h"

namespace chartorium {
namespace {

constexpr std::uint32_t HistogramColour = 0x00AA00;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr int PaneWidth = 800;
constexpr int PaneHeight = 200;
constexpr int PlotLeft = 40;    // 5 % of the pane's width
constexpr int PlotRight = 745;  // 55 pixels left of its right edge

int FontHeight(const char* family, double points) {
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(3780);
  probe.setDotsPerMeterY(3780);
  return QFontMetrics(ChartFont(family, points), &probe).height();
}

class PaneDrawing : public ::testing::Test {
 protected:
  PaneDrawing() : workspace("/nonexistent") {
    QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= 50; ++i) {
      QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
      bar.Date = 45000 + i;
      bar.Close = bar.Open = bar.High = bar.Low = 10.0f + static_cast<float>(i % 3);
    }
    store.BarCount = 50;
    store.VisibleBarCount = 50;
    store.FirstVisibleBar = 1;
    workspace.Prefs.Set("C29", std::to_string(White));  // masking with white keeps a colour
    barColours.assign(50, -1);
  }

  void AddSeries(const std::string& name, const std::function<Single(int)>& value) {
    std::vector<Single> values(MaxQuotes, 0);
    for (int p = 1; p <= 50; ++p) values[static_cast<size_t>(p - 1)] = value(p);
    workspace.Indicators.AddIndicatorSeries(values, "", name);
  }

  // Pane 1 showing `names` with one flag and colour each ("1" line, "0" histogram).
  void Show(const std::string& names, const std::string& flags, const std::string& colours) {
    workspace.OpenStockSettings.Slots[0] = {names, flags, colours, "1"};
  }

  // Prepares the chart's frame with pane 1 in the picture, its bars `barWidth`
  // wide, and with `systemShown` the bar colours of a system; draws the pane.
  void Paint(bool systemShown = false) {
    const IndicatorPaneData data = RefreshPanes(workspace);
    image = QImage(PaneWidth, PaneHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    ChartFrameOptions options;
    options.Layout.Price = {0, 0, PaneWidth, 300};
    options.Layout.Panes[0] = {0, 0, PaneWidth, PaneHeight};
    options.Text = MeasureChartText(image, workspace.Prefs.Text("BFon"));
    ChartFrame frame = PrepareChartFrame(workspace, data, DateLocale{}, options);
    // The price pane's bar width, as a test wants it.
    const QuoteStore& store = workspace.Quotes();
    const int last = std::min(store.BarCount, store.FirstVisibleBar + store.VisibleBarCount - 1);
    frame.Panes[0] = PreparePaneFrame(
        data.Slots[0], workspace.OpenStockSettings.Slots[0], options.Layout.Panes[0], 1, last,
        barWidth, {options.Text.MonthName, options.Text.PaneCaption}, workspace.Prefs.Flag("CBY2"));
    if (systemShown) {
      frame.Price.Signals =
          SystemSignals{1, std::vector<std::int8_t>(50), std::vector<std::string>(50), barColours};
    }
    QPainter painter(&image);
    DrawIndicatorPane(painter, frame, 1);
  }

  std::uint32_t Pixel(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
  int SlotLeft(int bar) const { return PlotLeft + static_cast<int>((bar - 1) * barWidth); }
  int X(int bar) const { return PlotLeft + static_cast<int>((bar - 1) * barWidth + barWidth / 2); }
  // yB: the plot's bottom line.
  int PlotBottom() const {
    return PaneHeight - 7 - (workspace.Prefs.Flag("CBY2") ? FontHeight("Tahoma", 8) : 0);
  }
  // The first row from the top of the plot where column x has the colour, or -1.
  int RowOf(int x, std::uint32_t colour) const {
    for (int y = FontHeight("Arial", 8) / 2 + 4; y < PlotBottom(); ++y)
      if (Pixel(x, y) == colour) return y;
    return -1;
  }

  Workspace workspace;
  Single barWidth = 14;
  std::vector<std::int32_t> barColours;  ///< bars 1..50, -1 for none
  QImage image;
};

TEST_F(PaneDrawing, AHistogramAcrossZeroGrowsFromAZeroLine) {
  // Values between -3 and +2: the pane's grid spans 0, so bars grow from there.
  AddSeries("Swing", [](int p) { return p % 2 ? 2.0f : -3.0f; });
  Show("Swing", "0", std::to_string(HistogramColour));
  Paint();
  // Find the zero line: a row that is the histogram's colour across the whole plot.
  int zeroRow = -1;
  for (int y = 0; y < PaneHeight && zeroRow < 0; ++y) {
    bool full = true;
    for (int x = PlotLeft + 5; x < PlotRight; ++x) full = full && Pixel(x, y) == HistogramColour;
    if (full) zeroRow = y;
  }
  ASSERT_GE(zeroRow, 0) << "no zero line";
  // A positive bar stands above the line, a negative one hangs below it.
  EXPECT_EQ(Pixel(X(1), zeroRow - 5), HistogramColour);
  EXPECT_NE(Pixel(X(1), zeroRow + 5), HistogramColour);
  EXPECT_EQ(Pixel(X(2), zeroRow + 5), HistogramColour);
  EXPECT_NE(Pixel(X(2), zeroRow - 5), HistogramColour);
}

TEST_F(PaneDrawing, APaneAboveZeroHasNoZeroLine) {
  AddSeries("Up", [](int p) { return p % 2 ? 2.0f : 1.0f; });
  Show("Up", "0", std::to_string(HistogramColour));
  Paint();
  // Between two bars of value 2 the slot of a bar of value 1 (the grid's bottom) stays empty.
  for (int y = RowOf(X(1), HistogramColour); y < PlotBottom(); ++y)
    EXPECT_NE(Pixel(X(2), y), HistogramColour) << y;
}

TEST_F(PaneDrawing, HistogramBarsAreInsetWhenWiderThanThreePixels) {
  struct Case {
    Single width;
    int inset;
  };
  constexpr Case Cases[] = {{14, 1}, {4, 1}, {3, 0}, {2, 0}};
  AddSeries("Up", [](int p) { return p % 2 ? 2.0f : 1.0f; });
  Show("Up", "0", std::to_string(HistogramColour));
  for (const Case& c : Cases) {
    barWidth = c.width;
    Paint();
    const int left = SlotLeft(5), right = SlotLeft(6);  // bar 5 has the value 2
    const int y = PlotBottom() - 3;
    EXPECT_EQ(Pixel(left + c.inset, y), HistogramColour) << c.width;
    EXPECT_EQ(Pixel(right - 1 - c.inset, y), HistogramColour) << c.width;
    if (c.inset > 0) {
      EXPECT_NE(Pixel(left, y), HistogramColour) << c.width;
      EXPECT_NE(Pixel(right - 1, y), HistogramColour) << c.width;
    }
  }
}

TEST_F(PaneDrawing, HistogramBarsMaskTheGridUnderThem) {
  constexpr std::uint32_t Grid = 0x808080;
  workspace.Prefs.Set("C19", std::to_string(Grid));
  AddSeries("Up", [](int p) { return p % 2 ? 2.0f : 1.0f; });
  Show("Up", "0", std::to_string(HistogramColour));
  Paint();
  // A dotted grid line crosses the empty slot of bar 2 and the bar of bar 3.
  int gridRow = -1;
  for (int y = RowOf(X(3), HistogramColour) + 1; y < PlotBottom() - 1 && gridRow < 0; ++y)
    for (int x = SlotLeft(2); x < SlotLeft(3); ++x)
      if (Pixel(x, y) == Grid) gridRow = y;
  ASSERT_GE(gridRow, 0) << "no grid line under the bars";
  bool masked = false;
  for (int x = SlotLeft(3) + 1; x < SlotLeft(4) - 1; ++x) {
    EXPECT_NE(Pixel(x, gridRow), Grid) << x;
    masked = masked || Pixel(x, gridRow) == (HistogramColour & Grid);
  }
  EXPECT_TRUE(masked) << "the grid line does not show through the bar";
}

TEST_F(PaneDrawing, AnIndicatorAtZeroThroughoutStillBringsZeroIntoTheRange) {
  AddSeries("Flat", [](int) { return 0.0f; });
  AddSeries("Level", [](int) { return 5.0f; });
  Show("Flat;Level", "1;0", "255;" + std::to_string(HistogramColour));
  Paint();
  // The range is 0 .. 5, so the bars of 5 grow from the bottom; on 5 .. 6 they would be empty.
  EXPECT_EQ(Pixel(X(10), PlotBottom() - 2), HistogramColour);
}

TEST_F(PaneDrawing, ASystemsBarColourRecoloursTheIndicatorFromThatBarOn) {
  constexpr std::uint32_t Own = 0x00AA00, BarColour = 0xCC0000;
  struct Case {
    const char* flag;
    bool systemShown;
  };
  constexpr Case Cases[] = {{"1", true}, {"1", false}, {"0", true}, {"0", false}};
  // 3 at bar 1, 1 at bar 50 and 2 between: a flat stretch in the middle of the range.
  AddSeries("Steps", [](int p) { return p == 1 ? 3.0f : p == 50 ? 1.0f : 2.0f; });
  barColours[19] = static_cast<std::int32_t>(BarColour);
  for (const Case& c : Cases) {
    Show("Steps", c.flag, std::to_string(Own));
    Paint(c.systemShown);
    const int row = RowOf(X(10), Own);
    ASSERT_GE(row, 0) << c.flag;
    const std::uint32_t later = c.systemShown ? BarColour : Own;
    EXPECT_EQ(Pixel(X(15), row), Own) << c.flag << c.systemShown;
    EXPECT_EQ(Pixel(X(25), row), later) << c.flag << c.systemShown;
    EXPECT_EQ(Pixel(X(45), row), later) << c.flag << c.systemShown;  // it does not return
  }
}

// Whether a text pixel (the value labels' colour is red here) lies in the rows
// [top, bottom) of the plot's columns.
bool HasText(const QImage& image, int top, int bottom) {
  for (int y = top; y < std::min(bottom, image.height()); ++y)
    for (int x = PlotLeft + 1; x < PlotRight; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 100 && c.blue() < 100) return true;
    }
  return false;
}

TEST_F(PaneDrawing, MonthLabelsStandUnderThePaneOnlyWithDatesOnIndicators) {
  workspace.Prefs.Set("C16", "255");  // red texts
  AddSeries("Up", [](int p) { return static_cast<Single>(p); });
  Show("Up", "1", "0");
  for (const bool dates : {false, true}) {
    workspace.Prefs.SetFlag("CBY2", dates);
    Paint();
    const int yB = PlotBottom();
    const int monthHeight = FontHeight("Tahoma", 8);
    EXPECT_EQ(HasText(image, yB + 1, yB + monthHeight + 1), dates) << dates;
    // The dates are boxed: a line across the plot below them.
    if (dates) {
      EXPECT_EQ(Pixel((PlotLeft + PlotRight) / 2, yB + monthHeight + 2),
                workspace.Prefs.Colour("C17"));
    }
  }
}

TEST_F(PaneDrawing, TheLastVisibleBarIsNotExaminedForDates) {
  workspace.Prefs.SetFlag("CBY2", true);
  AddSeries("Up", [](int p) { return static_cast<Single>(p); });
  Show("Up", "1", "0");
  // The first bar of a new month.
  const auto& bars = workspace.Quotes().BarSeries;
  int monthStart = 2;
  while (DateOf(bars[static_cast<size_t>(monthStart)].Date).Month == DateOf(bars[1].Date).Month)
    ++monthStart;
  ASSERT_LT(monthStart, 50);
  struct Case {
    int visible;
    bool tick;
  };
  const Case Cases[] = {{monthStart, false}, {monthStart + 1, true}};
  for (const Case& c : Cases) {
    workspace.Quotes().VisibleBarCount = c.visible;
    Paint();
    // The month tick reaches below the 3 pixels of a week tick.
    EXPECT_EQ(Pixel(SlotLeft(monthStart), PlotBottom() + 6) == workspace.Prefs.Colour("C17"),
              c.tick)
        << c.visible;
  }
}

TEST_F(PaneDrawing, TheExportedPictureStacksThePanesWithOnePixelGaps) {
  workspace.OpenStockSettings.Slots[0] = {"RSI", "1", "255", "1"};
  workspace.OpenStockSettings.Slots[2] = {"CCI", "1", "255", "1"};
  const IndicatorPaneData data = RefreshPanes(workspace);
  ChartPictureLayout layout;
  layout.Width = 600;
  layout.PriceHeight = 300;
  layout.PaneHeights = {80, 90, 70};
  layout.Footer = "footer";
  ChartFrameOptions options;
  options.Layout = PictureChartLayout(layout, data.Visible);
  options.Text = PictureTextHeights(workspace.Prefs.Text("BFon"));
  EXPECT_EQ(options.Layout.Panes[1].Top, 300 + 1 + 80 + 1);
  EXPECT_EQ(options.Layout.Panes[2], PaneRect{}) << "pane 3 is not shown";
  const ChartFrame frame = PrepareChartFrame(workspace, data, DateLocale{}, options);
  const QImage image = DrawChartPicture(frame, layout);
  EXPECT_EQ(image.width(), 600);
  const int footer = image.height() - (300 + 1 + 80 + 1 + 90 + 1);
  EXPECT_GT(footer, 4);  // the footer strip: its text height + 4
  EXPECT_LT(footer, 40);
  EXPECT_EQ(ChartPictureHeight(layout, data.Visible), image.height());
  // The gaps between the panes keep the background.
  EXPECT_EQ(FromQColor(image.pixelColor(300, 300)), workspace.Prefs.Colour("C5"));
  EXPECT_EQ(FromQColor(image.pixelColor(300, 300 + 1 + 80)), workspace.Prefs.Colour("C5"));
}

}  // namespace
}  // namespace chartorium
