// A named, typed value of a component or service that files save and load and the editor shows.
#pragma once

#include <string>

namespace ZELM {

class ISerializer;

class Property {
public:
    Property(std::string name, int typeCode) : name(std::move(name)), typeCode(typeCode) {}
    virtual ~Property() = default;
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;

    // Writes the value under its element, unless the property is computed.
    virtual void Save(ISerializer& serializer) = 0;
    // Reads the value when the reader stands on its element, then applies it through the change
    // callback (which runs whether or not a value was read). Computed properties are not read.
    virtual void Load(ISerializer& serializer) = 0;
    // Computed properties come from a getter and are neither saved nor loaded.
    virtual bool IsComputed() const = 0;

    // The name as written in files: spaces are underscores, case is kept.
    const std::string& GetName() const { return name; }
    // 0 int, 1 unsigned, 4 bool, 5 float, 7 string: the editor picks its widget by it.
    int GetTypeCode() const { return typeCode; }

private:
    std::string name;
    int typeCode;
};

}  // namespace ZELM
