#include "core/LibraryCommands.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/IniFile.h"
#include "core/LibraryTree.h"
#include "core/StockCommands.h"
#include "core/StockFileFixture.h"

namespace chartorium {
namespace {

using testing::CurrentFormat;
using testing::Quote;

class RecordingLibraryObserver final : public LibraryObserver {
 public:
  using LibraryObserver::LibraryObserver;
  void EditNewStockProperties(std::string_view name) override {
    Events.push_back("properties " + std::string(name));
  }
  void StockPropertiesReloaded() override { Events.push_back("reload"); }
  void CaptionsCleared() override { Events.push_back("captions"); }
  std::vector<std::string> Events;
};

std::string CrLf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class LibraryFixture : public testing::StockFileTest {
 public:
  LibraryNode* Node(std::string_view text) { return workspace.Library.Find(text); }

 protected:
  LibraryFixture() : observer(workspace.Library) {}

  LibraryContext Context() { return {workspace, dialogs, observer}; }
  // Every stock gets quotes, a settings file and a ticker.
  void Setup(std::string_view tree, const std::vector<std::string>& stocks) {
    workspace.Library.SetText(tree);
    std::filesystem::create_directories(folder / "Preferences");
    IniFile tickers;
    for (const std::string& name : stocks) {
      WriteStock(name, CurrentFormat({Quote(45000, 10), Quote(45001, 11)}));
      IniFile settings;
      settings.WriteString(name, "Tick", name);
      ASSERT_TRUE(settings.Save(folder / "Preferences" / (name + ".ini")).ok());
      tickers.WriteString(name, "Tick", name);
    }
    ASSERT_TRUE(tickers.Save(folder / "Stocks.ini").ok());
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& message : dialogs.Messages) shown.push_back(message.Kind + " " + message.Text);
    return shown;
  }
  bool Has(const std::string& relative) const { return std::filesystem::exists(folder / relative); }

