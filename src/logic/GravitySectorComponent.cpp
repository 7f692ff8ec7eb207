// The sector's collection of players and bodies.
#include "logic/GravitySectorComponent.h"

#include "engine/Entity.h"
#include "physics/PhysicsComponent.h"

namespace Logic {

void GravitySectorComponent::Bind() {
    ZELM::DynamicBinder::Bind("AddPhysicsComponentToGravitySector", this,
                              &GravitySectorComponent::AddPhysicsComponentToGravitySector);
}

void GravitySectorComponent::Update(float) {
    players = 0;
    bodies.clear();
}

void GravitySectorComponent::AddPhysicsComponentToGravitySector(Kestrin::PhysicsComponent* body) {
    const ZELM::Entity* entity = body != nullptr ? body->GetOwner().GetIfAlive() : nullptr;
    if (entity == nullptr) {
        return;
    }
    if (entity->GetComponent("GravityGuy") != nullptr) {
        players |= body->GetGravityAssociation();
    } else {
        bodies.push_back(body);
    }
}

}  // namespace Logic
