// A gravity zone whose direction the player can switch with the controller's trigger.
#pragma once

#include "engine/Component.h"
#include "logic/GravityEffectZone.h"

namespace Logic {

class VariableGravityZone : public ZELM::Component {
public:
    void Bind() override;
    void Init() override {}
    void Update(float) override {}

    void AddPhysicsComponentToVariableGravityZone(Kestrin::PhysicsComponent* body) { effect.ApplyTo(body); }
    // The new direction; the magnitude the physics passes along is not used.
    void UpdateVariableGravityZone(float x, float y, float magnitude);
    const ZoneEffect& GetEffect() const { return effect; }

private:
    ZoneEffect effect;
};

}  // namespace Logic
