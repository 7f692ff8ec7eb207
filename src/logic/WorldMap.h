// The level's tile map as the game-flow service holds it: a map, whether the level named one, and
// its file by level name in the levels' "Tiles/" directory.
#pragma once

#include <string>

#include "engine/LevelMap.h"

namespace Logic {

class WorldMap : public ZELM::LevelMap {
public:
    // The bundled map file of that name.
    static std::string BundledPath(const std::string& name);
    // Where the map of that name is read: a "my:" name from the player's folder first.
    static std::string PathOf(const std::string& name);

    bool HasTileInfo() const { return tileInfo; }
    void SetTileInfo(bool hasInfo) { tileInfo = hasInfo; }

    // Replaces the map with the file of that name, the player's copy first.
    void LoadByName(const std::string& name);
    // Writes the map under that name, as the player's copy in an installed game.
    void SaveByName(const std::string& name);
    // Writes the map to its own file; a new map without one waits for its name.
    void SaveInPlace();
    // A new map walled in by blocks, without a file until it is saved by name; sizes outside
    // 8..4096 are refused with a report.
    void CreateWalled(unsigned width, unsigned height);
    // Sets every tile of the map to the id.
    void Fill(unsigned char id);

private:
    bool tileInfo = false;
};

}  // namespace Logic
