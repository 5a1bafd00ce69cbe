#include "portfolio/ui/FInpP.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "portfolio/PortfolioFixture.h"

namespace chartorium {
namespace {

using testing::PortfolioTest;

class OperationDialog : public PortfolioTest {
 protected:
  OperationDialog() : dialog(portfolio, context) {
    WriteStock("Acme", {4.0f, 5.0f, 6.0f});  // 1, 2 and 3 March 2023
    WriteStock("Beta", {10.0f, 8.0f});
    WriteStock("Bravo", {2.0f});
    portfolio = WithCash("100");
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Show(OperationKind kind, std::string_view stock) {
    dialog.Prepare(kind, stock);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  QLineEdit* Field(const char* name) { return Find<QLineEdit>(name); }

  Portfolio portfolio;
  FInpP dialog;
};

TEST_F(OperationDialog, ABuyIsTypedWithTheKeyboardAlone) {
  Show(OperationKind::Buy, "");
  EXPECT_EQ(dialog.windowTitle(), "Buy stock");
  auto* stocks = Find<QListWidget>("LBStocks");
  ASSERT_EQ(stocks->count(), 3);
  EXPECT_EQ(stocks->item(1)->text(), "Beta");
  EXPECT_EQ(Field("ECommission")->text(), "0");
  EXPECT_EQ(Field("EDate")->text(), "15/03/2023");
  EXPECT_EQ(QApplication::focusWidget(), Field("ESearch"));

  // Typing finds the stock; Enter proposes its last close and moves on.
  QTest::keyClicks(Field("ESearch"), "br");
  EXPECT_EQ(stocks->currentItem()->text(), "Bravo");
  EXPECT_EQ(Field("EPrice")->text(), "");
  Field("ESearch")->clear();
  QTest::keyClicks(Field("ESearch"), "be");
  EXPECT_EQ(stocks->currentItem()->text(), "Beta");
  QTest::keyClick(Field("ESearch"), Qt::Key_Return);
  EXPECT_EQ(Field("EPrice")->text(), "8.00");
  EXPECT_EQ(QApplication::focusWidget(), Field("ENumber"));

  QTest::keyClicks(Field("ENumber"), "5");
  QTest::keyClick(Field("ENumber"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Field("EPrice"));
  QTest::keyClick(Field("EPrice"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Field("ECommission"));
  QTest::keyClicks(Field("ECommission"), "2");
  EXPECT_EQ(Field("ECommission")->text(), "2");
  QTest::keyClick(Field("ECommission"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Field("EDate"));
  // "t" types today's date; the date chooses the close that is proposed.
  Field("EDate")->setText("01/03/2023");
  QTest::mouseClick(stocks->viewport(), Qt::LeftButton, {},
                    stocks->visualItemRect(stocks->item(1)).center());
  EXPECT_EQ(Field("EPrice")->text(), "10.00");
  QTest::keyClick(Field("EDate"), Qt::Key_T);
  EXPECT_EQ(Field("EDate")->text(), "15/03/2023");
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(Field("EDate"), Qt::Key_Return);

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  ASSERT_EQ(portfolio.Rows.size(), 1u);
  EXPECT_EQ(portfolio.Rows[0].Stocks, "Beta");
  EXPECT_EQ(portfolio.Rows[0].TotalPrice, "50");
  EXPECT_EQ(portfolio.Cash, " 48");
  EXPECT_EQ(portfolio.Journal.back(), "15/03/2023 Buy 5 stocks of Beta for 52");
}

TEST_F(OperationDialog, ARefusalKeepsTheDialogOpenAndTodayFillsTheDate) {
  Show(OperationKind::Sell, "Acme");
  EXPECT_EQ(dialog.windowTitle(), "Sell stock");
  EXPECT_EQ(Find<QListWidget>("LBStocks")->currentItem()->text(), "Acme");
  EXPECT_EQ(Field("EPrice")->text(), "6.00");
  EXPECT_EQ(QApplication::focusWidget(), Field("ENumber"));
  Field("EDate")->clear();
  QTest::mouseClick(Find<QPushButton>("BToday"), Qt::LeftButton);
  EXPECT_EQ(Field("EDate")->text(), "15/03/2023");

  Field("ENumber")->setText("1.5");
  QTest::mouseClick(Find<QPushButton>("BAccept"), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, WholeNumberMessage);

  // A number of 0 closes the dialog without booking anything.
  Field("ENumber")->setText("0");
  QTest::mouseClick(Find<QPushButton>("BAccept"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(portfolio.Journal.empty());
}

}  // namespace
}  // namespace chartorium
