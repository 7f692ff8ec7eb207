// The reference of every registered component type, read from the reflection tables: its service,
// its properties with their file types and defaults, and the methods it binds.
#pragma once

#include <string>
#include <vector>

namespace Fallward {

class ComponentReference {
public:
    // Markdown: one section a component type, in registration order. The services must be
    // started (they register the types) and the entity controller must exist.
    static std::string Write();
    // The element names of the type's stored properties in binding order, as a level file lists
    // them; empty for a type that cannot be made. The same preconditions as Write.
    static std::vector<std::string> StoredPropertyNames(const std::string& serviceName, const std::string& typeName);

private:
    static std::string WriteTypes();
    static std::string WriteType(const std::string& serviceName, const std::string& typeName);
};

}  // namespace Fallward
