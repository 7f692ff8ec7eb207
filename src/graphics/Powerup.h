// The power-up's gem: drawn until it is taken ("SetVisibility"(false)), glowing flat.
#pragma once

#include "graphics/MeshGraphic.h"

namespace Graphics {

class Powerup : public MeshGraphic {
public:
    Powerup() : MeshGraphic("powerup.x", "boxtex", "boxnormal") {}
    void Bind() override {
        MeshGraphic::Bind();
        DynamicBinder::Bind("SetVisibility", this, &Powerup::SetVisibility);
    }
    // Hidden, it draws in neither the frame nor its glow.
    void Draw() override {
        if (visible) {
            DrawMesh(GetWorld(), InGlowPass() ? MeshLook::kFlat : MeshLook::kLit);
        }
    }
    void SetVisibility(bool isVisible) { visible = isVisible; }
    bool IsVisible() const { return visible; }

private:
    bool visible = true;
};

}  // namespace Graphics
