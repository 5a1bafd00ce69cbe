// VBScript engine speed: the script pairs of bench/scripts (scaled down) and native calls.
#include <benchmark/benchmark.h>

#include <memory>

#include "support/ScriptWork.h"
#include "vbscript/Conversion.h"
#include "vbscript/ScriptHost.h"

namespace chartorium::vbscript {
namespace {

constexpr const char* NumericLoop =
    "Function Work()\n  Dim i, s : s = 0\n  For i = 1 To 100000\n    s = s + i * 0.5 - 1\n"
    "  Next\n  Work = s\nEnd Function";
constexpr const char* MovingAverage =
    "Function Work()\n  Dim v(2001), ma(2001), i, j, sum\n"
    "  For i = 1 To 2001 : v(i) = Sin(i / 10) * 50 + 100 : Next\n"
    "  For i = 20 To 2001\n    sum = 0\n    For j = i - 19 To i : sum = sum + v(j) : Next\n"
    "    ma(i) = sum / 20\n  Next\n  Work = ma(2001)\nEnd Function";
constexpr const char* StringBuilding =
    "Function Work()\n  Dim s, i : s = \"\"\n  For i = 1 To 10000 : s = s & \"x\" & (i Mod 10) : "
    "Next\n"
    "  Work = Len(s)\nEnd Function";
constexpr const char* Fib =
    "Function Fib(n)\n  If n < 2 Then\n    Fib = n\n  Else\n    Fib = Fib(n - 1) + Fib(n - 2)\n"
    "  End If\nEnd Function\nFunction Work() : Work = Fib(18) : End Function";
constexpr const char* SelectDispatch =
    "Function Work()\n  Dim i, a, b\n  a = 0 : b = 0\n  For i = 1 To 100000\n"
    "    Select Case i Mod 5\n    Case 0 : a = a + 1\n    Case 1, 2 : b = b + 1\n"
    "    Case Else : a = a - 1\n    End Select\n  Next\n  Work = a + b\nEnd Function";

void BM_NumericLoop(benchmark::State& state) {
  RunScriptWork(state, NumericLoop);
}
void BM_MovingAverage(benchmark::State& state) {
  RunScriptWork(state, MovingAverage);
}
void BM_StringBuilding(benchmark::State& state) {
  RunScriptWork(state, StringBuilding);
}
void BM_Fib18(benchmark::State& state) {
  RunScriptWork(state, Fib);
}
void BM_SelectDispatch(benchmark::State& state) {
  RunScriptWork(state, SelectDispatch);
}

// A macro-style object: Close(place) as a global member, called once per bar.
class CloseObject final : public NativeObject {
 public:
  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int, std::span<Variant> args, Variant& result) override {
    result = Variant::Double(ToDouble(args[0]) * 0.5);
  }

 private:
  static constexpr NativeMember Table[] = {{"Close", MemberKind::Method, 1, -1, true}};
};

void BM_NativeCallPerBar(benchmark::State& state) {
  ScriptHost host;
  host.SetTimeout(0);
  static_cast<void>(host.AddObject("KVX", std::make_shared<CloseObject>(), true));
  if (!host.AddCode("Function Work()\n  Dim i, s : s = 0\n  For i = 1 To 2001 : s = s + Close(i) : "
                    "Next\n  Work = s\nEnd Function")) {
    state.SkipWithError(host.LastError().Description.c_str());
    return;
  }
  for (auto _ : state) {
    ScriptResult r = host.Run("Work");
    benchmark::DoNotOptimize(r.Value);
  }
  state.SetItemsProcessed(state.iterations() * 2001);
}

// The tester reads CurrentBar after each native call: through a function compiled once, and
// through a handle found once.
constexpr const char* CurrentBarCode =
    "CurrentBar = 1234\nFunction ReadCurrentBar() : ReadCurrentBar = CurrentBar : End Function";

void BM_ReadGlobalByRun(benchmark::State& state) {
  ScriptHost host;
  if (!host.AddCode(CurrentBarCode)) {
    state.SkipWithError(host.LastError().Description.c_str());
    return;
  }
  for (auto _ : state) {
    ScriptResult r = host.Run("ReadCurrentBar");
    benchmark::DoNotOptimize(r.Value);
  }
}

void BM_ReadGlobalByHandle(benchmark::State& state) {
  ScriptHost host;
  if (!host.AddCode(CurrentBarCode)) {
    state.SkipWithError(host.LastError().Description.c_str());
    return;
  }
  const GlobalHandle handle = host.FindGlobal("CurrentBar");
  for (auto _ : state) {
    const int32_t bar = ToLong(host.GlobalValue(handle));
    benchmark::DoNotOptimize(bar);
  }
}

void BM_CompileIndicatorText(benchmark::State& state) {
  for (auto _ : state) {
    ScriptHost host;
    bool ok = host.AddCode(MovingAverage) && host.AddCode(SelectDispatch);
    benchmark::DoNotOptimize(ok);
  }
}

BENCHMARK(BM_NumericLoop);
BENCHMARK(BM_MovingAverage);
BENCHMARK(BM_StringBuilding);
BENCHMARK(BM_Fib18);
BENCHMARK(BM_SelectDispatch);
BENCHMARK(BM_NativeCallPerBar);
BENCHMARK(BM_ReadGlobalByRun);
BENCHMARK(BM_ReadGlobalByHandle);
BENCHMARK(BM_CompileIndicatorText);

}  // namespace
}  // namespace chartorium::vbscript
