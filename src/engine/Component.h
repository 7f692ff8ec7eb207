// The base of every component: a typed piece of an entity's behaviour, updated by its service.
#pragma once

#include <string>

#include "engine/EntityHandle.h"
#include "utilities/Dynamic.h"

namespace ZELM {

class ServiceBase;

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

    // Takes the owner, and with it the owner's method table.
    void SetOwner(const EntityHandle& owner);
    const EntityHandle& GetOwner() const { return owner; }
    const std::string& GetTypeName() const { return typeName; }
    void SetTypeName(const std::string& name) { typeName = name; }
    ServiceBase* GetParentService() const { return parentService; }
    void SetParentService(ServiceBase* service) { parentService = service; }
    bool IsInService() const { return inService; }

    // Joins the parent service's update list; a component without a parent service joins none.
    void AddToService();

private:
    std::string typeName;
    EntityHandle owner;
    ServiceBase* parentService = nullptr;
    bool inService = false;
};

}  // namespace ZELM
