// Creates components by service and type name, as level files and the editor name them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/IVisitor.h"
#include "engine/RegistryItem.h"

#include "utilities/Singleton.h"

namespace ZELM {

class Component;
class EntityController;
class Service;

class ComponentRegistry : public Singleton<ComponentRegistry> {
public:
    using CreateFunction = std::function<Component*()>;


    // Gives the registry the engine's entities and the services that components join.
    void SetEntities(EntityController* controller) { entities = controller; }
    void SetServices(const std::vector<std::unique_ptr<Service>>* serviceList) { services = serviceList; }
    EntityController* GetEntities() const { return entities; }

    // Enters a component type under its service's short name; a second entry replaces the first.
    void Register(const std::string& serviceName, const std::string& typeName, CreateFunction create);
    template <typename T>
    void Register(const std::string& serviceName, const std::string& typeName) {
        Register(serviceName, typeName, [] { return static_cast<Component*>(new T()); });
    }

    // A new component of the type, with its type name and parent service set, not yet owned by
    // an entity. An unknown pair is reported and gives null; a type whose service is not running
    // is reported and left without a parent service, so it joins no service.
    Component* Create(const std::string& serviceName, const std::string& typeName);

    // Visits every entered type in the order entered.
    void VisitItems(IVisitor<RegistryItem>& visitor);

private:
    Service* FindService(const std::string& serviceName) const;

    std::recursive_mutex lock;
    std::map<std::pair<std::string, std::string>, CreateFunction> creators;
    std::vector<RegistryItem> items;
    EntityController* entities = nullptr;
    const std::vector<std::unique_ptr<Service>>* services = nullptr;
};

}  // namespace ZELM
