// A light placed in a level: its position is the entity's, its colour the three diffuse properties.
#pragma once

#include "engine/Component.h"
#include "graphics/LightInst.h"

namespace Graphics {

class Light : public ZELM::Component {
public:
    void Bind() override;
    // Gives the entity a "Physical" when it has none, so the light always has a place to read.
    void Init() override;
    void Update(float /*dt*/) override {}

    LightInst GetLightInst();

private:
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
};

}  // namespace Graphics
