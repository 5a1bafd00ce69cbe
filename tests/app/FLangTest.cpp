#include "export/ui/FLang.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/SafeFile.h"
#include "export/Languages.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

TEST(LanguageDialog, ChoosesTheSelectedLanguageForTheNextStart) {
  testing::TempFolder folder;
  std::filesystem::create_directories(folder / "Languages");
  for (const char* name : {"English.lng", "Francais.lng"})
    ASSERT_TRUE(WriteFileAtomically(folder / "Languages" / name, "").ok());
  struct Case {
    int Row;
    std::string_view Chosen;
  };
  for (const Case c : {Case{0, ""}, Case{1, "Francais"}}) {
    testing::FakeDialogs dialogs;
    FLang dialog(folder.Path(), dialogs, "Francais");
    auto* list = dialog.findChild<QListWidget*>("LBLang");
    ASSERT_EQ(list->count(), 2);
    list->setCurrentRow(c.Row);
    QTest::mouseClick(dialog.findChild<QPushButton*>("BOk"), Qt::LeftButton);
    EXPECT_EQ(dialog.Chosen(), c.Chosen) << c.Row;
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, RestartMessage);
  }
}

}  // namespace
}  // namespace chartorium
