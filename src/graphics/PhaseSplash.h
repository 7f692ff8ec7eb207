// A splash of coloured sprites bursting from the player in one of four directions: crossing a
// phase block, touching a red or green block, taking a power-up.
#pragma once

#include "graphics/PSystem.h"

namespace Graphics {

class PhaseSplash : public PSystem {
public:
    using PSystem::PSystem;

    // 0 up, 1 down, 2 left, 3 right: the way the next particles fly.
    void SetDirection(int value) { direction = value; }
    int GetDirection() const { return direction; }

protected:
    void InitParticle(Particle& out) override;

private:
    int direction = 0;
};

}  // namespace Graphics
