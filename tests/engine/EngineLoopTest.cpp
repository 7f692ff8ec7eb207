// Tests of the engine's start, its frame, and the methods it binds under "Engine".
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/EntityMenu.h"
#include "editor/tweakbar/Bar.h"
#include "editor/tweakbar/TweakBar.h"
#include "engine/AssetImpl.h"
#include "engine/AssetManager.h"
#include "engine/Component.h"
#include "engine/DelayedCallQueue.h"
#include "engine/Entity.h"
#include "support/EngineFixture.h"
#include "support/ProblemCapture.h"

namespace {

using ZELM::DelayedCallQueue;
using ZELM::Engine;
using ZELM::EntityHandle;
using ZELMTest::ProblemCapture;

using Log = std::vector<std::string>;

// A service that writes what happens to it into the test's log. The first one added also answers
// the calls the frame makes to the window ("Present", "HandleOSMessages").
class LogService : public ZELM::Service {
public:
    LogService(std::string tag, Log* log, bool window) : tag(std::move(tag)), log(log), window(window) {}

    void Bind() override {
        log->push_back(tag + ".Bind");
        BindBroadcast("LevelStart", this, &LogService::LevelStart);
        BindBroadcast("LevelExit", this, &LogService::LevelExit);
        BindBroadcast("SetLevelScripts", this, &LogService::SetLevelScripts);
        BindDeferred(tag + ".Later", this, &LogService::Later);
        if (window) {
            DynamicBinder::Bind("Present", this, &LogService::Present);
            DynamicBinder::Bind("HandleOSMessages", this, &LogService::HandleOSMessages);
            // Level files without a tile map tell the game-flow service so.
            DynamicBinder::Bind("NoTileInfo", this, &LogService::NoTileInfo);
        }
    }
    void Init() override { log->push_back(tag + ".Init"); }
    void Update(float dt) override {
        log->push_back(tag + ".Update " + std::to_string(static_cast<int>(dt)));
        dts.push_back(dt);
        UpdateComponents(dt);
    }
    void UpdateFrame(float frameMs) override {
        log->push_back(tag + ".Frame");
        frameTimes.push_back(frameMs);
    }

    void LevelStart() { log->push_back(tag + ".LevelStart"); }
    void LevelExit() { log->push_back(tag + ".LevelExit"); }
    void SetLevelScripts(const std::string& first, const std::string&, const std::string&) {
        log->push_back(tag + ".SetLevelScripts " + first);
    }
    void Later() {
        log->push_back(tag +
                       ".Later entities=" + std::to_string(ZELM::Engine::Instance().GetEntities().Size()));
    }
    void Present() { log->push_back("Present"); }
    void HandleOSMessages() { log->push_back("HandleOSMessages"); }
    void NoTileInfo() {}

    std::vector<float> dts;
    std::vector<float> frameTimes;

private:
    std::string tag;
    Log* log;
    bool window;
};

// A component with methods of every kind, counting its updates and its deletion.
class MenuComponent : public ZELM::Component {
public:
    explicit MenuComponent(int* deaths = nullptr) : deaths(deaths) { SetTypeName("Menu"); }
    ~MenuComponent() override {
        if (deaths != nullptr) {
            ++*deaths;
        }
    }
    void Bind() override {
        DynamicBinder::Bind("Open", this, &MenuComponent::Open);
        BindBroadcast("Tick", this, &MenuComponent::Tick);
    }
    void Init() override {}
    void Update(float dt) override { updates.push_back(dt); }

    int Open() { return ++opened; }
    void Tick() { ++ticks; }

    int opened = 0;
    int ticks = 0;
    std::vector<float> updates;

private:
    int* deaths;
};

// Notes, as it dies, whether the asset it was drawn with had been freed already.
class SpriteComponent : public ZELM::Component {
public:
    SpriteComponent(const bool* assetFreed, bool* diedAfterAsset)
        : assetFreed(assetFreed), diedAfterAsset(diedAfterAsset) {
        SetTypeName("Sprite");
    }
    ~SpriteComponent() override { *diedAfterAsset = *assetFreed; }
    void Bind() override {}
    void Init() override {}
    void Update(float) override {}

private:
    const bool* assetFreed;
    bool* diedAfterAsset;
};

class EngineLoopTest : public ZELMTest::EngineFixture {
protected:
    void MakeGame(const std::vector<std::string>& levels = {"a", "b"}) {
        MakeEngine(levels);
        first = new LogService("A", &log, true);
        second = new LogService("B", &log, false);
        engine->AddService("A", first);
        engine->AddService("B", second);
        caller.SetName("Engine");
    }

