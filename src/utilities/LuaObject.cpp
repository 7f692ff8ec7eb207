// Creates and removes the global Lua table of a binder name.
#include "utilities/LuaObject.h"

#include <lua.hpp>

#include "utilities/LuaState.h"

namespace ZELM {

LuaObject::LuaObject(const std::string& name)
    : name(name), state(LuaState::Get()), generation(LuaState::Generation()) {
    lua_State* L = state;
    lua_newtable(L);  // T
    const int table = lua_gettop(L);
    luaL_newmetatable(L, name.c_str());  // the metatable kept under the name in the registry
    lua_pushvalue(L, table);
    lua_setfield(L, -2, "__metatable");
    lua_pushvalue(L, table);
    lua_setfield(L, -2, "__index");
    lua_pop(L, 1);
    lua_pushvalue(L, table);
    lua_setglobal(L, name.c_str());
    tableRef = luaL_ref(L, LUA_REGISTRYINDEX);  // pops T
}

LuaObject::~LuaObject() { Remove(); }

void LuaObject::Remove() {
    if (removed || !StateIsOpen()) {
        return;
    }
    removed = true;
    lua_State* L = state;
    // A destroyed name's global goes too, so scripts cannot reach deleted methods; a newer table
    // of the same name (the name was bound again meanwhile) is left alone.
    lua_getglobal(L, name.c_str());
    lua_rawgeti(L, LUA_REGISTRYINDEX, tableRef);
    if (lua_rawequal(L, -1, -2)) {
        lua_pushnil(L);
        lua_setglobal(L, name.c_str());
    }
    lua_pop(L, 2);
    luaL_unref(L, LUA_REGISTRYINDEX, tableRef);
}

void LuaObject::PushTable() const {
    if (!removed && StateIsOpen()) {
        lua_rawgeti(state, LUA_REGISTRYINDEX, tableRef);
    }
}

bool LuaObject::StateIsOpen() const {
    return LuaState::Generation() == generation && LuaState::Get() == state;
}

}  // namespace ZELM
