#include "quotes/ui/Nouveau.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "core/IniFile.h"
#include "core/StockFileFixture.h"

namespace chartorium {
namespace {

class StockPropertiesDialog : public testing::StockFileTest {
 protected:
  StockPropertiesDialog() : dialog(workspace, dialogs) {
    EXPECT_TRUE(WriteFileAtomically(folder / "Sites.ini", "[Yahoo]\r\n[Stooq]\r\n").ok());
    std::filesystem::create_directories(folder / "Preferences");
    EXPECT_TRUE(WriteFileAtomically(folder / "Preferences/Acme.ini",
                                    "[Acme]\r\nTick=ACME\r\nSite=Stooq\r\nYears=2001\r\n"
                                    "Earnings=0.5\r\n")
                    .ok());
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = dialog.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  Nouveau dialog;
};

TEST_F(StockPropertiesDialog, ShowsTheStocksPropertiesAndSavesThemOnEnter) {
  ASSERT_TRUE(dialog.Load("Acme"));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_EQ(dialog.windowTitle(), "Acme");
  EXPECT_EQ(Find<QLineEdit>("ETick")->text(), "ACME");
  EXPECT_EQ(Find<QComboBox>("CBSite")->currentText(), "Stooq");
  EXPECT_EQ(Find<QLineEdit>("ECur")->text(), "USD");
  EXPECT_FALSE(Find<QWidget>("PMore")->isVisible());

  // Enter moves from field to field; Enter in the number of stocks confirms.
  auto* ticker = Find<QLineEdit>("ETick");
  ticker->setFocus();
  ticker->setText("ACM");
  QTest::keyClick(ticker, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Find<QComboBox>("CBSite"));
  QTest::keyClick(Find<QComboBox>("CBSite"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>("ECur"));
  QTest::keyClick(Find<QLineEdit>("ECur"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>("ENbr"));
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClicks(Find<QLineEdit>("ENbr"), "12000");
  QTest::keyClick(Find<QLineEdit>("ENbr"), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());

  const IniFile saved = IniFile::Load(folder / "Preferences/Acme.ini").value();
  EXPECT_EQ(saved.ReadString("Acme", "Tick", ""), "ACM");
  EXPECT_EQ(saved.ReadString("Acme", "Site", ""), "Stooq");
  EXPECT_EQ(saved.ReadString("Acme", "Nbr", ""), "12000");
  EXPECT_EQ(saved.ReadString("Acme", "Years", ""), "2001");
  EXPECT_EQ(IniFile::Load(folder / "Stocks.ini")->ReadString("Acme", "Tick", ""), "ACM");
}

TEST_F(StockPropertiesDialog, MoreShowsTheEarningsThatAddAndDeleteChange) {
  ASSERT_TRUE(dialog.Load("Acme"));
  dialog.show();
  auto* more = Find<QPushButton>("BMore");
  QTest::mouseClick(more, Qt::LeftButton);
  EXPECT_TRUE(Find<QWidget>("PMore")->isVisible());
  EXPECT_EQ(more->text(), "<< &Less");
  auto* earnings = Find<QTreeWidget>("LVEarnings");
  ASSERT_EQ(earnings->topLevelItemCount(), 1);
  EXPECT_EQ(earnings->topLevelItem(0)->text(1), "0.5");

  dialogs.InputAnswers = {"2002", "0.7"};
  QTest::mouseClick(Find<QPushButton>("BAdd"), Qt::LeftButton);
  ASSERT_EQ(earnings->topLevelItemCount(), 2);
  EXPECT_EQ(earnings->topLevelItem(1)->text(0), "2002");
  earnings->setCurrentItem(earnings->topLevelItem(0));
  QTest::mouseClick(Find<QPushButton>("BDelete"), Qt::LeftButton);
  ASSERT_EQ(earnings->topLevelItemCount(), 1);
  QTest::mouseClick(Find<QPushButton>("BOk"), Qt::LeftButton);
  const IniFile saved = IniFile::Load(folder / "Preferences/Acme.ini").value();
  EXPECT_EQ(saved.ReadString("Acme", "Years", ""), "2002");
  EXPECT_EQ(saved.ReadString("Acme", "Earnings", ""), "0.7");

  QTest::mouseClick(more, Qt::LeftButton);
  EXPECT_EQ(more->text(), "&More >>");
}

}  // namespace
}  // namespace chartorium
