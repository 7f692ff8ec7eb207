// Creates and removes the global Lua table of a binder name.
#include "utilities/LuaObject.h"

#include <cstdio>
#include <new>

#include <lua.hpp>

#include "engine/DelayedCallQueue.h"
#include "utilities/ArgumentList.h"
#include "utilities/LuaStack.h"
#include "utilities/LuaState.h"
#include "utilities/MethodTable.h"

namespace ZELM {
namespace {

const char kMethodMetatable[] = "ZELM.LuaMethod";

// What a script's closure holds: where to find the method when it is called.
struct LuaMethod {
    std::weak_ptr<MethodTable> table;
    MethodName name;
    CallKind kind;
};

int CollectMethod(lua_State* L) {
    static_cast<LuaMethod*>(lua_touserdata(L, 1))->~LuaMethod();
    return 0;
}

// Runs the call; returns the number of results pushed, or -1 with `error` filled. No Lua error
// may be raised in here: it would jump over the destructors of the C++ objects on this frame.
int Dispatch(lua_State* L, const LuaMethod& method, char* error, std::size_t errorSize) {
    const std::shared_ptr<MethodTable> table = method.table.lock();
    Delegate* first = nullptr;
    if (table) {
        switch (method.kind) {
            case CallKind::Immediate: {
                const auto* found = table->immediate.Find(method.name);
                first = found != nullptr ? found->get() : nullptr;
                break;
            }
            case CallKind::Broadcast: {
                const auto* found = table->broadcast.Find(method.name);
                first = found != nullptr && !found->empty() ? found->front().get() : nullptr;
                break;
            }
            case CallKind::Deferred: {
                const auto* found = table->deferred.Find(method.name);
                first = found != nullptr && !found->empty() ? found->front().get() : nullptr;
                break;
            }
        }
    }
    if (first == nullptr) {
        if (method.kind == CallKind::Immediate) {
            std::snprintf(error, errorSize, "Could not find any bound method(s) named \"%s\"!",
                          method.name.GetText().c_str());
            return -1;
        }
        return 0;  // broadcast and deferred calls of nothing are no error
    }
    if (!first->IsSerializable()) {
        std::snprintf(error, errorSize, "Method \"%s\" contains unserializable types and could not be bound to Lua!",
                      method.name.GetText().c_str());
        return -1;
    }

    // The arguments are the last values of the call, so Player.SetX(3) and Player:SetX(3) agree.
    const int count = static_cast<int>(first->GetParameterCount());
    LuaStack reader(L, LuaStack::Direction::Read, lua_gettop(L) - count + 1);
    ArgumentList arguments;
    first->ReadArguments(reader, arguments);

    switch (method.kind) {
        case CallKind::Immediate: {
            LuaStack writer(L, LuaStack::Direction::Write);
            return first->InvokeAndWriteResult(arguments, writer) ? 1 : 0;
        }
        case CallKind::Broadcast: {
            const auto& delegates = table->broadcast[method.name];
            for (auto it = delegates.begin(); it != delegates.end();) {
                Delegate* delegate = (it++)->get();
                if (delegate->Compare(arguments)) {
                    delegate->Invoke(arguments);
                }
            }
            return 0;
        }
        case CallKind::Deferred:
            DelayedCallQueue::Instance().Add(
                std::make_unique<DelayedCall>(table, method.name, std::move(arguments), 0.0f));
            return 0;
    }
    return 0;
}

int CallMethod(lua_State* L) {
    const auto* method = static_cast<const LuaMethod*>(lua_touserdata(L, lua_upvalueindex(1)));
    char error[512];
    const int results = Dispatch(L, *method, error, sizeof error);
    if (results < 0) {
        return luaL_error(L, "%s", error);
    }
    return results;
}

}  // namespace

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

void LuaObject::AddMethodLua(const MethodName& method, CallKind kind, const std::weak_ptr<MethodTable>& table) {
    if (removed || !StateIsOpen()) {
        return;
    }
    std::string field = method.GetText();
    for (char& c : field) {
        if (c == ' ') {
            c = '_';
        }
    }
    const auto known = exposed.find(field);
    if (known != exposed.end() && known->second != CallKind::Immediate) {
        return;  // later bindings join the list the closure already reaches, whatever their kind
    }
    exposed[field] = kind;

    lua_State* L = state;
    lua_rawgeti(L, LUA_REGISTRYINDEX, tableRef);
    void* memory = lua_newuserdata(L, sizeof(LuaMethod));
    new (memory) LuaMethod{table, method, kind};
    if (luaL_newmetatable(L, kMethodMetatable)) {
        lua_pushcfunction(L, CollectMethod);
        lua_setfield(L, -2, "__gc");
    }
    lua_setmetatable(L, -2);
    lua_pushcclosure(L, CallMethod, 1);
    lua_setfield(L, -2, field.c_str());
    lua_pop(L, 1);
}

void LuaObject::AddFunctionLua(const std::string& field, int (*function)(lua_State*)) {
    if (removed || !StateIsOpen()) {
        return;
    }
    lua_State* L = state;
    lua_rawgeti(L, LUA_REGISTRYINDEX, tableRef);
    lua_pushlstring(L, name.data(), name.size());
    lua_pushcclosure(L, function, 1);
    lua_setfield(L, -2, field.c_str());
    lua_pop(L, 1);
}

void LuaObject::PushTable(lua_State* target) const {
    if (!removed && StateIsOpen()) {
        lua_rawgeti(target != nullptr ? target : state, LUA_REGISTRYINDEX, tableRef);
    }
}

bool LuaObject::StateIsOpen() const {
    return LuaState::Generation() == generation && LuaState::Get() == state;
}

}  // namespace ZELM
