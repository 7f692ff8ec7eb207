// Taking and restoring the editor's in-memory copies of the level.
#include "editor/LevelSnapshot.h"

#include <algorithm>

#include "editor/EntityMenu.h"
#include "engine/ComponentRegistry.h"
#include "engine/ContentPipeline.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "utilities/DynamicCaller.h"

namespace LevelEditor {
namespace {

// The services' table, looked up anew each time: the engine's tables do not outlive it.
struct EngineCalls : ZELM::DynamicCaller {
    EngineCalls() { SetName("Engine"); }
};

std::vector<ZELM::Entity*> LevelEntities() {
    struct Collector : ZELM::IVisitor<ZELM::EntityHandle> {
        void Visit(ZELM::EntityHandle& handle) override {
            if (ZELM::Entity* entity = handle.GetIfAlive()) {
                entities.push_back(entity);
            }
        }
        std::vector<ZELM::Entity*> entities;
    } collector;
    if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
        entities->VisitEntities(collector);
    }
    return collector.entities;
}

struct ComponentList : ZELM::IVisitor<ZELM::Component> {
    void Visit(ZELM::Component& component) override { components.push_back(&component); }
    std::vector<ZELM::Component*> components;
};

std::vector<ZELM::Component*> ComponentsOf(ZELM::Entity& entity) {
    ComponentList list;
    entity.VisitComponents(list);
    return list.components;
}

EntityMenu* MenuOf(ZELM::Entity& entity) {
    return dynamic_cast<EntityMenu*>(entity.GetComponent("EntityMenu"));
}

}  // namespace

LevelSnapshot LevelSnapshot::Take(Tiles tiles) {
    LevelSnapshot snapshot;
    snapshot.entitiesText = ZELM::ContentPipeline::EntitiesText();
    for (ZELM::Entity* entity : LevelEntities()) {
        for (ZELM::Component* component : ComponentsOf(*entity)) {
            if (component->IsSavedWithTheLevel() && !component->IsInService()) {
                snapshot.inactive.push_back(entity->GetName() + "/" + component->GetTypeName());
            }
        }
        if (EntityMenu* menu = MenuOf(*entity)) {
            if (menu->IsOpen()) {
                snapshot.openMenus.push_back(entity->GetName());
            }
            int place[2] = {menu->GetX(), menu->GetY()};
            TwGetParam(TwGetBarByName(menu->GetBarName().c_str()), nullptr, "position", TW_PARAM_INT32, 2,
                       place);
            snapshot.menuPlaces[entity->GetName()] = {place[0], place[1]};
        }
    }
    EngineCalls engine;
    if (tiles == Tiles::With && engine.IsBound("GetLevelMap")) {
        if (const ZELM::LevelMap* map = engine.Call<ZELM::LevelMap*>("GetLevelMap")) {
            snapshot.hasTiles = true;
            snapshot.tileMap = *map;
            snapshot.tileInfo = engine.Call<bool>("HasTileInfo");
        }
        if (ZELM::Engine::Exists()) {
            snapshot.scripts = ZELM::Engine::Instance().GetLevelScripts();
        }
    }
    return snapshot;
}

bool LevelSnapshot::SameLevelAs(const LevelSnapshot& other) const {
    const bool sameTiles =
        hasTiles == other.hasTiles &&
        (!hasTiles || (tileInfo == other.tileInfo && tileMap.Serialize() == other.tileMap.Serialize() &&
                       tileMap.GetFileName() == other.tileMap.GetFileName()));
    return sameTiles && entitiesText == other.entitiesText && inactive == other.inactive;
}

void LevelSnapshot::Restore() const {
    RestoreTiles();
    ZELM::ContentPipeline::ReplaceEntities(entitiesText);
    for (ZELM::Entity* entity : LevelEntities()) {
        for (ZELM::Component* component : ComponentsOf(*entity)) {
            const std::string name = entity->GetName() + "/" + component->GetTypeName();
            if (std::find(inactive.begin(), inactive.end(), name) != inactive.end()) {
                component->LeaveService();
            }
        }
    }
    RestoreMenus();
}

void LevelSnapshot::RestoreTiles() const {
    EngineCalls engine;
    if (!hasTiles || !engine.IsBound("GetLevelMap")) {
        return;
    }
    // Copied into the map the renderer already draws, so it needs no new pointer.
    if (ZELM::LevelMap* map = engine.Call<ZELM::LevelMap*>("GetLevelMap")) {
        *map = tileMap;
        engine.Call("SetTileInfo", tileInfo);
    }
    if (!scripts[0].empty()) {
        engine.CallAll("SetLevelScripts", scripts[0], scripts[1], scripts[2]);
    }
}

void LevelSnapshot::RestoreMenus() const {
    for (ZELM::Entity* entity : LevelEntities()) {
        EntityMenu* menu = EntityMenu::Attach(entity->GetSelfHandle());
        if (menu == nullptr) {
            continue;
        }
        if (const auto place = menuPlaces.find(entity->GetName()); place != menuPlaces.end()) {
            menu->ChangeMenuPos(place->second.first, place->second.second);
        }
        // A rebuilt menu starts open; only the ones that were open stay so.
        menu->MenuVisible(std::find(openMenus.begin(), openMenus.end(), entity->GetName()) != openMenus.end());
    }
}

}  // namespace LevelEditor
