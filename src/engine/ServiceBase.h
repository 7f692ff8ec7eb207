// The interface of every service: bound by name into the "Engine" table, updated every frame.
#pragma once

#include "utilities/Dynamic.h"

namespace ZELM {

class Component;

class ServiceBase : public DynamicBinder, public DynamicCaller {
public:
    ~ServiceBase() override = default;

    // Binds the service's methods and properties.
    virtual void Bind() = 0;
    // Enters the service's component types into the registry and loads its own resources.
    virtual void Init() = 0;
    // Per-frame work; dt in milliseconds.
    virtual void Update(float dt) = 0;
    virtual void AddComponent(Component* component) = 0;
    virtual void RemoveComponent(Component* component) = 0;
};

}  // namespace ZELM
