// A gravity source: where it is, how strong it reaches, and how far.
#pragma once

#include "engine/ISerializer.h"

namespace ZELM {

struct GravityParameters {
    float x = 0.0f;
    float y = 0.0f;
    float power = 0.0f;
    float radius = 0.0f;
    float magnitude = 0.0f;

    // Members in order, so scripts pass a source as {x, y, power, radius, magnitude}.
    void Serialize(ISerializer& serializer) {
        serializer.Serialize(x);
        serializer.Serialize(y);
        serializer.Serialize(power);
        serializer.Serialize(radius);
        serializer.Serialize(magnitude);
    }
};

}  // namespace ZELM
