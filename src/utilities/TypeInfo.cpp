// The global type counter and readable type names.
#include "utilities/TypeInfo.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace ZELM {

int NextTypeId() {
    static int counter = 0;
    return counter++;
}

std::string DemangledName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                    std::free);
    return status == 0 && readable ? std::string(readable.get()) : std::string(type.name());
}

}  // namespace ZELM
