// The Lua-side face of one binder name: the global table of that name in the shared Lua state.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "utilities/MethodName.h"

struct lua_State;

namespace ZELM {

struct MethodTable;
struct LuaFieldList;

// How a bound method is reached, and so how a script's call reaches it.
enum class CallKind { Immediate, Broadcast, Deferred };

class LuaObject {
public:
    explicit LuaObject(const std::string& name);
    ~LuaObject();
    LuaObject(const LuaObject&) = delete;
    LuaObject& operator=(const LuaObject&) = delete;

    const std::string& GetName() const { return name; }
    // Whether its table still lives in the open Lua state (not removed, state not closed since).
    bool IsLive() const { return !removed && StateIsOpen(); }
    // Removes the name's global now (when it still refers to this table); the object stays as an
    // inert shell for whoever still holds it.
    void Remove();
    // Exposes a bound method as a field of the name's table (its name with spaces as underscores,
    // case kept). The field's closure is made the first time a script reads the field, so binding
    // costs no Lua work; it finds the method in the table at call time, so it never reaches a
    // deleted delegate. A broadcast or deferred closure, once exposed, keeps its field: an immediate
    // binding of the same name never replaces it, so the engine's deferred "LoadLevel" stays what
    // scripts reach although the game-flow service binds an immediate "LoadLevel" too.
    void AddMethodLua(const MethodName& method, CallKind kind, const std::weak_ptr<MethodTable>& table);
    // Exposes a plain C function under a field of the table, with the name as its upvalue.
    void AddFunctionLua(const std::string& field, int (*function)(lua_State*));

    // Pushes the name's table onto the stack of the state or one of its threads; pushes nothing
    // once removed or once its state has been closed.
    void PushTable(lua_State* target = nullptr) const;

private:
    bool StateIsOpen() const;

    std::string name;
    lua_State* state;
    int generation;
    int tableRef;
    bool removed = false;
    // Shared with the table's index function, which outlives this object while scripts hold the table.
    std::shared_ptr<LuaFieldList> fields;
};

}  // namespace ZELM
