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
    if (body == nullptr || !body->GetOwner().IsAlive()) {
        return;
    }
    if (body->GetOwner()->GetComponent("GravityGuy") != nullptr) {
        players |= body->GetGravityAssociation();
    } else {
        bodies.push_back(body);
    }
}

}  // namespace Logic
