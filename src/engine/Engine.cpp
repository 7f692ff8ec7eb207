// Engine construction, the main loop, level changes and shutdown.
#include "engine/Engine.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "engine/AddToParentServiceVisitor.h"
#include "engine/ArchetypeTable.h"
#include "engine/Asset.h"
#include "engine/AssetManager.h"
#include "engine/ComponentRegistry.h"
#include "engine/DelayedCallQueue.h"
#include "engine/Entity.h"
#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"
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
    Bind("SetGameSpeed", this, &Engine::SetGameSpeed);
    Bind("GetGameSpeed", this, &Engine::GetGameSpeed);
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
    if (servicesStarted) {
        return;
    }
    servicesStarted = true;
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
    // Those of shared player levels first, so the game's own replace any of the same name; the
    // editor's saves after the bundled ones, so one of the same name replaces the bundled.
    ArchetypeTable::Instance().LoadDirectory(PlayerLevels::ArchetypesDirectory());
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
    // Starting up is no time the game has to catch up on.
    timer.Reset();
    loadNotYetShown = true;
}

void Engine::LoadAssets() {
    for (Asset* asset : contentPipeline.ScanAssets(PathTable::Instance().Get("Resources"))) {
        AssetManager::Instance().Add(AssetStem(asset->GetName()), asset);
    }
}

void Engine::RunFrame() {
    ++frameCount;
    const float frameMs = NextFrameMs();
    dt = paused ? 0.0f : frameMs;
    owedMs += frameMs;
    const int due = TicksDue();
    owedMs -= static_cast<float>(due) * kTickMs;
    // More owed than the frame may run: the game slows down instead of owing it ever after.
    owedMs = std::min(owedMs, 0.0f);
    blend = 1.0f + owedMs / kTickMs;
    levelChanged = false;
    bool framePassRun = false;
    for (int tick = 0; tick < due && running; ++tick) {
        const bool last = tick == due - 1;
        RunTick(last, frameMs);
        framePassRun = last;
        if (levelChanged) {
            break;  // what was owed belonged to the level before: the new one starts from its first tick
        }
    }
    if (levelChanged) {
        owedMs = 0.0f;
        blend = 1.0f;
    }
    if (!framePassRun) {
        PostQuitWhenDue();
        RunFramePass(frameMs);
        // A deferred call from the frame's own work (a window message, the last frame) lands now.
        DelayedCallQueue::Instance().Advance(0.0f);
        entities.FlushDying();
    }
    if (fixedDt < 0.0f && static_cast<std::size_t>(frameCount) > frameTimes.size()) {
        pacer.EndFrame();
    }
    if (frameObserver) {
        frameObserver();
    }
}

float Engine::NextFrameMs() {
    // A replay keeps each frame as game time: played back at any speed, it runs the same ticks.
    if (static_cast<std::size_t>(frameCount) <= frameTimes.size()) {
        return frameTimes[static_cast<std::size_t>(frameCount) - 1];
    }
    const float speed = paused ? 1.0f : gameSpeed;
    if (fixedDt >= 0.0f) {
        return fixedDt * speed;
    }
    if (skipNextMeasuredFrame) {
        skipNextMeasuredFrame = false;
        return 0.0f;
    }
    return timer.GetDeltaMs() * speed;
}

void Engine::SetGameSpeed(float share) {
    gameSpeed = std::isfinite(share) ? std::clamp(share, 0.1f, 1.0f) : 1.0f;
}

void Engine::Present() {
    caller.Call("Present");
    if (loadNotYetShown) {
        // The first picture of a level (its faces, its textures on the device) is part of its
        // loading: the frame after this one starts the level's time.
        loadNotYetShown = false;
        timer.Reset();
        skipNextMeasuredFrame = true;
    }
}

int Engine::TicksDue() {
    if (!(owedMs > 0.0f)) {
        return 0;
    }
    int due = std::min(static_cast<int>(std::ceil(owedMs / kTickMs)), kMaxTicksPerFrame);
    if (tickLimit > 0) {
        due = std::min(due, std::max(0, tickLimit - tickCount));
    }
    return due;
}

void Engine::PostQuitWhenDue() {
    // Posted again each frame until it lands: a level change in the same frame clears the queue.
    if ((frameLimit > 0 && frameCount >= frameLimit) || (tickLimit > 0 && tickCount >= tickLimit) ||
        quitRequested) {
        caller.CallLater("Quit", 0.0f);
    }
}

void Engine::RunTick(bool lastOfFrame, float frameMs) {
    ++tickCount;
    if (lastOfFrame) {
        PostQuitWhenDue();
    }
    // Read at each tick: a pause asked for in one tick holds from the next.
    const float tickDt = paused ? 0.0f : kTickMs;
    for (auto& service : services) {
        service->BeginTick();
    }
    for (auto& service : services) {
        service->Update(tickDt);
        if (lastOfFrame) {
            service->UpdateFrame(frameMs);
        }
    }
    if (lastOfFrame) {
        timer.Tick();
        Present();
        caller.Call("HandleOSMessages");
    }
    DelayedCallQueue::Instance().Advance(tickDt);
    entities.FlushDying();
}

void Engine::RunFramePass(float frameMs) {
    for (auto& service : services) {
        service->UpdateFrame(frameMs);
    }
    timer.Tick();
    Present();
    caller.Call("HandleOSMessages");
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
    if (PlayerLevels::IsPlayerLevel(name)) {
        return PlayerLevels::LevelFile(name);
    }
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
    // A level of the player's folder keeps its "my:" name wherever it was opened from.
    levelName = PlayerLevels::HoldsLevelFile(path) ? PlayerLevels::LevelName(AssetStem(path)) : AssetStem(path);
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
    const std::int64_t loadStart = FrameTimer::Now();
    caller.CallAll("LevelExit");
    entities.DestroyAllEntities();
    DelayedCallQueue::Instance().Clear();
    levelScripts = {};
    gameSpeed = 1.0f;  // a level that plays slower says so as it starts
    LoadLevelFile(path);
    caller.CallAll("LevelStart");
    // Loading is no time played: it never enters a tick, a clock or the next frame's length.
    timer.Exclude(loadStart, FrameTimer::Now());
    levelChanged = true;
    loadNotYetShown = true;
}

void Engine::AddEntities(std::deque<EntityHandle> handles) {
    levelChanged = true;
    loadNotYetShown = true;
    gameSpeed = 1.0f;
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
