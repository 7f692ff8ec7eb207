// The methods of one way of calling, by method name, found without hashing or comparing text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "utilities/MethodName.h"

namespace ZELM {

// An open-addressed table from a name's number to a value. Values never move once added (a
// caller may hold one while a callee binds more names); a removal rebuilds the index, which is
// rare (a binder withdrawing its methods) next to lookups.
template <typename V>
class MethodMap {
public:
    V* Find(const MethodName& name) {
        const Entry* entry = FindEntry(name.GetId());
        return entry != nullptr ? &const_cast<Entry*>(entry)->value : nullptr;
    }
    const V* Find(const MethodName& name) const {
        const Entry* entry = FindEntry(name.GetId());
        return entry != nullptr ? &entry->value : nullptr;
    }
    bool Contains(const MethodName& name) const { return FindEntry(name.GetId()) != nullptr; }

    // The value under the name, added empty when the name has none yet.
    V& operator[](const MethodName& name) {
        if (V* found = Find(name)) {
            return *found;
        }
        entries.push_back(std::make_unique<Entry>(Entry{name.GetId(), V{}}));
        if (entries.size() * 2 > slots.size()) {
            Rebuild(slots.empty() ? 8 : slots.size() * 2);
        } else {
            Place(entries.back().get());
        }
        return entries.back()->value;
    }

    template <typename F>
    void ForEachValue(F visit) {
        for (auto& entry : entries) {
            visit(entry->value);
        }
    }

    // Removes every name whose value the predicate accepts.
    template <typename F>
    void EraseIf(F shouldErase) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!shouldErase(entries[i]->value)) {
                std::swap(entries[kept++], entries[i]);
            }
        }
        if (kept != entries.size()) {
            entries.resize(kept);
            Rebuild(slots.size());
        }
    }

    void Clear() {
        entries.clear();
        slots.clear();
    }

private:
    struct Entry {
        std::uint32_t id;
        V value;
    };

    // Fibonacci hashing: consecutive numbers land far apart, and the top bits index the slots.
    std::size_t Home(std::uint32_t id) const {
        return static_cast<std::size_t>((id * 2654435769u) >> shift) & (slots.size() - 1);
    }

    const Entry* FindEntry(std::uint32_t id) const {
        if (slots.empty()) {
            return nullptr;
        }
        for (std::size_t i = Home(id);; i = (i + 1) & (slots.size() - 1)) {
            const Entry* entry = slots[i];
            if (entry == nullptr || entry->id == id) {
                return entry;
            }
        }
    }

    void Place(Entry* entry) {
        std::size_t i = Home(entry->id);
        while (slots[i] != nullptr) {
            i = (i + 1) & (slots.size() - 1);
        }
        slots[i] = entry;
    }

    void Rebuild(std::size_t slotCount) {
        slots.assign(slotCount, nullptr);
        shift = 32;
        for (std::size_t n = slotCount; n > 1; n >>= 1) {
            --shift;
        }
        for (auto& entry : entries) {
            Place(entry.get());
        }
    }

    std::vector<std::unique_ptr<Entry>> entries;
    std::vector<Entry*> slots;  // a power of two in size, at most half full
    unsigned shift = 32;
};

}  // namespace ZELM
