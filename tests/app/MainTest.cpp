#include "core/ui/Main.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTreeView>

#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/IniFile.h"
#include "core/LibraryTree.h"
#include "core/StockFileFixture.h"
#include "core/Workspace.h"
#include "core/ui/LibraryView.h"

namespace chartorium {
namespace {

using testing::CurrentFormat;
using testing::Quote;

class MainWindow : public ::testing::Test {
 protected:
  std::unique_ptr<Main> Start() {
    auto main = std::make_unique<Main>(*workspace, dialogs, locale, clock);
    tester = std::make_unique<QAbstractItemModelTester>(
        Tree(*main)->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    main->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    return main;
  }
  static QTreeView* Tree(Main& main) { return main.findChild<QTreeView*>("TV"); }
  void Restart() {
    tester.reset();
    workspace = std::make_unique<Workspace>(folder.Path());
  }

  testing::TempFolder folder;
  std::unique_ptr<Workspace> workspace = std::make_unique<Workspace>(folder.Path());
  testing::FakeDialogs dialogs;
  DateLocale locale;
  FixedClock clock{45000};
  std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(MainWindow, AFirstStartShowsTheRootAndTheDefaultGeometry) {
  auto main = Start();
  QTreeView* tree = Tree(*main);
  ASSERT_EQ(tree->model()->rowCount(), 1);
  const QModelIndex root = tree->model()->index(0, 0);
  EXPECT_EQ(root.data().toString(), "Stocks");
  EXPECT_EQ(tree->model()->rowCount(root), 0);
  EXPECT_EQ(main->CurrentSettings(), MainSettings{});
  EXPECT_EQ(main->windowTitle(), "Chartorium 1.26");
  EXPECT_EQ(main->findChild<QWidget*>("SBDate")->property("text").toString(), " 15/03/2023");
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(MainWindow, SettingsSurviveARestart) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Main]\r\nLang=Francais\r\n").ok());
  {
    auto main = Start();
    main->resize(700, 480);
    main->move(40, 30);
    main->findChild<QSplitter*>("Splitter1")->setSizes({220, 480});
    workspace->Quotes().Period = Periodicity::Weekly;
    main->close();
  }
  Restart();
  auto main = Start();
  const MainSettings settings = main->CurrentSettings();
  EXPECT_EQ(settings.Width, 700);
  EXPECT_EQ(settings.Height, 480);
  EXPECT_EQ(settings.Left, 40);
  EXPECT_EQ(settings.Top, 30);
  EXPECT_EQ(settings.LeftPanel, 220);
  EXPECT_EQ(settings.Periodicity, 2);
  EXPECT_EQ(workspace->Quotes().Period, Periodicity::Weekly);
  EXPECT_EQ(main->Language(), "Francais");
  EXPECT_TRUE(std::filesystem::exists(folder / "List.ini"));
}

TEST_F(MainWindow, TheButtonsAndAClickRunTheLibraryCommands) {
  std::filesystem::create_directories(folder / "Stocks");
  ASSERT_TRUE(WriteFileAtomically(folder / "Stocks" / "ABC.kvx",
                                  CurrentFormat({Quote(45000, 10), Quote(45001, 10.5f)}))
                  .ok());
  ASSERT_TRUE(WriteFileAtomically(folder / "List.ini", "Stocks\r\n\tABC\r\n").ok());
  auto main = Start();
  QTreeView* tree = Tree(*main);
  const QModelIndex stock = tree->model()->index(0, 0, tree->model()->index(0, 0));
  ASSERT_EQ(stock.data().toString(), "ABC");
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(stock).center());
  EXPECT_EQ(workspace->Quotes().StockName, "ABC");
  EXPECT_EQ(workspace->Quotes().BarCount, 2);

  tree->setCurrentIndex(tree->model()->index(0, 0));
  dialogs.InputAnswers = {"Tech"};
  QTest::mouseClick(main->findChild<QPushButton*>("BAddFolder"), Qt::LeftButton);
  const QModelIndex root = tree->model()->index(0, 0);
  ASSERT_EQ(tree->model()->rowCount(root), 2);
  EXPECT_EQ(tree->model()->index(1, 0, root).data().toString(), "Tech");
  EXPECT_EQ(workspace->Quotes().StockName, "ABC");  // adding a folder keeps the open stock

