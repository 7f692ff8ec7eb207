// An asset holding one loaded object of type T and the function that frees it.
#pragma once

#include <functional>
#include <utility>

#include "engine/Asset.h"
#include "utilities/TypeInfo.h"

namespace ZELM {

template <typename T>
class AssetImpl : public Asset {
public:
    using Release = std::function<void(T&)>;

    AssetImpl(T value, Release release) : Asset(TypeId<T>()), value(std::move(value)), release(std::move(release)) {}
    ~AssetImpl() override {
        if (release) {
            release(value);
        }
    }

    T& GetValue() { return value; }

private:
    T value;
    Release release;
};

}  // namespace ZELM
