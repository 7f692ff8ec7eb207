// The shared Lua state.
#include "utilities/LuaState.h"

#include <lua.hpp>

namespace ZELM {
namespace {

lua_State* state = nullptr;
int generation = 0;

}  // namespace

lua_State* LuaState::Get() {
    if (state == nullptr) {
        state = luaL_newstate();
        luaL_openlibs(state);
        ++generation;
    }
    return state;
}

void LuaState::Close() {
    if (state != nullptr) {
        lua_close(state);
        state = nullptr;
    }
}

int LuaState::Generation() { return state != nullptr ? generation : -1; }

bool LuaState::RunFile(const char* path) {
    lua_State* L = Get();
    if (luaL_loadfile(L, path) != 0) {
        lua_pop(L, 1);
        return false;
    }
    if (lua_pcall(L, 0, 0, 0) != 0) {
        lua_pop(L, 1);
        return false;
    }
    return true;
}

}  // namespace ZELM