  RecordingLibraryObserver observer;
};

// One case per branch of the commands: the library before, the node
// selected, the answers given, and what the user sees and finds afterwards.
struct CommandCase {
  std::string_view Name;
  std::string_view Tree;
  std::vector<std::string> Stocks;
  std::string_view Selected;  ///< "" for no selection
  std::vector<std::string> Inputs;
  std::vector<bool> Confirms;
  std::function<void(LibraryFixture&, LibraryContext)> Run;
  std::vector<std::string> Messages;
  std::string_view TreeAfter;
  std::vector<std::string> FilesPresent;
  std::vector<std::string> FilesGone;
  std::string_view StockNameAfter = "-";  ///< "-": not checked
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << c.Name;
}

const auto Add = [](LibraryFixture&, LibraryContext c) { static_cast<void>(AddStock(c)); };
const auto AddDir = [](LibraryFixture&, LibraryContext c) { static_cast<void>(AddFolder(c)); };
const auto Remove = [](LibraryFixture&, LibraryContext c) { static_cast<void>(RemoveSelected(c)); };
auto Rename(std::string node, std::string text) {
  return [=](LibraryFixture& f, LibraryContext c) { RenameNode(c, *f.Node(node), text); };
}
auto Move(std::string source, std::string target) {
  return [=](LibraryFixture& f, LibraryContext c) {
    static_cast<void>(MoveNode(c, *f.Node(source), target.empty() ? nullptr : f.Node(target)));
  };
}

constexpr std::string_view Library =
    "Stocks\n\tAAA\n\tEmpty\n\tTech\n\t\tIBM\n\t\tSub\n\t\t\tDeep\n";
const std::vector<std::string> LibraryStocks = {"IBM", "Deep", "AAA", "HP"};

const CommandCase Cases[] = {
    {"AddWithoutSelection",
     Library,
     LibraryStocks,
     "",
     {"New"},
     {},
     Add,
     {"warning Select a parent node"},
     Library,
     {},
     {"Stocks/New.kvx"}},
    {"AddStockNamedLikeAFolderInAnotherCase",
     Library,
     LibraryStocks,
     "Tech",
     {"tech"},
     {},
     Add,
     {"input Input the name of the new stock:", "warning A node with this name already exists"},
     Library,
     {},
     {"Stocks/tech.kvx"}},
    {"AddWithEmptyAnswer",
     Library,
     LibraryStocks,
     "Tech",
     {""},
     {},
     Add,
     {"input Input the name of the new stock:"},
     Library,
     {},
     {}},
    {"AddBelowAStockGoesBelowTheRoot",
     Library,
     LibraryStocks,
     "IBM",
     {"  New "},
     {},
     Add,
     {"input Input the name of the new stock:"},
     "Stocks\n\tAAA\n\tEmpty\n\tNew\n\tTech\n\t\tIBM\n\t\tSub\n\t\t\tDeep\n",
     {"Stocks/New.kvx"},
     {},
     "New"},
    {"AddStockInAFolder",
     Library,
     LibraryStocks,
     "Sub",
     {"Nova"},
     {},
     Add,
     {"input Input the name of the new stock:"},
     "Stocks\n\tAAA\n\tEmpty\n\tTech\n\t\tIBM\n\t\tSub\n\t\t\tDeep\n\t\t\tNova\n",
     {"Stocks/Nova.kvx"},
     {},
     "Nova"},
    {"AddRefusesANameThatCannotBeAFileName",
     Library,
     LibraryStocks,
     "Tech",
     {"a/b"},
     {},
     AddDir,
     {"input Input the name of the new folder:",
      std::string("warning ") + std::string(BadNameMessage)},
     Library,
     {},
     {"Stocks/a"}},
    {"AddFolder",
     Library,
     LibraryStocks,
     "Empty",
     {"Inner"},
     {},
     AddDir,
     {"input Input the name of the new folder:"},
     "Stocks\n\tAAA\n\tEmpty\n\t\tInner\n\tTech\n\t\tIBM\n\t\tSub\n\t\t\tDeep\n",
     {},
     {}},

    {"RemoveWithoutSelection",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Remove,
     {"information Nothing selected"},
     Library,
     {"Stocks/IBM.kvx"},
     {}},
    {"RemoveTheRoot",
     Library,
     LibraryStocks,
     "Stocks",
     {},
     {},
     Remove,
     {"warning Can't delete the root node!"},
     Library,
     {"Stocks/IBM.kvx"},
     {}},
    {"RemoveAStock",
     Library,
     LibraryStocks,
     "IBM",
     {},
     {true},
     Remove,
     {"confirm Are you sure you want to delete the stock IBM?"},
     "Stocks\n\tAAA\n\tEmpty\n\tTech\n\t\tSub\n\t\t\tDeep\n",
     {"Stocks/AAA.kvx"},
     {"Stocks/IBM.kvx", "Preferences/IBM.ini"},
     ""},
    {"RemoveAStockAnsweredNo",
     Library,
     LibraryStocks,
     "IBM",
     {},
     {false},
     Remove,
     {"confirm Are you sure you want to delete the stock IBM?"},
     Library,
     {"Stocks/IBM.kvx", "Preferences/IBM.ini"},
     {}},
    {"RemoveAFolderDeletesOnlyItsOwnStocks",
     Library,
     LibraryStocks,
     "Tech",
     {},
     {true},
     Remove,
     {"confirm Are you sure you want to delete all files of the folder?"},
     "Stocks\n\tAAA\n\tEmpty\n\tTech\n\t\tSub\n\t\t\tDeep\n",
     {"Stocks/Deep.kvx"},
     {"Stocks/IBM.kvx", "Preferences/IBM.ini"},
     ""},
    {"RemoveAFolderAnsweredNo",
     Library,
     LibraryStocks,
     "Tech",
     {},
     {false},
     Remove,
     {"confirm Are you sure you want to delete all files of the folder?"},
     Library,
     {"Stocks/IBM.kvx"},
     {}},
    {"RemoveAnEmptyFolder",
     Library,
     LibraryStocks,
     "Empty",
     {},
     {},
     Remove,
     {},
     "Stocks\n\tAAA\n\tTech\n\t\tIBM\n\t\tSub\n\t\t\tDeep\n",
     {},
     {}},

    {"RenameAStockWithItsFiles",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Rename("IBM", " Big Blue "),
     {},
     "Stocks\n\tAAA\n\tEmpty\n\tTech\n\t\tBig Blue\n\t\tSub\n\t\t\tDeep\n",
     {"Stocks/Big Blue.kvx", "Preferences/Big Blue.ini"},
     {"Stocks/IBM.kvx", "Preferences/IBM.ini"},
     "Big Blue"},
    {"RenameAStockToAnotherStocksFileKeepsTheOldName",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Rename("IBM", "HP"),
     {},
     Library,
     {"Stocks/IBM.kvx", "Stocks/HP.kvx"},
     {},
     "IBM"},
    {"RenameToTheNameOfAnotherNode",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Rename("IBM", "aaa"),
     {"warning A node with this name already exists"},
     Library,
     {"Stocks/IBM.kvx"},
     {}},
    {"RenameAFolder",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Rename("Sub", "Dividends"),
     {},
     "Stocks\n\tAAA\n\tEmpty\n\tTech\n\t\tDividends\n\t\t\tDeep\n\t\tIBM\n",
     {},
     {}},
    {"RenameTheRoot",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Rename("Stocks", "All"),
     {},
     Library,
     {},
     {}},
    {"RenameToANameThatCannotBeAFileName",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Rename("IBM", "../x"),
     {std::string("warning ") + std::string(BadNameMessage)},
     Library,
     {"Stocks/IBM.kvx"},
     {}},

    {"DropOnNothing", Library, LibraryStocks, "", {}, {}, Move("IBM", ""), {}, Library, {}, {}},
    {"DropOnItself",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Move("Sub", "Sub"),
     {"beep ", "information Destination node is the same as the source node"},
     Library,
     {},
     {}},
    {"DropOnItsParent",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Move("IBM", "Tech"),
     {"beep ", "information Destination node is the same as the source node"},
     Library,
     {},
     {}},
    {"DragTheRoot",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Move("Stocks", "Empty"),
     {"beep ", "information Cant drag/drop the root"},
     Library,
     {},
     {}},
    {"DropAFolderOnItsOwnSubFolder",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Move("Tech", "Sub"),
     {"beep ", "information Cant drop parent onto child"},
     Library,
     {},
     {}},
    {"DropOnAFolder",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Move("Tech", "Empty"),
     {},
     "Stocks\n\tAAA\n\tEmpty\n\t\tTech\n\t\t\tIBM\n\t\t\tSub\n\t\t\t\tDeep\n",
     {"Stocks/IBM.kvx"},
     {}},
    {"DropOnTheRoot",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Move("Deep", "Stocks"),
     {},
     "Stocks\n\tAAA\n\tDeep\n\tEmpty\n\tTech\n\t\tIBM\n\t\tSub\n",
     {},
     {}},
    {"DropOnAStock",
     Library,
     LibraryStocks,
     "",
     {},
     {},
     Move("Sub", "AAA"),
     {"information You can''t drop this type of node here!"},
     Library,
     {},
     {}},
};

class LibraryCommands : public LibraryFixture, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(LibraryCommands, ShowsTheRightMessagesAndLeavesTheRightFiles) {
  const CommandCase& c = GetParam();
  Setup(c.Tree, c.Stocks);
  workspace.Library.Select(c.Selected.empty() ? nullptr : Node(c.Selected));
  dialogs.InputAnswers.assign(c.Inputs.begin(), c.Inputs.end());
  dialogs.ConfirmAnswers.assign(c.Confirms.begin(), c.Confirms.end());
  c.Run(*this, Context());
  EXPECT_EQ(Shown(), c.Messages);
  EXPECT_EQ(workspace.Library.Text(), CrLf(c.TreeAfter));
  for (const std::string& file : c.FilesPresent) EXPECT_TRUE(Has(file)) << file;
  for (const std::string& file : c.FilesGone) EXPECT_FALSE(Has(file)) << file;
  if (c.StockNameAfter != "-") {
    EXPECT_EQ(workspace.Quotes().StockName, c.StockNameAfter);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryBranch, LibraryCommands, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A settings file that cannot follow the stock file (a folder holds its new
// name) is reported, and the stock keeps its old name with both files.
TEST_F(LibraryFixture, ASettingsFileThatCannotBeRenamedIsReported) {
  Setup(Library, LibraryStocks);
  std::filesystem::create_directories(folder / "Preferences" / "Big Blue.ini" / "in the way");
  EXPECT_EQ(RenameNode(Context(), *Node("IBM"), "Big Blue"), "IBM");
  const std::string settings = (folder / "Preferences" / "IBM.ini").string();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_TRUE(Shown()[0].starts_with("error Chartorium: cannot rename '" + settings + "' to '" +
                                     (folder / "Preferences" / "Big Blue.ini").string() + "': "))
      << Shown()[0];
  EXPECT_TRUE(Has("Stocks/IBM.kvx"));
  EXPECT_TRUE(Has("Preferences/IBM.ini"));
  EXPECT_FALSE(Has("Stocks/Big Blue.kvx"));
  EXPECT_EQ(workspace.Library.Text(), CrLf(Library));
  EXPECT_EQ(workspace.Quotes().StockName, "IBM");
}

TEST_F(LibraryFixture, AddingAStockSavesTheOpenOneAndOpensTheNewOneEmpty) {
  Setup(Library, LibraryStocks);
  workspace.Library.Select(Node("AAA"));
  ASSERT_EQ(OpenSelectedStock(Context()), CommandResult::Done);
  workspace.Quotes().QuoteArray[2].Close = 99;  // an edit that must reach the file
  workspace.Library.Select(Node("Tech"));
  dialogs.InputAnswers = {"Nova"};
  ASSERT_EQ(AddStock(Context()), CommandResult::Done);
  EXPECT_EQ(workspace.Quotes().StockName, "Nova");
  EXPECT_EQ(workspace.Quotes().QuoteCount, 0);
  EXPECT_EQ(workspace.Library.Selected(), Node("Nova"));
  EXPECT_EQ(observer.Events, (std::vector<std::string>{"reload", "properties Nova"}));
  LibraryTree saved;
  ASSERT_TRUE(saved.Load(folder / "List.ini").ok());
  EXPECT_EQ(saved.Text(), workspace.Library.Text());
  ASSERT_TRUE(OpenSelectedStock(Context()) == CommandResult::Refused);  // already open
  workspace.Library.Select(Node("AAA"));
  ASSERT_EQ(OpenSelectedStock(Context()), CommandResult::Done);
  EXPECT_EQ(workspace.Quotes().QuoteArray[2].Close, 99.0f);
}

TEST_F(LibraryFixture, OpensOnlyStocksAndNotWhileTheProgressBoxShows) {
  Setup(Library, LibraryStocks);
  struct Case {
    std::string_view Selected;
    bool Progress;
    CommandResult Expected;
  };
  const Case cases[] = {{"Stocks", false, CommandResult::Refused},
                        {"Tech", false, CommandResult::Refused},
                        {"IBM", true, CommandResult::Refused},
                        {"IBM", false, CommandResult::Done}};
  for (const Case& c : cases) {
    workspace.Library.Select(Node(c.Selected));
    if (c.Progress) dialogs.ShowProgress("Testing");
    EXPECT_EQ(OpenSelectedStock(Context()), c.Expected) << c.Selected;
    dialogs.HideProgress();
  }
  EXPECT_EQ(workspace.Quotes().StockName, "IBM");
  EXPECT_EQ(workspace.Quotes().QuoteCount, 2);
  workspace.Library.Select(Node("Tech"));
  EXPECT_EQ(EnterOnSelectedNode(workspace), EnterAction::ToggleFolder);
  workspace.Library.Select(Node("IBM"));
  EXPECT_EQ(EnterOnSelectedNode(workspace), EnterAction::ShowGraph);
}

TEST_F(LibraryFixture, ImportsAFileUnderAFreeNameAndRemembersItsFolder) {
  Setup(Library, LibraryStocks);
  testing::TempFolder outside;
  const std::string quotes = CurrentFormat({Quote(45000, 20), Quote(45001, 21), Quote(45002, 22)});
  ASSERT_TRUE(WriteFileAtomically(outside / "ibm.kvx", quotes).ok());
  ASSERT_TRUE(WriteFileAtomically(outside / "Fresh.kvx", quotes).ok());
  // "IBM 1" already has a file of its own, which an import must not replace.
  WriteStock("IBM 1", CurrentFormat({Quote(45000, 5)}));

  EXPECT_EQ(ImportFolder(workspace), (folder / "Stocks").string() + "/");
  ASSERT_EQ(ImportStockFile(Context(), outside / "ibm.kvx"), CommandResult::Done);
  EXPECT_EQ(workspace.Quotes().StockName, "ibm 2");
  EXPECT_EQ(FileBytes(StockFile("ibm 2")), quotes);
  EXPECT_EQ(workspace.Quotes().QuoteCount, 3);
  EXPECT_EQ(Node("ibm 2")->Parent, &workspace.Library.Root());
  EXPECT_EQ(ImportFolder(workspace), outside.Path().string() + "/");

  ASSERT_TRUE(WriteFileAtomically(outside / "aaa.kvx", quotes).ok());
  ASSERT_EQ(ImportStockFile(Context(), outside / "aaa.kvx"), CommandResult::Done);
  EXPECT_EQ(workspace.Quotes().StockName, "aaa 1");
  ASSERT_EQ(ImportStockFile(Context(), outside / "Fresh.kvx"), CommandResult::Done);
  EXPECT_EQ(workspace.Quotes().StockName, "Fresh");
  EXPECT_EQ(observer.Events, (std::vector<std::string>{"reload", "reload", "reload"}));
  EXPECT_EQ(ImportStockFile(Context(), outside / "none.kvx"), CommandResult::Refused);
}

TEST_F(LibraryFixture, OpeningAMissingStockAddsItsNodeAtTheTop) {
  Setup(Library, LibraryStocks);
  ASSERT_TRUE(Ouvre(workspace, dialogs, observer, StockFile("Created")).ok());
  ASSERT_NE(Node("Created"), nullptr);
  EXPECT_EQ(Node("Created")->Parent, &workspace.Library.Root());
}

}  // namespace
}  // namespace chartorium
