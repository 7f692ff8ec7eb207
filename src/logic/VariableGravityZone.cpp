// Switchable gravity zones, and the player's request to switch them.
#include "logic/VariableGravityZone.h"

#include <string>

namespace Logic {

void VariableGravityZone::Bind() {
    effect.Bind(*this);
    ZELM::DynamicBinder::Bind("AddPhysicsComponentToVariableGravityZone", this,
                              &VariableGravityZone::AddPhysicsComponentToVariableGravityZone);
    ZELM::DynamicBinder::Bind("UpdateVariableGravityZone", this,
                              &VariableGravityZone::UpdateVariableGravityZone);
    ZELM::DynamicBinder::Bind("IsVariableGravityZoneSwitchRequested", this,
                              &VariableGravityZone::IsVariableGravityZoneSwitchRequested);
}

void VariableGravityZone::UpdateVariableGravityZone(float x, float y, float) {
    effect.x = x;
    effect.y = y;
}

// The controller answers with a level; without a controller service nothing is triggered.
bool VariableGravityZone::TriggerHeld() {
    return engine.IsBound("IsTriggeredProfile") && engine.Call<char>("IsTriggeredProfile", 5) != 0;
}

// An arrow key pressed anew switches the zones as the right stick pushed anew does, so that the
// keyboard alone can play every level. It only counts for a turn towards a direction: the stick's
// call of a frame with the stick at rest must not switch the zones to nothing.
bool VariableGravityZone::IsVariableGravityZoneSwitchRequested(float gx, float gy) {
    if (TriggerHeld()) {
        return true;
    }
    if ((gx == 0.0f && gy == 0.0f) || !engine.IsBound("ActionTriggered")) {
        return false;
    }
    for (const char* action : {"gravityup", "gravitydown", "gravityleft", "gravityright"}) {
        if (engine.Call<bool>("ActionTriggered", std::string(action))) {
            return true;
        }
    }
    return false;
}

}  // namespace Logic
