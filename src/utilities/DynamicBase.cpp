// The registries of method tables, locks and Lua tables, keyed by binder name.
#include "utilities/DynamicBase.h"

#include <unordered_map>

#include "utilities/LuaObject.h"
#include "utilities/MethodTable.h"

namespace ZELM {
namespace {

struct NameTables {
    std::shared_ptr<MethodTable> methods;
    std::shared_ptr<std::recursive_mutex> lock;
    std::shared_ptr<LuaObject> luaTable;
};

std::unordered_map<std::string, NameTables>& Registry() {
    static std::unordered_map<std::string, NameTables> registry;
    return registry;
}

}  // namespace

void DynamicBase::SetName(const std::string& newName) {
    NameTables& tables = Registry()[newName];
    if (!tables.methods) {
        tables.methods = std::make_shared<MethodTable>();
        tables.lock = std::make_shared<std::recursive_mutex>();
    }
    // A name that outlived the Lua state it was exposed in gets a table in the current one.
    if (!tables.luaTable || !tables.luaTable->IsLive()) {
        tables.luaTable = std::make_shared<LuaObject>(newName);
    }
    methods = tables.methods;
    MethodTable::NoteChange();
    lock = tables.lock;
    luaTable = tables.luaTable;
    name = newName;
}

void DynamicBase::RemoveName() {
    RemoveTablesOf(name);
    methods.reset();
    MethodTable::NoteChange();
    lock.reset();
    luaTable.reset();
}

void DynamicBase::RemoveTablesOf(const std::string& name) {
    auto found = Registry().find(name);
    if (found == Registry().end()) {
        return;
    }
    NameTables tables = std::move(found->second);
    Registry().erase(found);
    // Objects that still share the name keep an empty table rather than a dangling one.
    tables.methods->Clear();
    tables.luaTable->Remove();
}

bool DynamicBase::IsNameInUse(const std::string& name) { return Registry().count(name) != 0; }

}  // namespace ZELM
