// A zone that bends the gravity of every body inside it towards a fixed direction.
#pragma once

#include "engine/Component.h"

namespace Kestrin {
class PhysicsComponent;
}

namespace Logic {

// The four values a zone writes into each body it overlaps, for the body's next integration step.
struct ZoneEffect {
    float x = 0.0f;          // "X Gravity Effect"
    float y = 0.0f;          // "Y Gravity Effect"
    float magnitude = 0.0f;  // "Gravity Effect Magnitude": the zone's weight against the body's gravity
    float total = 8.0f;      // "Gravity Magnitude Total": the multiplier of the whole; 8 as outside zones

    void Bind(ZELM::DynamicBinder& binder);
    // Overwrites the body's effect: of several zones resolved in one step, the last one wins.
    void ApplyTo(Kestrin::PhysicsComponent* body) const;
};

class GravityEffectZone : public ZELM::Component {
public:
    void Bind() override;
    void Init() override {}
    void Update(float) override {}

    void AddPhysicsComponentToGravityEffectZone(Kestrin::PhysicsComponent* body) { effect.ApplyTo(body); }
    float GetYGravityZoneEffect() { return effect.y; }
    float GetXGravityZoneEffect() { return effect.x; }

private:
    ZoneEffect effect;
};

}  // namespace Logic
