// The look of a gravity zone: a see-through box of chevrons drifting the way the zone pulls.
#pragma once

#include "graphics/MeshGraphic.h"

namespace Graphics {

class GravityZone : public MeshGraphic {
public:
    GravityZone() : MeshGraphic("TexturedBox.x", "gravtex", "gravnormal") {}
    // Draws once a frame, over the level ("GravTech"): drawn before the level, the blocks would
    // cover it, and a see-through field drawn twice or into the glow would only grow murkier.
    void Draw() override;

private:
    int drawsThisFrame = 0;
    float timer = 0.0f;
};

}  // namespace Graphics
