// Notices the player light entering or leaving a phase block and names the splash to show.
#pragma once

namespace Graphics {

class PhaseSplashDetector {
public:
    // The phase block's tile id.
    static constexpr unsigned char kPhaseTile = 3;

    // This frame's cell of the player light and its tile. Returns the bound name of the splash
    // ("SplashUp", "SplashDown", "SplashLeft", "SplashRight") or null when nothing was crossed.
    // A diagonal crossing in one frame is told apart by x first.
    const char* Step(unsigned cellX, unsigned cellY, unsigned char tile);

private:
    unsigned char previousTile = 0;
    unsigned previousX = 0;
    unsigned previousY = 0;
};

}  // namespace Graphics
