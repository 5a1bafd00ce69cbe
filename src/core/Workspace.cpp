// The Workspace.
#include "core/Workspace.h"

#include "core/FileNames.h"

namespace chartorium {

Workspace::Workspace(std::filesystem::path appFolder)
    : appFolder_(std::move(appFolder)), quotes_(std::make_unique<QuoteStore>()) {}

Workspace::~Workspace() = default;

std::filesystem::path StockFilePath(const Workspace& workspace, std::string_view stockName) {
  return ResolveFileName(workspace.AppFolder(), "Stocks/" + std::string(stockName) + ".kvx");
}

}  // namespace chartorium
