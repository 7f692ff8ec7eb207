// The level as the editor keeps it in memory: its entities as level XML, the components not yet
// activated, the open menus, and (for a play-test or a new level) the tile map and the scripts.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "engine/LevelMap.h"

namespace LevelEditor {

class LevelSnapshot {
public:
    enum class Tiles { Without, With };

    // The level as it stands now. The tile map is read by name ("GetLevelMap", "HasTileInfo")
    // and only when asked for: a stroke keeps its own cells.
    static LevelSnapshot Take(Tiles tiles);

    // Puts the level back: the tile map when this copy has one, every entity made anew from the
    // XML, the components that were not activated taken out of their services again, and the
    // menus given back (shown as the editor mode shows them; open where they were open).
    void Restore() const;

    // Whether the two copies hold the same level; open menus do not count.
    bool SameLevelAs(const LevelSnapshot& other) const;

    const std::string& GetEntitiesText() const { return entitiesText; }
    const std::vector<std::string>& GetOpenMenus() const { return openMenus; }

private:
    void RestoreTiles() const;
    void RestoreMenus() const;

    std::string entitiesText;
    // "Entity/Type" of each component that has not joined its service.
    std::vector<std::string> inactive;
    std::vector<std::string> openMenus;
    // Where each entity's menu was, so menus made anew do not jump.
    std::map<std::string, std::pair<int, int>> menuPlaces;
    bool hasTiles = false;
    ZELM::LevelMap tileMap;
    bool tileInfo = false;
    // Kept with the tile map: a new level leaves the game flow without the level's scripts.
    std::array<std::string, 3> scripts;
};

}  // namespace LevelEditor
