// A loaded resource, kept by the asset manager under its file's stem.
#pragma once

#include <string>

namespace ZELM {

class Asset {
public:
    explicit Asset(int typeId) : typeId(typeId) {}
    virtual ~Asset() = default;

    // The identifier of the value's type (the same counter as argument types).
    int GetTypeId() const { return typeId; }
    // The full path of the file it was loaded from.
    const std::string& GetName() const { return name; }
    void SetName(const std::string& newName) { name = newName; }

private:
    int typeId;
    std::string name;
};

}  // namespace ZELM
