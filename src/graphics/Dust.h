// The ambient dust: motes in a 60 x 60 square around the player that drift the way gravity points.
#pragma once

#include "graphics/PSystem.h"

namespace Graphics {

class Dust : public PSystem {
public:
    using PSystem::PSystem;

    // Turns the drift with the gravity keys, then moves every mote and wraps it around the player.
    void Update(float dt) override;
    const glm::vec3& GetDrift() const { return drift; }

protected:
    void InitParticle(Particle& out) override;

private:
    glm::vec3 drift{0.0f, -1.0f, 0.0f};
};

}  // namespace Graphics
