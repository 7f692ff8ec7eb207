// Reads or writes values one at a time, element by element: the XML files and (later) Lua share it.
#pragma once

#include <string>

namespace ZELM {

class ISerializer {
public:
    virtual ~ISerializer() = default;

    // A value that has no serialized form: written as a placeholder, skipped when reading.
    virtual void SerializeUnserializable() = 0;
    // One operation per value type: a writer writes the referenced value, a reader fills it.
    virtual void Serialize(std::string& value) = 0;
    virtual void Serialize(bool& value) = 0;
    virtual void Serialize(char& value) = 0;
    virtual void Serialize(unsigned char& value) = 0;
    virtual void Serialize(double& value) = 0;
    virtual void Serialize(float& value) = 0;
    virtual void Serialize(int& value) = 0;
    virtual void Serialize(unsigned& value) = 0;
    // Opens a named element: a writer always can, a reader only when it stands on one of that name.
    virtual bool BeginElement(const std::string& name) = 0;
    virtual bool EndElement() = 0;
    // Open and close a record's group of values; the XML serializers have no use for them.
    virtual void BeginGroup() {}
    virtual void EndGroup() {}
};

}  // namespace ZELM
