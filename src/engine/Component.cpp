// Component ownership and service membership.
#include "engine/Component.h"

#include "engine/Entity.h"
#include "engine/Service.h"

namespace ZELM {

Component::~Component() {
    if (inService && parentService != nullptr) {
        parentService->RemoveComponent(this);
    }
}

void Component::SetOwner(const EntityHandle& newOwner) {
    if (const Entity* entity = newOwner.Resolve()) {
        SetName(entity->GetName());
    }
    owner = newOwner;
}

void Component::AddToService() {
    if (parentService == nullptr) {
        return;
    }
    parentService->AddComponent(this);
    inService = true;
}

void Component::LeaveService() {
    if (inService && parentService != nullptr) {
        parentService->RemoveComponent(this);
    }
    inService = false;
}

}  // namespace ZELM
