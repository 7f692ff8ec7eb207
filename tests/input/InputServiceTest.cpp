// The keyboard and mouse service driven by an input script, queried by name as gameplay does.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "editor/LevelEditorService.h"
#include "engine/ComponentRegistry.h"
#include "input/Controls.h"
#include "input/InputService.h"
#include "input/PickRay.h"
#include "support/ProblemCapture.h"

namespace {

namespace fs = std::filesystem;
using Input::InputService;
using Input::Matrix;

// Plays the renderer's part: the camera's matrices, by name.
class CameraService : public ZELM::Service {
public:
    void Bind() override {
        DynamicBinder::Bind("GetProjectionMatrix", this, &CameraService::GetProjectionMatrix);
        DynamicBinder::Bind("GetViewMatrix", this, &CameraService::GetViewMatrix);
    }
    void Init() override {}
    void Update(float) override {}
    Matrix GetProjectionMatrix() { return projection; }
    Matrix GetViewMatrix() { return view; }

    Matrix projection = Input::IdentityMatrix();
    Matrix view = Input::IdentityMatrix();
};

class InputServiceTest : public ::testing::Test {
protected:
    void TearDown() override {
        ZELM::ComponentRegistry::DestroyInstance();
        if (!scriptFile.empty()) {
            fs::remove(scriptFile);
        }
    }

    // An input service over the script, bound and initialised beside an editor that has started.
    std::unique_ptr<InputService> Start(const std::string& text, bool editorStarted = true) {
        scriptFile = fs::temp_directory_path() / ("fallward-input-" + std::to_string(::getpid()) + ".txt");
        std::ofstream(scriptFile) << text;
        editor.Bind();
        if (editorStarted) {
            editor.Init();
        }
        auto input = std::make_unique<InputService>(true, scriptFile.string());
        if (byTick) {
            input->PlayScriptByTick();
        }
        input->Bind();
        input->Init();
        input->BeginTick();  // the first tick sees what the script holds for the first frame
        return input;
    }

    // The next frame of a display at 60 Hz: its sample, then its one tick.
    static void NextFrame(InputService& input) {
        input.UpdateFrame(16.6667f);
        input.BeginTick();
        input.Update(16.6667f);
    }

    bool Ask(const std::string& method, const std::string& key) { return caller.Call<bool>(method, key); }