    // Ends the game and its scratch directory, so a table-driven test can make the next one.
    void EndGame() {
        ZELM::Engine::DestroyInstance();
        engine = nullptr;
        std::filesystem::current_path(original);
        std::filesystem::remove_all(root);
        original.clear();
        log.clear();
    }

    // The log entries that contain the text, in order.
    Log Only(const std::string& text) const {
        Log kept;
        std::copy_if(log.begin(), log.end(), std::back_inserter(kept),
                     [&](const std::string& entry) { return entry.find(text) != std::string::npos; });
        return kept;
    }

    MenuComponent* AttachMenu(const EntityHandle& entity, ZELM::Service* service, int* deaths = nullptr) {
        auto* menu = new MenuComponent(deaths);
        entity.Resolve()->AddComponent(menu);
        menu->Bind();
        if (service != nullptr) {
            menu->SetParentService(service);
            menu->AddToService();
        }
        return menu;
    }

    // The editor's own menu, so the engine's calls to it meet its real signatures.
    static LevelEditor::EntityMenu* AttachEditorMenu(const EntityHandle& entity) {
        auto* menu = new LevelEditor::EntityMenu();
        menu->SetTypeName("EntityMenu");
        entity.Resolve()->AddComponent(menu);
        menu->Bind();
        menu->Init();
        return menu;
    }
    static Tweak::Entry* EntryOf(const std::string& bar, const std::string& entry) {
        auto* found = reinterpret_cast<Tweak::Bar*>(TwGetBarByName(bar.c_str()));
        return found != nullptr ? found->Entries().Find(entry) : nullptr;
    }

    std::deque<int> History() const { return engine->GetLevels().GetHistory(); }

