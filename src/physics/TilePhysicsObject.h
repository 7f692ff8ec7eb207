// How one tile type collides; its box is overwritten with each run of tiles of that type resolved.
#pragma once

namespace Kestrin {

struct TilePhysicsObject {
    float bounciness = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
    float friction = 1.0f;
    int type = 0;
    bool ghost = false;           // detected, never pushes
    float reportThreshold = 0.0f;  // a contact is recorded only past this penetration
};

}  // namespace Kestrin
