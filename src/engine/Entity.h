// A named object in a level that owns one component per component type.
#pragma once

#include <memory>
#include <string>
#include <map>

#include "engine/Component.h"
#include "engine/EntityHandle.h"
#include "engine/IVisitor.h"
#include "utilities/Dynamic.h"

class TiXmlNode;

namespace ZELM {

class ISerializer;
class XmlReader;

class Entity : public DynamicCaller, public DynamicBinder {
public:
    // The entity's name is also its binder name: its components bind into the table of that name.
    explicit Entity(const std::string& name);
    // Deletes the embedded components, then the components, then the tables of the entity's name.
    ~Entity() override;

    // Takes the binder name whose table the entity's components bind into, and exposes the entity's
    // "GetName" and "GetArchetypeName" to scripts in that name's Lua table.
    void UseBinderName(const std::string& binderName);

    const std::string& GetName() const { return name; }
    void SetName(const std::string& newName) { name = newName; }
    const std::string& GetArchetypeName() const { return archetypeName; }
    void SetArchetypeName(const std::string& newName) { archetypeName = newName; }
    const EntityHandle& GetSelfHandle() const { return selfHandle; }
    void SetSelfHandle(const EntityHandle& handle) { selfHandle = handle; }
    // Where the entity stands, when something of it answers "GetX" and "GetY" (its Physical);
    // false, and x and y untouched, when nothing does.
    bool GetPlace(float& x, float& y);

    bool IsDying() const { return dying; }
    void SetDying() { dying = true; }

    // Takes ownership and stores the component under its type name. A component of the same
    // type that was there is deleted, so it neither leaks nor keeps running in its service.
    void AddComponent(Component* component);
    void AddEmbeddedComponent(Component* component);
    // Deletes the component stored under the given component's type name.
    void RemoveComponent(Component* component);
    void DestroyAllComponents();
    // The component stored under a type name, or null.
    Component* GetComponent(const std::string& typeName) const;

    // Reads the "Component" elements of the container (an Entity element, or an archetype's root)
    // from the cursor on: each is created through the registry, added, bound, its properties
    // loaded, and added to its service. An element naming an unknown type or a service that is not
    // running, and an element that is not a Component, are reported and skipped whole.
    void LoadComponents(XmlReader& reader, const TiXmlNode& container);
    // An "Entity" element: the name, the archetype name, then every component.
    void Save(ISerializer& writer);

    void VisitComponents(IVisitor<Component>& visitor);
    void VisitEmbeddedComponents(IVisitor<Component>& visitor);

private:
    // Ordered by type name, so an entity saves the same way however it was built.
    using ComponentTable = std::map<std::string, std::unique_ptr<Component>>;

    void Store(ComponentTable& table, Component* component);
    static void Visit(ComponentTable& table, IVisitor<Component>& visitor);

    std::string name;
    std::string archetypeName;
    EntityHandle selfHandle;
    bool dying = false;
    ComponentTable components;
    ComponentTable embeddedComponents;
};

}  // namespace ZELM
