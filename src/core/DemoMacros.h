// The custom indicators and trading systems the demo library comes with.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>

#include "core/Status.h"

namespace chartorium {

/// One macro file of the demo, its path relative to the data folder.
struct DemoMacroFile {
  std::string_view Path;
  std::string_view Text;
};

/// The macro texts and their lists ("Indicators.dat", "Signals.dat").
std::span<const DemoMacroFile> DemoMacroFiles();

/// Writes every demo macro file below `home`, lines ending in CR LF as the
/// program's own editors save them.
Status WriteDemoMacros(const std::filesystem::path& home);

}  // namespace chartorium
