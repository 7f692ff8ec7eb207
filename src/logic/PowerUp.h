// A pickup that raises the gravity character's radius, power and magnitude, once.
#pragma once

#include "logic/GameComponent.h"

namespace Kestrin {
class PhysicsComponent;
}

namespace Logic {

class PowerUp : public GameComponent {
public:
    void Bind() override;
    void Init() override {}
    void Update(float) override {}

    // Taken by the first body with a gravity character that overlaps it; every other body, and
    // every later overlap, is ignored.
    void PhysicsComponentCollidedWithPowerUp(Kestrin::PhysicsComponent* body);
    bool IsTaken() const { return taken; }

private:
    float newRadius = 0.0f;
    float newInfluence = 0.0f;
    float newMagnitude = 0.0f;
    bool taken = false;
};

}  // namespace Logic
