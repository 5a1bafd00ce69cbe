#include "core/ui/Options.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "core/Workspace.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

class OptionsDialog : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  Workspace workspace{folder.Path()};
  testing::FakeDialogs dialogs;
};

TEST_F(OptionsDialog, EnterMovesToTheNextFieldAndOkStoresTheFields) {
  Options options(workspace, dialogs, "");
  options.show();
  QApplication::setActiveWindow(&options);
  auto* bars = options.findChild<QLineEdit*>("ENbD");
  ASSERT_NE(bars, nullptr);
  EXPECT_EQ(bars->text(), "100");
  bars->setFocus();
  bars->selectAll();
  QTest::keyClicks(bars, "0");
  EXPECT_EQ(workspace.Prefs.Text("ENbD"), "0");  // the field is the store
  QTest::keyClick(bars, Qt::Key_Return);
  EXPECT_TRUE(options.isVisible());
  EXPECT_NE(QApplication::focusWidget(), bars);
  QTest::mouseClick(options.findChild<QPushButton*>("BOk"), Qt::LeftButton);
  EXPECT_FALSE(options.isVisible());
  EXPECT_EQ(IniFile::Load(folder / "Quorex.ini")->ReadString("General", "ND", ""), "1");
  EXPECT_EQ(bars->text(), "1");
}

TEST_F(OptionsDialog, ColourButtonsShowTheirColourAndCancelRestoresTheFile) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Colors]\r\n5=255\r\n").ok());
  Options options(workspace, dialogs, "");
  const auto swatch = [&] {
    const auto* button = options.findChild<QPushButton*>("C5");
    return button->icon().pixmap(QSize(40, 14)).toImage().pixelColor(20, 7);
  };
  EXPECT_EQ(swatch(), QColor(255, 0, 0));  // 255 is red in the low byte
  workspace.Prefs.Set("C5", "16711680");
  options.ShowFields();
  EXPECT_EQ(swatch(), QColor(0, 0, 255));
  options.show();
  QTest::mouseClick(options.findChild<QPushButton*>("BCancel"), Qt::LeftButton);
  EXPECT_EQ(workspace.Prefs.Colour("C5"), 255u);
  EXPECT_EQ(swatch(), QColor(255, 0, 0));
}

TEST_F(OptionsDialog, EscapeCancelsLikeTheCancelButton) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[General]\r\nRSI=9\r\n").ok());
  Options options(workspace, dialogs, "");
  options.show();
  QApplication::setActiveWindow(&options);
  workspace.Prefs.Set("ERSI", "30");
  QTest::keyClick(&options, Qt::Key_Escape);
  EXPECT_FALSE(options.isVisible());
  EXPECT_EQ(workspace.Prefs.Integer("ERSI"), 9);
}

TEST_F(OptionsDialog, TakesItsTextsFromTheLanguageFile) {
  std::filesystem::create_directories(folder / "Languages");
  ASSERT_TRUE(WriteFileAtomically(folder / "Languages" / "Francais.lng",
                                  "[FOptions]\r\nBOk.Caption=&Valider\r\n")
                  .ok());
  Options options(workspace, dialogs, "Francais");
  EXPECT_EQ(options.findChild<QPushButton*>("BOk")->text(), "&Valider");
  EXPECT_EQ(options.findChild<QPushButton*>("BCancel")->text(), "&Cancel");
  EXPECT_EQ(options.windowTitle(), "Options");
}

}  // namespace
}  // namespace chartorium
