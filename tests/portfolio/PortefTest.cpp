#include "portfolio/ui/Portef.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "core/IniFile.h"
#include "core/Workspace.h"
#include "core/ui/Main.h"
#include "portfolio/PortfolioFixture.h"
#include "reports/ui/HTML.h"

namespace chartorium {
namespace {

using testing::PortfolioTest;

class PortfolioWindow : public PortfolioTest {
 protected:
  PortfolioWindow()
      : workspace(folder.Path()), window(workspace, dialogs, locale, clock, nullptr, &files) {
    WriteStock("Acme", {4.0f, 5.0f, 6.0f});
    WriteStock("Beta", {10.0f, 8.0f});
    tester = std::make_unique<QAbstractItemModelTester>(
        Find<QTableView>("SG")->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  QString Label(const char* name) { return Find<QLabel>(name)->text(); }

  /// Answers the operation dialog, once it is shown, with the stock, number and price.
  void AnswerOperation(const QString& stock, const QString& number, const QString& price) {
    QTimer::singleShot(0, [=] {
      QWidget* shown = QApplication::activeModalWidget();
      ASSERT_NE(shown, nullptr);
      auto* search = shown->findChild<QLineEdit*>("ESearch");
      QTest::keyClicks(search, stock);
      QTest::keyClick(search, Qt::Key_Return);
      shown->findChild<QLineEdit*>("ENumber")->setText(number);
      if (!price.isEmpty()) shown->findChild<QLineEdit*>("EPrice")->setText(price);
      QTest::mouseClick(shown->findChild<QPushButton*>("BAccept"), Qt::LeftButton);
      if (!shown->isVisible()) return;
      ADD_FAILURE() << "the operation was refused";
      static_cast<QDialog*>(shown)->reject();
    });
  }

  Workspace workspace;
  Portef window;
  std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(PortfolioWindow, StartsEmptyWithTheOperationsDisabled) {
  window.ShowWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), "Portfolio management[*]");
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_EQ(Label("LCash"), " 0");
  EXPECT_EQ(Label("LTotal"), " 0");
  EXPECT_EQ(Label("LChange"), " 0.00%");
  for (const char* name : {"BBuy", "BSell", "BWithdrawal", "BDeposit", "BDividends", "BReport"})
    EXPECT_FALSE(Find<QPushButton>(name)->isEnabled()) << name;
  EXPECT_FALSE(Find<QAction>("TBSave")->isEnabled());
  EXPECT_TRUE(Find<QAction>("TBOpen")->isEnabled());
  EXPECT_FALSE(Find<QAction>("TBPreview")->isEnabled());
  EXPECT_EQ(Find<QPushButton>("BWithdrawal")->text(), " &Withdrawal");
  EXPECT_EQ(Find<QAction>("MNew")->text(), "&New protfolio");
}

TEST_F(PortfolioWindow, KeepsAPortfolioFromNewToSaveAndReopensIt) {
  window.ShowWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  dialogs.InputAnswers = {"Growth", "1000", "01/03/2023"};
  Find<QAction>("TBNew")->trigger();
  EXPECT_EQ(Label("PName"), " Growth");
  EXPECT_TRUE(Find<QPushButton>("BBuy")->isEnabled());
  Click("BDeposit");
  EXPECT_EQ(Label("LCash"), " 1000");

  AnswerOperation("ac", "10", "5");
  Click("BBuy");
  AnswerOperation("be", "5", "");
  Click("BBuy");
  auto* grid = Find<QTableView>("SG");
  ASSERT_EQ(grid->model()->rowCount(), 2);
  EXPECT_EQ(grid->model()->index(0, 5).data().toString(), "    6.00");
  EXPECT_EQ(grid->model()->index(0, 6).data().toString(), "+20.00%");
  EXPECT_EQ(grid->model()->index(1, 3).data().toString(), "8");
  EXPECT_FALSE(grid->model()->index(0, 0).data(Qt::DecorationRole).isNull());
  EXPECT_EQ(Label("LCash"), " 910");
  EXPECT_EQ(Label("LTotal"), " 1010.00");
  EXPECT_TRUE(window.isWindowModified());

  // Dividends and a sale act on the selected row.
  grid->selectRow(0);
  dialogs.InputAnswers = {"0.5"};
  Click("BDividends");
  EXPECT_EQ(Label("LCash"), " 915");
  AnswerOperation("", "10", "6");
  Click("BSell");
  EXPECT_EQ(grid->model()->rowCount(), 1);

  // The report shows the journal instead of the grid.
  Click("BReport");
  EXPECT_FALSE(grid->isVisible());
  auto* journal = Find<QListWidget>("LBReport");
  EXPECT_TRUE(journal->isVisible());
  ASSERT_EQ(journal->count(), 5);
  EXPECT_EQ(journal->item(0)->text(), "01/03/2023 Add 1000 in cash");
  EXPECT_EQ(journal->item(4)->text(), "15/03/2023 Sell 10 stocks of Acme for 60");

  files.SaveAnswers = {folder / "Portfolios" / "Growth.por"};
  Find<QAction>("TBSave")->trigger();
  EXPECT_FALSE(window.isWindowModified());
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(IniFile::Load(folder / "Quorex.ini")->ReadString("Port", "Last", ""),
            (folder / "Portfolios" / "Growth.por").string());

  // Shown again, the window reopens the file with the grid in front.
  window.ShowWindow();
  EXPECT_EQ(Label("PName"), " Growth");
  EXPECT_EQ(Label("LCash"), " 975");
  EXPECT_EQ(grid->model()->rowCount(), 1);
  EXPECT_TRUE(grid->isVisible());
  EXPECT_FALSE(Find<QPushButton>("BReport")->isChecked());
}

TEST_F(PortfolioWindow, ClosingWithUnsavedChangesAsksAndMayStayOpen) {
  window.ShowWindow();
  dialogs.InputAnswers = {"Growth", "1000", ""};
  Find<QAction>("TBNew")->trigger();
  Click("BDeposit");

  // Yes, then the save dialog cancelled: the window stays.
  dialogs.Messages.clear();
  dialogs.ConfirmAnswers = {true};
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Text, "Do you want to save the changes to the portfolio Growth?");

