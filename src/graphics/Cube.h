// A crate: the textured box at the entity's place and size, normal-mapped in every pass.
#pragma once

#include "graphics/MeshGraphic.h"

namespace Graphics {

class Cube : public MeshGraphic {
public:
    Cube() : MeshGraphic("TexturedBox.x", "boxtex", "boxnormal") {}
    void Draw() override { DrawMesh(World(), MeshLook::kLit, {0}); }

protected:
    // All cubes share one matrix: the frame draws each cube right after updating it.
    glm::mat4& World() override {
        static glm::mat4 shared(1.0f);
        return shared;
    }
};

}  // namespace Graphics
