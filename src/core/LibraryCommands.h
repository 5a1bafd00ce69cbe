// The commands of the stock library tree: open, add, remove, rename, move
// and import. The main window only calls these and redraws.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/StockObserver.h"

namespace chartorium {

class Dialogs;
class LibraryTree;
struct LibraryNode;
class Workspace;

constexpr std::string_view SelectParentMessage = "Select a parent node";
constexpr std::string_view NewStockPrompt = "Input the name of the new stock:";
constexpr std::string_view NewFolderPrompt = "Input the name of the new folder:";
constexpr std::string_view NameExistsMessage = "A node with this name already exists";
constexpr std::string_view NothingSelectedMessage = "Nothing selected";
constexpr std::string_view DeleteRootMessage = "Can't delete the root node!";
constexpr std::string_view DeleteErrorMessage = "An error occurs while deleting the file!";
constexpr std::string_view DeleteFolderQuestion =
    "Are you sure you want to delete all files of the folder?";
constexpr std::string_view SameNodeMessage = "Destination node is the same as the source node";
constexpr std::string_view DragRootMessage = "Cant drag/drop the root";
constexpr std::string_view ParentOntoChildMessage = "Cant drop parent onto child";
constexpr std::string_view WrongDropMessage = "You can''t drop this type of node here!";
/// Shown instead of creating a stray file or folder for a name holding "/" or NUL.
constexpr std::string_view BadNameMessage =
    "A name can't hold the characters \"/\" or NUL: they can't be part of a file name.";

/// "Are you sure you want to delete the stock <name>?"
std::string DeleteStockQuestion(std::string_view name);

/// What the windows show around the library commands. The defaults ignore
/// everything; a stock created by Ouvre is added to the library's top node.
class LibraryObserver : public StockObserver {
 public:
  explicit LibraryObserver(LibraryTree& tree) : tree_(tree) {}

  /// Ouvre created a stock file the library did not know: the top node is
  /// selected and gets a stock node of that name as its first child.
  void StockNodeCreated(std::string_view stockName) override;
  /// Show the stock properties form modally, captioned with a new stock's name.
  virtual void EditNewStockProperties(std::string_view stockName) {}
  /// The stock properties form loads the open stock's properties again.
  virtual void StockPropertiesReloaded() {}
  /// The captions of the stock properties form and the chart window are cleared.
  virtual void CaptionsCleared() {}

 private:
  LibraryTree& tree_;
};

/// The engine's side of one library command: the workspace, its library
/// tree, and the ports the command talks through.
struct LibraryContext {
  Workspace& Space;
  Dialogs& Messages;
  LibraryObserver& Observer;
};

/// Whether a command changed the library (the window redraws either way).
enum class CommandResult { Done, Refused };

/// Opens the selected node's stock, unless it is a folder, the progress box
/// is visible, or the node is the root "Stocks"; nothing happens when that
/// stock is already the open one.
CommandResult OpenSelectedStock(LibraryContext context);

/// What Enter does on the selected node.
enum class EnterAction { Nothing, ToggleFolder, ShowGraph };
EnterAction EnterOnSelectedNode(const Workspace& workspace);

/// "&Add Stock": asks a name, adds the stock under the selected folder (the
/// root when a stock is selected), creates its empty file, saves the tree
/// and opens the new stock.
CommandResult AddStock(LibraryContext context);
/// "Add &Folder": asks a name and adds a folder under the selected folder.
CommandResult AddFolder(LibraryContext context);

/// "&Remove": deletes the selected stock with its files, or the stocks
/// directly in the selected folder (sub-folders stay), or an empty folder.
CommandResult RemoveSelected(LibraryContext context);

/// The end of editing a node's label; returns the text the node keeps. A
/// stock is renamed with its files and opened again; a stock whose file
/// cannot take the new name, the root, and a name that another node already
/// has or that cannot be a file name keep the old text.
std::string RenameNode(LibraryContext context, LibraryNode& node, std::string_view newText);

/// A drag of `source` dropped on `target` (null when no node is under the
/// cursor). Moves the subtree below the root or a folder and opens it.
CommandResult MoveNode(LibraryContext context, LibraryNode& source, LibraryNode* target);

/// The folder the import's file dialog opens in: key "Fol" of section
/// "Main" of "Quorex.ini", else the "Stocks" folder, with a trailing "/".
std::filesystem::path ImportFolder(const Workspace& workspace);

/// "&Open a stock file": copies the chosen file into the library under its
/// name without the extension (followed by " 1", " 2", ... when a node has
/// that name), remembers its folder and opens the copy.
CommandResult ImportStockFile(LibraryContext context, const std::filesystem::path& chosenFile);

}  // namespace chartorium
