// RegExp speed: a Global Replace and a Global Execute over a 100 kB report text.
#include <benchmark/benchmark.h>

#include <string>

#include "support/ScriptWork.h"

namespace chartorium::vbscript {
namespace {

// Lines such as a system report writes: dates, prices, volumes and words.
std::string ReportText() {
  std::string text;
  for (int i = 0; text.size() < 100000; ++i)
    text += "2024-01-" + std::to_string(10 + i % 20) + " IBM close " +
            std::to_string(100 + i % 97) + "." + std::to_string(10 + i % 89) + " volume " +
            std::to_string(5000 + i * 7) + "; signal Buy\r\n";
  return text;
}

constexpr const char* ReplaceCode =
    "Function Work(text)\n  Dim re : Set re = New RegExp\n  re.Global = True\n"
    "  re.Pattern = \"(\\d+)\\.(\\d+)\"\n  Work = Len(re.Replace(text, \"$2,$1\"))\nEnd Function";
constexpr const char* ExecuteCode =
    "Function Work(text)\n  Dim re : Set re = New RegExp\n  re.Global = True : re.IgnoreCase = "
    "True\n"
    "  re.Pattern = \"\\bvolume (\\d+)\"\n  Work = re.Execute(text).Count\nEnd Function";

void RunOverReport(benchmark::State& state, const char* code) {
  const Variant text = Variant::String(ReportText());
  RunScriptWork(state, code, std::span<const Variant>(&text, 1));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.AsString().size()));
}

void BM_RegExpGlobalReplace100k(benchmark::State& state) {
  RunOverReport(state, ReplaceCode);
}
void BM_RegExpGlobalExecute100k(benchmark::State& state) {
  RunOverReport(state, ExecuteCode);
}

BENCHMARK(BM_RegExpGlobalReplace100k);
BENCHMARK(BM_RegExpGlobalExecute100k);

}  // namespace
}  // namespace chartorium::vbscript
