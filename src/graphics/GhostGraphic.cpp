// Turning and drawing a ghost.
#include "graphics/GhostGraphic.h"

namespace Graphics {

void GhostGraphic::Bind() {
    PlayerGraphic::Bind();
    DynamicBinder::Bind("SetGhostPull", this, &GhostGraphic::SetGhostPull);
}

void GhostGraphic::SetGhostPull(float x, float y) {
    pullX = x;
    pullY = y;
}

void GhostGraphic::ReadPull(float& gx, float& gy) {
    gx = pullX;
    gy = pullY;
}

void GhostGraphic::Draw() {
    if (!InGlowPass()) {
        DrawMesh(World(), MeshLook::kGhost, {0, 1});
    }
}

}  // namespace Graphics
