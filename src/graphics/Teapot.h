// The game's emblem, the letter F in blocks: it leans toward the mouse, and spins while the
// mouse is over it.
#pragma once

#include "graphics/MeshGraphic.h"

namespace Graphics {

class Teapot : public MeshGraphic {
public:
    Teapot() : MeshGraphic("logo.x", "tile1", "tilenormal") {}
    void Update(float dt) override;

private:
    float spin = 0.0f;
};

}  // namespace Graphics
