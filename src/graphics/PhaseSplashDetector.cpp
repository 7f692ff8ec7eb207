// Classifying phase-block crossings.
#include "graphics/PhaseSplashDetector.h"

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

}  // namespace Graphics
