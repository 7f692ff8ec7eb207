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
    // A remote player's keys arrive over the network into their own table, as the keys the game
    // shipped with.
    const std::string query = OwnerHas("NetworkInput") ? "NetActionDown" : "ActionDown";
    if (disablePlayer) {
        return;
    }
    // Before this frame's turns: a landing read after a switch would still be the one from before
    // it, and would give the switch straight back.
    if (IsBound("RearmVariableZonesOnLanding")) {
        Call("RearmVariableZonesOnLanding");
    }
    // The pad's gravity controls (the right stick unless the player chose others) turn gravity as
    // far as they are pushed; at rest the call turns nothing.
    auto pad = [this](const char* action) { return engine.Call<float>("ActionPadLevel", std::string(action)); };
    engine.Call("ChangeGlobalGravity", pad("gravityright") - pad("gravityleft"), pad("gravityup") - pad("gravitydown"),
                source);

    auto held = [this, &query](const char* action) { return engine.Call<bool>(query, std::string(action)); };
    Direction direction;
    if (held("gravityright")) {
        direction = held("gravityup") ? Direction{kDiagonal, kDiagonal}
                               : (held("gravitydown") ? Direction{kDiagonal, -kDiagonal} : Direction{1.0f, 0.0f});
    } else if (held("gravityleft")) {
        direction = held("gravityup") ? Direction{-kDiagonal, kDiagonal}
                               : (held("gravitydown") ? Direction{-kDiagonal, -kDiagonal} : Direction{-1.0f, 0.0f});
    } else if (held("gravityup")) {
        direction = {0.0f, 1.0f};
    } else if (held("gravitydown")) {
        direction = {0.0f, -1.0f};
    } else {
        return;
    }
    PlayChangeSound();
    engine.Call("ChangeGlobalGravity", direction.x, direction.y, source);
}

}  // namespace Logic
