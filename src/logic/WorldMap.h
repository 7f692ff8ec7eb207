// The level's tile map as the game-flow service holds it: a map and whether the level named one.
#pragma once

#include "engine/LevelMap.h"

namespace Logic {

class WorldMap : public ZELM::LevelMap {
public:
    bool HasTileInfo() const { return tileInfo; }
    void SetTileInfo(bool hasInfo) { tileInfo = hasInfo; }

private:
    bool tileInfo = false;
};

}  // namespace Logic
