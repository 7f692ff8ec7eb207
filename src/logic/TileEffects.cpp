// The checkpoint's and the red block's effects on the player.
#include "logic/TileEffects.h"

#include "engine/Entity.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

void TileEffects::Step() {
    for (const int type : {5, 6}) {
        if (rest[type] > 0) {
            --rest[type];
        }
    }
}

void TileEffects::Touch(const Kestrin::TilePhysicsObject& tile, unsigned side,
                        const ZELM::EntityHandle& player) {
    static const char* const kGreen[] = {"SplashUpGreen", "SplashDownGreen", "SplashLeftGreen",
                                         "SplashRightGreen"};
    static const char* const kRed[] = {"SplashUpRed", "SplashDownRed", "SplashLeftRed", "SplashRightRed"};
    if (tile.type == 5) {
        if (rest[5] == 0) {
            engine.Call("HitCheckPoint");
            if (side < 4) {
                engine.Call(kGreen[side]);
            }
        }
        rest[5] = kRestTicks;
        // Every touch moves the respawn point, even while the splash is resting.
        if (ZELM::Entity* playerEntity = player.GetIfAlive()) {
            playerEntity->Call("SetStartingPoint", tile.x, tile.y, side);
        }
    } else if (tile.type == 6) {
        if (rest[6] == 0 && side < 4) {
            engine.Call(kRed[side]);
        }
        rest[6] = kRestTicks;
    }
}

}  // namespace Logic
