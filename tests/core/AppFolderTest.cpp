#include "core/AppFolder.h"

#include <gtest/gtest.h>

#include "core/FileNames.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

TEST(AppFolder, PrefersTheEnvironmentThenAPortableFolderThenXdg) {
  const testing::TempFolder folder;
  const auto portable = folder / "portable";
  std::filesystem::create_directories(portable / "Stocks");
  const auto plain = folder / "plain";
  std::filesystem::create_directories(plain);

  EXPECT_EQ(ResolveAppFolder({"/data/home", portable, "/xdg", "/home/u"}), "/data/home");
  EXPECT_EQ(ResolveAppFolder({"", portable, "/xdg", "/home/u"}), portable);
  EXPECT_EQ(ResolveAppFolder({"", plain, "/xdg", "/home/u"}), "/xdg/chartorium");
  EXPECT_EQ(ResolveAppFolder({"", plain, "", "/home/u"}), "/home/u/.local/share/chartorium");
}

TEST(FileNames, ResolvesTheProgramsFilesIgnoringCase) {
  const testing::TempFolder folder;
  std::filesystem::create_directories(folder / "stocks");
  {
    std::FILE* f = std::fopen((folder / "stocks" / "ibm.KVX").c_str(), "w");
    std::fclose(f);
  }
  EXPECT_EQ(ResolveFileName(folder.Path(), "Stocks/IBM.kvx"), folder / "stocks" / "ibm.KVX");
  EXPECT_EQ(ResolveFileName(folder.Path(), "Stocks\\IBM.kvx"), folder / "stocks" / "ibm.KVX");
  // A file that does not exist yet keeps the spelling asked for.
  EXPECT_EQ(ResolveFileName(folder.Path(), "Stocks/New.kvx"), folder / "stocks" / "New.kvx");
  EXPECT_EQ(ResolveFileName(folder.Path(), "Languages/French.lng"),
            folder / "Languages" / "French.lng");
}

}  // namespace
}  // namespace chartorium
