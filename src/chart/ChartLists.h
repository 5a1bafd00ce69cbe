// The chart window's lists: the indicators that can go into a pane and the
// trading systems whose signals the price pane can show.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium {

/// The first entry of the systems list: no system, no signals.
constexpr std::string_view NoSystemEntry = "None";

/// The custom indicators of "Indicators.dat", the built-in indicators,
/// "Volume" and "Open Interest", sorted alphabetically without regard to case.
std::vector<std::string> IndicatorListEntries(const std::filesystem::path& appFolder);

/// "None", then the names of "Signals.dat" in file order (a missing file
/// gives "None" alone).
std::vector<std::string> SystemListEntries(const std::filesystem::path& appFolder);

/// The text of the system file `name` in the "Signals" folder, as UTF-8;
/// empty for "None" and for a file that cannot be read.
std::string ReadSystemText(const std::filesystem::path& appFolder, std::string_view name);

}  // namespace chartorium
