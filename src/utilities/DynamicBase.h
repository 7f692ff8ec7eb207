// The identity shared by a binder and a caller: a name and the tables kept under it.
#pragma once

#include <memory>
#include <mutex>
#include <string>

namespace ZELM {

struct MethodTable;
class LuaObject;

class DynamicBase {
public:
    DynamicBase() = default;
    virtual ~DynamicBase() = default;
    DynamicBase(const DynamicBase&) = delete;
    DynamicBase& operator=(const DynamicBase&) = delete;

    // Takes a name, sharing its method table, lock and Lua table with every object of that name;
    // each is created on the name's first use.
    void SetName(const std::string& name);
    // Deletes the method table (with every delegate in it), the Lua table and the lock of the
    // current name, for every object that shares it.
    void RemoveName();
    // Removes the tables of any name, as RemoveName does for the current one.
    static void RemoveTablesOf(const std::string& name);

    const std::string& GetBinderName() const { return name; }
    // Whether any object has taken the name (and it has not been removed since).
    static bool IsNameInUse(const std::string& name);

protected:
    std::shared_ptr<MethodTable> methods;
    std::shared_ptr<std::recursive_mutex> lock;
    std::shared_ptr<LuaObject> luaTable;
    std::string name;
};

}  // namespace ZELM
