// Notices the player light entering or leaving a phase block and names the splash to show.
#pragma once

#include <glm/glm.hpp>

namespace ZELM {
class DynamicCaller;
}

namespace Graphics {

class PhaseSplashDetector {
public:
    // The phase block's tile id.
    static constexpr unsigned char kPhaseTile = 3;

    // This frame's cell of the player light and its tile. Returns the bound name of the splash
    // ("SplashUp", "SplashDown", "SplashLeft", "SplashRight") or null when nothing was crossed.
    // A diagonal crossing in one frame is told apart by x first.
    const char* Step(unsigned cellX, unsigned cellY, unsigned char tile);
    // Steps with the cell of the player's light and the level's tile there ("GetTileID"), and calls
    // the splash named; without a level nothing is read or called.
    void Detect(ZELM::DynamicCaller& engine, const glm::vec3& light);

private:
    unsigned char previousTile = 0;
    unsigned previousX = 0;
    unsigned previousY = 0;
};

}  // namespace Graphics
