// Easing the player's turn.
#include "graphics/PlayerOrientation.h"

namespace Graphics {
namespace {
constexpr float kPi = 3.14159265f;
}  // namespace

float PlayerOrientation::Target(float gx, float gy) {
    if (gx > 0.0f) {
        return 2.5f * kPi;
    }
    if (gx < 0.0f) {
        return 3.5f * kPi;
    }
    return gy > 0.0f ? 3.0f * kPi : 2.0f * kPi;
}

void PlayerOrientation::Step(float gx, float gy, float dt) {
    const float target = Target(gx, gy);
    if (target - angle > kPi) {
        angle += 2.0f * kPi;
    }
    if (target - angle < -kPi) {
        angle -= 2.0f * kPi;
    }
    if (dt > 0.0f) {
        angle += (target - angle) * 0.25f;
    }
}

}  // namespace Graphics
