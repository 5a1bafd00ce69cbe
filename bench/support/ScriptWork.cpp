#include "support/ScriptWork.h"

#include "vbscript/ScriptHost.h"

namespace chartorium::vbscript {

void RunScriptWork(benchmark::State& state, const char* code, std::span<const Variant> args) {
  ScriptHost host;
  host.SetTimeout(0);
  if (!host.AddCode(code)) {
    state.SkipWithError(host.LastError().Description.c_str());
    return;
  }
  for (auto _ : state) {
    ScriptResult r = host.Run("Work", args);
    if (!r.Ok) {
      state.SkipWithError(host.LastError().Description.c_str());
      return;
    }
    benchmark::DoNotOptimize(r.Value);
  }
}

}  // namespace chartorium::vbscript
