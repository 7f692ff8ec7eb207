// The material record the level effect receives as a raw value (52 bytes).
#pragma once

namespace Graphics {

struct Mtrl {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float specularPower;
};
static_assert(sizeof(Mtrl) == 52, "the effect reads the material as 13 floats");

}  // namespace Graphics
