// Property element names.
#include "engine/PropertyImpl.h"

namespace ZELM {

std::string PropertyElementName(const std::string& boundName) {
    std::string name = boundName;
    for (char& c : name) {
        if (c == ' ') {
            c = '_';
        }
    }
    return name;
}

}  // namespace ZELM
