// The level's tile map read, written and made by name.
#include "logic/WorldMap.h"

#include <cstdint>
#include <filesystem>

#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"
#include "engine/ProblemReport.h"

namespace Logic {

std::string WorldMap::BundledPath(const std::string& name) {
    return ZELM::PathTable::Instance().Get("Levels") + "Tiles/" + name;
}

std::string WorldMap::PathOf(const std::string& name) {
    if (ZELM::PlayerLevels::IsPlayerLevel(name)) {
        const std::string own = ZELM::PlayerLevels::TileFile(name);
        std::error_code ignored;
        // A player level may draw on a map the game ships.
        if (std::filesystem::is_regular_file(own, ignored)) {
            return own;
        }
        return ZELM::PathTable::Instance().Find("Levels", "Tiles/" + ZELM::PlayerLevels::StemOf(name));
    }
    return ZELM::PathTable::Instance().Find("Levels", "Tiles/" + name);
}

void WorldMap::LoadByName(const std::string& name) {
    SetFileName(PathOf(name));
    Free();
    Load();
    SetTileInfo(true);
}

void WorldMap::SaveByName(const std::string& name) {
    if (ZELM::PlayerLevels::IsPlayerLevel(name)) {
        std::error_code ignored;
        std::filesystem::create_directories(ZELM::PlayerLevels::TilesDirectory(), ignored);
        SetFileName(ZELM::PlayerLevels::TileFile(name));
    } else {
        SetFileName(ZELM::PathTable::Instance().GetWritable("Levels", "Tiles/" + name));
    }
    if (IsLoaded() && !Save()) {
        ZELM_PROBLEM("Logic::WorldMap::SaveByName", "Could not save the tile map \"%s\"!",
                     GetFileName().c_str());
    }
}

void WorldMap::SaveInPlace() {
    if (GetFileName().empty()) {
        return;  // a new level's map: it gets its file when the level is saved by name
    }
    // An installed game's bundled maps may be read-only: the map is saved as the player's copy,
    // which later loads find first.
    const ZELM::PathTable& paths = ZELM::PathTable::Instance();
    // A player level's map stays in the player's folder, which is always theirs to write.
    if (!paths.GetUserRoot().empty() && !ZELM::PlayerLevels::HoldsTileFile(GetFileName())) {
        const std::string name = std::filesystem::path(GetFileName()).filename().string();
        SetFileName(paths.GetWritable("Levels", "Tiles/" + name));
    }
    if (IsLoaded() && !Save()) {
        ZELM_PROBLEM("Logic::WorldMap::SaveInPlace", "Could not save the tile map \"%s\"!",
                     GetFileName().c_str());
    }
}

void WorldMap::CreateWalled(unsigned width, unsigned height) {
    constexpr unsigned kSmallest = 8;
    constexpr unsigned kLargest = 4096;
    constexpr unsigned char kBlock = 1;
    if (width < kSmallest || width > kLargest || height < kSmallest || height > kLargest) {
        ZELM_PROBLEM("Logic::WorldMap::CreateWalled",
                     "A new tile map of %u x %u is refused: each side is 8 to 4096.", width, height);
        return;
    }
    Free();
    Create(width, height);
    SetOffset(0, 0);
    for (std::uint32_t x = 0; x < width; ++x) {
        SetTileID(x, 0, kBlock);
        SetTileID(x, height - 1, kBlock);
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        SetTileID(0, y, kBlock);
        SetTileID(width - 1, y, kBlock);
    }
    // Ctrl+S must not write the new map over the previous level's.
    SetFileName("");
    SetTileInfo(true);
}

void WorldMap::Fill(unsigned char id) {
    for (std::uint32_t y = GetMinY(); y - GetMinY() < GetHeight(); ++y) {
        for (std::uint32_t x = GetMinX(); x - GetMinX() < GetWidth(); ++x) {
            SetTileID(x, y, id);
        }
    }
}

}  // namespace Logic
