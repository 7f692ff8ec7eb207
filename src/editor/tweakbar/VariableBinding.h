// How a variable reaches the program's value: its type and the program's get and set callbacks.
#pragma once

#include "editor/tweakbar/TweakBar.h"
#include "editor/tweakbar/TweakValue.h"

namespace Tweak {

class VariableBinding {
public:
    static bool Supports(ETwType type);

    // type must be one that Supports; getter must not be null.
    VariableBinding(ETwType type, TwSetVarCallback setter, TwGetVarCallback getter, void* clientData)
        : type_(type), setter_(setter), getter_(getter), clientData_(clientData) {}

    ETwType Type() const { return type_; }
    bool CanWrite() const { return setter_ != nullptr; }
    // Whether value is of the alternative this variable's type uses.
    bool Fits(const TweakValue& value) const;

    TweakValue Read() const;
    // False, without calling the program, when the value does not fit or there is no setter.
    bool Write(const TweakValue& value) const;

private:
    template <typename T>
    T ReadAs() const;

    ETwType type_;
    TwSetVarCallback setter_;
    TwGetVarCallback getter_;
    void* clientData_;
};

}  // namespace Tweak
