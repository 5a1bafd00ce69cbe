#include "chart/ui/OptGraph.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/IniFile.h"
#include "core/Workspace.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

class IndicatorOptions : public ::testing::Test {
 protected:
  IndicatorOptions() {
    workspace.OpenStockSettings.Slots[2] = {"RSI;CCI", "1;1", "255;65280", "1;3"};
  }
  // Answers the modal dialog once it shows.
  static void WhenShown(OptGraph& dialog, std::function<void()> answer) {
    QTimer::singleShot(0, &dialog, std::move(answer));
  }

  testing::TempFolder folder;
  Workspace workspace{folder.Path()};
};

TEST_F(IndicatorOptions, OkWritesTheLookOfTheItem) {
  OptGraph dialog(workspace);
  WhenShown(dialog, [&] {
    EXPECT_EQ(dialog.windowTitle(), "Options for CCI");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("EWidth")->text(), "3");
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("RLine")->isChecked());
    dialog.findChild<QLineEdit*>("EWidth")->setText("0");
    dialog.findChild<QRadioButton*>("RHisto")->setChecked(true);
    QTest::mouseClick(dialog.findChild<QPushButton*>("BOk"), Qt::LeftButton);
  });
  EXPECT_TRUE(dialog.Edit(2, 2, "CCI"));
  EXPECT_EQ(dialog.Id(), 32);
  const IndicatorSlot& slot = workspace.OpenStockSettings.Slots[2];
  EXPECT_EQ(slot.LineFlags, "1;0");
  EXPECT_EQ(slot.Widths, "1;1") << "a width of 0 becomes 1";
  EXPECT_EQ(slot.Colours, "255;65280");
}

TEST_F(IndicatorOptions, CancelChangesNothingAndThePlaceIsKept) {
  {
    OptGraph dialog(workspace);
    WhenShown(dialog, [&] {
      dialog.findChild<QLineEdit*>("EWidth")->setText("5");
      dialog.move(70, 80);
      QTest::mouseClick(dialog.findChild<QPushButton*>("BCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(dialog.Edit(2, 1, "RSI"));
    EXPECT_EQ(workspace.OpenStockSettings.Slots[2].Widths, "1;3");
  }
  const auto quorex = IniFile::Load(folder / "Quorex.ini");
  ASSERT_TRUE(quorex);
  EXPECT_EQ(quorex->ReadInteger("GrO", "L", -1), 70);
  EXPECT_EQ(quorex->ReadInteger("GrO", "T", -1), 80);
  OptGraph again(workspace);
  EXPECT_EQ(again.pos(), QPoint(70, 80));
}

}  // namespace
}  // namespace chartorium