    Log log;
    LogService* first = nullptr;
    LogService* second = nullptr;
    ZELM::DynamicCaller caller;
};

TEST_F(EngineLoopTest, StartBindsEveryServiceBeforeInitialisingAny) {
    MakeGame();
    engine->Start();
    EXPECT_EQ(log, (Log{"A.Bind", "B.Bind", "A.Init", "B.Init", "A.LevelStart", "B.LevelStart"}));
}

TEST_F(EngineLoopTest, TickRunsServicesThenTheFramePresentMessagesDelayedCallsAndFlushesTheDying) {
    MakeGame();
    engine->SetFixedFrameTime(Engine::kTickMs);
    engine->Start();
    log.clear();
    EntityHandle doomed = engine->GetEntities().Create("Doomed");
    engine->RequestDestroy(doomed);
    caller.CallLater("B.Later", 0.0f);

    engine->RunFrame();
    EXPECT_EQ(log, (Log{"A.Update 16", "A.Frame", "B.Update 16", "B.Frame", "Present", "HandleOSMessages",
                        "B.Later entities=1"}));
    EXPECT_FALSE(doomed.IsAlive());
    EXPECT_EQ(engine->GetEntities().Size(), 0u);
}

TEST_F(EngineLoopTest, EachFrameRunsTheTicksItsTimeOwesWithTheFrameInTheLast) {
    const struct {
        float frameMs;
        std::vector<int> ticksPerFrame;
    } kRates[] = {
        {Engine::kTickMs, {1, 1, 1, 1}},           // 60 Hz: a tick a frame, as every test and solution plays
        {2.0f * Engine::kTickMs, {2, 2, 2, 2}},    // 30 Hz: both of a frame's ticks
        {6.9444f, {1, 0, 1, 0, 1, 0, 0, 1}},       // 144 Hz: a tick when a frame ends past the last one's end
        {1000.0f, {6, 1, 1}},                      // a stall: six ticks, and what is past them is let go
    };
    for (const auto& rate : kRates) {
        SCOPED_TRACE(rate.frameMs);
        MakeGame();
        engine->SetFixedFrameTime(rate.frameMs);
        engine->Start();
        std::vector<int> ran;
        for (std::size_t frame = 0; frame < rate.ticksPerFrame.size(); ++frame) {
            if (frame == 1 && rate.frameMs == 1000.0f) {
                engine->SetFixedFrameTime(Engine::kTickMs);
            }
            const std::size_t before = first->dts.size();
            engine->RunFrame();
            ran.push_back(static_cast<int>(first->dts.size() - before));
        }
        EXPECT_EQ(ran, rate.ticksPerFrame);
        EXPECT_TRUE(std::all_of(first->dts.begin(), first->dts.end(), [](float dt) { return dt == Engine::kTickMs; }));
        // The frame's own update comes once a frame, with the frame's length.
        EXPECT_EQ(first->frameTimes.size(), rate.ticksPerFrame.size());
        EXPECT_EQ(Only("A.Frame").size(), rate.ticksPerFrame.size());
        EndGame();
    }
}

TEST_F(EngineLoopTest, BlendIsWhereTheFrameLiesBetweenItsLastTwoTicks) {
    MakeGame();
    engine->SetFixedFrameTime(6.9444f);
    engine->Start();
    // Frame ends at 6.9, 13.9 and 20.8 ms; the ticks end at 16.7 and 33.3 ms.
    const float kExpected[] = {(16.6667f - 9.7223f) / 16.6667f, (16.6667f - 2.7779f) / 16.6667f,
                               (16.6667f - 12.5002f) / 16.6667f};
    for (const float expected : kExpected) {
        engine->RunFrame();
        EXPECT_NEAR(engine->GetBlend(), expected, 1e-4f);
    }
    EXPECT_EQ(engine->GetTickCount(), 2);
}

TEST_F(EngineLoopTest, MeasuredTimeStartsOnceTheLevelsFirstPictureIsShown) {
    MakeGame();
    engine->Start();
    // The first frame draws the level's first picture; it and the frame after are start-up.
    engine->RunFrame();
    engine->RunFrame();
    EXPECT_TRUE(first->dts.empty());
    EXPECT_EQ(first->frameTimes, (std::vector<float>{0.0f, 0.0f}));
    engine->RunFrame();
    EXPECT_LE(first->dts.size(), 1u);
    // A level loaded later: its first picture is again no time played.
    caller.CallLater("ChangeLevel", 0.0f, ResourcePath("Levels/b.xml").string());
    engine->RunFrame();  // loads b after its picture
    engine->RunFrame();  // shows b
    engine->RunFrame();
    EXPECT_EQ(first->frameTimes.back(), 0.0f);
}

TEST_F(EngineLoopTest, PauseStopsTickTimeAndDelaysButTheTicksStillRun) {
    MakeGame();
    engine->SetFixedFrameTime(Engine::kTickMs);
    engine->Start();
    caller.CallLater("Pause", 0.0f, true);
    engine->RunFrame();
    EXPECT_TRUE(engine->IsPaused());

    caller.CallLater("B.Later", 5.0f);
    engine->RunFrame();
    engine->RunFrame();
    EXPECT_EQ(engine->GetDt(), 0.0f);
    caller.CallLater("Pause", 0.0f, false);
    engine->RunFrame();
    EXPECT_FALSE(engine->IsPaused());
    EXPECT_TRUE(Only("Later").empty());

    engine->RunFrame();
    const float tick = Engine::kTickMs;
    EXPECT_EQ(first->dts, (std::vector<float>{tick, 0.0f, 0.0f, 0.0f, tick}));
    EXPECT_EQ(Only("Later"), (Log{"B.Later entities=0"}));
}

TEST_F(EngineLoopTest, ALevelLoadedInATickEndsTheFramesTicksAndOwesNothing) {
    MakeGame();
    engine->SetFixedFrameTime(3.0f * Engine::kTickMs);
    engine->Start();
    caller.CallLater("ChangeLevel", 0.0f, ResourcePath("Levels/b.xml").string());
    engine->RunFrame();
    // The load came in the first of three ticks; the frame is still drawn, once.
    EXPECT_EQ(first->dts.size(), 1u);
    EXPECT_EQ(first->frameTimes.size(), 1u);
    EXPECT_EQ(engine->GetBlend(), 1.0f);
    engine->RunFrame();
    EXPECT_EQ(first->dts.size(), 4u);
}

TEST_F(EngineLoopTest, FrameAndTickLimitsQuitAtTheEndOfTheirFrame) {
    const struct {
        int frames;
        int ticks;
        float frameMs;
        int framesRun;
        std::size_t ticksRun;
    } kLimits[] = {{3, 0, Engine::kTickMs, 3, 3},
                   {0, 5, Engine::kTickMs, 5, 5},
                   {0, 5, 2.0f * Engine::kTickMs, 3, 5},  // the last frame runs only the tick left
                   {0, 2, 1.0f, 17, 2}};                  // a 1000 Hz display: the frame that runs tick 2
    for (const auto& limit : kLimits) {
        SCOPED_TRACE(limit.framesRun);
        MakeGame();
        engine->SetFixedFrameTime(limit.frameMs);
        engine->SetFrameLimit(limit.frames);
        engine->SetTickLimit(limit.ticks);
        engine->Start();
        int frames = 0;
        while (engine->IsRunning() && frames < 100) {
            engine->RunFrame();
            ++frames;
        }
        EXPECT_EQ(frames, limit.framesRun);
        EXPECT_FALSE(engine->IsRunning());
        EXPECT_EQ(first->dts.size(), limit.ticksRun);
        EXPECT_EQ(Only("LevelExit"), (Log{"A.LevelExit", "B.LevelExit"}));
        EndGame();
    }
}

TEST_F(EngineLoopTest, QuitDestroysEntitiesAssetsAndPendingCalls) {
    MakeGame();
    engine->Start();
    int deaths = 0;
    EntityHandle crate = engine->GetEntities().Create("Crate");
    AttachMenu(crate, first, &deaths);
    ZELM::AssetManager::Instance().Add("stone", new ZELM::AssetImpl<int>(1, nullptr));
    caller.CallLater("B.Later", 1000.0f);
    caller.CallLater("Quit", 0.0f);

    engine->RunFrame();
    EXPECT_FALSE(engine->IsRunning());
    EXPECT_FALSE(crate.IsAlive());
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(first->GetComponents().empty());
    EXPECT_EQ(ZELM::AssetManager::Instance().Size(), 0u);
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 0u);
    EXPECT_EQ(Only("LevelExit"), (Log{"A.LevelExit", "B.LevelExit"}));
}

