// Picking a player with the mouse.
#include "graphics/PhazerGraphic.h"

namespace Graphics {

void PhazerGraphic::Update(float dt) {
    PlayerGraphic::Update(dt);
    picked = MouseOverMesh(GetWorld());
    if (picked) {
        // Every update tests again, so a hit is told up to three times a frame.
        ZELM::EntityHandle owner = GetOwner();
        engine.CallAll("ObjectPicked", owner);
    }
}

}  // namespace Graphics
