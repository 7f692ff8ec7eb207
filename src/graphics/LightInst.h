// A light position, passed by value to "AddLightInst".
#pragma once

namespace Graphics {

struct LightInst {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

}  // namespace Graphics
