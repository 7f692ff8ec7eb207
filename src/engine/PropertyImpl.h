// A property over a value of type T: the owner's own member, or a value the property owns.
#pragma once

#include <memory>
#include <string>
#include <type_traits>

#include "engine/ISerializer.h"
#include "engine/Property.h"
#include "utilities/ArgumentList.h"
#include "utilities/Delegate.h"

namespace ZELM {

template <typename T>
constexpr int PropertyTypeCode() {
    if constexpr (std::is_same_v<T, int>) {
        return 0;
    } else if constexpr (std::is_same_v<T, unsigned>) {
        return 1;
    } else if constexpr (std::is_same_v<T, bool>) {
        return 4;
    } else if constexpr (std::is_same_v<T, float>) {
        return 5;
    } else {
        static_assert(std::is_same_v<T, std::string>, "properties hold int, unsigned, bool, float or std::string");
        return 7;
    }
}

// The element name of a property: its bound name with every space turned into an underscore.
std::string PropertyElementName(const std::string& boundName);

template <typename T>
class PropertyImpl final : public Property {
public:
    // Over the owner's member, or over a value of its own when `member` is null.
    PropertyImpl(const std::string& boundName, T* member)
        : Property(PropertyElementName(boundName), PropertyTypeCode<T>()),
          owned(member == nullptr ? std::make_unique<T>() : nullptr),
          value(member != nullptr ? member : owned.get()) {}

    void Save(ISerializer& serializer) override {
        if (IsComputed()) {
            return;
        }
        serializer.BeginElement(GetName());
        serializer.Serialize(*value);
        serializer.EndElement();
    }

    void Load(ISerializer& serializer) override {
        if (IsComputed()) {
            return;
        }
        if (serializer.BeginElement(GetName())) {
            serializer.Serialize(*value);
        }
        if (onChange) {
            ArgumentList arguments;
            arguments.Add(*value);
            if (onChange->Compare(arguments)) {
                onChange->Invoke(arguments);
            }
        }
    }

    bool IsComputed() const override { return getter != nullptr && owned != nullptr; }

    // The current value; a computed property asks its getter.
    T GetValue() const {
        if (getter) {
            ArgumentList arguments;
            arguments.SetReturn(*value);
            getter->Invoke(arguments);
        }
        return *value;
    }
    // Assigns the value directly, without the change callback (the bound "Set" method).
    void SetValue(const T& newValue) { *value = newValue; }

    void SetOnChange(std::unique_ptr<Delegate> callback) { onChange = std::move(callback); }
    void SetGetter(std::unique_ptr<Delegate> computing) { getter = std::move(computing); }

private:
    std::unique_ptr<Delegate> onChange;
    std::unique_ptr<Delegate> getter;
    std::unique_ptr<T> owned;
    T* value;
};

}  // namespace ZELM
