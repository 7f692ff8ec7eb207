// Engine construction, the main loop, level changes and shutdown.
#include "engine/Engine.h"

#include <set>

#include "engine/AddToParentServiceVisitor.h"
#include "engine/ArchetypeTable.h"
#include "engine/Asset.h"
#include "engine/AssetManager.h"
#include "engine/ComponentRegistry.h"
#include "engine/DelayedCallQueue.h"
#include "engine/Entity.h"
#include "engine/PathTable.h"
#include "engine/StaleTemporaries.h"
#include "engine/UseTableVisitor.h"
#include "utilities/LuaState.h"

namespace ZELM {
namespace {

Engine* instance = nullptr;

}  // namespace

std::atomic<bool> Engine::quitRequested{false};

Engine& Engine::Instance() {
    if (instance == nullptr) {
        instance = new Engine();
    }
    return *instance;
}

bool Engine::Exists() { return instance != nullptr; }

void Engine::DestroyInstance() {
    if (instance != nullptr) {
        instance->Shutdown();
    }
}

Engine::Engine() {
    SetName("Engine");
    caller.SetName("Engine");
    BindMethods();

    PathTable& paths = PathTable::Instance();
    paths.Read("manifest.txt");
    levels.Read(paths.Get("Levels") + "order.txt");
    // A missing or broken "MathFunctions.lua" is not an error: the game runs without it.
    LuaState::RunFile((paths.Get("Scripts") + "MathFunctions.lua").c_str());

    ComponentRegistry::Instance().SetEntities(&entities);
    ComponentRegistry::Instance().SetServices(&services);
}

Engine::~Engine() = default;

void Engine::BindMethods() {
    Bind("GetFPS", this, &Engine::GetFPS);
    Bind("GetLevelName", this, &Engine::GetLevelName);
    BindDeferred("DestroyAllEntities", &entities, &EntityController::DestroyAllEntities);
    BindDeferred("NextLevel", this, &Engine::NextLevel);
    BindDeferred("PreviousLevel", this, &Engine::PreviousLevel);
    BindDeferred("LastLevel", this, &Engine::LastLevel);
    BindDeferred("LoadLevel", this, &Engine::LoadLevel);
    BindDeferred("ChangeLevel", this, &Engine::ChangeLevel);
    BindDeferred("AddEntities", this, &Engine::AddEntities);
    BindDeferred("AddAssets", this, &Engine::AddAssets);
    BindDeferred("Quit", this, &Engine::Quit);
    BindDeferred("RebuildEntityTable", this, &Engine::RebuildEntityTable);
    BindDeferred("Pause", this, &Engine::Pause);
    BindBroadcast("SetLevelScripts", this, &Engine::SetLevelScripts);
}

void Engine::AddService(const std::string& name, Service* service) {
    service->SetServiceName(name);
    services.emplace_back(service);
}

void Engine::AddAssetLoader(const std::string& extension, IAssetLoader* loader) {
    contentPipeline.AddAssetLoader(extension, loader);
}

void Engine::VisitServices(IVisitor<ServiceBase>& visitor) {
    for (auto& service : services) {
        visitor.Visit(*service);
    }
}

void Engine::Run() {
    Start();
    while (running) {
        RunFrame();
    }
    Shutdown();
}

void Engine::StartServices() {
    // Every service is bound before any is initialised: Init may call methods of the others.
    for (auto& service : services) {
        service->Bind();
    }
    for (auto& service : services) {
        service->Init();
    }
}

void Engine::Start() {
    StartServices();
    ClearStaleTemporaries();
    // The player's archetypes after the bundled ones, so one of the same name replaces the bundled.
    ArchetypeTable::Instance().LoadDirectory(PathTable::Instance().Get("Archetypes"));
    if (const std::string own = PathTable::Instance().GetUser("Archetypes"); !own.empty()) {
        ArchetypeTable::Instance().LoadDirectory(own);
    }
    LoadAssets();
    if (startLevel.empty()) {
        LoadLevelFile(LevelPath(levels.GetCurrentName()));
    } else {
        levels.Select(startLevel);
        LoadLevelFile(LevelPath(startLevel));
    }
    caller.CallAll("LevelStart");
    if (!execFile.empty()) {
        std::string error;
        if (!LuaState::RunFile(execFile.c_str(), error)) {
            ZELM_PROBLEM("ZELM::Engine::Start", "Script \"%s\" failed: %s", execFile.c_str(), error.c_str());
        }
    }
}

void Engine::LoadAssets() {
    for (Asset* asset : contentPipeline.ScanAssets(PathTable::Instance().Get("Resources"))) {
        AssetManager::Instance().Add(AssetStem(asset->GetName()), asset);
    }
}

void Engine::RunFrame() {
    ++frameCount;
    // Posted again each frame until it lands: a level change in the same frame clears the queue.
    if ((frameLimit > 0 && frameCount >= frameLimit) || quitRequested) {
        caller.CallLater("Quit", 0.0f);
    }

    if (paused) {
        dt = 0.0f;
    } else if (static_cast<std::size_t>(frameCount) <= frameTimes.size()) {
        dt = frameTimes[static_cast<std::size_t>(frameCount) - 1];
    } else {
        dt = fixedDt >= 0.0f ? fixedDt : timer.GetDeltaMs();
    }
    for (auto& service : services) {
        service->Update(dt);
    }
    timer.Tick();
    caller.Call("Present");
    caller.Call("HandleOSMessages");
    DelayedCallQueue::Instance().Advance(dt);
    entities.FlushDying();
    if (frameObserver) {
        frameObserver();
    }
}

void Engine::Shutdown() {
    // "Quit" has destroyed the entities already; a run ended another way destroys them while
    // their services still exist, since a dying component leaves its service.
    entities.DestroyAllEntities();
    for (auto& service : services) {
        service.reset();
    }
    services.clear();
    DelayedCallQueue::DestroyInstance();
    AssetManager::DestroyInstance();
    LuaState::Close();
    ComponentRegistry::DestroyInstance();
    PathTable::DestroyInstance();
    ArchetypeTable::DestroyInstance();
    RemoveName();
    caller.RemoveName();
    quitRequested = false;
    instance = nullptr;
    delete this;
}

void Engine::ClearStaleTemporaries() {
    const PathTable& paths = PathTable::Instance();
    for (const std::string& directory : {paths.Get("Levels"), paths.Get("Levels") + "Tiles/", paths.Get("Archetypes"),
                                         paths.GetUser("Levels"), paths.GetUser("Levels") + "Tiles/",
                                         paths.GetUser("Archetypes")}) {
        // An empty key is no directory (the working directory is not ours to clean).
        if (!directory.empty() && directory != "Tiles/") {
            RemoveStaleTemporariesIn(directory);
        }
    }
}

std::string Engine::LevelPath(const std::string& name) const {
    return PathTable::Instance().Find("Levels", name + ".xml");
}

bool Engine::SaveLevel(const std::string& path) {
    const bool saved = contentPipeline.SaveLevel(path, levelScripts);
    timer.Reset();
    return saved;
}

bool Engine::SaveArchetype(const EntityHandle& entity) {
    return contentPipeline.SaveArchetype(entity, PathTable::Instance().GetWritable("Archetypes", ""));
}

float Engine::GetFPS() { return timer.GetFPS(); }

void Engine::LoadLevelFile(const std::string& path) {
    levelName = AssetStem(path);
    contentPipeline.Load(path);
}

void Engine::ChangeToCurrentLevel() { ChangeLevel(LevelPath(levels.GetCurrentName())); }

void Engine::NextLevel() {
    if (levels.StepNext()) {
        ChangeToCurrentLevel();
    }
}

void Engine::PreviousLevel() {
    if (levels.StepPrevious()) {
        ChangeToCurrentLevel();
    }
}

void Engine::LastLevel() {
    if (levels.StepBack()) {
        ChangeToCurrentLevel();
    }
}

void Engine::LoadLevel(const std::string& name) {
    levels.Select(name);
    ChangeLevel(LevelPath(name));
}

void Engine::ChangeLevel(const std::string& path) {
    caller.CallAll("LevelExit");
    entities.DestroyAllEntities();
    DelayedCallQueue::Instance().Clear();
    levelScripts = {};
    LoadLevelFile(path);
    caller.CallAll("LevelStart");
}

void Engine::AddEntities(std::deque<EntityHandle> handles) {
    entities.DestroyAllEntities();
    DelayedCallQueue::Instance().Clear();
    AddToParentServiceVisitor addToService;
    for (EntityHandle& handle : handles) {
        Entity* entity = handle.GetIfAlive();
        if (entity == nullptr) {
            continue;
        }
        entity->VisitComponents(addToService);
        entities.Add(handle);
    }
    caller.CallAll("LevelStart");
}

void Engine::AddAssets(std::deque<Asset*> assets) {
    for (Asset* asset : assets) {
        AssetManager::Instance().Add(AssetStem(asset->GetName()), asset);
    }
}

void Engine::Quit() {
    caller.CallAll("LevelExit");
    running = false;
    // The entities go before the assets: a dying component may still touch the textures it holds.
    entities.DestroyAllEntities();
    contentPipeline.Unload();
    DelayedCallQueue::Instance().Clear();
}

namespace {

// Collects the binder names a component still uses, so the tables of an old name can be removed.
class BinderNameCollector : public IVisitor<Component> {
public:
    void Visit(Component& component) override { names.insert(component.GetBinderName()); }
    std::set<std::string> names;
};

}  // namespace

void Engine::RebuildEntityTable(EntityHandle handle) {
    Entity* alive = handle.GetIfAlive();
    if (alive == nullptr) {
        return;
    }
    Entity& entity = *alive;
    BinderNameCollector previous;
    entity.VisitComponents(previous);
    entity.VisitEmbeddedComponents(previous);
    previous.names.erase(entity.GetName());
    for (const std::string& oldName : previous.names) {
        DynamicBase::RemoveTablesOf(oldName);
    }
    entity.UseBinderName(entity.GetName());
    UseTableVisitor useTable;
    entity.VisitComponents(useTable);
    entity.VisitEmbeddedComponents(useTable);
    entity.Call("UpdateEntityMenu");
}

void Engine::Pause(bool pause) { paused = pause; }

void Engine::SetLevelScripts(const std::string& first, const std::string& second, const std::string& third) {
    levelScripts = {first, second, third};
}

}  // namespace ZELM
