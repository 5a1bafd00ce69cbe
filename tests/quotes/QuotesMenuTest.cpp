// The main window's entries for the import, the stock properties and the split.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/IniFile.h"
#include "core/LibraryTree.h"
#include "core/StockFileFixture.h"
#include "core/ui/Main.h"

namespace chartorium {
namespace {

class QuotesMenu : public testing::StockFileTest {
 protected:
  DateLocale locale;
  FixedClock clock{45000};
};

TEST_F(QuotesMenu, TheEntriesAreEnabledWithTheirToolbarButtons) {
  Main main(workspace, dialogs, locale, clock);
  for (const char* name : {"MImport", "MGeneral", "MSplit"}) {
    const auto* action = main.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_TRUE(action->isEnabled()) << name;
  }
  EXPECT_EQ(main.findChild<QAction*>("MImport")->toolTip(), "Import ASCII file");
  EXPECT_EQ(main.findChild<QAction*>("MSplit")->toolTip(), "Split the stock");
  // With no stock open the properties entry does nothing.
  main.findChild<QAction*>("MGeneral")->trigger();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(QuotesMenu, AddingAStockShowsItsPropertiesFirst) {
  Main main(workspace, dialogs, locale, clock);
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  dialogs.InputAnswers = {"NewCo"};
  QString title;
  QTimer::singleShot(0, [&] {
    QWidget* shown = QApplication::activeModalWidget();
    ASSERT_NE(shown, nullptr);
    title = shown->windowTitle();
    shown->findChild<QLineEdit*>("ETick")->setText("NEWC");
    QTest::mouseClick(shown->findChild<QPushButton*>("BOk"), Qt::LeftButton);
  });
  QTest::mouseClick(main.findChild<QPushButton*>("BAddStock"), Qt::LeftButton);
  EXPECT_EQ(title, "NewCo");
  EXPECT_EQ(workspace.Quotes().StockName, "NewCo");
  EXPECT_EQ(workspace.OpenStockSettings.Properties.Tick, "NEWC");
  EXPECT_EQ(IniFile::Load(folder / "Stocks.ini")->ReadString("NewCo", "Tick", ""), "NEWC");
  main.close();
}

}  // namespace
}  // namespace chartorium
