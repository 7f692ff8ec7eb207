// Method-table upkeep and the method-name rule.
#include "utilities/MethodTable.h"

#include <algorithm>

namespace ZELM {

std::string NormaliseMethodName(const std::string& name) {
    std::string key(name);
    for (char& c : key) {
        if (c == ' ') {
            c = '_';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return key;
}

void MethodTable::RemoveBindingsOf(const void* binder) {
    for (auto it = immediate.begin(); it != immediate.end();) {
        it = it->second->GetBinder() == binder ? immediate.erase(it) : std::next(it);
    }
    for (auto& entry : broadcast) {
        entry.second.remove_if([binder](const std::unique_ptr<Delegate>& d) { return d->GetBinder() == binder; });
    }
    for (auto& entry : deferred) {
        auto& list = entry.second;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [binder](const std::unique_ptr<Delegate>& d) { return d->GetBinder() == binder; }),
                   list.end());
    }
}

void MethodTable::Clear() {
    immediate.clear();
    broadcast.clear();
    deferred.clear();
}

}  // namespace ZELM
