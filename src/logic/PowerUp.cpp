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
    if (taken || body == nullptr || !body->GetOwner().IsAlive() ||
        body->GetOwner()->GetComponent("GravityGuy") == nullptr) {
        return;
    }
    taken = true;
    engine.Call("SplashYellow");
    // The graphic hides the pickup; a power-up without one has nothing to hide.
    if (IsBound("SetVisibility")) {
        Call("SetVisibility", false);
    }
    body->GetOwner()->Call("SetPowerLevels", newRadius, newInfluence, newMagnitude);
}

}  // namespace Logic
