// The game-flow service's tile map and component types.
#include "logic/LogicService.h"

#include "engine/ComponentRegistry.h"
#include "engine/Domain.h"
#include "engine/PathTable.h"
#include "engine/Physical.h"
#include "engine/ProblemReport.h"

namespace Logic {

std::string LogicService::TileMapPath(const std::string& name) {
    return ZELM::PathTable::Instance().Get("Levels") + "Tiles/" + name;
}

void LogicService::Bind() {
    ZELM::DynamicBinder::Bind("SetLevelID", this, &LogicService::SetLevelID);
    ZELM::DynamicBinder::Bind("GetTileID", this, &LogicService::GetTileID);
    ZELM::DynamicBinder::Bind("SaveLevels", this, &LogicService::SaveLevels);
    ZELM::DynamicBinder::Bind("FillWorld", this, &LogicService::FillWorld);
    ZELM::DynamicBinder::Bind("HasTileInfo", this, &LogicService::HasTileInfo);
    ZELM::DynamicBinder::Bind("NoTileInfo", this, &LogicService::NoTileInfo);
    ZELM::DynamicBinder::Bind("New", this, &LogicService::New);
    ZELM::DynamicBinder::Bind("SaveLevel", this, &LogicService::SaveLevel);
    ZELM::DynamicBinder::Bind("LoadLevel", this, &LogicService::LoadLevel);
}

void LogicService::Init() {
    worldMap.SetFileName(TileMapPath("BlankLevel"));
    ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
    registry.Register<ZELM::Physical>("Logic", "Physical");
    registry.Register<ZELM::Domain>("Logic", "Domain");
}

void LogicService::LoadLevel(const std::string& name) {
    worldMap.SetFileName(TileMapPath(name));
    worldMap.Free();
    worldMap.Load();
    worldMap.SetTileInfo(true);
}

void LogicService::SaveLevel(const std::string& name) {
    worldMap.SetFileName(TileMapPath(name));
    if (worldMap.IsLoaded() && !worldMap.Save()) {
        ZELM_PROBLEM("Logic::LogicService::SaveLevel", "Could not save the tile map \"%s\"!",
                     worldMap.GetFileName().c_str());
    }
}

void LogicService::SaveLevels() {
    if (worldMap.IsLoaded() && !worldMap.Save()) {
        ZELM_PROBLEM("Logic::LogicService::SaveLevels", "Could not save the tile map \"%s\"!",
                     worldMap.GetFileName().c_str());
    }
}

void LogicService::FillWorld(unsigned char id) {
    for (std::uint32_t y = worldMap.GetMinY(); y - worldMap.GetMinY() < worldMap.GetHeight(); ++y) {
        for (std::uint32_t x = worldMap.GetMinX(); x - worldMap.GetMinX() < worldMap.GetWidth(); ++x) {
            worldMap.SetTileID(x, y, id);
        }
    }
}

}  // namespace Logic