  // A finished label edit renames the stock with its file once the view is done.
  const QModelIndex abc = tree->model()->index(0, 0, root);
  EXPECT_FALSE(tree->model()->setData(abc, "XYZ"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(std::filesystem::exists(folder / "Stocks" / "XYZ.kvx"));
  EXPECT_EQ(tree->model()->index(1, 0, tree->model()->index(0, 0)).data().toString(), "XYZ");
  EXPECT_EQ(workspace->Quotes().StockName, "XYZ");

  // A drop moves the node once the view is done with the drag.
  LibraryTree& library = workspace->Library;
  emit main->findChild<LibraryView*>("TV")->NodeDropped(library.Find("XYZ"), library.Find("Tech"));
  QCoreApplication::processEvents();
  EXPECT_EQ(library.Find("XYZ")->Parent, library.Find("Tech"));
  EXPECT_EQ(tree->model()->rowCount(tree->model()->index(0, 0)), 1);

  tree->setCurrentIndex(tree->model()->index(0, 0));
  QTest::mouseClick(main->findChild<QPushButton*>("BRemove"), Qt::LeftButton);
  EXPECT_EQ(dialogs.Messages.back().Text, "Can't delete the root node!");
}

TEST_F(MainWindow, TheChosenLanguageTranslatesButtonsMenusAndHints) {
  std::filesystem::create_directories(folder / "Languages");
  ASSERT_TRUE(WriteFileAtomically(folder / "Languages" / "Francais.lng",
                                  "[Main]\r\nBAddStock.Caption=&Ajouter\r\n"
                                  "MOpen.Caption=&Ouvrir un fichier\r\nMOpen.Hint=Ouvrir\r\n"
                                  "MenuFile.Caption=&Fichier\r\n")
                  .ok());
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Main]\r\nLang=Francais\r\n").ok());
  auto main = Start();
  EXPECT_EQ(main->findChild<QPushButton*>("BAddStock")->text(), "&Ajouter");
  EXPECT_EQ(main->findChild<QPushButton*>("BRemove")->text(), "&Remove");
  const auto* open = main->findChild<QAction*>("MOpen");
  EXPECT_EQ(open->text(), "&Ouvrir un fichier");
  EXPECT_EQ(open->toolTip(), "Ouvrir");
  EXPECT_EQ(main->findChild<QMenu*>("MenuFile")->title(), "&Fichier");
  EXPECT_EQ(main->windowTitle(), "Chartorium 1.26");
}

TEST_F(MainWindow, WriteModeListsTheTextsOfEveryNamedControl) {
  std::filesystem::create_directories(folder / "Languages");
  const auto file = folder / "Languages" / "New.lng";
  ASSERT_TRUE(WriteFileAtomically(file, "[Configuration]\r\nMethod=WRITE\r\n").ok());
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Main]\r\nLang=New\r\n").ok());
  auto main = Start();
  const IniFile written = *IniFile::Load(file);
  EXPECT_EQ(written.ReadString("Main", "BAddFolder.Caption", ""), "Add &Folder");
  EXPECT_EQ(written.ReadString("Main", "MSplit.Caption", ""), "&Split the stock");
  EXPECT_EQ(written.ReadString("Main", "MSplit.Hint", ""), "Split the stock");
  EXPECT_EQ(written.ReadString("Main", "MenuHelp.Caption", ""), "&Help");
  EXPECT_EQ(written.ReadString("Main", "Main.Caption", ""), "Chartorium 1.26");
  // The dialogs created with the window write their own sections.
  EXPECT_EQ(written.ReadString("FOptions", "BOk.Caption", ""), "&Ok");
  EXPECT_EQ(written.ReadString("FOptions", "TSColors.Caption", ""), "&Colors");
}

}  // namespace
}  // namespace chartorium
