// The component reference: each type is created on a scratch entity, bound, read and destroyed.
#include "app/ComponentReference.h"

#include <tinyxml.h>

#include <functional>
#include <vector>

#include "engine/Component.h"
#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/Property.h"
#include "engine/PropertyElements.h"
#include "engine/XmlWriter.h"

namespace Fallward {
namespace {

// The entity every type is bound on; a name no level uses.
const char kScratchEntity[] = "ComponentReference";

struct TypeCollector : ZELM::IVisitor<ZELM::RegistryItem> {
    void Visit(ZELM::RegistryItem& item) override { types.push_back(item); }
    std::vector<ZELM::RegistryItem> types;
};

// One table row per property, with the type and the value as a level file writes them.
std::string PropertyRows(ZELM::Component& component) {
    ZELM::XmlWriter writer("", "Properties");
    for (const auto& property : component.GetProperties()) {
        property->Save(writer);
    }
    std::string rows;
    const TiXmlElement* root = writer.GetDocument().RootElement();
    for (const TiXmlElement* element = root->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
        const TiXmlElement* value = element->FirstChildElement();
        const char* text = value != nullptr ? value->GetText() : nullptr;
        rows += "| `" + element->ValueStr() + "` | " + (value != nullptr ? value->ValueStr() : std::string("?")) +
                " | " + (text != nullptr && *text != '\0' ? "`" + std::string(text) + "`" : std::string("(empty)")) + " |\n";
    }
    return rows;
}

// One row per binding, in binding order; a property's generated "Set" and "Get" included.
std::string MethodRows(const ZELM::Component& component) {
    std::string rows;
    for (const auto& binding : component.GetBindingRecords()) {
        rows += "| \"" + binding.name + "\" | " + binding.kind + " | `" + binding.signature + "` |\n";
    }
    return rows;
}

// Makes the type on the scratch entity, binds it, hands it to `use` and destroys the entity again.
void UseScratchComponent(const std::string& serviceName, const std::string& typeName,
                         const std::function<void(ZELM::Component&)>& use) {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    ZELM::Component* component = ZELM::ComponentRegistry::Instance().Create(serviceName, typeName);
    if (entities == nullptr || component == nullptr) {
        delete component;
        return;
    }
    ZELM::EntityHandle entity = entities->Create(kScratchEntity);
    ZELM::Entity* scratch = entity.Resolve();
    if (scratch == nullptr) {
        delete component;
        return;
    }
    scratch->AddComponent(component);
    component->Bind();
    use(*component);
    entities->RequestDestroy(entity);
    entities->FlushDying();
}

}  // namespace

std::string ComponentReference::Write() {
    ZELM::DynamicBinder::RecordBindings(true);
    const std::string text = WriteTypes();
    ZELM::DynamicBinder::RecordBindings(false);
    return text;
}

std::string ComponentReference::WriteTypes() {
    TypeCollector collector;
    ZELM::ComponentRegistry::Instance().VisitItems(collector);
    std::string text;
    for (const ZELM::RegistryItem& item : collector.types) {
        text += WriteType(item.serviceName, item.typeName);
    }
    return text;
}

std::string ComponentReference::WriteType(const std::string& serviceName, const std::string& typeName) {
    std::string text;
    UseScratchComponent(serviceName, typeName, [&](ZELM::Component& component) {
        text = "### " + typeName + " (" + serviceName + ")\n\n";
        const std::string properties = PropertyRows(component);
        text += properties.empty() ? "No properties.\n\n"
                                   : "| Property | Type | Default |\n|---|---|---|\n" + properties + "\n";
        const std::string methods = MethodRows(component);
        text +=
            methods.empty() ? "No methods.\n\n" : "| Method | Kind | Signature |\n|---|---|---|\n" + methods + "\n";
    });
    return text;
}

std::vector<std::string> ComponentReference::StoredPropertyNames(const std::string& serviceName,
                                                                 const std::string& typeName) {
    std::vector<std::string> names;
    UseScratchComponent(serviceName, typeName, [&names](ZELM::Component& component) {
        names = ZELM::PropertyElements::StoredNames(component.GetProperties());
    });
    return names;
}

}  // namespace Fallward