    LevelEditor::LevelEditorService editor;
    ZELM::DynamicCaller caller;
    fs::path scriptFile;
    bool byTick = false;

public:
    InputServiceTest() { caller.SetName("Engine"); }
};

TEST_F(InputServiceTest, APressIsTriggeredForExactlyOneFrameAndHeldUntilReleased) {
    auto input = Start("1 down ENTER\n4 up enter\n");
    // Frame 1 sees what was sampled before it: the press.
    EXPECT_TRUE(Ask("KeyDown", "ENTER"));
    EXPECT_TRUE(Ask("KeyTriggered", "ENTER"));
    NextFrame(*input);  // frame 2
    EXPECT_TRUE(Ask("KeyDown", "ENTER"));
    EXPECT_FALSE(Ask("KeyTriggered", "ENTER"));
    NextFrame(*input);  // frame 3
    EXPECT_TRUE(Ask("KeyDown", "ENTER"));
    EXPECT_FALSE(Ask("KeyTriggered", "ENTER"));
    NextFrame(*input);  // frame 4
    EXPECT_FALSE(Ask("KeyDown", "ENTER"));
    EXPECT_FALSE(Ask("KeyTriggered", "ENTER"));
}

TEST_F(InputServiceTest, EveryPressAndReleaseReachesTheNextTickWhateverTheFramesToTicks) {
    // Each step: 'f' a display frame's sample, 't' a tick; then what the tick saw of SPACE.
    const struct {
        const char* script;
        const char* steps;
        std::vector<std::pair<bool, bool>> ticks;  // held, triggered, at each 't'
    } kCases[] = {
        // 1,000 Hz: a tap shorter than a tick is seen by the next tick, once.
        {"2 down SPACE\n3 up SPACE\n", "fftt", {{true, true}, {false, false}}},
        // 30 Hz: a held key acts on both of a frame's ticks, and triggers on the first only.
        {"2 down SPACE\n", "fttftt", {{true, true}, {true, false}, {true, false}, {true, false}}},
        // A release is seen by the next tick, not a tick late.
        {"1 down SPACE\n2 up SPACE\n", "ft", {{false, false}}},
        // A press held across frames without a tick triggers once.
        {"2 down SPACE\n", "ffftft", {{true, true}, {true, false}}},
    };
    for (const auto& step : kCases) {
        SCOPED_TRACE(std::string(step.script) + step.steps);
        auto input = Start(step.script);
        std::vector<std::pair<bool, bool>> seen;
        for (const char* c = step.steps; *c != '\0'; ++c) {
            if (*c == 'f') {
                input->UpdateFrame(1.0f);
            } else {
                input->BeginTick();
                seen.emplace_back(Ask("KeyDown", "SPACE"), Ask("KeyTriggered", "SPACE"));
            }
        }
        EXPECT_EQ(seen, step.ticks);
        ZELM::ComponentRegistry::DestroyInstance();
    }
}

TEST_F(InputServiceTest, AScriptPlayedByTickIgnoresTheDisplayFrames) {
    byTick = true;
    auto input = Start("1 down A\n3 up A\n");
    EXPECT_TRUE(Ask("KeyTriggered", "A"));  // tick 1
    for (int frame = 0; frame < 5; ++frame) {
        input->UpdateFrame(1.0f);
    }
    input->BeginTick();  // tick 2
    EXPECT_TRUE(Ask("KeyDown", "A"));
    EXPECT_FALSE(Ask("KeyTriggered", "A"));
    input->BeginTick();  // tick 3
    EXPECT_FALSE(Ask("KeyDown", "A"));
}

TEST_F(InputServiceTest, KeyNamesMatchInAnyCaseAndUnknownNamesAreNeverHeld) {
    auto input = Start("1 down ESC\n1 down up\n");
    for (const char* name : {"esc", "Esc", "ESC", "eSc"}) {
        EXPECT_TRUE(Ask("KeyDown", name)) << name;
    }
    EXPECT_TRUE(Ask("KeyDown", "Up"));
    // Even with every byte of the key state set, including the slot unknown names fall on.
    char* keys = caller.Call<char*>("getKeystates");
    ASSERT_NE(keys, nullptr);
    for (int i = 0; i < 256; ++i) {
        keys[i] = static_cast<char>(0x80);
    }
    for (const char* name : {"HOME", "", "up ", "ENTERX", "\xff"}) {
        EXPECT_FALSE(Ask("KeyDown", name)) << name;
        EXPECT_FALSE(Ask("EditorKeyDown", name)) << name;
        EXPECT_FALSE(Ask("KeyTriggered", name)) << name;
    }
    EXPECT_EQ(input->CodeOf("home"), 0);
    EXPECT_EQ(input->CodeOf("rctrl"), 157);
}

TEST_F(InputServiceTest, GameplayQueriesReadFalseWhileTheEditorIsActiveButEditorQueriesDoNot) {
    // The editor has not started yet: editor mode is on.
    auto input = Start("1 down SPACE\n", false);
    EXPECT_FALSE(Ask("KeyDown", "SPACE"));
    EXPECT_FALSE(Ask("KeyTriggered", "SPACE"));
    EXPECT_TRUE(Ask("EditorKeyDown", "SPACE"));
    EXPECT_TRUE(Ask("EditorKeyTriggered", "SPACE"));
    editor.Init();
    EXPECT_TRUE(Ask("KeyDown", "SPACE"));
    EXPECT_TRUE(Ask("KeyTriggered", "SPACE"));
}

TEST_F(InputServiceTest, RemoteKeysAreWrittenThroughTheNetworkPointersAndQueriedApart) {
    auto input = Start("");
    char* now = caller.Call<char*>("getNetworkKeystates");
    char* before = caller.Call<char*>("getNetworkPastKeystates");
    ASSERT_NE(now, nullptr);
    ASSERT_NE(before, nullptr);
    now[205] = static_cast<char>(0x80);
    EXPECT_TRUE(Ask("NetKeyDown", "right"));
    EXPECT_TRUE(Ask("NetKeyTriggered", "right"));
    EXPECT_FALSE(Ask("KeyDown", "right"));
    before[205] = static_cast<char>(0x80);
    EXPECT_TRUE(Ask("NetKeyDown", "right"));
    EXPECT_FALSE(Ask("NetKeyTriggered", "right"));
}

TEST_F(InputServiceTest, ARaceDatagramCarriesTheShippedKeyOfAnActionHeldOnAReboundKey) {
    auto input = Start("1 down L\n");
    Input::Controls controls;
    controls.BindKey(Input::Controls::kGravityRight, 38);  // L, RIGHT kept as the second key
    input->SetControls(controls);
    NextFrame(*input);
    const char* sent = caller.Call<char*>("getActionKeystates");
    EXPECT_EQ(sent[Input::Controls::DefaultCodeOf(Input::Controls::kGravityRight)], static_cast<char>(0x80))
        << "the peer reads RIGHT, the key the game shipped with";
    EXPECT_EQ(sent[38], 0) << "and never the key pressed";
}

TEST_F(InputServiceTest, ScriptedMouseMovesTheCursorAndAClickHoldsForOneFrame) {
    auto input = Start("2 mouse 640 120\n2 click left\n3 click right\n");
    EXPECT_EQ(caller.Call<int>("xMouse"), 0);
    NextFrame(*input);  // frame 2
    EXPECT_EQ(caller.Call<int>("xMouse"), 640);
    EXPECT_EQ(caller.Call<int>("yMouse"), 120);
    EXPECT_TRUE(caller.Call<bool>("LeftClick"));
    EXPECT_TRUE(caller.Call<bool>("LeftClickTrigger"));
    EXPECT_FALSE(caller.Call<bool>("RightClick"));
    NextFrame(*input);  // frame 3
    EXPECT_FALSE(caller.Call<bool>("LeftClick"));
    EXPECT_FALSE(caller.Call<bool>("LeftClickTrigger"));
    EXPECT_TRUE(caller.Call<bool>("RightClick"));
    EXPECT_TRUE(caller.Call<bool>("RightClickTrigger"));
    EXPECT_FALSE(caller.Call<bool>("MiddleClick"));
    NextFrame(*input);
    EXPECT_FALSE(caller.Call<bool>("RightClick"));
}

TEST_F(InputServiceTest, ThePickRayFollowsTheCameraAndIsStraightAheadWithoutOne) {
    // No renderer: the camera is at the origin; the right edge of the client area is one unit
    // across per unit of depth.
    auto input = Start("2 mouse 800 300\n3 mouse 400 300\n");
    NextFrame(*input);
    EXPECT_FLOAT_EQ(caller.Call<float>("xMouseProjected", 5.0f), 5.0f);
    EXPECT_FLOAT_EQ(caller.Call<float>("yMouseProjected", 5.0f), 0.0f);

    // A camera at (3, -2, -10) looking along z: the centre of the screen is over the camera.
    CameraService camera;
    camera.view = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -3, 2, 10, 1};
    camera.Bind();
    NextFrame(*input);
    EXPECT_FLOAT_EQ(caller.Call<float>("xMouseProjected", 0.0f), 3.0f);
    EXPECT_FLOAT_EQ(caller.Call<float>("yMouseProjected", 0.0f), -2.0f);
    EXPECT_FLOAT_EQ(input->GetCursorWorldX(), 3.0f);
    EXPECT_FLOAT_EQ(input->GetCursorWorldY(), -2.0f);

