// The stock library: a root, folders nested at will and stocks, kept in
// "List.ini" as one tab-indented line per node.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

namespace chartorium {

/// What a node is, told from the files each time it is asked: a node (not
/// the root) whose "Stocks/<text>.kvx" exists is a stock, any other a folder.
enum class NodeKind { Missing = 0, Root = 1, Stock = 2, Folder = 3 };

/// The image a node shows: 0 root, 1 stock, 2 closed folder, 3 open folder.
enum class NodeImage { Root = 0, Stock = 1, ClosedFolder = 2, OpenFolder = 3 };

/// One node of the library. The tree owns it; its address stays the same
/// until it is deleted, so windows may keep pointers between two commands.
struct LibraryNode {
  std::string Text;
  LibraryNode* Parent = nullptr;
  std::vector<std::unique_ptr<LibraryNode>> Children;
  /// Whether the tree shows the node's children; kept with the node so that
  /// a redrawn tree opens the same folders.
  bool Expanded = false;

  /// Position among the parent's children; 0 for the root.
  int Row() const;
};

/// The tree of the library, its selection, and the rules of its nodes.
class LibraryTree {
 public:
  /// A tree holding the root "Stocks" alone, selected.
  LibraryTree();
  LibraryTree(const LibraryTree&) = delete;
  LibraryTree& operator=(const LibraryTree&) = delete;

  /// Builds the tree from the text of "List.ini" (UTF-8, CR LF or LF). The
  /// first line of level 0 is the root; a later line of level 0 and a line
  /// indented deeper than its place allows hang below the nearest possible
  /// parent, so no line of a damaged file is lost. Blank lines are skipped.
  /// An empty text gives the root "Stocks" alone. Children are sorted.
  void SetText(std::string_view text);
  /// One line per node, depth first, a tab per level, CR LF after each line.
  std::string Text() const;

  /// Reads "List.ini" (Windows-1252 on disk); a missing file gives the root
  /// alone. The selection becomes the root.
  Status Load(const std::filesystem::path& file);
  /// Writes "List.ini" crash-safely.
  Status Save(const std::filesystem::path& file) const;

  LibraryNode& Root() { return *root_; }
  const LibraryNode& Root() const { return *root_; }

  /// The selected node; null when none is.
  LibraryNode* Selected() const { return selected_; }
  void Select(LibraryNode* node) { selected_ = node; }

  /// Inserts a node with that text as a child of `parent` and keeps the
  /// children sorted. REQUIRES: parent belongs to this tree.
  LibraryNode& AddChild(LibraryNode& parent, std::string_view text);
  /// Deletes the node with its subtree; a selection inside it is cleared.
  /// REQUIRES: node is not the root.
  void Delete(LibraryNode& node);
  /// Sorts the children of every node alphabetically, ignoring case.
  void Sort();
  /// Moves the node with its subtree below `target`, which keeps its
  /// children sorted. REQUIRES: target is not the node or below it.
  void MoveSubtree(LibraryNode& node, LibraryNode& target);

  /// The first node whose text equals `text` ignoring case, or null.
  LibraryNode* Find(std::string_view text);

 private:
  std::unique_ptr<LibraryNode> root_;
  LibraryNode* selected_ = nullptr;
};

/// True when `start`, a previous sibling of it, or any node after it in
/// depth-first order has the text, ignoring case. From the root it searches
/// the whole tree.
bool NameExistsInTree(const LibraryNode& start, std::string_view text);

/// True when b is a or lies below a.
bool IsAncestorOrSelf(const LibraryNode& a, const LibraryNode& b);

/// The node's kind from the files below the data folder; null is Missing.
NodeKind KindOf(const std::filesystem::path& appFolder, const LibraryNode* node);

/// The image of a node; a folder shows the open image when selected or expanded.
NodeImage ImageOf(const std::filesystem::path& appFolder, const LibraryNode& node, bool selected);

}  // namespace chartorium
