#include "chart/render/IndicatorPane.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

#include "chart/ChartScale.h"
#include "chart/IndicatorPanes.h"
#include "chart/render/ChartPicture.h"
#include "core/DateLocale.h"
#include "core/Workspace.h"
#include "core/ui/Colours.h"

namespace chartorium {
namespace {

constexpr std::uint32_t HistogramColour = 0x00AA00;

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
  }
  Workspace workspace;
};

TEST_F(PaneDrawing, AHistogramAcrossZeroGrowsFromAZeroLine) {
  // Values between -3 and +2: the pane's grid spans 0, so bars grow from there.
  std::vector<Single> values(MaxQuotes, 0);
  for (int p = 1; p <= 50; ++p) values[static_cast<size_t>(p - 1)] = p % 2 ? 2.0f : -3.0f;
  workspace.Indicators.AddIndicatorSeries(values, "", "Swing");
  workspace.OpenStockSettings.Slots[0] = {"Swing", "0", std::to_string(HistogramColour), "1"};
  const IndicatorPaneData data = RefreshPanes(workspace);
  ChartScale price;
  price.PlotLeft = 40;
  price.BarWidth = 14;
  price.FirstVisibleBar = 1;
  QImage image(800, 200, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  {
    QPainter painter(&image);
    DrawIndicatorPane(painter, workspace, data, price, 0, 0, 0, 800, 200);
  }
  // Find the zero line: a row that is the histogram's colour across the whole plot.
  int zeroRow = -1;
  for (int y = 0; y < 200 && zeroRow < 0; ++y) {
    bool full = true;
    for (int x = 45; x < 740 && full; ++x)
      full = FromQColor(image.pixelColor(x, y)) == HistogramColour;
    if (full) zeroRow = y;
  }
  ASSERT_GE(zeroRow, 0) << "no zero line";
  // A positive bar stands above the line, a negative one hangs below it.
  const int positive = 40 + 7;       // bar 1 (value 2), middle of its slot
  const int negative = 40 + 14 + 7;  // bar 2 (value -3)
  EXPECT_EQ(FromQColor(image.pixelColor(positive, zeroRow - 5)), HistogramColour);
  EXPECT_NE(FromQColor(image.pixelColor(positive, zeroRow + 5)), HistogramColour);
  EXPECT_EQ(FromQColor(image.pixelColor(negative, zeroRow + 5)), HistogramColour);
  EXPECT_NE(FromQColor(image.pixelColor(negative, zeroRow - 5)), HistogramColour);
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
  const QImage image = DrawChartPicture(workspace, {}, data, DateLocale{}, layout);
  EXPECT_EQ(image.width(), 600);
  const int footer = image.height() - (300 + 1 + 80 + 1 + 90 + 1);
  EXPECT_GT(footer, 4);  // the footer strip: its text height + 4
  EXPECT_LT(footer, 40);
  EXPECT_EQ(ChartPictureHeight(layout, data), image.height());
}

}  // namespace
}  // namespace chartorium
