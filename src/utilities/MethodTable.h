// The methods bound under one binder name, in one table per way of calling.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "utilities/Delegate.h"
#include "utilities/MethodMap.h"

namespace ZELM {

struct MethodTable {
    using BroadcastList = std::list<std::unique_ptr<Delegate>>;

    // Reached by Call: a later binding of a name replaces the earlier one.
    MethodMap<std::unique_ptr<Delegate>> immediate;
    // Reached by CallAll: every binding of a name, in binding order.
    MethodMap<BroadcastList> broadcast;
    // Reached by CallLater: every binding of a name, in binding order, run from the delayed-call queue.
    MethodMap<std::vector<std::unique_ptr<Delegate>>> deferred;

    // Deletes every delegate the given binder bound.
    void RemoveBindingsOf(const void* binder);
    // Deletes every delegate.
    void Clear();

    // A count of the changes to any table's delegates and of objects taking another table: while
    // it stays the same, whatever a caller found in a table is still there, in the same order.
    static std::uint64_t Generation() { return generation; }
    static void NoteChange() { ++generation; }

private:
    static inline std::uint64_t generation = 0;
};

}  // namespace ZELM
