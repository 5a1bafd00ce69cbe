// The library commands. Stock files live flat in "Stocks", whatever folder
// their node is in, so only adding, removing, renaming and importing touch
// the disk; moving a node never does.
#include "core/LibraryCommands.h"

#include <system_error>

#include "core/Dialogs.h"
#include "core/FileNames.h"
#include "core/IniFile.h"
#include "core/LibraryTree.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/StockSettingsFile.h"
#include "core/TextCase.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

using Path = std::filesystem::path;

constexpr std::string_view ProductName = "Chartorium";

bool IsFileName(std::string_view name) {
  return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

bool Exists(const Path& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error);
}

void RemoveFile(const Path& file) {
  std::error_code error;
  std::filesystem::remove(file, error);
}

Path QuorexPath(const Workspace& workspace) {
  return ResolveFileName(workspace.AppFolder(), "Quorex.ini");
}

Path TreePath(const Workspace& workspace) {
  return ResolveFileName(workspace.AppFolder(), "List.ini");
}

void ReportFailure(LibraryContext context, const Status& status) {
  if (!status.ok()) context.Messages.Error(ProductName, status.message());
}

void SaveTree(LibraryContext context) {
  ReportFailure(context, context.Space.Library.Save(TreePath(context.Space)));
}

void OpenStock(LibraryContext context, std::string_view name) {
  ReportFailure(context, Ouvre(context.Space, context.Messages, context.Observer,
                               StockFilePath(context.Space, name)));
}

// Erases the stock's section of "Stocks.ini"; the file stays as it is when
// it holds no such section.
void EraseTicker(const Workspace& workspace, std::string_view name) {
  const Path file = ResolveFileName(workspace.AppFolder(), "Stocks.ini");
  auto tickers = IniFile::Load(file);
  if (!tickers || !tickers->SectionExists(name)) return;
  tickers->EraseSection(name);
  static_cast<void>(tickers->Save(file));
}

// Deletes a stock's file, its ticker and its settings file. False when the
// stock file cannot be deleted; nothing else is touched then.
bool DeleteStockFiles(const Workspace& workspace, std::string_view name) {
  const Path stock = StockFilePath(workspace, name);
  std::error_code error;
  if (!std::filesystem::remove(stock, error) || error) return false;
  EraseTicker(workspace, name);
  RemoveFile(ResolveFileName(workspace.AppFolder(), "Preferences/" + std::string(name) + ".ini"));
  return true;
}

void ForgetOpenStock(LibraryContext context) {
  CloseStockFile(context.Space);
  ClearQuoteStore(context.Space.Quotes());
  context.Space.Quotes().StockName.clear();
  context.Space.ChartCaption.clear();
  context.Observer.CaptionsCleared();
}

void SelectFirstNode(LibraryTree& tree) {
  tree.Select(&tree.Root());
}

// Asks the name of a new node and adds it below the selected folder (the
// root when a stock is selected). Returns the new node, or null.
LibraryNode* AddNode(LibraryContext context, NodeKind kind) {
  LibraryTree& tree = context.Space.Library;
  LibraryNode* selected = tree.Selected();
  if (!selected) {
    context.Messages.Warning(SelectParentMessage);
    return nullptr;
  }
  context.Space.Quotes().StockName.clear();
  const std::string name = std::string(
      Trim(context.Messages.Input(kind == NodeKind::Stock ? NewStockPrompt : NewFolderPrompt, {})));
  if (name.empty()) return nullptr;
  if (!IsFileName(name)) {
    context.Messages.Warning(BadNameMessage);
    return nullptr;
  }
  if (NameExistsInTree(tree.Root(), name)) {
    context.Messages.Warning(NameExistsMessage);
    return nullptr;
  }
  const NodeKind selectedKind = KindOf(context.Space.AppFolder(), selected);
  if (selectedKind != NodeKind::Root && selectedKind != NodeKind::Folder) selected = &tree.Root();
  selected->Expanded = true;
  return &tree.AddChild(*selected, name);
}

CommandResult RemoveFolderStocks(LibraryContext context, LibraryNode& folder) {
  if (!context.Messages.Confirm(DeleteFolderQuestion)) return CommandResult::Refused;
  ForgetOpenStock(context);
  LibraryTree& tree = context.Space.Library;
  // Only the stocks directly in the folder go; sub-folders keep their contents.
  for (size_t i = 0; i < folder.Children.size();) {
    LibraryNode& child = *folder.Children[i];
    if (KindOf(context.Space.AppFolder(), &child) != NodeKind::Stock ||
        !DeleteStockFiles(context.Space, child.Text)) {
      ++i;
      continue;
    }
    tree.Delete(child);
  }
  SelectFirstNode(tree);
  return CommandResult::Done;
}

