// The main window's ways to the chart window.
#include "chart/ui/Graph.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/StockFileFixture.h"
#include "core/Workspace.h"
#include "core/ui/Main.h"
#include "core/ui/SummaryPanel.h"

namespace chartorium {
namespace {

using testing::CurrentFormat;
using testing::Quote;

class MainToChart : public ::testing::Test {
 protected:
  MainToChart() {
    std::filesystem::create_directories(folder / "Stocks");
    Write("Two", {Quote(45000, 10), Quote(45001, 10.5f)});
    Write("One", {Quote(45000, 10)});
    EXPECT_TRUE(WriteFileAtomically(folder / "List.ini", "Stocks\r\n\tTwo\r\n\tOne\r\n").ok());
  }
  void Write(const std::string& name, const std::vector<QuoteRecord>& quotes) {
    ASSERT_TRUE(
        WriteFileAtomically(folder / "Stocks" / (name + ".kvx"), CurrentFormat(quotes)).ok());
  }
  std::unique_ptr<Main> Start() {
    auto main = std::make_unique<Main>(*workspace, dialogs, locale, clock);
    main->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    return main;
  }
  // Clicks the stock's node in the library tree, which opens it.
  static void ClickStock(Main& main, const QString& name) {
    auto* tree = main.findChild<QTreeView*>("TV");
    const QModelIndexList found =
        tree->model()->match(tree->model()->index(0, 0, tree->model()->index(0, 0)),
                             Qt::DisplayRole, name, 1, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    const QModelIndex stock = found.front();
    tree->setCurrentIndex(stock);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(stock).center());
  }

  testing::TempFolder folder;
  std::unique_ptr<Workspace> workspace = std::make_unique<Workspace>(folder.Path());
  testing::FakeDialogs dialogs;
  DateLocale locale;
  FixedClock clock{45010};
};

TEST_F(MainToChart, TheGraphButtonShowsTheChartOfAStockWithBars) {
  auto main = Start();
  auto* button = main->findChild<QToolButton*>("BGraph");
  ASSERT_TRUE(button->isEnabled());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(main->Chart()->isVisible()) << "no stock open";

  ClickStock(*main, "One");
  ASSERT_EQ(workspace->Quotes().StockName, "One");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(main->Chart()->isVisible()) << "one bar is no chart";

  ClickStock(*main, "Two");
  ASSERT_EQ(workspace->Quotes().BarCount, 2);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(main->Chart()->isVisible());
  EXPECT_EQ(main->Chart()->windowTitle(), "Two");
}

TEST_F(MainToChart, EnterOnAStockAndADoubleClickOnTheSummaryShowTheChart) {
  auto main = Start();
  ClickStock(*main, "Two");
  auto* tree = main->findChild<QTreeView*>("TV");
  QTest::keyClick(tree, Qt::Key_Return);
  EXPECT_TRUE(main->Chart()->isVisible());
  main->Chart()->close();
  EXPECT_FALSE(main->Chart()->isVisible());

  auto* summary = main->findChild<SummaryPanel*>();
  QTest::mouseDClick(summary, Qt::LeftButton);
  EXPECT_TRUE(main->Chart()->isVisible());
}

TEST_F(MainToChart, OpeningAStockShowsTheChartWhenThePreferenceSaysSo) {
  auto main = Start();
  workspace->Prefs.SetFlag("B1", true);
  ClickStock(*main, "Two");
  EXPECT_TRUE(main->Chart()->isVisible());
  EXPECT_EQ(main->Chart()->windowTitle(), "Two");
}

}  // namespace
}  // namespace chartorium
