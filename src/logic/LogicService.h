// The game-flow service: the level's tile map, and the gameplay components it updates.
#pragma once

#include <string>

#include "engine/Service.h"
#include "logic/WorldMap.h"

namespace Logic {

class LogicService : public ZELM::Service {
public:
    void Bind() override;
    // Enters the component types of the game's logic into the registry.
    void Init() override;
    void Update(float dt) override { UpdateComponents(dt); }

    // The tile map, by name: the file of that name in the levels' "Tiles/" directory.
    void LoadLevel(const std::string& name);
    void SaveLevel(const std::string& name);
    // Writes the loaded map to its own file name.
    void SaveLevels();
    void New() { worldMap.Free(); }
    bool HasTileInfo() { return worldMap.HasTileInfo(); }
    void NoTileInfo() { worldMap.SetTileInfo(false); }
    void SetLevelID(unsigned x, unsigned y, unsigned char id) { worldMap.SetTileID(x, y, id); }
    unsigned char GetTileID(unsigned x, unsigned y) { return worldMap.GetTileID(x, y); }
    // Sets every tile of the map to the id.
    void FillWorld(unsigned char id);

    const WorldMap& GetWorldMap() const { return worldMap; }
    WorldMap& GetWorldMap() { return worldMap; }

private:
    static std::string TileMapPath(const std::string& name);

    WorldMap worldMap;
};

}  // namespace Logic
