// Lua values crossing into the engine: any mix of values and nested tables on the stack, read
// through LuaStack in any order of the engine's types and records.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include <lua.hpp>

#include "utilities/LuaStack.h"

namespace {

// Records nest no deeper than this in the engine's types; the stack is sized for them.
constexpr int kMaxDepth = 8;

void PushValue(lua_State* state, FuzzedDataProvider& input, int depth) {
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            lua_pushnil(state);
            break;
        case 1:
            lua_pushboolean(state, input.ConsumeBool() ? 1 : 0);
            break;
        case 2:
            lua_pushnumber(state, input.ConsumeFloatingPoint<double>());
            break;
        case 3: {
            const std::string text = input.ConsumeRandomLengthString(64);
            lua_pushlstring(state, text.data(), text.size());
            break;
        }
        case 4:
            // Numbers with the bit patterns Lua can make: NaN, infinities, huge and tiny values.
            lua_pushnumber(state, input.ConsumeFloatingPoint<double>() * 1.0e300);
            break;
        default: {
            lua_newtable(state);
            if (depth >= kMaxDepth) {
                break;
            }
            const int fields = input.ConsumeIntegralInRange<int>(0, 6);
            for (int i = 0; i < fields; ++i) {
                PushValue(state, input, depth + 1);
                lua_rawseti(state, -2, input.ConsumeIntegralInRange<int>(-1, 6));
            }
            break;
        }
    }
}

void ReadValues(ZELM::LuaStack& stack, FuzzedDataProvider& input, int depth) {
    const int reads = input.ConsumeIntegralInRange<int>(0, 12);
    for (int i = 0; i < reads && input.remaining_bytes() > 0; ++i) {
        switch (input.ConsumeIntegralInRange<int>(0, 9)) {
            case 0: { std::string v; stack.Serialize(v); break; }
            case 1: { bool v; stack.Serialize(v); break; }
            case 2: { char v; stack.Serialize(v); break; }
            case 3: { unsigned char v; stack.Serialize(v); break; }
            case 4: { double v; stack.Serialize(v); break; }
            case 5: { float v; stack.Serialize(v); break; }
            case 6: { int v; stack.Serialize(v); break; }
            case 7: { unsigned v; stack.Serialize(v); break; }
            case 8: stack.SerializeUnserializable(); break;
            default:
                if (depth < kMaxDepth) {
                    stack.BeginGroup();
                    ReadValues(stack, input, depth + 1);
                    stack.EndGroup();
                }
                break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static lua_State* state = [] {
        lua_State* created = luaL_newstate();
        lua_checkstack(created, 64);
        return created;
    }();
    FuzzedDataProvider input(data, size);
    lua_settop(state, 0);
    const int values = input.ConsumeIntegralInRange<int>(0, 8);
    for (int i = 0; i < values; ++i) {
        PushValue(state, input, 0);
    }
    ZELM::LuaStack stack(state, ZELM::LuaStack::Direction::Read, input.ConsumeIntegralInRange<int>(-2, 10));
    ReadValues(stack, input, 0);
    lua_settop(state, 0);
    return 0;
}
