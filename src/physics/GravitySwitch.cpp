// One turn of gravity reaches every body; the first variable zone decides whether the zones switch.
#include "physics/GravitySwitch.h"

#include "physics/PhysicsComponent.h"

namespace Kestrin {
namespace {

// A variable zone is known by the calls it answers, not by its gameplay type.
const ZELM::MethodName kUpdateVariableGravityZone("UpdateVariableGravityZone");
const ZELM::MethodName kIsSwitchRequested("IsVariableGravityZoneSwitchRequested");

}  // namespace

float GravitySwitch::ZoneDirection(float g) const {
    return g > 0.0f ? zoneStrength : (g < 0.0f ? -zoneStrength : 0.0f);
}

void GravitySwitch::Turn(const std::vector<ZELM::Component*>& bodies, float gx, float gy,
                         ZELM::GravityParameters source) {
    // One switch turns every variable zone; the permission it uses up is checked at the first zone,
    // and whether the player asked for the switch is the zone's to say.
    bool switching = false;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        auto* body = static_cast<PhysicsComponent*>(bodies[i]);
        if (body->IsBound(kUpdateVariableGravityZone) &&
            (switching || (canChangeGravity && source.magnitude != 0.0f &&
                           body->Call<bool>(kIsSwitchRequested, gx, gy)))) {
            canChangeGravity = false;
            switching = true;
            // The zones take the direction at their own strength; the bodies keep the turn as asked,
            // so a switch never pulls anything harder than the turn itself.
            body->Call(kUpdateVariableGravityZone, ZoneDirection(gx), ZoneDirection(gy), source.magnitude);
        }
        body->SetGravityGeneral(gx, gy, source);
    }
}

}  // namespace Kestrin
