#include "core/LibraryTree.h"

#include <gtest/gtest.h>

#include "core/SafeFile.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

std::string CrLf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TEST(LibraryTreeFile, ReadsAndWritesTheTabIndentedText) {
  struct Case {
    std::string_view Input;
    std::string_view Written;
  };
  const Case cases[] = {
      {"", "Stocks\n"},
      {"Stocks\r\n\tA\r\n\t\tB\r\n\tC\r\n", "Stocks\n\tA\n\t\tB\n\tC\n"},
      // Children are sorted without regard to case.
      {"Stocks\n\tzeta\n\tBeta\n\talpha\n", "Stocks\n\talpha\n\tBeta\n\tzeta\n"},
      // A damaged file loses no line: a second top line and a line indented
      // too deep hang below the nearest node that can hold them.
      {"Stocks\n\t\t\tDeep\nOther\n\n\tA\n", "Stocks\n\tA\n\tDeep\n\tOther\n"},
      {"   \n\n", "Stocks\n"},
      {"My library\n\tX\n", "My library\n\tX\n"},
  };
  for (const Case& c : cases) {
    LibraryTree tree;
    tree.SetText(c.Input);
    EXPECT_EQ(tree.Text(), CrLf(c.Written)) << c.Input;
    EXPECT_EQ(tree.Selected(), &tree.Root()) << c.Input;
  }
}

TEST(LibraryTreeFile, RoundTripsThroughTheFileInWindows1252) {
  testing::TempFolder folder;
  LibraryTree tree;
  tree.SetText("Stocks\n\tÉnergie\n\t\tTotal\n");
  ASSERT_TRUE(tree.Save(folder / "List.ini").ok());
  EXPECT_EQ(*ReadWholeFile(folder / "List.ini"), "Stocks\r\n\t\xC9nergie\r\n\t\tTotal\r\n");
  LibraryTree loaded;
  ASSERT_TRUE(loaded.Load(folder / "List.ini").ok());
  EXPECT_EQ(loaded.Text(), tree.Text());
  ASSERT_TRUE(loaded.Load(folder / "Missing.ini").ok());
  EXPECT_EQ(loaded.Text(), "Stocks\r\n");
}

TEST(LibraryTreeFile, KeepsAnUnreadableTreeFile) {
  testing::TempFolder folder;
  // A folder in the file's place cannot be read as a file.
  std::filesystem::create_directories(folder / "List.ini" / "inside");
  LibraryTree tree;
  EXPECT_FALSE(tree.Load(folder / "List.ini").ok());
  EXPECT_EQ(tree.Text(), "Stocks\r\n");
  ASSERT_TRUE(tree.Save(folder / "List.ini").ok());
  EXPECT_TRUE(std::filesystem::exists(folder / "List.ini.unreadable" / "inside"));
  EXPECT_EQ(*ReadWholeFile(folder / "List.ini"), "Stocks\r\n");
}

class LibraryTreeNodes : public ::testing::Test {
 protected:
  LibraryTreeNodes() { tree.SetText("Stocks\n\tA\n\t\tA1\n\t\tA2\n\tB\n\t\tB1\n\tC\n"); }
  LibraryNode& Node(std::string_view text) { return *tree.Find(text); }
  LibraryTree tree;
};

TEST_F(LibraryTreeNodes, NameExistsSearchesTheStartItsPreviousSiblingsAndWhatFollows) {
  struct Case {
    std::string_view Start;
    std::string_view Text;
    bool Expected;
  };
  const Case cases[] = {
      {"Stocks", "b1", true}, {"Stocks", "stocks", true},
      {"Stocks", "Z", false}, {"B", "a", true},  // a previous sibling
      {"B", "A1", false},                        // inside a previous sibling: not searched
      {"B", "C", true},                          // after it in depth-first order
      {"A2", "B1", true},                        // after it, below an ancestor's later sibling
      {"A2", "a1", true},                        // previous sibling
      {"B1", "A2", false},                       // before it, in another branch
  };
  for (const Case& c : cases)
    EXPECT_EQ(NameExistsInTree(Node(c.Start), c.Text), c.Expected) << c.Start << " / " << c.Text;
}

TEST_F(LibraryTreeNodes, MovesASubtreeAndKeepsChildrenSorted) {
  EXPECT_TRUE(IsAncestorOrSelf(Node("A"), Node("A2")));
  EXPECT_TRUE(IsAncestorOrSelf(Node("A"), Node("A")));
  EXPECT_FALSE(IsAncestorOrSelf(Node("A2"), Node("A")));
  tree.MoveSubtree(Node("A"), Node("B"));
  EXPECT_EQ(tree.Text(), CrLf("Stocks\n\tB\n\t\tA\n\t\t\tA1\n\t\t\tA2\n\t\tB1\n\tC\n"));
  EXPECT_EQ(Node("A").Parent, &Node("B"));
  tree.Select(&Node("A1"));
  tree.Delete(Node("A"));
  EXPECT_EQ(tree.Selected(), nullptr);
  EXPECT_EQ(tree.Find("A2"), nullptr);
}

TEST(LibraryTreeKinds, AreToldFromTheStockFilesEachTime) {
  testing::TempFolder folder;
  std::filesystem::create_directories(folder / "Stocks");
  ASSERT_TRUE(WriteFileAtomically(folder / "Stocks" / "ibm.kvx", "").ok());
  LibraryTree tree;
  tree.SetText("Stocks\n\tIBM\n\tTech\n");
  LibraryNode& ibm = *tree.Find("IBM");
  LibraryNode& tech = *tree.Find("Tech");
  EXPECT_EQ(KindOf(folder.Path(), &tree.Root()), NodeKind::Root);
  EXPECT_EQ(KindOf(folder.Path(), &ibm), NodeKind::Stock);  // "ibm.kvx" on disk
  EXPECT_EQ(KindOf(folder.Path(), &tech), NodeKind::Folder);
  EXPECT_EQ(KindOf(folder.Path(), nullptr), NodeKind::Missing);
  EXPECT_EQ(ImageOf(folder.Path(), tree.Root(), false), NodeImage::Root);
  EXPECT_EQ(ImageOf(folder.Path(), ibm, true), NodeImage::Stock);
  EXPECT_EQ(ImageOf(folder.Path(), tech, false), NodeImage::ClosedFolder);
  EXPECT_EQ(ImageOf(folder.Path(), tech, true), NodeImage::OpenFolder);
  tech.Expanded = true;
  EXPECT_EQ(ImageOf(folder.Path(), tech, false), NodeImage::OpenFolder);

  // A stock whose file disappears shows as a folder, a folder given the name
  // of a stock file shows as a stock.
  std::filesystem::remove(folder / "Stocks" / "ibm.kvx");
  ASSERT_TRUE(WriteFileAtomically(folder / "Stocks" / "Tech.kvx", "").ok());
  EXPECT_EQ(KindOf(folder.Path(), &ibm), NodeKind::Folder);
  EXPECT_EQ(KindOf(folder.Path(), &tech), NodeKind::Stock);
}

}  // namespace
}  // namespace chartorium
