// Matching property elements to a type's properties by name, and the mistakes found on the way.
#include "engine/PropertyElements.h"

#include <tinyxml.h>

#include <algorithm>

#include "engine/Property.h"

namespace ZELM {

std::vector<std::string> PropertyElements::StoredNames(
    const std::vector<std::unique_ptr<Property>>& properties) {
    std::vector<std::string> names;
    for (const std::unique_ptr<Property>& property : properties) {
        if (!property->IsComputed()) {
            names.push_back(property->GetName());
        }
    }
    return names;
}

PropertyElements::PropertyElements(const TiXmlElement& component, const std::string& typeName,
                                   const std::vector<std::string>& names) {
    const TiXmlElement* element = component.FirstChildElement();
    for (int nameStrings = 0; element != nullptr && nameStrings < 2; ++nameStrings) {
        element = element->NextSiblingElement();
    }
    // The property of the highest binding position seen so far: one bound before it that comes
    // later in the file is out of order.
    std::size_t latestPosition = 0;
    std::string latestName;
    for (; element != nullptr; element = element->NextSiblingElement()) {
        const std::string& name = element->ValueStr();
        const auto bound = std::find(names.begin(), names.end(), name);
        if (bound == names.end()) {
            mistakes.push_back({element->Row(), "\"" + name + "\" is not a stored property of \"" + typeName +
                                                    "\"; it is skipped"});
            continue;
        }
        if (!found.emplace(name, element).second) {
            mistakes.push_back({element->Row(), "the property \"" + name + "\" of \"" + typeName +
                                                    "\" is written twice; the second is skipped"});
            continue;
        }
        const std::size_t position = static_cast<std::size_t>(bound - names.begin());
        if (position < latestPosition) {
            mistakes.push_back({element->Row(), "the property \"" + name + "\" of \"" + typeName +
                                                    "\" is out of order: it belongs before \"" + latestName +
                                                    "\"; it is read anyway"});
            continue;
        }
        latestPosition = position;
        latestName = name;
    }
}

const TiXmlElement* PropertyElements::Find(const std::string& name) const {
    const auto element = found.find(name);
    return element != found.end() ? element->second : nullptr;
}

}  // namespace ZELM
