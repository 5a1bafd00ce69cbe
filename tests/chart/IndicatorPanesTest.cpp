#include "chart/IndicatorPanes.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/Workspace.h"
#include "indicators/IndicatorCache.h"
#include "indicators/SeriesByName.h"

namespace chartorium {
namespace {

class Panes : public ::testing::Test {
 protected:
  Panes() : workspace("/nonexistent") {
    QuoteStore& store = workspace.Quotes();
    for (int i = 1; i <= 40; ++i) {
      QuoteRecord& bar = store.BarSeries[static_cast<size_t>(i)];
      bar.Date = 45000 + i;
      bar.Close = 50 + (i % 7);
      bar.Open = bar.Close - 0.5f;
      bar.Low = bar.Close - 1;
      bar.High = bar.Close + 1;
      bar.Volume = 1000 * i;
      bar.OpenInterest = i;
    }
    store.BarCount = 40;
  }
  IndicatorSlot& slot(int index) {
    return workspace.OpenStockSettings.Slots[static_cast<size_t>(index)];
  }
  std::string Colour(std::string_view field) {
    return std::to_string(workspace.Prefs.Colour(field));
  }
  Workspace workspace;
};

TEST_F(Panes, NewPanesFillTheFirstEmptySlot) {
  EXPECT_EQ(AddIndicatorPane(workspace, "RSI"), PaneEdit::Done);
  EXPECT_EQ(AddIndicatorPane(workspace, "RSI"), PaneEdit::Refused);  // pane 1 is exactly "RSI"
  EXPECT_EQ(AddIndicatorPane(workspace, "MACD"), PaneEdit::Done);
  EXPECT_EQ(slot(0).Names, "RSI");
  EXPECT_EQ(slot(0).LineFlags, "1");
  EXPECT_EQ(slot(0).Colours, Colour("C23"));
  EXPECT_EQ(slot(2).Names, "MACD;MACD MA");
  EXPECT_EQ(slot(2).LineFlags, "1;0");
  EXPECT_EQ(slot(2).Colours, Colour("C23") + ";" + Colour("C24"));
  EXPECT_EQ(slot(2).Widths, "1;1");
  EXPECT_EQ(AddIndicatorPane(workspace, "CCI"), PaneEdit::Done);
  EXPECT_EQ(slot(4).Names, "CCI");
  EXPECT_EQ(AddIndicatorPane(workspace, "TRIX"), PaneEdit::NoRoom);
}

TEST_F(Panes, AppendedIndicatorsTakeThePanesSecondColour) {
  ASSERT_EQ(AddIndicatorPane(workspace, "RSI"), PaneEdit::Done);
  ASSERT_EQ(AddIndicatorPane(workspace, "CCI"), PaneEdit::Done);
  EXPECT_EQ(AppendToPane(workspace, 2, "Volume"), PaneEdit::Done);
  EXPECT_EQ(slot(2).Names, "CCI;Volume");
  EXPECT_EQ(slot(2).Colours, Colour("C23") + ";" + Colour("C26"));
  EXPECT_EQ(slot(2).LineFlags, "1;1");
  EXPECT_EQ(AppendToPane(workspace, 3, "RSI"), PaneEdit::Refused);  // pane 1 is exactly "RSI"
  EXPECT_EQ(AppendToPane(workspace, 1, "Volume"), PaneEdit::Done);
  EXPECT_EQ(slot(0).Colours, Colour("C23") + ";" + Colour("C24"));
  // Only a whole list is compared: pane 1 now holds "RSI;Volume".
  EXPECT_EQ(AppendToPane(workspace, 2, "RSI"), PaneEdit::Done);
}

TEST_F(Panes, AnEmptiedPaneTakesTheIndicatorsOfTheNextOne) {
  slot(0) = {"RSI", "1", "255", "1"};
  slot(2) = {"CCI;Volume", "1;0", "1;2", "1;3"};
  RemoveFromPane(workspace, 0, 1);
  EXPECT_EQ(slot(0).Names, "");
  const IndicatorPaneData data = RefreshPanes(workspace);
  EXPECT_EQ(slot(0), (IndicatorSlot{"CCI;Volume", "1;0", "1;2", "1;3"}));
  EXPECT_EQ(slot(2).Names, "");
  EXPECT_EQ(data.Visible, (std::array<bool, 3>{true, false, false}));
  ASSERT_EQ(data.Slots[0].IndicatorCount(), 2);
  EXPECT_EQ(data.Slots[0].Value(1, 7), 7000);  // the volume of bar 7
  MacroStatus runs;
  EXPECT_EQ(data.Slots[0].Value(0, 30), SeriesValue(workspace, "cci", 30, runs));
}

TEST_F(Panes, ACustomIndicatorBringsItsColourHistogramAndLevels) {
  std::vector<Single> values(MaxQuotes, 2.5f);
  workspace.Indicators.AddIndicatorSeries(values,
                                          "20;80;\xC2\xA8"
                                          "255*-1",
                                          "Mine");
  slot(0) = {"RSI;Mine", "1;1", "10;20", "1;1"};
  const IndicatorPaneData data = RefreshPanes(workspace);
  EXPECT_EQ(slot(0).Colours, "10;255");
  EXPECT_EQ(slot(0).LineFlags, "1;0");
  EXPECT_EQ(data.Slots[0].Levels, "20;80;");  // the last indicator's levels win
  EXPECT_EQ(data.Slots[0].Value(1, 1), 2.5);

  slot(0) = {"Mine;RSI", "1;1", "10;20", "1;1"};
  EXPECT_EQ(RefreshPanes(workspace).Slots[0].Levels,
            workspace.Indicators.LevelsText(workspace.Indicators.Find("RSI")));
}

TEST_F(Panes, TheOptionsDialogEditsOneItem) {
  slot(2) = {"CCI;TRIX", "1;1", "100;200", "1;2"};
  const IndicatorLook look = LookOf(workspace, 2, 2);
  EXPECT_EQ(look.Colour, 200u);
  EXPECT_EQ(look.Width, "2");
  EXPECT_TRUE(look.Line);
  SetIndicatorLook(workspace, 2, 2, {65280, "0", false});
  EXPECT_EQ(slot(2), (IndicatorSlot{"CCI;TRIX", "1;0", "100;65280", "1;1"}));
  RemovePane(workspace, 2);
  EXPECT_EQ(slot(2).Names, "");
  EXPECT_EQ(slot(2).Colours, "");
}

}  // namespace
}  // namespace chartorium
