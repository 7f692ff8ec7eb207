// Classifying phase-block crossings of the player light and calling their splashes.
#include "graphics/PhaseSplashDetector.h"

#include "utilities/Dynamic.h"

namespace Graphics {

const char* PhaseSplashDetector::Step(unsigned cellX, unsigned cellY, unsigned char tile) {
    const char* splash = nullptr;
    const bool wasInside = previousTile == kPhaseTile;
    const bool isInside = tile == kPhaseTile;
    if (wasInside && !isInside) {
        // Leaving: the splash flies out behind the player.
        splash = cellX < previousX   ? "SplashRight"
                 : cellX > previousX ? "SplashLeft"
                 : cellY > previousY ? "SplashUp"
                                     : "SplashDown";
    } else if (isInside && !wasInside) {
        splash = cellX < previousX   ? "SplashLeft"
                 : cellX > previousX ? "SplashRight"
                 : cellY > previousY ? "SplashDown"
                                     : "SplashUp";
    }
    previousTile = tile;
    previousX = cellX;
    previousY = cellY;
    return splash;
}

void PhaseSplashDetector::Detect(ZELM::DynamicCaller& engine, const glm::vec3& light) {
    if (!engine.IsBound("GetTileID")) {
        return;
    }
    // Truncated toward zero, then read as unsigned, as the tile lookup takes them.
    const unsigned x = static_cast<unsigned>(static_cast<int>(light.x));
    const unsigned y = static_cast<unsigned>(static_cast<int>(light.y));
    const char* splash = Step(x, y, engine.Call<unsigned char>("GetTileID", x, y));
    if (splash != nullptr && engine.IsBound(splash)) {
        engine.Call(splash);
    }
}

}  // namespace Graphics
