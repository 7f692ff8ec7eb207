// The typed argument slots of one call by name, and the slot that receives its result.
#pragma once

#include <cassert>
#include <cstddef>
#include <new>
#include <string>
#include <type_traits>
#include <utility>

#include "utilities/TypeInfo.h"

namespace ZELM {

// A string literal or C string travels as std::string, the type every bound method takes.
template <typename T>
using ArgumentType = std::conditional_t<std::is_convertible_v<T, const char*> &&
                                            !std::is_same_v<std::decay_t<T>, std::nullptr_t>,
                                        std::string, std::decay_t<T>>;

struct ArgumentSlot {
    void* value = nullptr;
    int typeId = -1;
    const char* typeName = "";
};

class ArgumentList {
public:
    // The most arguments one call may carry; bound methods take at most four.
    static constexpr std::size_t kMaxSlots = 8;

    ArgumentList() = default;
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;
    // Moves carry the filled slots only; the copies the list holds go with them.
    ArgumentList(ArgumentList&& other) noexcept { *this = std::move(other); }
    ArgumentList& operator=(ArgumentList&& other) noexcept {
        if (this == &other) {
            return *this;
        }
        DestroyOwned();
        for (std::size_t i = 0; i < other.count; ++i) {
            slots.Put(i, other.slots[i]);
        }
        count = other.count;
        returnSlot = other.returnSlot;
        for (std::size_t i = 0; i < other.ownedCount; ++i) {
            owned[i] = other.owned[i];
        }
        ownedCount = other.ownedCount;
        other.ownedCount = 0;
        return *this;
    }
    ~ArgumentList() { DestroyOwned(); }

    // Adds a slot that refers to the caller's own value, so a method taking a non-const
    // reference writes back into it. The value must outlive the call.
    template <typename T>
    void Add(T& value) {
        using Stored = std::remove_cv_t<T>;
        if constexpr (std::is_same_v<ArgumentType<T>, Stored>) {
            Push(const_cast<Stored*>(&value), TypeId<Stored>(), TypeDisplayName<Stored>::Get());
        } else {
            AddCopy(ArgumentType<T>(value));
        }
    }

    // Adds a slot that holds its own copy of the value (used by calls that run later).
    template <typename T>
    void AddCopy(const T& value) {
        using Stored = ArgumentType<T>;
        assert(ownedCount < kMaxSlots);
        auto* copy = new Stored(value);
        owned[ownedCount++] = OwnedValue{copy, [](void* p) { delete static_cast<Stored*>(p); }};
        Push(copy, TypeId<Stored>(), TypeDisplayName<Stored>::Get());
    }

    std::size_t Size() const { return count; }
    const ArgumentSlot& operator[](std::size_t index) const { return slots[index]; }

    // The value of a slot as the bound method's parameter type; only valid after a matching check.
    template <typename T>
    std::decay_t<T>& Get(std::size_t index) const {
        return *static_cast<std::decay_t<T>*>(slots[index].value);
    }

    // Names the caller's variable that receives the result.
    template <typename T>
    void SetReturn(T& result) {
        returnSlot.value = &result;
        returnSlot.typeId = TypeId<T>();
        returnSlot.typeName = TypeDisplayName<T>::Get();
    }
    const ArgumentSlot& GetReturn() const { return returnSlot; }

    // Stores a method's result when the caller asked for one of that type; true unless the
    // caller asked for a result of another type.
    template <typename T>
    bool StoreResult(const T& result) {
        using Stored = std::decay_t<T>;
        if (returnSlot.value == nullptr) {
            return true;
        }
        if (returnSlot.typeId != TypeId<Stored>()) {
            return false;
        }
        *static_cast<Stored*>(returnSlot.value) = result;
        return true;
    }

private:
    void Push(void* value, int typeId, const char* typeName) {
        assert(count < kMaxSlots);
        slots.Put(count, ArgumentSlot{value, typeId, typeName});
        ++count;
    }

    // Only the first `count` slots are ever read, so the rest are left unset: every call by name
    // builds a list, and filling eight slots it does not use was a measurable part of its cost.
    struct Slots {
        void Put(std::size_t index, const ArgumentSlot& slot) {
            new (storage + index * sizeof(ArgumentSlot)) ArgumentSlot(slot);
        }
        const ArgumentSlot& operator[](std::size_t index) const {
            return *std::launder(reinterpret_cast<const ArgumentSlot*>(storage + index * sizeof(ArgumentSlot)));
        }
        alignas(ArgumentSlot) unsigned char storage[sizeof(ArgumentSlot) * kMaxSlots];
    };
    Slots slots;
    std::size_t count = 0;
    ArgumentSlot returnSlot;
    // The copies the list holds (one at most a slot), in place: every call by name makes and ends
    // a list, and most hold no copy, so an empty list must cost nothing to end and a full one no
    // allocation besides its copies. Only the first `ownedCount` are ever read.
    struct OwnedValue {
        void* value;
        void (*destroy)(void*);
    };
    void DestroyOwned() {
        for (std::size_t i = 0; i < ownedCount; ++i) {
            owned[i].destroy(owned[i].value);
        }
        ownedCount = 0;
    }
    OwnedValue owned[kMaxSlots];
    std::size_t ownedCount = 0;
};

// Packs every argument of a call into the list, each slot referring to the caller's value.
template <typename... A>
void PackArguments(ArgumentList& list, A&... values) {
    static_assert(sizeof...(A) <= ArgumentList::kMaxSlots, "too many arguments for a call by name");
    (list.Add(values), ...);
}

// Packs copies of every argument, for a call that outlives its caller's values.
template <typename... A>
void PackArgumentCopies(ArgumentList& list, const A&... values) {
    static_assert(sizeof...(A) <= ArgumentList::kMaxSlots, "too many arguments for a call by name");
    (list.AddCopy(values), ...);
}

}  // namespace ZELM
