// The base of every component: a typed piece of an entity's behaviour, updated by its service.
#pragma once

#include <string>

#include "engine/EntityHandle.h"
#include "utilities/Dynamic.h"

namespace ZELM {

class Service;

class Component : public DynamicCaller, public DynamicBinder {
public:
    Component() = default;
    // Leaves its service first when it had joined one.
    ~Component() override;

    // Binds the component's methods and properties into its owner's table.
    virtual void Bind() = 0;
    // Runs once after the properties have been loaded and the component has joined its service.
    virtual void Init() = 0;
    // Per-frame work from the parent service; dt in milliseconds.
    virtual void Update(float dt) = 0;
    // Tools' components (the editor's menus) are not part of the level and are not saved with it.
    virtual bool IsSavedWithTheLevel() const { return true; }

    // Takes the owner, and with it the owner's method table.
    void SetOwner(const EntityHandle& owner);
    const EntityHandle& GetOwner() const { return owner; }
    const std::string& GetTypeName() const { return typeName; }
    void SetTypeName(const std::string& name) { typeName = name; }
    Service* GetParentService() const { return parentService; }
    void SetParentService(Service* service) { parentService = service; }
    // The short name of the service the component was created for, as files store it.
    const std::string& GetServiceName() const { return serviceName; }
    void SetServiceName(const std::string& name) { serviceName = name; }
    bool IsInService() const { return inService; }

    // Joins the parent service's update list; a component without a parent service joins none.
    void AddToService();
    // Leaves the update list again: the editor puts back a component that had not been activated.
    void LeaveService();

private:
    std::string typeName;
    std::string serviceName;
    EntityHandle owner;
    Service* parentService = nullptr;
    bool inService = false;
};

}  // namespace ZELM
