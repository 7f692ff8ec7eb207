// Component bookkeeping shared by every service.
#include "engine/Service.h"

#include <algorithm>

#include "engine/Component.h"

namespace ZELM {

Service::Service() { SetName("Engine"); }

void Service::AddComponent(Component* component) { components.push_back(component); }

void Service::RemoveComponent(Component* component) {
    const auto found = std::find(components.begin(), components.end(), component);
    if (found != components.end()) {
        components.erase(found);
    }
}

void Service::UpdateComponents(float dt) {
    // Indexed: a component's update may add components to this service.
    for (std::size_t i = 0; i < components.size(); ++i) {
        components[i]->Update(dt);
    }
}

}  // namespace ZELM
