// The methods bound under one binder name, in one table per way of calling.
#pragma once

#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "utilities/Delegate.h"

namespace ZELM {

struct MethodTable {
    // Reached by Call: a later binding of a name replaces the earlier one.
    std::unordered_map<std::string, std::unique_ptr<Delegate>> immediate;
    // Reached by CallAll: every binding of a name, in binding order.
    std::unordered_map<std::string, std::list<std::unique_ptr<Delegate>>> broadcast;
    // Reached by CallLater: every binding of a name, in binding order, run from the delayed-call queue.
    std::unordered_map<std::string, std::vector<std::unique_ptr<Delegate>>> deferred;

    // Deletes every delegate the given binder bound.
    void RemoveBindingsOf(const void* binder);
    // Deletes every delegate.
    void Clear();
};

// The table key of a method name: spaces become "_", letters lower case.
std::string NormaliseMethodName(const std::string& name);

}  // namespace ZELM
