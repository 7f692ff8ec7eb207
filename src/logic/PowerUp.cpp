// Collecting a power-up.
#include "logic/PowerUp.h"

#include "physics/PhysicsComponent.h"

namespace Logic {

void PowerUp::Bind() {
    ZELM::DynamicBinder::Bind("PhysicsComponentCollidedWithPowerUp", this,
                              &PowerUp::PhysicsComponentCollidedWithPowerUp);
    BindProperty(&newRadius, "New Radius", false, false);
    BindProperty(&newInfluence, "New Influence", false, false);
    BindProperty(&newMagnitude, "New Magnitude", false, false);
}

void PowerUp::PhysicsComponentCollidedWithPowerUp(Kestrin::PhysicsComponent* body) {
    ZELM::Entity* collider = body != nullptr ? body->GetOwner().GetIfAlive() : nullptr;
    if (taken || collider == nullptr || collider->GetComponent("GravityGuy") == nullptr) {
        return;
    }
    taken = true;
    engine.Call("SplashYellow");
    // The graphic hides the pickup; a power-up without one has nothing to hide.
    if (IsBound("SetVisibility")) {
        Call("SetVisibility", false);
    }
    collider->Call("SetPowerLevels", newRadius, newInfluence, newMagnitude);
}

}  // namespace Logic
