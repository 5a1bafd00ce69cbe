// The library tree and its file "List.ini".
#include "core/LibraryTree.h"

#include <algorithm>
#include <cassert>
#include <system_error>

#include "core/Cp1252.h"
#include "core/FileNames.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"

namespace chartorium {
namespace {

constexpr std::string_view RootText = "Stocks";

bool ComesBefore(const std::unique_ptr<LibraryNode>& a, const std::unique_ptr<LibraryNode>& b) {
  const std::string foldedA = FoldCase(a->Text);
  const std::string foldedB = FoldCase(b->Text);
  if (foldedA != foldedB) return foldedA < foldedB;
  return a->Text < b->Text;
}

void SortChildren(LibraryNode& node) {
  std::stable_sort(node.Children.begin(), node.Children.end(), ComesBefore);
}

void SortBelow(LibraryNode& node) {
  SortChildren(node);
  for (auto& child : node.Children) SortBelow(*child);
}

void AppendLines(const LibraryNode& node, int level, std::string& out) {
  out.append(static_cast<size_t>(level), '\t');
  out += node.Text;
  out += "\r\n";
  for (const auto& child : node.Children) AppendLines(*child, level + 1, out);
}

bool ContainsNode(const LibraryNode& subtree, const LibraryNode* node) {
  if (&subtree == node) return true;
  for (const auto& child : subtree.Children)
    if (ContainsNode(*child, node)) return true;
  return false;
}

// Depth-first search of the subtree, ignoring case.
const LibraryNode* FindBelow(const LibraryNode& node, std::string_view folded) {
  if (FoldCase(node.Text) == folded) return &node;
  for (const auto& child : node.Children)
    if (const LibraryNode* found = FindBelow(*child, folded)) return found;
  return nullptr;
}

std::unique_ptr<LibraryNode> NewNode(std::string_view text, LibraryNode* parent) {
  auto node = std::make_unique<LibraryNode>();
  node->Text = std::string(text);
  node->Parent = parent;
  return node;
}

}  // namespace

int LibraryNode::Row() const {
  if (!Parent) return 0;
  const auto& siblings = Parent->Children;
  for (size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return static_cast<int>(i);
  assert(false && "a node is always among its parent's children");
  return 0;
}

LibraryTree::LibraryTree() : root_(NewNode(RootText, nullptr)), selected_(root_.get()) {}

void LibraryTree::SetText(std::string_view text) {
  root_.reset();
  selected_ = nullptr;
  // The open nodes along the current line's path, one per level.
  std::vector<LibraryNode*> path;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t level = 0;
    while (level < line.size() && line[level] == '\t') ++level;
    const std::string_view nodeText = line.substr(level);
    if (Trim(nodeText).empty()) continue;
    if (!root_) {
      root_ = NewNode(nodeText, nullptr);
      path.assign(1, root_.get());
      continue;
    }
    // A second line of level 0 has no place of its own: it goes below the root.
    level = std::clamp<size_t>(level, 1, path.size());
    path.resize(level);
    LibraryNode* parent = path.back();
    parent->Children.push_back(NewNode(nodeText, parent));
    path.push_back(parent->Children.back().get());
  }
  if (!root_) root_ = NewNode(RootText, nullptr);
  SortBelow(*root_);
  selected_ = root_.get();
}

std::string LibraryTree::Text() const {
  std::string out;
  AppendLines(*root_, 0, out);
  return out;
}

Status LibraryTree::Load(const std::filesystem::path& file) {
  auto bytes = ReadWholeFile(file);
  if (!bytes) {
    SetText({});
    if (bytes.status().code() == StatusCode::NotFound) return Status::Ok();
    // A tree that cannot be read is moved aside, so the next save cannot replace it.
    std::filesystem::path aside = file;
    aside += ".unreadable";
    std::error_code error;
    if (std::filesystem::exists(aside, error)) return bytes.status();
    if (const Status moved = RenameFile(file, aside); !moved.ok()) {
      return Status::IoError(std::string(bytes.status().message()) + "; " +
                             std::string(moved.message()));
    }
    return bytes.status();
  }
  SetText(Cp1252ToUtf8(*bytes));
  return Status::Ok();
}

Status LibraryTree::Save(const std::filesystem::path& file) const {
  return WriteFileAtomically(file, Utf8ToCp1252(Text()));
}

LibraryNode& LibraryTree::AddChild(LibraryNode& parent, std::string_view text) {
  assert(ContainsNode(*root_, &parent) && "the parent belongs to this tree");
  parent.Children.insert(parent.Children.begin(), NewNode(text, &parent));
  LibraryNode& added = *parent.Children.front();
  SortChildren(parent);
  return added;
}

void LibraryTree::Delete(LibraryNode& node) {
  assert(node.Parent && "the root is never deleted");
  if (ContainsNode(node, selected_)) selected_ = nullptr;
  auto& siblings = node.Parent->Children;
  siblings.erase(siblings.begin() + node.Row());
}

void LibraryTree::Sort() {
  SortBelow(*root_);
}

void LibraryTree::MoveSubtree(LibraryNode& node, LibraryNode& target) {
  assert(node.Parent && !IsAncestorOrSelf(node, target) && "a subtree cannot move below itself");
  auto& siblings = node.Parent->Children;
  const auto place = siblings.begin() + node.Row();
  auto owned = std::move(*place);
  siblings.erase(place);
  owned->Parent = &target;
  target.Children.push_back(std::move(owned));
  SortChildren(target);
}

LibraryNode* LibraryTree::Find(std::string_view text) {
  return const_cast<LibraryNode*>(FindBelow(*root_, FoldCase(text)));
}

bool NameExistsInTree(const LibraryNode& start, std::string_view text) {
  const std::string folded = FoldCase(text);
  // The start node, its previous siblings and their subtrees.
  if (start.Parent) {
    for (const auto& sibling : start.Parent->Children) {
      if (sibling.get() == &start) break;
      if (FoldCase(sibling->Text) == folded) return true;
    }
  }
  // The start node's subtree, then everything after it in depth-first order:
  // its later siblings, then those of each ancestor in turn.
  if (FindBelow(start, folded)) return true;
  for (const LibraryNode* node = &start; node->Parent; node = node->Parent) {
    const auto& siblings = node->Parent->Children;
    for (size_t i = static_cast<size_t>(node->Row()) + 1; i < siblings.size(); ++i)
      if (FindBelow(*siblings[i], folded)) return true;
  }
  return false;
}

bool IsAncestorOrSelf(const LibraryNode& a, const LibraryNode& b) {
  for (const LibraryNode* node = &b; node; node = node->Parent)
    if (node == &a) return true;
  return false;
}

NodeKind KindOf(const std::filesystem::path& appFolder, const LibraryNode* node) {
  if (!node) return NodeKind::Missing;
  if (!node->Parent) return NodeKind::Root;
  // A name that cannot be a file name can never have a stock file.
  if (node->Text.find('/') != std::string::npos) return NodeKind::Folder;
  std::error_code error;
  const auto file = ResolveFileName(appFolder, "Stocks/" + node->Text + ".kvx");
  return std::filesystem::is_regular_file(file, error) ? NodeKind::Stock : NodeKind::Folder;
}

NodeImage ImageOf(const std::filesystem::path& appFolder, const LibraryNode& node, bool selected) {
  switch (KindOf(appFolder, &node)) {
    case NodeKind::Root:
      return NodeImage::Root;
    case NodeKind::Stock:
      return NodeImage::Stock;
    default:
      return selected || node.Expanded ? NodeImage::OpenFolder : NodeImage::ClosedFolder;
  }
}

}  // namespace chartorium
