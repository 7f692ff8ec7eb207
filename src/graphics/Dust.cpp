// Placing, drifting and wrapping the dust motes.
#include "graphics/Dust.h"

#include <limits>
#include <string>

#include "input/Action.h"

namespace Graphics {
namespace {

constexpr float kHalfSquare = 30.0f;
constexpr float kTopSpeed = 0.8f;

// Each gravity key with the controller action that turns gravity the same way, so the dust drifts
// with the bodies. The right stick's horizontal actions are named the other way round from their
// sources: "Right Right" reads the stick pushed left and "Right Left" the stick pushed right.
struct DriftKey {
    const char* key;
    Input::Action action;
    glm::vec3 direction;
};
const DriftKey kDriftKeys[] = {{"gravityup", Input::kRightUp, {0.0f, 1.0f, 0.0f}},
                               {"gravitydown", Input::kRightDown, {0.0f, -1.0f, 0.0f}},
                               {"gravityleft", Input::kRightRight, {-1.0f, 0.0f, 0.0f}},
                               {"gravityright", Input::kRightLeft, {1.0f, 0.0f, 0.0f}}};

float Wrap(float value, float centre) {
    if (value - centre > kHalfSquare) {
        return value - 2.0f * kHalfSquare;
    }
    if (value - centre < -kHalfSquare) {
        return value + 2.0f * kHalfSquare;
    }
    return value;
}

}  // namespace

void Dust::InitParticle(Particle& out) {
    const glm::vec3 player = PlayerPosition();
    // Up to 5 units nearer the camera than the player, so some motes pass in front of the level.
    const float x = 60.0f * Random() - 30.0f;
    const float y = 60.0f * Random() - 30.0f;
    const float z = 5.0f * Random() - 5.0f;
    out.initialPos = player + glm::vec3(x, y, z);
    out.initialVelocity = glm::vec3(0.0f);
    // The cloud is made once, on the first frame, and only moves after: a mote that died would
    // never come back, so none ever does, however long a level is played.
    out.lifeTime = std::numeric_limits<float>::infinity();
    out.initialSize = 6.0f + 2.0f * Random();
    out.mass = 0.8f + 0.4f * Random();
    out.initialColour = 0xffffffffu;
    out.initialTime = time;
}

void Dust::Update(float dt) {
    PSystem::Update(dt);
    const bool keys = engine.IsBound("ActionTriggered");
    const bool controller = engine.IsBound("IsPressed");
    for (const DriftKey& turn : kDriftKeys) {
        if ((keys && engine.Call<bool>("ActionTriggered", std::string(turn.key))) ||
            (controller && engine.Call<char>("IsPressed", static_cast<Input::Action>(turn.action)) != 0)) {
            drift = turn.direction;
        }
    }
    const float t = dt / 1000.0f;
    const glm::vec3 player = PlayerPosition();
    for (Particle* mote : GetLive()) {
        glm::vec3& velocity = mote->initialVelocity;
        velocity += drift * t;
        const float speed = glm::length(velocity);
        if (speed > kTopSpeed) {
            velocity *= kTopSpeed / speed;
        }
        // The dust is moved here, not in the shader: it wraps around the player, which a shader
        // working from the initial values alone cannot follow.
        mote->initialPos += velocity * t * mote->mass;
        mote->initialPos.x = Wrap(mote->initialPos.x, player.x);
        mote->initialPos.y = Wrap(mote->initialPos.y, player.y);
    }
}

}  // namespace Graphics
