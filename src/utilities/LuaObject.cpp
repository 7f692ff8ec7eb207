// Creates and removes the global Lua table of a binder name.
#include "utilities/LuaObject.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <unordered_map>
#include <vector>

#include <lua.hpp>

#include "engine/DelayedCallQueue.h"
#include "utilities/ArgumentList.h"
#include "utilities/LuaStack.h"
#include "utilities/LuaState.h"
#include "utilities/MethodTable.h"

namespace ZELM {
namespace {

const char kMethodMetatable[] = "ZELM.LuaMethod";
const char kFieldListMetatable[] = "ZELM.LuaFieldList";

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

}  // namespace

// The methods a name's table exposes, by field; a field's closure is made on first access.
struct LuaFieldList {
    struct Field {
        LuaMethod method;
        bool made;
    };
    std::unordered_map<std::string, Field> fields;
    // The fields that hold plain functions.
    std::vector<std::string> functionFields;
    // Bindings not yet entered in `fields`, in binding order. Most names are never read by a
    // script, so a binding that cannot clear a stored value is only noted, and the fields are
    // entered when the table is first read.
    std::vector<LuaMethod> pending;
    // Whether a script has read a method field (its closure is stored in the table): from then
    // on bindings are entered at once.
    bool anyClosureMade = false;

    // Whether the binding can be noted for later rather than entered now.
    bool CanWait(const MethodName& method) const;
    // Enters one binding; a stored value it replaces is cleared from the table at tableIndex.
    void Enter(const LuaMethod& method, lua_State* L, int tableIndex);
    // Enters the noted bindings in their order.
    void EnterPending(lua_State* L, int tableIndex);
};

namespace {

// Whether a method's name, with its spaces as underscores, is the field.
bool NamesField(const MethodName& method, const std::string& field) {
    const std::string& text = method.GetText();
    return text.size() == field.size() &&
           std::equal(text.begin(), text.end(), field.begin(), [](char a, char b) { return (a == ' ' ? '_' : a) == b; });
}

}  // namespace

bool LuaFieldList::CanWait(const MethodName& method) const {
    return !anyClosureMade && std::none_of(functionFields.begin(), functionFields.end(),
                                           [&method](const std::string& field) { return NamesField(method, field); });
}

void LuaFieldList::Enter(const LuaMethod& method, lua_State* L, int tableIndex) {
    std::string field = method.name.GetText();
    std::replace(field.begin(), field.end(), ' ', '_');
    const auto known = fields.find(field);
    if (known != fields.end() && known->second.method.kind != CallKind::Immediate) {
        return;  // later bindings join the list the closure already reaches, whatever their kind
    }
    const bool stored = (known != fields.end() && known->second.made) ||
                        std::find(functionFields.begin(), functionFields.end(), field) != functionFields.end();
    fields.insert_or_assign(field, Field{method, false});
    if (stored) {
        // The stored value gives way, so the next read makes the closure of this binding.
        lua_pushnil(L);
        lua_setfield(L, tableIndex, field.c_str());
    }
}

void LuaFieldList::EnterPending(lua_State* L, int tableIndex) {
    for (const LuaMethod& method : pending) {
        Enter(method, L, tableIndex);
    }
    pending.clear();
    pending.shrink_to_fit();
}

namespace {

int CollectFieldList(lua_State* L) {
    using Owner = std::shared_ptr<LuaFieldList>;
    static_cast<Owner*>(lua_touserdata(L, 1))->~Owner();
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
                delegate->CompareAndInvoke(arguments);
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

// Pushes a closure that calls the method.
void PushMethodClosure(lua_State* L, const LuaMethod& method) {
    void* memory = lua_newuserdata(L, sizeof(LuaMethod));
    new (memory) LuaMethod(method);
    if (luaL_newmetatable(L, kMethodMetatable)) {
        lua_pushcfunction(L, CollectMethod);
        lua_setfield(L, -2, "__gc");
    }
    lua_setmetatable(L, -2);
    lua_pushcclosure(L, CallMethod, 1);
}

// __index of a name's table (table, key): makes the closure of an exposed method and stores it
// in the table, so later reads find it without coming here.
int IndexField(lua_State* L) {
    if (lua_type(L, 2) != LUA_TSTRING) {
        return 0;
    }
    auto& list = **static_cast<std::shared_ptr<LuaFieldList>*>(lua_touserdata(L, lua_upvalueindex(1)));
    list.EnterPending(L, 1);
    std::size_t length = 0;
    const char* key = lua_tolstring(L, 2, &length);
    const auto found = list.fields.find(std::string(key, length));
    if (found == list.fields.end()) {
        return 0;
    }
    found->second.made = true;
    list.anyClosureMade = true;
    PushMethodClosure(L, found->second.method);
    lua_pushvalue(L, 2);
    lua_pushvalue(L, -2);
    lua_rawset(L, 1);
    return 1;
}

}  // namespace

LuaObject::LuaObject(const std::string& name)
    : name(name),
      state(LuaState::Get()),
      generation(LuaState::Generation()),
      fields(std::make_shared<LuaFieldList>()) {
    lua_State* L = state;
    lua_newtable(L);  // T
    const int table = lua_gettop(L);
    lua_newtable(L);  // T's own metatable, whose __index makes the method fields
    void* owner = lua_newuserdata(L, sizeof(std::shared_ptr<LuaFieldList>));
    new (owner) std::shared_ptr<LuaFieldList>(fields);
    if (luaL_newmetatable(L, kFieldListMetatable)) {
        lua_pushcfunction(L, CollectFieldList);
        lua_setfield(L, -2, "__gc");
    }
    lua_setmetatable(L, -2);
    lua_pushcclosure(L, IndexField, 1);
    lua_setfield(L, -2, "__index");
    lua_setmetatable(L, table);
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
    if (fields->CanWait(method)) {
        fields->pending.push_back(LuaMethod{table, method, kind});
        return;
    }
    lua_State* L = state;
    lua_rawgeti(L, LUA_REGISTRYINDEX, tableRef);
    fields->EnterPending(L, lua_gettop(L));
    fields->Enter(LuaMethod{table, method, kind}, L, lua_gettop(L));
    lua_pop(L, 1);
}

void LuaObject::AddFunctionLua(const std::string& field, int (*function)(lua_State*)) {
    if (removed || !StateIsOpen()) {
        return;
    }
    lua_State* L = state;
    lua_rawgeti(L, LUA_REGISTRYINDEX, tableRef);
    // Bindings made before the function are entered first, so that it replaces them as it would have.
    fields->EnterPending(L, lua_gettop(L));
    lua_pushlstring(L, name.data(), name.size());
    lua_pushcclosure(L, function, 1);
    lua_setfield(L, -2, field.c_str());
    lua_pop(L, 1);
    fields->functionFields.push_back(field);
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
