// The gravity sphere's spring.
#include "graphics/GravitySphereSpring.h"

#include <algorithm>
#include <cmath>

namespace Graphics {
namespace {

constexpr float kDeadZone = 0.0001f;
constexpr float kPush = 0.03f;
constexpr float kLimit = 1.5f;
constexpr float kDamping = 0.98f;

float Spring(float velocity, float pull) {
    if (std::fabs(pull) > kDeadZone) {
        return std::clamp(velocity + kPush * pull, -kLimit, kLimit);
    }
    return kDamping * velocity;
}

}  // namespace

void GravitySphereSpring::Step(float gx, float gy) {
    u = Spring(u, gy);
    v = Spring(v, gx);
    su += u;
    sv -= v;
}

float GravitySphereSpring::Swell() const {
    return std::min(1.0f, 0.8f * std::sqrt(u * u + v * v));
}

}  // namespace Graphics
