// A bound method: invoked with an argument list after its parameter types have been checked.
#pragma once

#include <cstddef>
#include <string>

namespace ZELM {

class ArgumentList;
class ISerializer;

// One object per list of (decayed) types: a call whose argument types name the same object as a
// method's parameter types is known to pass the method's check, and a pointer compare says so.
template <typename... T>
inline constexpr char kTypeListKey = 0;

template <typename... T>
constexpr const void* TypeListKey() {
    return &kTypeListKey<T...>;
}

// What invoking a delegate takes, copied out of it: a caller that keeps these for its frequent
// calls reaches the bound method without reading the delegate, which for a scattered entity's
// methods was a cache miss on every call.
struct DirectCall {
    // Invokes; with `check`, first checks the argument types, reporting a mismatch as the delegate
    // does. A caller whose arguments' TypeListKey is `parameters` may leave the check out.
    void (*invoke)(const DirectCall& call, ArgumentList& arguments, bool check) = nullptr;
    const void* parameters = nullptr;
    void* object = nullptr;
    // The member-function pointer's bytes: every such pointer fits, whatever its class.
    alignas(void*) unsigned char method[2 * sizeof(void*)] = {};
    // Invokes with the arguments passed as they are, dropping any result; set only when every
    // parameter is taken by value or by const reference as a plain copyable type. Its type is
    // void (*)(const DirectCall&, T...) with T the parameter types `parameters` names, so only a
    // caller whose arguments have that key may cast it back and call it. A body's step broadcasts
    // its place several times, and packing each value into a list to unpack it again was a fifth
    // of the step.
    void (*passing)() = nullptr;
};

class Delegate {
public:
    explicit Delegate(const void* binder) : binder(binder) {}
    virtual ~Delegate() = default;

    // Calls the method with the list's values and stores its result in the list's return slot.
    virtual void Invoke(ArgumentList& arguments) = 0;
    // Checks the given argument types against the parameters; reports every mismatch and
    // returns false when there is one.
    virtual bool Compare(const ArgumentList& arguments) = 0;
    // Compare, then Invoke when the check passed: the one way a call reaches a method.
    virtual void CompareAndInvoke(ArgumentList& arguments) = 0;
    // The same call as CompareAndInvoke, as a copy that stays good while the delegate lives.
    virtual DirectCall GetDirectCall() const = 0;

    // Whether every parameter and the result have a serialized form, so scripts can call it.
    virtual bool IsSerializable() const = 0;
    virtual std::size_t GetParameterCount() const = 0;
    // Reads one value per parameter from the reader, as owned copies typed like the parameters.
    virtual void ReadArguments(ISerializer& reader, ArgumentList& arguments) = 0;
    // Checks and invokes, then writes the result (when the method has one) to the writer; true
    // when a result was written.
    virtual bool InvokeAndWriteResult(ArgumentList& arguments, ISerializer& writer) = 0;

    // The method's type as designers read it: "void(float, float)".
    virtual std::string Signature() const = 0;

    // The binder that bound this delegate, so it can withdraw its bindings.
    const void* GetBinder() const { return binder; }

private:
    const void* binder;
};

}  // namespace ZELM
