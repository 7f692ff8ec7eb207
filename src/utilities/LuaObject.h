// The Lua-side face of one binder name: the global table of that name in the shared Lua state.
#pragma once

#include <string>

struct lua_State;

namespace ZELM {

class LuaObject {
public:
    explicit LuaObject(const std::string& name);
    ~LuaObject();
    LuaObject(const LuaObject&) = delete;
    LuaObject& operator=(const LuaObject&) = delete;

    const std::string& GetName() const { return name; }
    // Removes the name's global now (when it still refers to this table); the object stays as an
    // inert shell for whoever still holds it.
    void Remove();
    // Pushes the name's table onto the Lua stack; pushes nothing once removed or its state closed.
    void PushTable() const;

private:
    bool StateIsOpen() const;

    std::string name;
    lua_State* state;
    int generation;
    int tableRef;
    bool removed = false;
};

}  // namespace ZELM
