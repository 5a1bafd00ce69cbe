// The stocks a batch test runs on, chosen by stock or by library folder, and
// the two lists of the "Stocks to check" tool window.
#include <algorithm>
#include <system_error>

#include "core/LibraryTree.h"
#include "core/TextCase.h"
#include "core/Workspace.h"
#include "systems/TestCommands.h"

namespace chartorium {
namespace {

bool HasStockFile(const Workspace& workspace, std::string_view name) {
  std::error_code error;
  return !name.empty() && std::filesystem::is_regular_file(StockFilePath(workspace, name), error);
}

// The first node in tree order (depth first, the root first) that matches.
template <typename Matches>
const LibraryNode* FindInTreeOrder(const LibraryNode& node, const Matches& matches) {
  if (matches(node.Text)) return &node;
  for (const auto& child : node.Children) {
    if (const LibraryNode* found = FindInTreeOrder(*child, matches)) return found;
  }
  return nullptr;
}

void AddFolderTexts(const Workspace& workspace, const LibraryNode& node,
                    std::vector<std::string>& entries) {
  const std::string text(Trim(node.Text));
  if (!HasStockFile(workspace, text)) entries.push_back(text);
  for (const auto& child : node.Children) AddFolderTexts(workspace, *child, entries);
}

}  // namespace

std::vector<std::string> ListeAct(const Workspace& workspace, const StockSelection& selection) {
  if (!selection.ByFolders) return selection.CheckedStocks;
  std::vector<std::string> stocks;
  for (const std::string& folder : selection.CheckedFolders) {
    // Texts are unique ignoring case, but the list holds the tree's own
    // spelling; a folder renamed meanwhile is found without regard to case.
    const LibraryNode& root = workspace.Library.Root();
    const LibraryNode* node =
        FindInTreeOrder(root, [&](std::string_view text) { return text == folder; });
    if (node == nullptr) {
      node = FindInTreeOrder(root,
                             [&](std::string_view text) { return EqualsIgnoreCase(text, folder); });
    }
    if (node == nullptr) continue;
    for (const auto& child : node->Children) {
      if (HasStockFile(workspace, child->Text)) stocks.push_back(child->Text);
    }
  }
  return stocks;
}

std::vector<std::string> StockListEntries(const std::filesystem::path& appFolder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(appFolder / "Stocks", error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code kind;
    if (name.size() > 4 && it->is_regular_file(kind) &&
        EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".kvx")) {
      names.push_back(name.substr(0, name.size() - 4));
    }
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return FoldCase(a) < FoldCase(b); });
  return names;
}

std::vector<std::string> FolderListEntries(const Workspace& workspace) {
  std::vector<std::string> entries;
  AddFolderTexts(workspace, workspace.Library.Root(), entries);
  return entries;
}

}  // namespace chartorium
