// One component type entered in the registry: the service that owns it and the type's name.
#pragma once

#include <string>

namespace ZELM {

struct RegistryItem {
    std::string serviceName;
    std::string typeName;
};

}  // namespace ZELM
