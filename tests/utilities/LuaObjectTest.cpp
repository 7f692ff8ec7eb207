// The Lua-side table of a binder name: created with the name, removed with it.
#include <lua.hpp>

#include <gtest/gtest.h>

#include "utilities/Dynamic.h"
#include "utilities/LuaState.h"

namespace {

bool GlobalIsTable(const char* name) {
    lua_State* L = ZELM::LuaState::Get();
    lua_getglobal(L, name);
    const bool isTable = lua_istable(L, -1);
    lua_pop(L, 1);
    return isTable;
}

TEST(LuaObject, ANameHasAGlobalTableWithItsMetatable) {
    ZELM::DynamicBinder binder;
    binder.SetName("LuaNamed");
    ASSERT_TRUE(GlobalIsTable("LuaNamed"));

    lua_State* L = ZELM::LuaState::Get();
    lua_getglobal(L, "LuaNamed");
    luaL_getmetatable(L, "LuaNamed");
    lua_getfield(L, -1, "__index");
    EXPECT_TRUE(lua_rawequal(L, -1, -3)) << "__index of the registry metatable is the global table";
    lua_pop(L, 3);

    binder.RemoveName();
    EXPECT_FALSE(GlobalIsTable("LuaNamed")) << "a removed name's global goes with it";
    ZELM::LuaState::Close();
}

TEST(LuaObject, SharersOfANameShareOneTableAndAClosedStateIsLeftAlone) {
    {
        ZELM::DynamicBinder first;
        ZELM::DynamicBinder second;
        first.SetName("LuaShared");
        second.SetName("LuaShared");
        lua_State* L = ZELM::LuaState::Get();
        luaL_dostring(L, "LuaShared.mark = 1");
        second.RemoveName();
        EXPECT_FALSE(GlobalIsTable("LuaShared"));
        first.SetName("LuaAfterClose");
        ZELM::LuaState::Close();
    }  // destroying tables after the state closed must not touch it
    EXPECT_FALSE(GlobalIsTable("LuaAfterClose"));
    ZELM::LuaState::Close();
}

TEST(LuaState, RunFileReportsLoadAndRuntimeFailures) {
    EXPECT_FALSE(ZELM::LuaState::RunFile("/nonexistent/MathFunctions.lua"));
    lua_State* L = ZELM::LuaState::Get();
    EXPECT_EQ(lua_gettop(L), 0) << "a failed load leaves the stack empty";
    ZELM::LuaState::Close();
}

}  // namespace