TEST_F(EngineLoopTest, QuitDestroysComponentsBeforeTheAssetsTheyHold) {
    MakeGame();
    engine->Start();
    bool assetFreed = false;
    bool diedAfterAsset = false;
    ZELM::AssetManager::Instance().Add("stone",
                                       new ZELM::AssetImpl<int>(1, [&](int&) { assetFreed = true; }));
    EntityHandle crate = engine->GetEntities().Create("Crate");
    crate.Resolve()->AddComponent(new SpriteComponent(&assetFreed, &diedAfterAsset));

    caller.CallLater("Quit", 0.0f);
    engine->RunFrame();
    EXPECT_FALSE(crate.IsAlive());
    EXPECT_TRUE(assetFreed);
    EXPECT_FALSE(diedAfterAsset);
}

TEST_F(EngineLoopTest, ChangeLevelClearsOtherDelayedCallsAndCompletes) {
    MakeGame();
    engine->Start();
    caller.CallAll("SetLevelScripts", "intro.lua", "loop.lua", "outro.lua");
    EntityHandle crate = engine->GetEntities().Create("Crate");
    log.clear();
    caller.CallLater("ChangeLevel", 0.0f, ResourcePath("Levels/b.xml").string());
    caller.CallLater("B.Later", 0.0f);
    caller.CallLater("A.Later", 50.0f);

    ProblemCapture capture;
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_EQ(Only("Level"), (Log{"A.LevelExit", "B.LevelExit", "A.LevelStart", "B.LevelStart"}));
    EXPECT_TRUE(Only("Later").empty());
    EXPECT_EQ(DelayedCallQueue::Instance().Size(), 0u);
    EXPECT_FALSE(crate.IsAlive());
    EXPECT_EQ(engine->GetLevelScripts(), (std::array<std::string, 3>{}));
    EXPECT_EQ(History(), (std::deque<int>{0}));
}

