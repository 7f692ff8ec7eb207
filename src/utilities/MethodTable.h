// The methods bound under one binder name, in one table per way of calling.
#pragma once

#include <list>
#include <memory>
#include <vector>

#include "utilities/Delegate.h"
#include "utilities/MethodMap.h"

namespace ZELM {

struct MethodTable {
    // Reached by Call: a later binding of a name replaces the earlier one.
    MethodMap<std::unique_ptr<Delegate>> immediate;
    // Reached by CallAll: every binding of a name, in binding order.
    MethodMap<std::list<std::unique_ptr<Delegate>>> broadcast;
    // Reached by CallLater: every binding of a name, in binding order, run from the delayed-call queue.
    MethodMap<std::vector<std::unique_ptr<Delegate>>> deferred;

    // Deletes every delegate the given binder bound.
    void RemoveBindingsOf(const void* binder);
    // Deletes every delegate.
    void Clear();
};

}  // namespace ZELM
