// The base of the engine's services: a name, and the components the service updates.
#pragma once

#include <string>
#include <vector>

#include "engine/ServiceBase.h"

namespace ZELM {

class Service : public ServiceBase {
public:
    // Every service binds into, and calls through, the one table named "Engine".
    Service();

    void AddComponent(Component* component) override;
    // Removes the first occurrence; nothing happens when the component is not there.
    void RemoveComponent(Component* component) override;

    const std::string& GetServiceName() const { return serviceName; }
    void SetServiceName(const std::string& name) { serviceName = name; }
    const std::vector<Component*>& GetComponents() const { return components; }

protected:
    // Updates every component in the order they were added.
    void UpdateComponents(float dt);

private:
    std::string serviceName;
    std::vector<Component*> components;
};

}  // namespace ZELM