    // A degenerate camera leaves the last good ray in place instead of filling it with infinities.
    camera.view.fill(0.0f);
    NextFrame(*input);
    EXPECT_FLOAT_EQ(caller.Call<float>("xMouseProjected", 0.0f), 3.0f);
}

TEST_F(InputServiceTest, TheRemotePlayerMarkerIsAComponentTypeOfTheInputService) {
    auto input = Start("");
    struct Finder : ZELM::IVisitor<ZELM::RegistryItem> {
        void Visit(ZELM::RegistryItem& item) override {
            found = found || (item.serviceName == "Input" && item.typeName == "NetworkInput");
        }
        bool found = false;
    } finder;
    ZELM::ComponentRegistry::Instance().VisitItems(finder);
    EXPECT_TRUE(finder.found);
}

}  // namespace

namespace {

// Typed text and wheel turns reach the game as window messages, not sampled state: a recording sees
// them as the devices queue them, keeping what a script can type.
TEST(InputServiceDevices, QueuedTextAndWheelTurnsAreKeptAsScriptEvents) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    {
        InputService input(false);
        input.KeepSeenEvents();
        input.Init();
        SDL_Event typed{};
        typed.type = SDL_TEXTINPUT;
        std::snprintf(typed.text.text, sizeof typed.text.text, "a\xc3\xa9 b");
        SDL_Event turned{};
        turned.type = SDL_MOUSEWHEEL;
        turned.wheel.y = -2;
        SDL_PushEvent(&typed);
        SDL_PushEvent(&turned);
        const std::vector<Input::InputScript::Event> seen = input.TakeSeenEvents();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].kind, Input::InputScript::Kind::Text);
        EXPECT_EQ(seen[0].text, "a b");
        EXPECT_EQ(seen[1].kind, Input::InputScript::Kind::Wheel);
        EXPECT_EQ(seen[1].notches, -2);
    }
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
