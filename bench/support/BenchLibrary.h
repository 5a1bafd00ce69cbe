// What the benchmarks share: a library of generated stocks and the demo
// systems' texts.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace chartorium {

/// "Stock 0", "Stock 1", ...: the names of GeneratedLibrary's stocks.
std::string GeneratedStockName(int i);

/// A data folder "<temp>/<folderName>" holding `stockCount` generated stocks of
/// 2001 bars each (seeds seedBase, seedBase + 1, ...), written afresh.
std::filesystem::path WriteGeneratedLibrary(std::string_view folderName, int stockCount,
                                            unsigned long long seedBase);

/// The text of a demo macro file such as "Signals/MA Crossover"; "" when none.
std::string DemoMacroText(std::string_view path);

}  // namespace chartorium
