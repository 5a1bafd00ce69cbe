#include "chart/render/PricePane.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>

#include "chart/ChartFrame.h"
#include "chart/render/Colours.h"
#include "chart/render/RenderText.h"
#include "core/Calendar.h"
#include "core/DateLocale.h"
#include "core/Workspace.h"
#include "macro/MacroState.h"

namespace chartorium {
namespace {

constexpr std::uint32_t Falling = 0x0000FF;  // red, 0xBBGGRR
constexpr std::uint32_t Rising = 0x00FF00;

class PricePane : public ::testing::Test {
 protected:
  PricePane() : workspace("/nonexistent") {
    workspace.Prefs.Set("C13", std::to_string(Falling));
    workspace.Prefs.Set("C12", std::to_string(Rising));
    options.Buttons.Type = ChartType::Candles;
    options.Buttons.Overlays = {false, false, false};
    options.Caption = "Test";
  }

  // `count` falling bars (each opening above its close, closing below the last).
  void FallingBars(int count) {
    QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= count; ++i) {
      QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
      bar.Date = 45000 + i;
      bar.Close = 100.0f - i;
      bar.Open = bar.Close + 0.6f;
      bar.High = bar.Open + 0.2f;
      bar.Low = bar.Close - 0.2f;
    }
    store.BarCount = count;
    store.VisibleBarCount = count;
    store.FirstVisibleBar = 1;
  }

