// A counted handle that knows when the object it refers to has been destroyed.
#pragma once

#include <string>

#include "engine/ProblemReport.h"
#include "utilities/TypeInfo.h"

namespace ZELM {

// Deletes a handle's object. A type used through handles where it is incomplete specialises this
// with an out-of-line definition, so its destructor always runs.
template <typename T>
struct HandleDeleter {
    static void Delete(T* object) { delete object; }
};

// Drops one reference to a handle's shared count. When it was the last, frees the count and the
// flag and returns whether the object is still alive and must be deleted by the caller. Kept out of
// line so every handle shares one copy of the bookkeeping.
bool ReleaseHandleReference(int* count, bool* alive);

template <typename T>
class Handle {
public:
    Handle() = default;

    // A new handle for a new object: the first reference, alive.
    explicit Handle(T* newObject) : count(new int(1)), alive(new bool(true)), object(newObject) {}

    Handle(const Handle& other) : count(other.count), alive(other.alive), object(other.object) {
        // Counted whenever there is a count, so a handle made for a null object is freed once.
        if (count != nullptr) {
            ++*count;
        }
    }

    // Takes the other handle's object only while it is alive; a dead or null handle leaves this
    // one unchanged.
    Handle& operator=(const Handle& other) {
        if (other.alive == nullptr || !*other.alive) {
            return *this;
        }
        int* const newCount = other.count;
        bool* const newAlive = other.alive;
        T* const newObject = other.object;
        ++*newCount;  // before releasing, so assigning a handle to itself keeps its object
        Release();
        count = newCount;
        alive = newAlive;
        object = newObject;
        return *this;
    }

    ~Handle() { Release(); }

    // Deletes the object; every copy of the handle sees it dead from now on.
    void Destroy() {
        if (alive == nullptr || !*alive) {
            return;
        }
        *alive = false;
        HandleDeleter<T>::Delete(object);
    }

    // The object while it is alive. A dead or null handle reports and gives null, so a caller skips
    // its use instead of following a stale pointer. This is the only way to reach the object: there
    // is no `->`, so no caller can forget the check.
    T* Resolve() const {
        if (object == nullptr || alive == nullptr || !*alive) {
            ZELM_PROBLEM(DereferenceName().c_str(), "Cannot dereference data! Handle is referencing dead data!");
            return nullptr;
        }
        return object;
    }

    bool IsAlive() const { return alive != nullptr && *alive; }
    bool IsNull() const { return object == nullptr; }
    // The object while it is alive, null otherwise, without a report: for callers to whom a dead
    // handle is an ordinary state (no player in this level, an entity destroyed this frame).
    T* GetIfAlive() const { return IsAlive() ? object : nullptr; }

    bool operator==(const Handle& other) const { return object == other.object; }
    bool operator!=(const Handle& other) const { return object != other.object; }

private:
    // Reports keep naming the dereference operator they have always named, so a report reads the
    // same to designers whichever accessor raised it.
    static const std::string& DereferenceName() {
        static const std::string name = "ZELM::Handle<" + QualifiedTypeName<T>() + ">::operator ->";
        return name;
    }

    void Release() {
        int* const oldCount = count;
        bool* const oldAlive = alive;
        T* const oldObject = object;
        count = nullptr;
        alive = nullptr;
        object = nullptr;
        if (oldAlive != nullptr && ReleaseHandleReference(oldCount, oldAlive)) {
            HandleDeleter<T>::Delete(oldObject);
        }
    }

    int* count = nullptr;
    bool* alive = nullptr;
    T* object = nullptr;
};

}  // namespace ZELM
