// Reading and writing a variable through the program's callbacks.
#include "editor/tweakbar/VariableBinding.h"

namespace Tweak {

namespace {

// The TweakValue alternative of each supported type; -1 for the others.
int AlternativeOf(ETwType type) {
    switch (type) {
        case TW_TYPE_BOOLCPP:
            return 0;
        case TW_TYPE_INT32:
            return 1;
        case TW_TYPE_UINT32:
            return 2;
        case TW_TYPE_FLOAT:
            return 3;
        case TW_TYPE_DOUBLE:
            return 4;
        case TW_TYPE_STDSTRING:
            return 5;
        default:
            return -1;
    }
}

}  // namespace

bool VariableBinding::Supports(ETwType type) {
    return AlternativeOf(type) >= 0;
}

bool VariableBinding::Fits(const TweakValue& value) const {
    return static_cast<int>(value.index()) == AlternativeOf(type_);
}

template <typename T>
T VariableBinding::ReadAs() const {
    T value{};
    getter_(&value, clientData_);
    return value;
}

TweakValue VariableBinding::Read() const {
    switch (type_) {
        case TW_TYPE_BOOLCPP:
            return ReadAs<bool>();
        case TW_TYPE_INT32:
            return ReadAs<std::int32_t>();
        case TW_TYPE_UINT32:
            return ReadAs<std::uint32_t>();
        case TW_TYPE_FLOAT:
            return ReadAs<float>();
        case TW_TYPE_DOUBLE:
            return ReadAs<double>();
        default:
            return ReadAs<std::string>();
    }
}

bool VariableBinding::Write(const TweakValue& value) const {
    if (setter_ == nullptr || !Fits(value)) {
        return false;
    }
    // The setter may delete this binding's bar, so nothing of this object is touched after the call.
    std::visit(
        [setter = setter_, clientData = clientData_](const auto& typed) { setter(&typed, clientData); },
        value);
    return true;
}

}  // namespace Tweak
