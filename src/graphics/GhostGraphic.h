// A level's best run drawn again: the player's mesh, see-through and tinted, turned by the pull its
// player felt then. It has no body, so it is placed and turned by the game flow alone.
#pragma once

#include "graphics/PlayerGraphic.h"

namespace Graphics {

class GhostGraphic : public PlayerGraphic {
public:
    void Bind() override;
    // Drawn see-through in the main pass only: a ghost adds no glow to the frame.
    void Draw() override;
    // The pull that turns its feet, as the recorded run's gravity had it.
    void SetGhostPull(float x, float y);

protected:
    void ReadPull(float& gx, float& gy) override;

private:
    float pullX = 0.0f;
    float pullY = -1.0f;
};

}  // namespace Graphics
