// The shape of a real trading system, one native call per bar:
//   For CurrentBar = BeginBar To EndBar : If Cross(1, 2, CurrentBar) Then Buy ...
// against the same loop in Lua 5.4 calling C functions. Both call a Cross over the same two
// arrays; the object is the benchmark's own, so the figure is the engine's call cost alone.
//
// Lua is loaded at run time from its shared library (Debian's liblua5.4-0), with the few API
// functions the loop needs declared here: the benchmark needs no Lua headers, and without the
// library the Lua half is skipped with a message.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cmath>
#include <memory>
#include <type_traits>
#include <vector>

#include "vbscript/Conversion.h"
#include "vbscript/ScriptHost.h"

namespace chartorium::vbscript {
namespace {

constexpr int Bars = 2001;

/// Two series over the bars: a price and its moving average, crossing now and then.
struct CrossData {
  std::vector<float> Series[2];
  CrossData() {
    for (int i = 0; i < Bars; ++i) {
      Series[0].push_back(
          static_cast<float>(100 + 10 * std::sin(i / 15.0) + 3 * std::sin(i / 2.0)));
      Series[1].push_back(static_cast<float>(100 + 10 * std::sin((i - 5) / 15.0)));
    }
  }
  /// Series `a` crosses above `b` at `bar` (1-based series numbers).
  bool Cross(int a, int b, int bar) const {
    if (a < 1 || a > 2 || b < 1 || b > 2 || bar < 1 || bar >= Bars) return false;
    const std::vector<float>& x = Series[a - 1];
    const std::vector<float>& y = Series[b - 1];
    return x[static_cast<size_t>(bar - 1)] <= y[static_cast<size_t>(bar - 1)] &&
           x[static_cast<size_t>(bar)] > y[static_cast<size_t>(bar)];
  }
};

const CrossData& Data() {
  static const CrossData data;
  return data;
}

/// BeginBar, EndBar, Cross(a, b, bar), Buy and Sell as global members.
class SystemObject final : public NativeObject {
 public:
  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int index, std::span<Variant> args, Variant& result) override {
    switch (index) {
      case 0:
        result = Variant::Long(1);
        return;
      case 1:
        result = Variant::Long(Bars - 1);
        return;
      case 2:
        result = Variant::Boolean(Data().Cross(ToLong(args[0]), ToLong(args[1]), ToLong(args[2])));
        return;
      case 3:
        ++Position;
        return;
      default:
        --Position;
        return;
    }
  }
  int Position = 0;

 private:
  static constexpr NativeMember Table[] = {
      {"BeginBar", MemberKind::PropertyGet, 0, -1, true},
      {"EndBar", MemberKind::PropertyGet, 0, -1, true},
      {"Cross", MemberKind::Method, 3, -1, true},
      {"Buy", MemberKind::Method, 0},
      {"Sell", MemberKind::Method, 0},
  };
};

constexpr const char* SystemScript =
    "Sub Main()\n"
    "  Dim CurrentBar\n"
    "  For CurrentBar = BeginBar To EndBar\n"
    "    If Cross(1, 2, CurrentBar) Then Buy\n"
    "    If Cross(2, 1, CurrentBar) Then Sell\n"
    "  Next\n"
    "End Sub\n";

void BM_NativeCallPerBar_VBScript(benchmark::State& state) {
  ScriptHost host;
  auto system = std::make_shared<SystemObject>();
  host.SetTimeout(0);
  if (!host.AddObject("System", system, true) || !host.AddCode(SystemScript)) {
    state.SkipWithError(host.LastError().Description.c_str());
    return;
  }
  for (auto _ : state) {
    if (!host.Run("Main")) {
      state.SkipWithError(host.LastError().Description.c_str());
      return;
    }
  }
  benchmark::DoNotOptimize(system->Position);
  state.SetItemsProcessed(state.iterations() * (Bars - 1));
}
BENCHMARK(BM_NativeCallPerBar_VBScript);

// ---- the Lua peer ----

struct lua_State;
using lua_CFunction = int (*)(lua_State*);

/// The Lua 5.4 API functions the loop uses, found in the shared library.
struct LuaApi {
  void* Library = nullptr;
  lua_State* (*NewState)() = nullptr;
  void (*Close)(lua_State*) = nullptr;
  void (*OpenLibs)(lua_State*) = nullptr;
  int (*LoadString)(lua_State*, const char*) = nullptr;
  int (*PCallK)(lua_State*, int, int, int, intptr_t, void*) = nullptr;
  void (*PushCClosure)(lua_State*, lua_CFunction, int) = nullptr;
  void (*SetGlobal)(lua_State*, const char*) = nullptr;
  int (*GetGlobal)(lua_State*, const char*) = nullptr;
  long long (*ToIntegerX)(lua_State*, int, int*) = nullptr;
  void (*PushBoolean)(lua_State*, int) = nullptr;
  void (*PushInteger)(lua_State*, long long) = nullptr;
  const char* (*ToLString)(lua_State*, int, size_t*) = nullptr;
  void (*SetTop)(lua_State*, int) = nullptr;
  void (*PushLightUserData)(lua_State*, void*) = nullptr;
  void* (*ToUserData)(lua_State*, int) = nullptr;