// A free name for an imported stock: the name itself when no node has it,
// else the name followed by " 1", " 2", ... so no other stock is replaced.
std::string FreeImportName(const LibraryTree& tree, const Workspace& workspace,
                           const std::string& name) {
  if (!NameExistsInTree(tree.Root(), name)) return name;
  for (int n = 1;; ++n) {
    std::string candidate = name + " " + std::to_string(n);
    if (!NameExistsInTree(tree.Root(), candidate) && !Exists(StockFilePath(workspace, candidate)))
      return candidate;
  }
}

}  // namespace

std::string DeleteStockQuestion(std::string_view name) {
  return "Are you sure you want to delete the stock " + std::string(name) + "?";
}

void LibraryObserver::StockNodeCreated(std::string_view stockName) {
  tree_.Select(&tree_.Root());
  tree_.Root().Expanded = true;
  tree_.AddChild(tree_.Root(), stockName);
}

CommandResult OpenSelectedStock(LibraryContext context) {
  const LibraryNode* node = context.Space.Library.Selected();
  if (!node) return CommandResult::Refused;
  if (KindOf(context.Space.AppFolder(), node) == NodeKind::Folder) return CommandResult::Refused;
  if (context.Messages.ProgressVisible() || node->Text == "Stocks") return CommandResult::Refused;
  QuoteStore& store = context.Space.Quotes();
  if (store.StockName == node->Text) return CommandResult::Refused;
  const std::string name = node->Text;
  store.StockName = name;
  OpenStock(context, name);
  context.Observer.StockPropertiesReloaded();
  return CommandResult::Done;
}

EnterAction EnterOnSelectedNode(const Workspace& workspace) {
  switch (KindOf(workspace.AppFolder(), workspace.Library.Selected())) {
    case NodeKind::Folder:
      return EnterAction::ToggleFolder;
    case NodeKind::Stock:
      return EnterAction::ShowGraph;
    default:
      return EnterAction::Nothing;
  }
}

CommandResult AddStock(LibraryContext context) {
  QuoteStore& store = context.Space.Quotes();
  const std::string previous = store.StockName;
  LibraryNode* node = AddNode(context, NodeKind::Stock);
  if (!node) {
    store.StockName = previous;
    return CommandResult::Refused;
  }
  const std::string name = node->Text;
  // The stock open so far is written back under its own name before the
  // store is emptied for the new one.
  store.StockName = previous;
  ReportFailure(context, SauveFich(context.Space));
  CloseStockFile(context.Space);
  store.StockName = name;
  const Path file = StockFilePath(context.Space, name);
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (!Exists(file)) ReportFailure(context, WriteFileAtomically(file, {}));
  context.Observer.EditNewStockProperties(name);
  ClearQuoteStore(store);
  context.Space.Library.Select(node);
  SaveTree(context);
  OpenStock(context, name);
  return CommandResult::Done;
}

CommandResult AddFolder(LibraryContext context) {
  QuoteStore& store = context.Space.Quotes();
  const std::string previous = store.StockName;
  LibraryNode* node = AddNode(context, NodeKind::Folder);
  store.StockName = previous;
  if (!node) return CommandResult::Refused;
  context.Space.Library.Sort();
  SaveTree(context);
  return CommandResult::Done;
}

CommandResult RemoveSelected(LibraryContext context) {
  LibraryTree& tree = context.Space.Library;
  LibraryNode* node = tree.Selected();
  if (!node) {
    context.Messages.Information(NothingSelectedMessage);
    return CommandResult::Refused;
  }
  const NodeKind kind = KindOf(context.Space.AppFolder(), node);
  if (kind == NodeKind::Root) {
    context.Messages.Warning(DeleteRootMessage);
    return CommandResult::Refused;
  }
  if (kind == NodeKind::Folder && !node->Children.empty())
    return RemoveFolderStocks(context, *node);

  CommandResult result = CommandResult::Done;
  if (kind == NodeKind::Folder) {
    tree.Delete(*node);
  } else if (context.Messages.Confirm(DeleteStockQuestion(node->Text))) {
    CloseStockFile(context.Space);
    if (DeleteStockFiles(context.Space, node->Text)) {
      tree.Delete(*node);
      ForgetOpenStock(context);
      SelectFirstNode(tree);
    } else {
      context.Messages.Warning(DeleteErrorMessage);
      result = CommandResult::Refused;
    }
  } else {
    result = CommandResult::Refused;
  }
  SaveTree(context);
  return result;
}

