// Turning global gravity, and with it the variable zones while the player may still switch them.
#pragma once

#include <vector>

#include "engine/Component.h"
#include "engine/GravityParameters.h"

namespace Kestrin {

class GravitySwitch {
public:
    // Points every body's gravity along (gx, gy) from the source. Where the turn is one the player
    // asked the zones for (each zone's entity answers whether it was), every variable zone takes
    // its direction too, and the switch is used up until "SetAbilityToChangeGravity" gives it back.
    void Turn(const std::vector<ZELM::Component*>& bodies, float gx, float gy,
              ZELM::GravityParameters source);

    bool CanChangeGravity() const { return canChangeGravity; }
    void SetAbilityToChangeGravity(bool canChange) { canChangeGravity = canChange; }

private:
    // A variable zone's component for a turn's component: its strength with the turn's sign.
    float ZoneDirection(float g) const;

    float zoneStrength = 14.0f;
    bool canChangeGravity = true;
};

}  // namespace Kestrin
