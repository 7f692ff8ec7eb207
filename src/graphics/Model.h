// A character model placed in a level (the little miner): it turns to watch the mouse, except
// while debug drawing is on and the level is being edited around it. It wears its own materials'
// textures.
#pragma once

#include <vector>

#include "graphics/MeshGraphic.h"

namespace Graphics {

class Model : public MeshGraphic {
public:
    Model() : MeshGraphic("Dwarf.x", "", "") {}
    // Takes the textures its mesh's materials name.
    void Init() override;
    void Update(float dt) override;
    // Each material's faces with its texture.
    void Draw() override;

private:
    std::vector<Texture*> textures;  // by subset
};

}  // namespace Graphics
