#include "chart/ChartPointer.h"

#include <gtest/gtest.h>

#include "chart/ChartScale.h"
#include "core/Calendar.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

// 30 bars closing at 20 + bar / 4; bars 21..30 are visible in a 1000-pixel
// pane with five empty slots after the last bar.
class Pointer : public ::testing::Test {
 protected:
  Pointer() : workspace("/nonexistent") {
    QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= 30; ++i) {
      QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
      bar.Date = DayNumber(2024, 3, 1) + i;
      bar.Close = 20 + i * 0.25f;
    }
    store.BarCount = 30;
    store.VisibleBarCount = 10;
    store.FirstVisibleBar = 21;
    workspace.Prefs.Set("EAdd", "5");
    scale = ComputePriceScale(workspace, {0, 0, Width, 400}, {}, {14, 12});
  }
  int SlotCentre(int offset) const {
    return scale.PlotLeft + static_cast<int>((offset + 0.5) * scale.BarWidth);
  }

  static constexpr int Width = 1000;
  Workspace workspace;
  ChartScale scale;
};

TEST_F(Pointer, TheEmptySlotsAfterTheLastBarShowTheLastBar) {
  ASSERT_EQ(scale.BarWidth, (Width - 55 - 50) / 15.0f);
  struct Case {
    int offset, bar;
  };
  constexpr Case Cases[] = {{0, 21}, {4, 25}, {9, 30}, {10, 30}, {14, 30}};
  for (const Case& c : Cases) {
    const PointerReading reading =
        ReadPointer(workspace, scale, SlotCentre(c.offset), 100, Width, true, false, 0);
    EXPECT_EQ(reading.Bar, c.bar) << c.offset;
    EXPECT_TRUE(reading.ShowData) << c.offset;
  }
  EXPECT_EQ(ReadPointer(workspace, scale, 2, 100, Width, true, false, 0).Bar, 21)
      << "left of the plot: the first bar";
}

TEST_F(Pointer, TheDataChangeOnlyForAnotherBarAndNeverWithTheMarker) {
  EXPECT_FALSE(ReadPointer(workspace, scale, SlotCentre(3), 100, Width, true, false, 24).ShowData);
  EXPECT_TRUE(ReadPointer(workspace, scale, SlotCentre(3), 100, Width, true, false, 23).ShowData);
  EXPECT_FALSE(ReadPointer(workspace, scale, SlotCentre(3), 100, Width, true, true, 23).ShowData);
}

TEST_F(Pointer, TheTooltipShowsNearTheCloseAndTheValueOverThePricePane) {
  const int closeY = ValueToY(scale, workspace.Quotes().BarSeries[24].Close);
  struct Case {
    int dy;
    bool near;
  };
  constexpr Case Cases[] = {{0, true}, {10, true}, {-10, true}, {11, false}, {-40, false}};
  for (const Case& c : Cases)
    EXPECT_EQ(ReadPointer(workspace, scale, SlotCentre(3), closeY + c.dy, Width, true, false, 0)
                  .NearClose,
              c.near)
        << c.dy;
  const PointerReading reading =
      ReadPointer(workspace, scale, SlotCentre(3), closeY, Width, true, false, 0);
  EXPECT_EQ(reading.ValueText.substr(0, 6), "Y: 26.") << reading.ValueText;
  const PointerReading overPane =
      ReadPointer(workspace, scale, SlotCentre(3), closeY, Width, false, false, 0);
  EXPECT_EQ(overPane.ValueText, "");
  EXPECT_FALSE(overPane.NearClose);
}

TEST_F(Pointer, TheMarkerGoesOnTheBarUnderTheMouseAndItsLineOnTheSlotCentre) {
  EXPECT_EQ(SetMarkerAt(workspace, scale, SlotCentre(2), Width), 23);
  EXPECT_EQ(workspace.Quotes().MarkerBar, 23);
  EXPECT_EQ(MarkerLineXOf(workspace, scale, Width), SlotCentre(2));
  EXPECT_EQ(SetMarkerAt(workspace, scale, SlotCentre(13), Width), 30);
  workspace.Quotes().FirstVisibleBar = 1;  // scrolled away: no line
  const ChartScale scrolled = ComputePriceScale(workspace, {0, 0, Width, 400}, {}, {14, 12});
  EXPECT_EQ(MarkerLineXOf(workspace, scrolled, Width), std::nullopt);
  workspace.Quotes().MarkerBar = 0;
  EXPECT_EQ(MarkerLineXOf(workspace, scale, Width), std::nullopt);
}

TEST_F(Pointer, TheCrossHairStaysInThePlot) {
  const int top = static_cast<int>(scale.PlotTop) + 1;
  EXPECT_TRUE(InPlot(scale, 50, top, Width));
  EXPECT_TRUE(InPlot(scale, Width - 55, top, Width));
  EXPECT_FALSE(InPlot(scale, 49, top, Width));
  EXPECT_FALSE(InPlot(scale, Width - 54, top, Width));
  EXPECT_FALSE(InPlot(scale, 100, top - 2, Width));
  EXPECT_FALSE(InPlot(scale, 100, static_cast<int>(scale.PlotBottom) + 1, Width));
}

}  // namespace
}  // namespace chartorium
