#include "export/ui/Split1.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/StockCommands.h"
#include "core/StockFileFixture.h"
#include "core/StockObserver.h"

namespace chartorium {
namespace {

constexpr int Day0 = 43832;  // 2 January 2020

class SplitDialog : public testing::StockFileTest {
 protected:
  SplitDialog() : dialog(workspace, dialogs, locale, clock) {
    WriteStock("S", testing::CurrentFormat(
                        {testing::Quote(Day0, 20, 15), testing::Quote(Day0 + 1, 30, 100)}));
    workspace.Quotes().StockName = "S";
    NoStockObserver observer;
    EXPECT_TRUE(Ouvre(workspace, dialogs, observer, StockFile("S")).ok());
  }
  QLineEdit* Field(const char* name) { return dialog.findChild<QLineEdit*>(name); }

  DateLocale locale;
  FixedClock clock{Day0 + 10};
  Split1 dialog;
};

TEST_F(SplitDialog, SplitsTheWholeHistoryFromTheKeyboard) {
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.windowTitle(), "Split the stock");
  EXPECT_EQ(Field("EDiv2")->text(), "1");
  QTest::mouseClick(dialog.findChild<QPushButton*>("BFirst"), Qt::LeftButton);
  QTest::mouseClick(dialog.findChild<QPushButton*>("BLast"), Qt::LeftButton);
  EXPECT_EQ(Field("EFrom")->text(), "02/01/2020");
  EXPECT_EQ(Field("ETo")->text(), "03/01/2020");

  Field("EFrom")->setFocus();
  QTest::keyClick(Field("EFrom"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Field("ETo"));
  QTest::keyClick(Field("ETo"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Field("EDiv1"));
  QTest::keyClicks(Field("EDiv1"), "2");
  QTest::keyClick(Field("EDiv1"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Field("EDiv2"));
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(Field("EDiv2"), Qt::Key_Return);

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(workspace.Quotes().QuoteArray[1].Close, 10);
  EXPECT_EQ(workspace.Quotes().QuoteArray[2].Close, 15);
  EXPECT_EQ(workspace.Quotes().QuoteArray[2].Volume, 200);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Kind, "information");
}

TEST_F(SplitDialog, AMissingDivisorKeepsTheDialogOpen) {
  dialog.show();
  QTest::mouseClick(dialog.findChild<QPushButton*>("BSplit"), Qt::LeftButton);
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "One of the divisors is not set!");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(workspace.Quotes().QuoteArray[1].Close, 20);
}

}  // namespace
}  // namespace chartorium