  // Prepares the frame of a pane `width` x `height` and draws it.
  ChartScale Paint(int width, int height) {
    image = QImage(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi, as on screen
    image.setDotsPerMeterY(3780);
    image.fill(Qt::black);
    ChartFrameOptions prepare;
    prepare.Chart = options;
    prepare.Layout.Price = {0, 0, width, height};
    prepare.Text = MeasureChartText(image, workspace.Prefs.Text("BFon"));
    frame = PrepareChartFrame(workspace, {}, locale, prepare);
    QPainter painter(&image);
    DrawPricePane(painter, frame);
    return frame.Price.Scale;
  }

  std::uint32_t Pixel(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }

  Workspace workspace;
  PriceChartOptions options;
  DateLocale locale;
  ChartFrame frame;
  QImage image;
};

TEST_F(PricePane, FillsThePaneAndThePlotWithTheirColours) {
  FallingBars(16);
  workspace.Prefs.Set("C5", "12345678");
  workspace.Prefs.Set("C29", "8421504");
  const ChartScale scale = Paint(260, 300);
  EXPECT_EQ(Pixel(1, 1), 12345678u);
  EXPECT_EQ(Pixel(scale.PlotLeft - 2, 150), 12345678u);
  EXPECT_EQ(Pixel(scale.PlotLeft + 1, static_cast<int>(scale.PlotTop) + 2), 8421504u);
}

TEST_F(PricePane, CandleBodiesAreInsetInWideSlotsOnly) {
  struct Case {
    int width, bars;
    int inset;
  };
  // Pane widths where the plot is a whole number of slots of 12 and of 4 pixels.
  constexpr Case Cases[] = {{260, 16, 2}, {180, 29, 0}};
  for (const Case& c : Cases) {
    FallingBars(c.bars);
    const ChartScale scale = Paint(c.width, 300);
    ASSERT_EQ(scale.BarWidth, c.width == 260 ? 12.0f : 4.0f);
    const int bar = 5;
    const int slot = scale.PlotLeft + static_cast<int>((bar - 1) * scale.BarWidth);
    const QuoteRecord& q = workspace.Quotes().BarSeries[bar];
    const int middle = (ValueToY(scale, q.Open) + ValueToY(scale, q.Close)) / 2;
    const int right = slot + static_cast<int>(scale.BarWidth) - c.inset;  // one past the body
    EXPECT_EQ(Pixel(slot + c.inset, middle), Falling) << c.width;
    EXPECT_EQ(Pixel(right - 1, middle), Falling) << c.width;
    if (c.inset > 0) {
      EXPECT_NE(Pixel(slot + c.inset - 1, middle), Falling) << c.width;
      EXPECT_NE(Pixel(right, middle), Falling) << c.width;
    }
  }
}

TEST_F(PricePane, ABarWithoutOpenIsAFlatBodyAtTheClose) {
  FallingBars(16);
  QuoteRecord& q = workspace.Quotes().BarSeries[8];
  q.Open = q.Low = q.High = 0;
  const ChartScale scale = Paint(260, 300);
  const int slot = scale.PlotLeft + static_cast<int>(7 * scale.BarWidth);
  const int y = ValueToY(scale, q.Close);
  EXPECT_EQ(Pixel(slot + 3, y), Falling);
  EXPECT_NE(Pixel(slot + 3, y - 3), Falling);
  EXPECT_NE(Pixel(slot + 3, y + 3), Falling);
}

TEST_F(PricePane, TheTwoAverageLegendsDoNotOverlap) {
  FallingBars(60);
  options.Buttons.Overlays = {false, true, true};
  workspace.Prefs.Set("EMCT", "5");
  workspace.Prefs.Set("EMLT", "10");
  const ChartScale scale = Paint(800, 400);
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(3780);
  probe.setDotsPerMeterY(3780);
  const QFontMetrics metrics(ChartFont("Arial", 7), &probe);
  const int h = metrics.height();
  const int disc = static_cast<int>(std::ceil(h / 2.0));
  const int discY = 10 + static_cast<int>(std::ceil(h / 4.0)) + disc / 2;
  const int shortWidth = metrics.horizontalAdvance("MA5");
  const int longWidth = metrics.horizontalAdvance("MA10");
  const int longDisc = scale.PlotRight - longWidth - disc - 2;
  const int shortDisc = scale.PlotRight - 3 * shortWidth - disc - 2;
  EXPECT_EQ(Pixel(longDisc + disc / 2, discY), workspace.Prefs.Colour("C4"));
  EXPECT_EQ(Pixel(shortDisc + disc / 2, discY), workspace.Prefs.Colour("C3"));
  EXPECT_LT(scale.PlotRight - 2 * shortWidth, longDisc);  // the short legend ends before
}

int FontHeight(const char* family, double points) {
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(3780);
  probe.setDotsPerMeterY(3780);
  return QFontMetrics(ChartFont(family, points), &probe).height();
}

TEST_F(PricePane, TheLastCloseBoxIsFiftyPixelsWide) {
  FallingBars(16);
  workspace.Prefs.SetFlag("ChHi", true);
  workspace.Prefs.Set("C99", std::to_string(0x00FFFF));
  workspace.Prefs.Set("C17", "0");
  const ChartScale scale = Paint(260, 300);
  const int h = FontHeight("Arial", 8);
  const int yv = ValueToY(scale, workspace.Quotes().BarSeries[16].Close);
  const int top = static_cast<int>(std::trunc(yv - h / 2.0)) - 2;
  const int bottom = static_cast<int>(std::trunc(yv + h / 2.0)) + 2;
  // The outline covers [PlotRight, PlotRight + 50) x [top, bottom).
  EXPECT_EQ(Pixel(scale.PlotRight + 49, (top + bottom) / 2), 0u);
  EXPECT_NE(Pixel(scale.PlotRight + 50, (top + bottom) / 2), 0u);
  EXPECT_EQ(Pixel(scale.PlotRight + 20, bottom - 1), 0u);
  EXPECT_NE(Pixel(scale.PlotRight + 20, bottom), 0u);
  EXPECT_EQ(Pixel(scale.PlotRight + 48, bottom - 2), 0x00FFFFu);
}

TEST_F(PricePane, EveryJanuaryGetsItsSeparatorOtherMonthsOnlyWhenLabelledWithCBYM) {
  constexpr std::uint32_t Separator = 0x808080;
  // Daily bars over 26 months, under a pixel each: a month label (~35
  // pixels) is wider than a month, so some labels are skipped.
  QuoteStore& store = workspace.Quotes();
  const int count = 800;
  for (int i = 1; i <= count; ++i) {
    QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
    bar.Date = DayNumber(2021, 11, 20) + i;
    bar.Close = bar.Open = bar.High = bar.Low = 50.0f;  // a flat line hides no separator
  }
  store.BarCount = store.VisibleBarCount = count;
  store.FirstVisibleBar = 1;
  options.Buttons.Type = ChartType::Line;
  workspace.Prefs.SetFlag("CBY", true);
  workspace.Prefs.SetFlag("CBX", false);  // no grid lines across the plot
  workspace.Prefs.Set("C19", std::to_string(Separator));
  workspace.Prefs.Set("C29", std::to_string(0xFFFFFF));
  for (const bool everyMonth : {false, true}) {
    workspace.Prefs.SetFlag("CBYM", everyMonth);
    const ChartScale scale = Paint(800, 400);  // under a pixel a bar
    const int labelHeight = FontHeight("Tahoma", 8);
    const int bottom = static_cast<int>(scale.PlotBottom);
    bool skippedJanuary = false;
    for (int j = 2; j <= count; ++j) {
      const CivilDate date = DateOf(store.BarSeries[static_cast<size_t>(j)].Date);
      if (date.Month == DateOf(store.BarSeries[static_cast<size_t>(j - 1)].Date).Month) continue;
      const int x =
          scale.PlotLeft +
          static_cast<int>(std::trunc((j - 1) * static_cast<long double>(scale.BarWidth)));
      int dots = 0;
      for (int y = static_cast<int>(scale.PlotTop) + 1; y < bottom; ++y)
        dots += Pixel(x, y) == Separator;
      // The month tick reaches below the labels' text.
      const bool labelled = Pixel(x, bottom + labelHeight + 1) == 0;
      skippedJanuary = skippedJanuary || (date.Month == 1 && !labelled);
      const bool expected = date.Month == 1 || (everyMonth && labelled);
      EXPECT_EQ(dots > 20, expected) << date.Year << "-" << date.Month << " CBYM " << everyMonth;
    }
    EXPECT_TRUE(skippedJanuary) << "the bars do not test a January without its label";
  }
}

// Whether some pixel in the columns x-6..x+6 has the colour's dominant channels.
bool HasMarkerColour(const QImage& image, int x, QColor want) {
  for (int px = x - 6; px <= x + 6; ++px) {
    for (int y = 0; y < image.height(); ++y) {
      const QColor c = image.pixelColor(px, y);
      const auto near = [](int got, int wanted) { return wanted > 100 ? got > 100 : got < 60; };
      if (near(c.red(), want.red()) && near(c.green(), want.green()) && near(c.blue(), want.blue()))
        return true;
    }
  }
  return false;
}

TEST_F(PricePane, CodesThreeAndMinusThreeDrawTwoMarkersOnOneBar) {
  FallingBars(16);
  workspace.Prefs.Set("C13", "0");  // black candles, so only markers have colour
  options.SystemText = "Sub Main()\nCover 5\nBuy 5\nSell 10\nShort 10\nEnd Sub\n";
  const ChartScale scale = Paint(260, 300);
  ASSERT_TRUE(frame.Price.Signals);
  EXPECT_EQ(frame.Price.Signals->Codes[4], 3);
  EXPECT_EQ(frame.Price.Signals->Codes[9], -3);
  const QColor buy(0, 150, 0), cover(0, 0, 200), sell(220, 0, 0), shortSale(170, 0, 170);
  EXPECT_TRUE(HasMarkerColour(image, BarToX(scale, 5), buy));
  EXPECT_TRUE(HasMarkerColour(image, BarToX(scale, 5), cover));
  EXPECT_TRUE(HasMarkerColour(image, BarToX(scale, 10), sell));
  EXPECT_TRUE(HasMarkerColour(image, BarToX(scale, 10), shortSale));
  EXPECT_FALSE(HasMarkerColour(image, BarToX(scale, 5), sell));
}

TEST_F(PricePane, AFailedSystemDrawsNoMarkers) {
  FallingBars(16);
  workspace.Prefs.Set("C13", "0");
  options.SystemText = "Sub Main()\nBuy 5\nx = 1 / 0\nEnd Sub\n";
  const ChartScale scale = Paint(260, 300);
  ASSERT_TRUE(frame.SystemFailure);
  EXPECT_EQ(workspace.Macros.Run.SignalArray[5], 1) << "the run got as far as the buy";
  EXPECT_FALSE(HasMarkerColour(image, BarToX(scale, 5), QColor(0, 150, 0)));
}

}  // namespace
}  // namespace chartorium
