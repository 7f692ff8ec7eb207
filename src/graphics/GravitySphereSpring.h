// The springy motion of the gravity sphere around the player: it swells while gravity pulls,
// shrinks away when it stops, and its skin drifts with the pull.
#pragma once

namespace Graphics {

struct GravitySphereSpring {
    float u = 0.0f;   // velocity along y, from the pull's y
    float v = 0.0f;   // velocity along x, from the pull's x
    float su = 0.0f;  // u summed: how far the skin has drifted
    float sv = 0.0f;  // v summed, the other way

    // One update with the pull (gx, gy).
    void Step(float gx, float gy);
    // The sphere's size as a share of its full size (twice the gravity radius): 0 to 1.
    float Swell() const;
};

}  // namespace Graphics
