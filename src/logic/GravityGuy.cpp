// Turning gravity from the arrow keys and the controller's profiles.
#include "logic/GravityGuy.h"

#include <algorithm>
#include <string>

#include "engine/ComponentAttachment.h"

namespace Logic {
namespace {

struct Direction {
    float x;
    float y;
};

constexpr float kDiagonal = 0.7071f;

}  // namespace

void GravityGuy::Bind() {
    BindProperty(&disablePlayer, "DisablePlayer", true, false);
    ZELM::DynamicBinder::Bind("SetPowerLevels", this, &GravityGuy::SetPowerLevels);
    ZELM::DynamicBinder::Bind("GetGravRadius", this, &GravityGuy::GetGravRadius);
    ZELM::DynamicBinder::Bind("GetGravitySource", this, &GravityGuy::GetGravitySource);
}

void GravityGuy::Init() {
    if (ZELM::Entity* owner = GetOwner().Resolve()) {
        ZELM::EnsureComponent(*owner, "Logic", "PlayerMovement");
    }
}

void GravityGuy::SetPowerLevels(float newRadius, float newPower, float newMagnitude) {
    radius = std::max(radius, newRadius);
    power = std::max(power, newPower);
    magnitude = std::max(magnitude, newMagnitude);
}

ZELM::GravityParameters GravityGuy::GetGravitySource() {
    return ZELM::GravityParameters{Call<float>("GetX"), Call<float>("GetY"), power, radius, magnitude};
}

void GravityGuy::PlayChangeSound() { engine.Call(random() % 2 == 0 ? "PlayChangeGrav" : "PlayChangeGrav2"); }

void GravityGuy::Update(float) {
    const ZELM::GravityParameters source = GetGravitySource();
    engine.Call("SetGravRadius", radius);
    // A remote player's keys arrive over the network into their own table.
    const std::string query = OwnerHas("NetworkInput") ? "NetKeyDown" : "KeyDown";
    if (disablePlayer) {
        return;
    }
    // Before this frame's turns: a landing read after a switch would still be the one from before
    // it, and would give the switch straight back.
    if (IsBound("RearmVariableZonesOnLanding")) {
        Call("RearmVariableZonesOnLanding");
    }
    // The right stick: profiles 6 and 7 are its vertical levels, 8 and 9 its horizontal ones, so
    // gravity follows the way the stick is pushed.
    auto profile = [this](int number) { return static_cast<float>(engine.Call<char>("IsPressedProfile", number)); };
    engine.Call("ChangeGlobalGravity", (profile(8) + profile(9)) / 5.0f, (profile(6) + profile(7)) / 5.0f, source);

    auto held = [this, &query](const char* key) { return engine.Call<bool>(query, std::string(key)); };
    Direction direction;
    if (held("RIGHT")) {
        direction = held("UP") ? Direction{kDiagonal, kDiagonal}
                               : (held("DOWN") ? Direction{kDiagonal, -kDiagonal} : Direction{1.0f, 0.0f});
    } else if (held("LEFT")) {
        direction = held("UP") ? Direction{-kDiagonal, kDiagonal}
                               : (held("DOWN") ? Direction{-kDiagonal, -kDiagonal} : Direction{-1.0f, 0.0f});
    } else if (held("UP")) {
        direction = {0.0f, 1.0f};
    } else if (held("DOWN")) {
        direction = {0.0f, -1.0f};
    } else {
        return;
    }
    PlayChangeSound();
    engine.Call("ChangeGlobalGravity", direction.x, direction.y, source);
}

}  // namespace Logic
