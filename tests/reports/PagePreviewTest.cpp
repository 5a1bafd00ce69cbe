#include "reports/PagePreview.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

TEST(PagePreview, KeepsItsPlaceAndTheFolderOfTheLastSavedReport) {
  testing::TempFolder folder;
  IniFile quorex;
  PagePreviewSettings settings = ReadPagePreviewSettings(quorex, folder.Path());
  EXPECT_EQ(settings.Folder, folder.Path().string());

  const auto page = folder / "~temp003.html";
  ASSERT_TRUE(WriteFileAtomically(page, "<html>Caf\xE9</html>\r\n").ok());
  EXPECT_EQ(ReadPageText(page).value(), "<html>Caf\u00e9</html>\r\n");
  std::filesystem::create_directories(folder / "reports");
  ASSERT_TRUE(SaveReportCopy(page, folder / "reports" / "mine.html", settings).ok());
  EXPECT_EQ(ReadWholeFile(folder / "reports" / "mine.html").value(), "<html>Caf\xE9</html>\r\n");
  EXPECT_EQ(settings.Folder, (folder / "reports").string());

  // A copy that cannot be written remembers nothing.
  EXPECT_FALSE(SaveReportCopy(page, folder / "missing" / "x.html", settings).ok());
  EXPECT_EQ(settings.Folder, (folder / "reports").string());

  settings.Left = 5;
  settings.Height = 300;
  WritePagePreviewSettings(quorex, settings);
  EXPECT_EQ(quorex.ReadInteger("HTML", "L", 0), 5);
  EXPECT_EQ(ReadPagePreviewSettings(IniFile::FromText(quorex.Text()), "elsewhere"), settings);
}

}  // namespace
}  // namespace chartorium
