// A gravity zone whose direction the player can switch with the controller's trigger.
#pragma once

#include "logic/GameComponent.h"
#include "logic/GravityEffectZone.h"

namespace Logic {

class VariableGravityZone : public GameComponent {
public:
    void Bind() override;
    void Init() override {}
    void Update(float) override {}

    void AddPhysicsComponentToVariableGravityZone(Kestrin::PhysicsComponent* body) { effect.ApplyTo(body); }
    // The new direction; the magnitude the physics passes along is not used.
    void UpdateVariableGravityZone(float x, float y, float magnitude);
    // Asked by the physics for a turn of gravity towards (gx, gy): whether the player asks the zones
    // to switch with it, by the controller's trigger or by an arrow key pressed anew.
    bool IsVariableGravityZoneSwitchRequested(float gx, float gy);
    const ZoneEffect& GetEffect() const { return effect; }

private:
    bool TriggerHeld();

    ZoneEffect effect;
};

}  // namespace Logic