  // No: the changes are given up and the window closes.
  dialogs.ConfirmAnswers = {false};
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(std::filesystem::exists(folder / "Portfolios" / "Growth.por"));
  window.ShowWindow();
  EXPECT_EQ(Label("PName"), "");
}

TEST_F(PortfolioWindow, RenamesOnADoubleClickAndExportsThePreviewedPage) {
  window.ShowWindow();
  dialogs.InputAnswers = {"Growth", "Income & Co"};
  Find<QAction>("TBNew")->trigger();
  QTest::mouseDClick(Find<QLabel>("PName"), Qt::LeftButton);
  EXPECT_EQ(Label("PName"), " Income & Co");

  Find<QAction>("TBExport")->trigger();
  auto* preview = window.findChild<HTML*>("HTML");
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->windowTitle(), "Page preview");
  EXPECT_NE(preview->findChild<QTextBrowser*>("Browser")->toPlainText().indexOf(
                "Report of the Income & Co portfolio"),
            -1);
  EXPECT_TRUE(std::filesystem::exists(folder / "~temp003.html"));
  preview->resize(500, 400);
  preview->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window.findChild<HTML*>("HTML"), nullptr);
  EXPECT_EQ(IniFile::Load(folder / "Quorex.ini")->ReadInteger("HTML", "W", 0), 500);
}

TEST_F(PortfolioWindow, TheMainWindowOpensItAndAsksBeforeTheProgramEnds) {
  Main main(workspace, dialogs, locale, clock);
  auto* entry = main.findChild<QAction*>("MPortfolio");
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->isEnabled());
  EXPECT_EQ(entry->toolTip(), "Portfolio");
  main.show();
  entry->trigger();
  auto* portef = main.findChild<Portef*>("Portef");
  ASSERT_NE(portef, nullptr);
  EXPECT_TRUE(portef->isVisible());

  dialogs.InputAnswers = {"Growth", "10", ""};
  portef->findChild<QAction*>("TBNew")->trigger();
  QTest::mouseClick(portef->findChild<QPushButton*>("BDeposit"), Qt::LeftButton);
  dialogs.Messages.clear();
  // Saving through the platform's dialog is not answered here: No gives up the changes.
  dialogs.ConfirmAnswers = {false};
  EXPECT_TRUE(main.close());
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Kind, "confirm");
  EXPECT_FALSE(portef->isVisible());
}

}  // namespace
}  // namespace chartorium
