// A bound method: invoked with an argument list after its parameter types have been checked.
#pragma once

namespace ZELM {

class ArgumentList;

class Delegate {
public:
    explicit Delegate(const void* binder) : binder(binder) {}
    virtual ~Delegate() = default;

    // Calls the method with the list's values and stores its result in the list's return slot.
    virtual void Invoke(ArgumentList& arguments) = 0;
    // Checks the given argument types against the parameters; reports every mismatch and
    // returns false when there is one.
    virtual bool Compare(const ArgumentList& arguments) = 0;

    // The binder that bound this delegate, so it can withdraw its bindings.
    const void* GetBinder() const { return binder; }

private:
    const void* binder;
};

}  // namespace ZELM