std::string RenameNode(LibraryContext context, LibraryNode& node, std::string_view newText) {
  const std::string oldName(Trim(node.Text));
  const std::string newName(Trim(newText));
  const NodeKind kind = KindOf(context.Space.AppFolder(), &node);
  if (kind == NodeKind::Root) return node.Text = oldName;
  if (newName.empty() || newName == node.Text) return node.Text;
  if (!IsFileName(newName)) {
    context.Messages.Warning(BadNameMessage);
    return node.Text;
  }
  const LibraryNode* other = context.Space.Library.Find(newName);
  if (other && other != &node) {
    context.Messages.Warning(NameExistsMessage);
    return node.Text;
  }

  QuoteStore& store = context.Space.Quotes();
  if (kind == NodeKind::Stock) {
    ReportFailure(context, SauveFich(context.Space));
    CloseStockFile(context.Space);
    ClearQuoteStore(store);
  }
  const Path from = StockFilePath(context.Space, oldName);
  const Path to = StockFilePath(context.Space, newName);
  std::error_code error;
  // A file of the new name that is not this stock's own file is never replaced.
  const bool taken = Exists(to) && !std::filesystem::equivalent(from, to, error);
  bool renamed = false;
  if (Exists(from) && !taken) {
    const Status moved = RenameFile(from, to);
    ReportFailure(context, moved);
    renamed = moved.ok();
  }
  const Path settings = StockSettingsPath(context.Space.AppFolder(), oldName);
  if (renamed && Exists(settings)) {
    const Status moved =
        RenameFile(settings, StockSettingsPath(context.Space.AppFolder(), newName));
    if (!moved.ok()) {
      // The stock keeps its old name rather than lose its indicators and properties.
      ReportFailure(context, moved);
      const Status back = RenameFile(to, from);
      ReportFailure(context, back);
      renamed = !back.ok();
    }
  }
  if (kind == NodeKind::Folder || renamed) node.Text = newName;
  context.Space.Library.Sort();
  if (kind == NodeKind::Stock) {
    store.StockName = node.Text;
    OpenStock(context, node.Text);
  }
  SaveTree(context);
  return node.Text;
}

CommandResult MoveNode(LibraryContext context, LibraryNode& source, LibraryNode* target) {
  if (!target) return CommandResult::Refused;
  Dialogs& messages = context.Messages;
  const auto refuse = [&](std::string_view text) {
    messages.Beep();
    messages.Information(text);
    return CommandResult::Refused;
  };
  if (target == &source || target == source.Parent) return refuse(SameNodeMessage);
  if (!source.Parent) return refuse(DragRootMessage);
  if (IsAncestorOrSelf(source, *target)) return refuse(ParentOntoChildMessage);
  const NodeKind kind = KindOf(context.Space.AppFolder(), target);
  if (kind != NodeKind::Root && kind != NodeKind::Folder) {
    messages.Information(WrongDropMessage);
    return CommandResult::Refused;
  }
  context.Space.Library.MoveSubtree(source, *target);
  const auto expandAll = [](auto& self, LibraryNode& node) -> void {
    node.Expanded = true;
    for (auto& child : node.Children) self(self, *child);
  };
  expandAll(expandAll, *target);
  return CommandResult::Done;
}

Path ImportFolder(const Workspace& workspace) {
  const auto quorex = IniFile::Load(QuorexPath(workspace));
  std::string folder = quorex ? quorex->ReadString("Main", "Fol", "") : std::string();
  if (folder.empty()) folder = (workspace.AppFolder() / "Stocks").string();
  if (folder.back() != '/') folder += '/';
  return folder;
}

CommandResult ImportStockFile(LibraryContext context, const Path& chosenFile) {
  const std::string fileName = chosenFile.filename().string();
  if (fileName.size() <= 4 || !Exists(chosenFile)) return CommandResult::Refused;
  LibraryTree& tree = context.Space.Library;
  const std::string name = FreeImportName(
      tree, context.Space, std::string(Trim(fileName.substr(0, fileName.size() - 4))));
  if (name.empty()) return CommandResult::Refused;
  context.Space.Quotes().StockName = name;
  tree.Root().Expanded = true;
  tree.Select(&tree.AddChild(tree.Root(), name));

  const Path copy = StockFilePath(context.Space, name);
  std::error_code error;
  std::filesystem::create_directories(copy.parent_path(), error);
  // A file chosen in the library's own folder under a name no node has is
  // already in place.
  if (!Exists(copy) || !std::filesystem::equivalent(chosenFile, copy, error))
    std::filesystem::copy_file(chosenFile, copy, std::filesystem::copy_options::overwrite_existing,
                               error);
  if (error) {
    context.Messages.Error(ProductName, "cannot copy '" + chosenFile.string() + "' to '" +
                                            copy.string() + "': " + error.message());
    return CommandResult::Refused;
  }
  const Path quorexFile = QuorexPath(context.Space);
  if (auto quorex = IniFile::Load(quorexFile)) {
    std::string folder = chosenFile.parent_path().string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    quorex->WriteString("Main", "Fol", folder);
    ReportFailure(context, quorex->Save(quorexFile));
  }
  OpenStock(context, name);
  context.Observer.StockPropertiesReloaded();
  return CommandResult::Done;
}

}  // namespace chartorium
