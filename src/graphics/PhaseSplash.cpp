// Where a splash particle starts and how it flies.
#include "graphics/PhaseSplash.h"

#include <cmath>

namespace Graphics {

void PhaseSplash::InitParticle(Particle& out) {
    const glm::vec3 player = PlayerPosition();
    const float theta = 2.0f * 3.14159265f * Random();
    const float radius = 0.2f * Random();
    out.lifeTime = 0.5f * Random();
    const float across1 = radius * std::sin(theta);
    const float across2 = radius * std::cos(theta);
    // A small disc across the direction of flight, moving out along it and spreading across it.
    const bool vertical = direction != 2 && direction != 3;
    const float speed = Random(1.0f, 10.0f);
    const float spread1 = 10.0f * Random(1.3f, 2.0f);
    const float spread2 = 10.0f * Random(1.3f, 2.0f);
    if (vertical) {
        out.initialPos = {player.x + across1, player.y, player.z + across2};
        out.initialVelocity = {spread1 * across1, direction == 1 ? -speed : speed, spread2 * across2};
    } else {
        out.initialPos = {player.x, player.y + across1, player.z + across2};
        out.initialVelocity = {direction == 3 ? -speed : speed, spread1 * across1, spread2 * across2};
    }
    out.initialSize = Random(6.0f, 8.0f);
    out.mass = Random(0.8f, 1.2f);
    out.initialColour = 0xffffffffu;
    out.initialTime = time;
}

}  // namespace Graphics
