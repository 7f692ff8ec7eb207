// Method-table upkeep.
#include "utilities/MethodTable.h"

#include <algorithm>

namespace ZELM {

void MethodTable::RemoveBindingsOf(const void* binder) {
    NoteChange();
    auto boundByBinder = [binder](const std::unique_ptr<Delegate>& d) { return d->GetBinder() == binder; };
    immediate.EraseIf(boundByBinder);
    broadcast.ForEachValue([&](auto& list) { list.remove_if(boundByBinder); });
    deferred.ForEachValue(
        [&](auto& list) { list.erase(std::remove_if(list.begin(), list.end(), boundByBinder), list.end()); });
}

void MethodTable::Clear() {
    NoteChange();
    immediate.Clear();
    broadcast.Clear();
    deferred.Clear();
}

}  // namespace ZELM
