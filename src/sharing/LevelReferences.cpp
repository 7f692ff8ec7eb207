// Walks a level file the way the content pipeline reads it: Tiles, Scripts, then Entity elements.
#include "sharing/LevelReferences.h"

#include <tinyxml.h>

#include "engine/XmlReader.h"

namespace Sharing {
namespace {

std::string StringOf(const TiXmlElement* element) {
    return element != nullptr && element->ValueStr() == "string" && element->GetText() != nullptr
               ? element->GetText()
               : std::string();
}

// The script an entity's script component runs: the "Script" property of a Logic LuaScript.
std::string EntityScriptOf(const TiXmlElement& component) {
    const TiXmlElement* service = component.FirstChildElement();
    const TiXmlElement* type = service != nullptr ? service->NextSiblingElement() : nullptr;
    if (StringOf(service) != "Logic" || StringOf(type) != "LuaScript") {
        return std::string();
    }
    const TiXmlElement* script = component.FirstChildElement("Script");
    return script != nullptr ? StringOf(script->FirstChildElement()) : std::string();
}

}  // namespace

bool LevelReferences::Read(const std::string& text, std::string& problem) {
    TiXmlDocument document;
    const TiXmlElement* root = ZELM::XmlReader::ParseRoot(document, text, "Level", problem);
    if (root == nullptr) {
        return false;
    }
    const TiXmlElement* element = root->FirstChildElement();
    if (element != nullptr && element->ValueStr() == "Tiles") {
        tiles = StringOf(element->FirstChildElement());
        element = element->NextSiblingElement();
    }
    if (element != nullptr && element->ValueStr() == "Scripts") {
        for (const TiXmlElement* script = element->FirstChildElement(); script != nullptr;
             script = script->NextSiblingElement()) {
            if (const std::string name = StringOf(script); !name.empty()) {
                scripts.insert(name);
            }
        }
        element = element->NextSiblingElement();
    }
    for (; element != nullptr; element = element->NextSiblingElement("Entity")) {
        if (element->ValueStr() != "Entity") {
            continue;
        }
        const TiXmlElement* name = element->FirstChildElement();
        const TiXmlElement* archetype = name != nullptr ? name->NextSiblingElement() : nullptr;
        if (const std::string archetypeName = StringOf(archetype);
            !archetypeName.empty() && archetypeName != "Not Set") {
            archetypes.insert(archetypeName);
        }
        for (const TiXmlElement* component = element->FirstChildElement("Component"); component != nullptr;
             component = component->NextSiblingElement("Component")) {
            if (const std::string script = EntityScriptOf(*component); !script.empty()) {
                scripts.insert(script);
            }
        }
    }
    return true;
}

}  // namespace Sharing
