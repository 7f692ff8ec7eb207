// Entity construction, destruction and its component tables.
#include "engine/Entity.h"

#include <vector>

#include <lua.hpp>

#include "engine/ComponentRegistry.h"
#include "engine/EntityController.h"
#include "engine/ProblemReport.h"
#include "engine/PropertyElements.h"
#include "engine/SaveVisitor.h"
#include "engine/XmlReader.h"
#include "utilities/LuaObject.h"

namespace ZELM {

void HandleDeleter<Entity>::Delete(Entity* entity) { delete entity; }

namespace {

// Scripts read an entity's names from its table; the entity is looked up by name each time, so a
// script holding an old table of a destroyed entity gets nil rather than freed memory.
int LuaGetName(lua_State* L) {
    lua_pushvalue(L, lua_upvalueindex(1));
    return 1;
}

int LuaGetArchetypeName(lua_State* L) {
    EntityController* entities = ComponentRegistry::Instance().GetEntities();
    const char* entityName = lua_tostring(L, lua_upvalueindex(1));
    Entity* entity = entities != nullptr && entityName != nullptr ? entities->Get(entityName).GetIfAlive() : nullptr;
    if (entity == nullptr) {
        lua_pushnil(L);
    } else {
        lua_pushlstring(L, entity->GetArchetypeName().data(), entity->GetArchetypeName().size());
    }
    return 1;
}

// Loads each property from the element of its name wherever the component element holds it, so a
// property written out of binding order is still read and the elements after it still come next.
class ElementLoadVisitor : public IVisitor<Property> {
public:
    ElementLoadVisitor(XmlReader& reader, const PropertyElements& elements) : reader(reader), elements(elements) {}
    void Visit(Property& property) override {
        // A property the file leaves out finds the reader standing nowhere and keeps its value.
        reader.SetCursor(elements.Find(property.GetName()));
        property.Load(reader);
    }

private:
    XmlReader& reader;
    const PropertyElements& elements;
};

void LoadProperties(XmlReader& reader, const TiXmlElement& element, Component& component) {
    const PropertyElements elements(element, component.GetTypeName(),
                                    PropertyElements::StoredNames(component.GetProperties()));
    for (const PropertyElements::Mistake& mistake : elements.GetMistakes()) {
        ZELM_PROBLEM("ZELM::Entity::LoadComponents", "%s:%d: %s", reader.GetPath().c_str(), mistake.line,
                     mistake.message.c_str());
    }
    ElementLoadVisitor load(reader, elements);
    component.VisitProperties(load);
}

}  // namespace

Entity::Entity(const std::string& entityName) : name(entityName), archetypeName("Not Set") {
    UseBinderName(entityName);
}

void Entity::UseBinderName(const std::string& binderName) {
    DynamicBase::SetName(binderName);
    luaTable->AddFunctionLua("GetName", LuaGetName);
    luaTable->AddFunctionLua("GetArchetypeName", LuaGetArchetypeName);
}

namespace {

// Empties a table before its components die, so a dying component that calls back into its entity
// finds an empty table rather than one in the middle of being cleared.
template <typename Table>
void DeleteAll(Table& table) {
    Table doomed;
    doomed.swap(table);
}

}  // namespace

bool Entity::GetPlace(float& x, float& y) {
    if (!IsBound("GetX") || !IsBound("GetY")) {
        return false;
    }
    x = Call<float>("GetX");
    y = Call<float>("GetY");
    return true;
}

Entity::~Entity() {
    DeleteAll(embeddedComponents);
    DeleteAll(components);
    RemoveName();
}

void Entity::Store(ComponentTable& table, Component* component) {
    component->SetOwner(selfHandle);
    std::unique_ptr<Component>& slot = table[component->GetTypeName()];
    if (slot.get() != component) {
        slot.reset(component);
    }
}

void Entity::AddComponent(Component* component) { Store(components, component); }

void Entity::AddEmbeddedComponent(Component* component) { Store(embeddedComponents, component); }

void Entity::RemoveComponent(Component* component) { components.erase(component->GetTypeName()); }

void Entity::DestroyAllComponents() { DeleteAll(components); }

Component* Entity::GetComponent(const std::string& typeName) const {
    const auto found = components.find(typeName);
    return found != components.end() ? found->second.get() : nullptr;
}

void Entity::LoadComponents(XmlReader& reader, const TiXmlNode& container) {
    while (!reader.AtEnd() && reader.GetCursor()->Parent() == &container) {
        const TiXmlNode* element = reader.GetCursor();
        if (!reader.IsAt("Component")) {
            ZELM_PROBLEM("ZELM::Entity::LoadComponents", "%s:%d: \"%s\" is not a Component; it is skipped",
                         reader.GetPath().c_str(), element->Row(), element->Value());
            reader.SkipPast(element);
            continue;
        }
        reader.BeginElement("Component");
        std::string serviceName;
        std::string typeName;
        reader.Serialize(serviceName);
        reader.Serialize(typeName);
        Component* component = ComponentRegistry::Instance().Create(serviceName, typeName);
        if (component == nullptr || component->GetParentService() == nullptr) {
            delete component;
            reader.SkipPast(element);
            continue;
        }
        AddComponent(component);
        component->Bind();
        LoadProperties(reader, *element->ToElement(), *component);
        component->AddToService();
        reader.SkipPast(element);
    }
}

void Entity::Save(ISerializer& writer) {
    writer.BeginElement("Entity");
    std::string entityName = name;
    std::string archetype = archetypeName;
    writer.Serialize(entityName);
    writer.Serialize(archetype);
    SaveVisitor save(writer);
    VisitComponents(save);
    writer.EndElement();
}

void Entity::Visit(ComponentTable& table, IVisitor<Component>& visitor) {
    // Collected first: a visitor may add or remove components of this entity.
    std::vector<Component*> visited;
    visited.reserve(table.size());
    for (auto& entry : table) {
        visited.push_back(entry.second.get());
    }
    for (Component* component : visited) {
        visitor.Visit(*component);
    }
}

void Entity::VisitComponents(IVisitor<Component>& visitor) { Visit(components, visitor); }

void Entity::VisitEmbeddedComponents(IVisitor<Component>& visitor) { Visit(embeddedComponents, visitor); }

}  // namespace ZELM
