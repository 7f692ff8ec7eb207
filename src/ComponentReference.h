// The reference of every registered component type, read from the reflection tables: its service,
// its properties with their file types and defaults, and the methods it binds.
#pragma once

#include <string>

namespace Fallward {

class ComponentReference {
public:
    // Markdown: one section a component type, in registration order. The services must be
    // started (they register the types) and the entity controller must exist.
    static std::string Write();

private:
    static std::string WriteTypes();
    static std::string WriteType(const std::string& serviceName, const std::string& typeName);
};

}  // namespace Fallward
