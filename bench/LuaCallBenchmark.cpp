// A script's call of a bound method with two floats and a result, against the same call by name.
#include <lua.hpp>

#include <benchmark/benchmark.h>

#include "utilities/Dynamic.h"
#include "utilities/LuaState.h"

namespace {

class Adder : public ZELM::DynamicBinder, public ZELM::DynamicCaller {
public:
    Adder() {
        SetName("Adder");
        Bind("Add", this, &Adder::Add);
    }
    float Add(float a, float b) { return a + b; }
};

void NativeCallByName(benchmark::State& state) {
    Adder adder;
    float total = 0.0f;
    for (auto _ : state) {
        total = adder.Call<float>("Add", total, 1.0f);
    }
    benchmark::DoNotOptimize(total);
}
BENCHMARK(NativeCallByName);

// One script call per iteration, run from a Lua loop so the benchmark measures the binding rather
// than entering Lua from C++.
void LuaCallOfABoundMethod(benchmark::State& state) {
    Adder adder;
    lua_State* L = ZELM::LuaState::Get();
    luaL_dostring(L, "function Run(n) local t = 0 for i = 1, n do t = Adder.Add(t, 1) end return t end");
    constexpr int kCallsPerRun = 1000;
    for (auto _ : state) {
        lua_getglobal(L, "Run");
        lua_pushnumber(L, kCallsPerRun);
        lua_call(L, 1, 1);
        benchmark::DoNotOptimize(lua_tonumber(L, -1));
        lua_pop(L, 1);
    }
    state.SetItemsProcessed(state.iterations() * kCallsPerRun);
    ZELM::LuaState::Close();
}
BENCHMARK(LuaCallOfABoundMethod);

}  // namespace
