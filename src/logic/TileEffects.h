// What the checkpoint (type 5) and the red block (type 6) do when the player touches them: the
// sound and the splash on the side touched, then two ticks' rest before the next, so a body
// resting on a block does not splash every tick. A checkpoint also moves the respawn point.
#pragma once

#include <array>

#include "engine/EntityHandle.h"
#include "physics/TilePhysicsObject.h"

namespace ZELM {
class DynamicCaller;
}

namespace Logic {

class TileEffects {
public:
    // Calls on "Engine" through the game flow: the sounds and the splashes.
    explicit TileEffects(ZELM::DynamicCaller& engine) : engine(engine) {}

    // Once a tick, before anything moves: the rest counts down.
    void Step();
    // The player touched the tile on `side` (up, down, left, right; 4 and above: no side).
    void Touch(const Kestrin::TilePhysicsObject& tile, unsigned side, const ZELM::EntityHandle& player);

private:
    static constexpr unsigned char kRestTicks = 2;

    ZELM::DynamicCaller& engine;
    std::array<unsigned char, 21> rest = {};  // by tile type; only 5 and 6 are used
};

}  // namespace Logic
