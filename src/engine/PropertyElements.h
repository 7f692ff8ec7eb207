// Finds a component element's property elements by name, so that a property written out of its
// binding order is still read, and notes what does not belong where a designer wrote it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

class TiXmlElement;

namespace ZELM {

class Property;

class PropertyElements {
public:
    // One element written wrongly: its line in the file and what is wrong with it.
    struct Mistake {
        int line = 0;
        std::string message;
    };

    // `component`: a Component element, whose first two elements are its service and type names;
    // `typeName` names the type in messages; `names`: the element names of the type's stored
    // properties, in binding order.
    PropertyElements(const TiXmlElement& component, const std::string& typeName,
                     const std::vector<std::string>& names);

    // The element names of the properties that files hold (computed ones are not), in binding order.
    static std::vector<std::string> StoredNames(const std::vector<std::unique_ptr<Property>>& properties);

    // The element holding the property, or null when the file leaves it out.
    const TiXmlElement* Find(const std::string& name) const;
    // In file order: properties out of binding order (still found), names the type does not store
    // and repeats of a name (both left unread).
    const std::vector<Mistake>& GetMistakes() const { return mistakes; }

private:
    std::map<std::string, const TiXmlElement*> found;
    std::vector<Mistake> mistakes;
};

}  // namespace ZELM
