// The count of ticks at rest on red.
#include "logic/RedRest.h"

namespace Logic {

bool RedRest::Step(float x, float y, bool touchingRed) {
    const bool still = placed && std::fabs(x - lastX) < kStillPerTick && std::fabs(y - lastY) < kStillPerTick;
    placed = true;
    lastX = x;
    lastY = y;
    ticks = still && touchingRed ? ticks + 1 : 0;
    if (ticks < kTicks) {
        return false;
    }
    ticks = 0;
    return true;
}

void RedRest::Reset() {
    ticks = 0;
    placed = false;
}

}  // namespace Logic
