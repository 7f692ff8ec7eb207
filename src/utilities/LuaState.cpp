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
    std::string ignored;
    return RunFile(path, ignored);
}

bool LuaState::RunFile(const char* path, std::string& error) {
    lua_State* L = Get();
    if (luaL_loadfile(L, path) != 0) {
        const char* message = lua_tostring(L, -1);
        error = message != nullptr ? message : "cannot load the file";
        lua_pop(L, 1);
        return false;
    }
    return Call(L, 0, error);
}

bool LuaState::Call(lua_State* L, int arguments, std::string& error) {
    if (lua_pcall(L, arguments, 0, 0) != 0) {
        const char* message = lua_tostring(L, -1);
        error = message != nullptr ? message : "error object is not a string";
        lua_pop(L, 1);
        return false;
    }
    return true;
}

}  // namespace ZELM