  bool Load() {
    Library = dlopen("liblua5.4.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!Library) return false;
    auto find = [this](auto& fn, const char* name) {
      fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(Library, name));
      return fn != nullptr;
    };
    return find(NewState, "luaL_newstate") && find(Close, "lua_close") &&
           find(OpenLibs, "luaL_openlibs") && find(LoadString, "luaL_loadstring") &&
           find(PCallK, "lua_pcallk") && find(PushCClosure, "lua_pushcclosure") &&
           find(SetGlobal, "lua_setglobal") && find(GetGlobal, "lua_getglobal") &&
           find(ToIntegerX, "lua_tointegerx") && find(PushBoolean, "lua_pushboolean") &&
           find(PushInteger, "lua_pushinteger") && find(ToLString, "lua_tolstring") &&
           find(SetTop, "lua_settop") && find(PushLightUserData, "lua_pushlightuserdata") &&
           find(ToUserData, "lua_touserdata");
  }
};

const LuaApi* Lua() {
  static const std::unique_ptr<LuaApi> api = [] {
    auto loaded = std::make_unique<LuaApi>();
    if (!loaded->Load()) loaded.reset();
    return loaded;
  }();
  return api.get();
}

// lua_upvalueindex(1) of Lua 5.4: the registry's pseudo-index (-LUAI_MAXSTACK - 1000) minus 1.
constexpr int FirstUpvalue = -1000000 - 1000 - 1;

int LuaCross(lua_State* l) {
  const LuaApi& api = *Lua();
  const auto a = static_cast<int>(api.ToIntegerX(l, 1, nullptr));
  const auto b = static_cast<int>(api.ToIntegerX(l, 2, nullptr));
  const auto bar = static_cast<int>(api.ToIntegerX(l, 3, nullptr));
  api.PushBoolean(l, Data().Cross(a, b, bar) ? 1 : 0);
  return 1;
}

// Buy and Sell move the position their upvalue points to.
int LuaBuy(lua_State* l) {
  ++*static_cast<int*>(Lua()->ToUserData(l, FirstUpvalue));
  return 0;
}

int LuaSell(lua_State* l) {
  --*static_cast<int*>(Lua()->ToUserData(l, FirstUpvalue));
  return 0;
}

constexpr const char* LuaSystem =
    "function Main()\n"
    "  for CurrentBar = BeginBar, EndBar do\n"
    "    if Cross(1, 2, CurrentBar) then Buy() end\n"
    "    if Cross(2, 1, CurrentBar) then Sell() end\n"
    "  end\n"
    "end\n";

void BM_NativeCallPerBar_Lua(benchmark::State& state) {
  const LuaApi* api = Lua();
  if (!api) {
    state.SkipWithError("liblua5.4.so.0 is not installed (Debian package liblua5.4-0)");
    return;
  }
  int position = 0;
  lua_State* l = api->NewState();
  api->OpenLibs(l);
  api->PushCClosure(l, &LuaCross, 0);
  api->SetGlobal(l, "Cross");
  api->PushLightUserData(l, &position);
  api->PushCClosure(l, &LuaBuy, 1);
  api->SetGlobal(l, "Buy");
  api->PushLightUserData(l, &position);
  api->PushCClosure(l, &LuaSell, 1);
  api->SetGlobal(l, "Sell");
  api->PushInteger(l, 1);
  api->SetGlobal(l, "BeginBar");
  api->PushInteger(l, Bars - 1);
  api->SetGlobal(l, "EndBar");
  if (api->LoadString(l, LuaSystem) != 0 || api->PCallK(l, 0, 0, 0, 0, nullptr) != 0) {
    state.SkipWithError(api->ToLString(l, -1, nullptr));
    api->Close(l);
    return;
  }
  for (auto _ : state) {
    api->GetGlobal(l, "Main");
    if (api->PCallK(l, 0, 0, 0, 0, nullptr) != 0) {
      state.SkipWithError(api->ToLString(l, -1, nullptr));
      break;
    }
  }
  benchmark::DoNotOptimize(position);
  state.SetItemsProcessed(state.iterations() * (Bars - 1));
  api->Close(l);
}
BENCHMARK(BM_NativeCallPerBar_Lua);

}  // namespace
}  // namespace chartorium::vbscript
