// The character whose arrow keys turn gravity for itself and every body within its radius.
#pragma once

#include <random>

#include "engine/GravityParameters.h"
#include "logic/GameComponent.h"

namespace Logic {

class GravityGuy : public GameComponent {
public:
    void Bind() override;
    // Makes sure the entity has a "PlayerMovement".
    void Init() override;
    // Lets a landing re-arm the variable zones, then turns gravity by the controller every frame and
    // by the first arrow key held.
    void Update(float dt) override;

    // Raises each level to the given one when that is larger; levels never go down.
    void SetPowerLevels(float newRadius, float newPower, float newMagnitude);
    float GetGravRadius() { return radius; }
    // The source record this character forms now: its place, power, radius and magnitude.
    ZELM::GravityParameters GetGravitySource();

private:
    void PlayChangeSound();

    float power = 1.0f;
    float radius = 3.0f;
    float magnitude = 5.0f;
    bool disablePlayer = false;
    std::minstd_rand random;  // which of the two change sounds plays
};

}  // namespace Logic
