// The short-name rule.
#include "engine/ShortName.h"

namespace ZELM {

std::string ShortName(const std::string& qualifiedName) {
    std::string shortName = qualifiedName;
    const std::size_t separator = shortName.find("::");
    if (separator != std::string::npos) {
        shortName.erase(0, separator + 2);
    }
    if (qualifiedName.find("Service") != std::string::npos) {
        shortName.erase(shortName.size() >= 7 ? shortName.size() - 7 : 0);
    }
    return shortName;
}

}  // namespace ZELM
