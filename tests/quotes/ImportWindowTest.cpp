#include "quotes/ui/Import.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include "core/IniFile.h"
#include "quotes/ImportFixture.h"

namespace chartorium {
namespace {

using testing::DailyFile;
using testing::Day0;

class ImportWindow : public testing::ImportTest {
 protected:
  ImportWindow() : window(workspace, dialogs, observer, locale, clock) {
    tester = std::make_unique<QAbstractItemModelTester>(
        window.findChild<QListView*>("LBPreview")->model(),
        QAbstractItemModelTester::FailureReportingMode::Fatal);
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  /// Shows the wizard as Run does, without waiting for it to close.
  void Start() {
    window.Start();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  QStringList Captions() {
    QStringList captions;
    auto* grid = Find<QTableWidget>("SG");
    for (int c = 0; c < grid->columnCount(); ++c)
      captions << (grid->horizontalHeaderItem(c) ? grid->horizontalHeaderItem(c)->text() : "");
    return captions;
  }

  chartorium::Import window;
  std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ImportWindow, ImportsANewestFirstFileWithoutManualMapping) {
  WriteStock("Acme", "");
  OpenStock("Acme");
  Start();
  EXPECT_EQ(window.windowTitle(), "Import ASCII file in Acme if no Ticker selected");
  window.OpenFile(
      QString::fromStdString(WriteText("acme.csv", DailyFile(Day0, 12, true)).string()));
  EXPECT_EQ(Find<QLineEdit>("EFile")->text().toStdString(), (folder / "acme.csv").string());
  EXPECT_EQ(Find<QListView>("LBPreview")->model()->rowCount(), 13);
  EXPECT_EQ(Find<QLabel>("LHeader")->text(), "Date,Open,High,Low,Close,Volume");

  Click("BNext");
  EXPECT_EQ(Find<QStackedWidget>("Pages")->currentIndex(), 1);
  EXPECT_EQ(Find<QComboBox>("CBSep")->currentText(), ",");
  EXPECT_EQ(Find<QComboBox>("CBDate")->currentText(), "DMY");
  EXPECT_EQ(Find<QLineEdit>("EIgn")->text(), "1");
  EXPECT_EQ(Captions(), (QStringList{"Date", "Open", "High", "Low", "Close", "Volume"}));
  EXPECT_EQ(Find<QTableWidget>("SG")->rowCount(), 10);
  EXPECT_EQ(Find<QComboBox>("CBTemplates")->currentText(), "Default");

  Click("BProcess");
  EXPECT_EQ(Shown(), std::vector<std::string>{"information Import is finished!"});
  EXPECT_EQ(workspace.Quotes().QuoteCount, 12);
  EXPECT_EQ(workspace.Quotes().QuoteArray[1].Date, Day0);
  EXPECT_EQ(Find<QProgressBar>("PB")->value(), 100);
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(ImportWindow, AHeaderClickDropsDownTheRoleList) {
  Start();
  window.OpenFile(
      QString::fromStdString(WriteText("plain.txt", DailyFile(Day0, 3, false, false)).string()));
  Click("BNext");
  auto* header = Find<QTableWidget>("SG")->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(4) + 5, header->height() / 2));
  auto* roles = Find<QListWidget>("LBRoles");
  ASSERT_TRUE(roles->isVisible());
  EXPECT_EQ(roles->count(), 10);
  EXPECT_EQ(roles->item(0)->text(), "[None]");
  EXPECT_EQ(roles->currentRow(), 0);
  const QRect close = roles->visualItemRect(roles->item(5));
  QTest::mouseClick(roles->viewport(), Qt::LeftButton, {}, close.center());
  EXPECT_FALSE(roles->isVisible());
  EXPECT_EQ(Captions(), (QStringList{"", "", "", "", "Close", ""}));

  // A new separator rebuilds the grid without captions.
  auto* separator = Find<QComboBox>("CBSep");
  separator->setCurrentIndex(1);
  emit separator->activated(1);
  EXPECT_EQ(Captions(), QStringList{""});
  window.reject();
}

TEST_F(ImportWindow, SavesAndDeletesTemplates) {
  Start();
  window.OpenFile(QString::fromStdString(WriteText("q.csv", DailyFile(Day0, 3, true)).string()));
  Click("BNext");
  auto* templates = Find<QComboBox>("CBTemplates");
  templates->setEditText("Yahoo");
  Click("BSave");
  EXPECT_EQ(IniFile::Load(folder / "Templates.ini")->ReadString("Yahoo", "Head", ""),
            "Date;Open;High;Low;Close;Volume");
  EXPECT_EQ(templates->count(), 1);
  EXPECT_EQ(templates->currentText(), "Yahoo");
  Click("BDelete");
  EXPECT_EQ(templates->count(), 1);
  EXPECT_EQ(templates->currentText(), "Default");
  EXPECT_FALSE(IniFile::Load(folder / "Templates.ini")->SectionExists("Yahoo"));
}

TEST_F(ImportWindow, AnEmptyFileStaysOnPageOne) {
  Start();
  window.OpenFile(QString::fromStdString(WriteText("empty.csv", "").string()));
  Click("BNext");
  EXPECT_EQ(Shown(), std::vector<std::string>{"warning The file you try to import is empty"});
  EXPECT_EQ(Find<QStackedWidget>("Pages")->currentIndex(), 0);
}

}  // namespace
}  // namespace chartorium
