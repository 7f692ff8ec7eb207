// Switchable gravity zones.
#include "logic/VariableGravityZone.h"

namespace Logic {

void VariableGravityZone::Bind() {
    effect.Bind(*this);
    ZELM::DynamicBinder::Bind("AddPhysicsComponentToVariableGravityZone", this,
                              &VariableGravityZone::AddPhysicsComponentToVariableGravityZone);
    ZELM::DynamicBinder::Bind("UpdateVariableGravityZone", this, &VariableGravityZone::UpdateVariableGravityZone);
}

void VariableGravityZone::UpdateVariableGravityZone(float x, float y, float) {
    effect.x = x;
    effect.y = y;
}

}  // namespace Logic
