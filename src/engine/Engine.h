// The engine: owns the services, the entities and the level sequence, and runs the main loop.
#pragma once

#include <array>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ContentPipeline.h"
#include "engine/EntityController.h"
#include "engine/EntityHandle.h"
#include "engine/FramePacer.h"
#include "engine/FrameTimer.h"
#include "engine/IVisitor.h"
#include "engine/LevelSequence.h"
#include "engine/Service.h"
#include "utilities/Dynamic.h"

namespace ZELM {

class Asset;
class IAssetLoader;

class Engine : public DynamicBinder {
public:
    // The engine, created on first access: reads "manifest.txt" and the level order from the
    // working directory and runs "MathFunctions.lua".
    static Engine& Instance();
    static bool Exists();
    // The shutdown sequence without the loop: deletes the services, the engine's singletons and
    // the engine. Run() ends with it.
    static void DestroyInstance();

    // Takes ownership of the service and stores it under the name (its short name).
    void AddService(const std::string& name, Service* service);
    void AddAssetLoader(const std::string& extension, IAssetLoader* loader);
    void VisitServices(IVisitor<ServiceBase>& visitor);

    void VisitEntities(IVisitor<EntityHandle>& visitor) { entities.VisitEntities(visitor); }
    void RequestDestroy(const EntityHandle& handle) { entities.RequestDestroy(handle); }
    EntityHandle GetEntity(const std::string& name) const { return entities.Get(name); }
    void RenameEntity(const EntityHandle& handle, const std::string& newName) {
        entities.RenameEntity(handle, newName);
    }
    EntityController& GetEntities() { return entities; }

    // Runs the game until "Quit", then shuts down and deletes the engine.
    void Run();
    // The simulation's fixed tick: what one frame at 60 frames a second always was, so every rule
    // and timing of the game is the same at any display rate.
    static constexpr float kTickMs = 16.6667f;
    // A frame runs at most this many ticks: a machine that cannot keep up (under 10 frames a
    // second) sees the game slow down rather than fall further and further behind. Ten frames a
    // second is also what a window out of sight draws, and a race there must keep its pace.
    static constexpr int kMaxTicksPerFrame = 6;

    // Run() in parts, for callers that drive frames themselves: Start binds and initialises the
    // services and loads the first level; RunFrame runs one display frame: the ticks real time
    // asks for, then the frame itself.
    void Start();
    // Binds and initialises the services (so their component types are registered), and nothing
    // more; once: Start after it goes on with the services as they are.
    void StartServices();
    void RunFrame();
    bool IsRunning() const { return running; }

    // Writes the level (entities, tile map name, scripts) to the path and restarts frame timing.
    bool SaveLevel(const std::string& path);
    // Writes the entity's components as the archetype of its name into the archetypes directory.
    bool SaveArchetype(const EntityHandle& entity);

    // A Lua file run once in the engine's Lua state right after the first level has started.
    void SetExecFile(const std::string& path) { execFile = path; }
    // Starts at this level instead of the first of the level order (empty: the first).
    void SetStartLevel(const std::string& name) { startLevel = name; }
    // Called at the end of every display frame, after the entities asked to go have gone (the trace).
    void SetFrameObserver(std::function<void()> observer) { frameObserver = std::move(observer); }
    int GetFrameCount() const { return frameCount; }
    // Ticks begun since the start, paused ones included: the tick in progress during a tick.
    int GetTickCount() const { return tickCount; }
    // Where the drawn moment lies between the last two ticks: 1 at the last tick, towards 0 at the
    // one before.
    float GetBlend() const { return blend; }
    FramePacer& GetPacer() { return pacer; }
    // The stem of the level file loaded last ("" before the first).
    const std::string& GetLevelName() const { return levelName; }
    // Every display frame lasts this many milliseconds instead of the measured time (negative: measured).
    void SetFixedFrameTime(float ms) { fixedDt = ms; }
    // Frame N's dt becomes frameTimes[N - 1] milliseconds, as a replay recorded them; frames past
    // the list fall back to the fixed or measured time.
    void SetFrameTimes(std::vector<float> times) { frameTimes = std::move(times); }
    // Quits, through "Quit", at the end of the given frame (0: never).
    void SetFrameLimit(int frames) { frameLimit = frames; }
    // Runs no more than this many ticks and quits at the end of the frame that runs the last (0: no limit).
    void SetTickLimit(int ticks) { tickLimit = ticks; }
    // Asks for "Quit" at the end of the next frame; safe to call from a signal handler.
    static void RequestQuit() { quitRequested = true; }

    // The display frame's length in milliseconds, 0 while paused.
    float GetDt() const { return dt; }
    bool IsPaused() const { return paused; }
    const std::array<std::string, 3>& GetLevelScripts() const { return levelScripts; }
    const LevelSequence& GetLevels() const { return levels; }
    const FrameTimer& GetTimer() const { return timer; }
    ContentPipeline& GetContentPipeline() { return contentPipeline; }

    // Bound by name.
    float GetFPS();
    void NextLevel();
    void PreviousLevel();
    void LastLevel();
    void LoadLevel(const std::string& name);
    void ChangeLevel(const std::string& path);
    void AddEntities(std::deque<EntityHandle> handles);
    void AddAssets(std::deque<Asset*> assets);
    void Quit();
    void RebuildEntityTable(EntityHandle handle);
    void Pause(bool pause);
    void SetLevelScripts(const std::string& first, const std::string& second, const std::string& third);
    // The game's time per real time while a level is played (1: real time; 0.5: each tick takes
    // twice as long), held to [0.1, 1]. Every level starts at 1, and a paused one runs at 1, so
    // menus are never slowed; the game's own time, and so every rule, is the same at any speed.
    void SetGameSpeed(float share);
    float GetGameSpeed() const { return gameSpeed; }

private:
    Engine();
    ~Engine() override;

    void BindMethods();
    void Shutdown();
    void LoadAssets();
    // Removes what killed saves left in the directories the game saves to.
    void ClearStaleTemporaries();
    std::string LevelPath(const std::string& name) const;
    void ChangeToCurrentLevel();
    void LoadLevelFile(const std::string& path);
    float NextFrameMs();
    int TicksDue();
    void RunTick(bool lastOfFrame, float frameMs);
    // The display frame's own work: each service's frame update, the timer, "Present" and the messages.
    void RunFramePass(float frameMs);
    void PostQuitWhenDue();
    // "Present"; the first picture of a level just loaded ends its loading time.
    void Present();

    DynamicCaller caller;
    ContentPipeline contentPipeline;
    std::vector<std::unique_ptr<Service>> services;
    LevelSequence levels;
    FrameTimer timer;
    EntityController entities;
    std::array<std::string, 3> levelScripts;
    bool paused = false;
    bool running = true;
    bool servicesStarted = false;
    float dt = 0.0f;
    // Real time not yet simulated (positive) or simulated ahead of the display (negative, at most a tick).
    float owedMs = 0.0f;
    float blend = 1.0f;
    int tickCount = 0;
    int tickLimit = 0;
    bool levelChanged = false;  // a level was loaded in this frame's ticks
    bool loadNotYetShown = false;        // a level was loaded and its first picture not yet presented
    bool skipNextMeasuredFrame = false;  // the next measured frame is part of the load
    FramePacer pacer;

    std::string startLevel;
    std::string levelName;
    std::function<void()> frameObserver;
    std::string execFile;
    float fixedDt = -1.0f;
    float gameSpeed = 1.0f;
    std::vector<float> frameTimes;
    int frameLimit = 0;
    int frameCount = 0;
    static std::atomic<bool> quitRequested;
};

}  // namespace ZELM
