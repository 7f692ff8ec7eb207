// The game-flow service's tile map and component types.
#include "logic/LogicService.h"

#include "engine/ComponentRegistry.h"
#include "engine/Domain.h"
#include "engine/Entity.h"
#include "engine/PathTable.h"
#include "engine/Physical.h"
#include "engine/ProblemReport.h"
#include "logic/LuaScript.h"
#include "utilities/LuaState.h"

#include <lua.hpp>

namespace Logic {

LogicService::LogicService() {
    for (unsigned id = 1; id <= 20; ++id) {
        Kestrin::TilePhysicsObject& tile = tileObjects[id];
        tile.type = static_cast<int>(id);
        tile.ghost = id == 8 || (id >= 11 && id <= 19);
        tile.reportThreshold = (id == 5 || id == 6) ? 0.05f : 0.0f;
        tile.friction = id == 7 ? 0.1f : 1.0f;
    }
}

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
    ZELM::DynamicBinder::Bind("GenerateWorldCollisions", this, &LogicService::GenerateWorldCollisions);
    ZELM::DynamicBinder::Bind("CollidedWithPlayer", this, &LogicService::CollidedWithPlayer);
    ZELM::DynamicBinder::Bind("SetPlayer", this, &LogicService::SetPlayer);
    ZELM::DynamicBinder::Bind("DrawLevelMap", this, &LogicService::DrawLevelMap);
    ZELM::DynamicBinder::Bind("EraseLevelMap", this, &LogicService::EraseLevelMap);
    BindBroadcast("SetLevelScripts", this, &LogicService::SetLevelScripts);
    BindDeferred("ClearLevelScripts", this, &LogicService::ClearLevelScripts);
    BindBroadcast("LevelStart", this, &LogicService::LevelStart);
    BindBroadcast("LevelExit", this, &LogicService::LevelExit);
}

void LogicService::Init() {
    worldMap.SetFileName(TileMapPath("BlankLevel"));
    ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
    registry.Register<ZELM::Physical>("Logic", "Physical");
    registry.Register<ZELM::Domain>("Logic", "Domain");
    registry.Register<LuaScript>("Logic", "LuaScript");
}

void LogicService::Update(float dt) {
    for (const int type : {5, 6}) {
        if (effectCooldown[type] > 0) {
            --effectCooldown[type];
        }
    }
    UpdateComponents(dt);
    if (updateScript) {
        CallLevelHook("Update", &dt);
    }
}

// Without a renderer (tools, tests) there is nobody to hand the map to.
void LogicService::DrawLevelMap() {
    ZELM::LevelMap* map = &worldMap;
    if (IsBound("SetLevelDrawingPointer")) {
        Call("SetLevelDrawingPointer", map);
    }
}

void LogicService::EraseLevelMap() {
    ZELM::LevelMap* none = nullptr;
    if (IsBound("SetLevelDrawingPointer")) {
        Call("SetLevelDrawingPointer", none);
    }
}

void LogicService::GenerateWorldCollisions(Kestrin::PhysicsComponent* body) {
    if (body == nullptr) {
        return;
    }
    TileCollision(worldMap, tileObjects, *this).Generate(*body);
}

void LogicService::CollidedWithPlayer(Kestrin::TilePhysicsObject* tile, unsigned side) {
    static const char* const kGreen[] = {"SplashUpGreen", "SplashDownGreen", "SplashLeftGreen", "SplashRightGreen"};
    static const char* const kRed[] = {"SplashUpRed", "SplashDownRed", "SplashLeftRed", "SplashRightRed"};
    if (tile == nullptr) {
        return;
    }
    if (tile->type == 5) {
        if (effectCooldown[5] == 0) {
            Call("HitCheckPoint");
            if (side < 4) {
                Call(kGreen[side]);
            }
        }
        effectCooldown[5] = 2;
        // Every touch moves the respawn point, even while the splash is cooling down.
        if (player.IsAlive()) {
            player->Call("SetStartingPoint", tile->x, tile->y, side);
        }
    } else if (tile->type == 6) {
        if (effectCooldown[6] == 0 && side < 4) {
            Call(kRed[side]);
        }
        effectCooldown[6] = 2;
    }
}

bool LogicService::LoadLevelScript(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    const std::string path = ZELM::PathTable::Instance().Get("Scripts") + name + ".lua";
    std::string error;
    if (!ZELM::LuaState::RunFile(path.c_str(), error)) {
        ZELM_PROBLEM("Logic::LogicService::SetLevelScripts", "Level script \"%s\" failed: %s", path.c_str(),
                     error.c_str());
        return false;
    }
    return true;
}

void LogicService::SetLevelScripts(const std::string& init, const std::string& update, const std::string& exit) {
    missingHooks.clear();
    initScript = LoadLevelScript(init);
    updateScript = update == init ? initScript : LoadLevelScript(update);
    if (exit == init) {
        exitScript = initScript;
    } else if (exit == update) {
        exitScript = updateScript;
    } else {
        exitScript = LoadLevelScript(exit);
    }
}

void LogicService::ClearLevelScripts() {
    initScript = false;
    updateScript = false;
    exitScript = false;
}

void LogicService::LevelStart() {
    if (initScript) {
        CallLevelHook("Init", nullptr);
    }
}

void LogicService::LevelExit() {
    if (exitScript) {
        CallLevelHook("Shutdown", nullptr);
    }
    ClearLevelScripts();
}

void LogicService::CallLevelHook(const char* function, const float* dt) {
    lua_State* L = ZELM::LuaState::Get();
    lua_getglobal(L, function);
    if (!lua_isfunction(L, -1)) {
        lua_pop(L, 1);
        // Reported once per level: the hook is skipped every time, and the game goes on.
        if (missingHooks.insert(function).second) {
            ZELM_PROBLEM("Logic::LogicService::CallLevelHook", "The level's scripts have no %s function; it is skipped.",
                         function);
        }
        return;
    }
    int arguments = 0;
    if (dt != nullptr) {
        lua_pushnumber(L, *dt);
        arguments = 1;
    }
    std::string error;
    if (!ZELM::LuaState::Call(L, arguments, error)) {
        ZELM_PROBLEM("Logic::LogicService::CallLevelHook", "Level script %s failed: %s", function, error.c_str());
    }
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
