// What the macro commands of chartorium-cli share: a workspace with the
// macro object's state on one stock of the home.
#pragma once

#include <memory>
#include <string_view>

#include "cli/CliCommand.h"

namespace chartorium {
class Workspace;
}

namespace chartorium::cli {

/// The home's preferences and the stock `name` (daily bars) in a new
/// workspace whose custom indicators run by name. Null after printing why
/// not; `exitCode` then says how the command should end.
std::unique_ptr<Workspace> OpenMacroStock(CliContext& context, std::string_view name,
                                          int& exitCode);

}  // namespace chartorium::cli