TEST_F(EngineLoopTest, LoadLevelOutsideTheOrderKeepsTheHistory) {
    MakeGame();
    std::ofstream(ResourcePath("Levels/secret.xml")) << "<?xml version=\"1.0\" ?>\n<Level />\n";
    engine->Start();
    log.clear();
    ProblemCapture capture;

    caller.CallLater("LoadLevel", 0.0f, "secret");
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_EQ(Only("Level"), (Log{"A.LevelExit", "B.LevelExit", "A.LevelStart", "B.LevelStart"}));
    EXPECT_EQ(History(), (std::deque<int>{0}));

    caller.CallLater("LoadLevel", 0.0f, "missing");
    engine->RunFrame();
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Could not load level \"../Resources/Levels/missing.xml\"!");
    EXPECT_EQ(History(), (std::deque<int>{0}));

    caller.CallLater("LoadLevel", 0.0f, "b");
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 1u);
    EXPECT_EQ(History(), (std::deque<int>{0, 1}));
}

TEST_F(EngineLoopTest, MissingFirstLevelIsReportedAndTheLevelStillStarts) {
    MakeGame({"a"});
    std::filesystem::remove(ResourcePath("Levels/a.xml"));
    ProblemCapture capture;
    engine->Start();
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Could not load level \"../Resources/Levels/a.xml\"!");
    EXPECT_EQ(capture.Last().function, "ZELM::ContentPipeline::Load");
    EXPECT_EQ(Only("LevelStart"), (Log{"A.LevelStart", "B.LevelStart"}));
}

TEST_F(EngineLoopTest, SetLevelScriptsIsBroadcast) {
    MakeGame();
    engine->Start();
    caller.CallAll("SetLevelScripts", "intro.lua", "loop.lua", "outro.lua");
    EXPECT_EQ(engine->GetLevelScripts(), (std::array<std::string, 3>{"intro.lua", "loop.lua", "outro.lua"}));
    EXPECT_EQ(Only("SetLevelScripts"), (Log{"A.SetLevelScripts intro.lua", "B.SetLevelScripts intro.lua"}));
}

TEST_F(EngineLoopTest, EngineMethodsAnswerOnlyTheirOwnKindOfCall) {
    MakeGame();
    engine->Start();
    EntityHandle crate = engine->GetEntities().Create("Crate");
    ProblemCapture capture;

    const std::vector<std::string> notImmediate = {"DestroyAllEntities", "NextLevel", "PreviousLevel",
                                                   "LastLevel",          "LoadLevel", "ChangeLevel",
                                                   "AddEntities",        "AddAssets", "Quit",
                                                   "RebuildEntityTable", "Pause",     "SetLevelScripts"};
    for (const std::string& name : notImmediate) {
        caller.Call(name);
        ASSERT_EQ(capture.Count(), 1u) << name;
        EXPECT_EQ(capture.Last().message, "Could not find any bound method(s) named \"" + name + "\"!");
        EXPECT_EQ(capture.Last().function, "ZELM::DynamicCaller::Call");
        capture.Clear();
    }

    caller.CallAll("DestroyAllEntities");
    caller.CallAll("Quit");
    caller.CallAll("Pause", true);
    caller.CallAll("NextLevel");
    caller.CallAll("GetFPS");
    caller.CallLater("GetFPS", 0.0f);
    caller.CallLater("SetLevelScripts", 0.0f, "x", "y", "z");
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_TRUE(crate.IsAlive());
    EXPECT_TRUE(engine->IsRunning());
    EXPECT_FALSE(engine->IsPaused());
    EXPECT_EQ(History(), (std::deque<int>{0}));
    EXPECT_EQ(engine->GetLevelScripts(), (std::array<std::string, 3>{}));

    // Frames this short are all inside the first second, which has no rate yet.
    EXPECT_EQ(caller.Call<float>("GetFPS"), 0.0f);
    auto* stone = new ZELM::AssetImpl<int>(7, nullptr);
    stone->SetName("../Resources/Art/stone.png");
    caller.CallLater("AddAssets", 0.0f, std::deque<ZELM::Asset*>{stone});
    caller.CallLater("DestroyAllEntities", 0.0f);
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_FALSE(crate.IsAlive());
    EXPECT_EQ(ZELM::AssetManager::Instance().Get<int>("stone"), 7);
}

