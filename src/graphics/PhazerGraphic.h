// A player that can be picked with the mouse: while the cursor is over its mesh it is picked and
// tells everyone listening ("ObjectPicked"), which is how the editor opens an entity's menu.
#pragma once

#include "graphics/PlayerGraphic.h"

namespace Graphics {

class PhazerGraphic : public PlayerGraphic {
public:
    // After placing the mesh, casts the mouse ray at it; on a hit broadcasts "ObjectPicked".
    void Update(float dt) override;
};

}  // namespace Graphics