TEST_F(EngineLoopTest, RebuildEntityTableMovesComponentsToTheNewName) {
    MakeGame();
    engine->Start();
    EntityHandle entity = engine->GetEntities().Create("Old");
    MenuComponent* menu = AttachMenu(entity, nullptr);
    AttachEditorMenu(entity);
    engine->RenameEntity(entity, "New");
    caller.CallLater("RebuildEntityTable", 0.0f, entity);

    ProblemCapture capture;
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_FALSE(ZELM::DynamicBase::IsNameInUse("Old"));
    EXPECT_EQ(menu->GetBinderName(), "New");
    EXPECT_NE(TwGetBarByName("New"), nullptr) << "the menu was rebuilt under the new name";
    EXPECT_EQ(entity.Resolve()->Call<int>("Open"), 1);

    // Rebuilding an unchanged table must not bind the methods a second time.
    caller.CallLater("RebuildEntityTable", 0.0f, entity);
    engine->RunFrame();
    entity.Resolve()->CallAll("Tick");
    EXPECT_EQ(menu->ticks, 1);
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(EngineLoopTest, RemoveInAnEntityMenuRemovesTheComponentAndRebuildsTheMenu) {
    MakeGame();
    engine->Start();
    EntityHandle entity = engine->GetEntities().Create("Crate");
    AttachMenu(entity, nullptr);
    AttachEditorMenu(entity);
    ASSERT_NE(EntryOf("Crate", "MenuRemove"), nullptr);

    ProblemCapture capture;
    EntryOf("Crate", "MenuRemove")->Press();
    engine->RunFrame();
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 0u) << (capture.Count() != 0 ? capture.Last().message : "");
    EXPECT_EQ(entity.Resolve()->GetComponent("Menu"), nullptr);
    EXPECT_NE(EntryOf("Crate", "EName"), nullptr) << "the menu is back";
    EXPECT_EQ(EntryOf("Crate", "MenuRemove"), nullptr);
}

TEST_F(EngineLoopTest, RenameInAnEntityMenuCarriesTheComponentsToTheNewNameUnlessItIsTaken) {
    MakeGame();
    engine->Start();
    EntityHandle entity = engine->GetEntities().Create("Crate");
    MenuComponent* menu = AttachMenu(entity, nullptr);
    AttachEditorMenu(entity);

    ProblemCapture capture;
    EntryOf("Crate", "EName")->ApplyEdit(Tweak::TweakValue(std::string("Big crate")));
    engine->RunFrame();
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 0u) << (capture.Count() != 0 ? capture.Last().message : "");
    EXPECT_TRUE(engine->GetEntity("Big_crate") == entity);
    EXPECT_EQ(menu->GetBinderName(), "Big_crate");
    EXPECT_EQ(entity.Resolve()->Call<int>("Open"), 1) << "the component answers under the new name";
    EXPECT_NE(EntryOf("Big_crate", "EName"), nullptr);

    engine->GetEntities().Create("Taken");
    EntryOf("Big_crate", "EName")->ApplyEdit(Tweak::TweakValue(std::string("Taken")));
    engine->RunFrame();
    EXPECT_EQ(capture.Count(), 1u) << "a name in use is refused";
    EXPECT_EQ(entity.Resolve()->GetName(), "Big_crate");
    EXPECT_EQ(entity.Resolve()->Call<int>("Open"), 2);
}

TEST_F(EngineLoopTest, AddEntitiesReplacesTheLevelsEntities) {
    MakeGame();
    engine->SetFixedFrameTime(Engine::kTickMs);
    engine->Start();
    EntityHandle old = engine->GetEntities().Create("Old");
    EntityHandle fresh(new ZELM::Entity("Fresh"));
    fresh.Resolve()->SetSelfHandle(fresh);
    auto* menu = new MenuComponent();
    menu->SetParentService(first);
    fresh.Resolve()->AddComponent(menu);
    log.clear();

    caller.CallLater("AddEntities", 0.0f, std::deque<EntityHandle>{fresh});
    engine->RunFrame();
    EXPECT_FALSE(old.IsAlive());
    EXPECT_TRUE(engine->GetEntity("Fresh") == fresh);
    EXPECT_EQ(engine->GetEntities().Size(), 1u);
    EXPECT_EQ(first->GetComponents(), (std::vector<ZELM::Component*>{menu}));
    EXPECT_EQ(Only("Level"), (Log{"A.LevelStart", "B.LevelStart"}));

    engine->RunFrame();
    EXPECT_EQ(menu->updates, (std::vector<float>{Engine::kTickMs}));
}

}  // namespace
