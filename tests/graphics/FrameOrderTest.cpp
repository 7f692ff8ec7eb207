// The order in which one frame updates and draws the graphic components, and what they see.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "graphics/D3DMath.h"
#include "graphics/GraphicsService.h"
#include "graphics/LevelRenderer.h"
#include "graphics/gl/Device.h"
#include "utilities/Dynamic.h"
#include "support/GraphicsFrame.h"

namespace {

// Stands in for a graphic component: writes down its updates and draws, and what the service
// shows while it draws.
class ProbeGraphic : public ZELM::Component {
public:
    ProbeGraphic(std::vector<std::string>& log, std::string tag) : log(log), tag(std::move(tag)) {}
    void Bind() override { DynamicBinder::Bind("Draw", this, &ProbeGraphic::Draw); }
    void Init() override {}
    void Update(float dt) override {
        log.push_back(tag + ".U" + std::to_string(static_cast<int>(dt)));
        if (GetTypeName() == "GravityGuyGraphic") {
            // As the player graphic does: the camera follows the player.
            GetParentService()->Call("SetCamTargetX", followX);
        }
    }
    void Draw() {
        ZELM::Service* graphics = GetParentService();
        log.push_back(tag + ".D" + (graphics->Call<bool>("PostDraw") ? "*" : ""));
        camX.push_back(graphics->Call<glm::vec3>("GetCamPos").x);
    }

    float followX = 0.0f;
    std::vector<float> camX;

private:
    std::vector<std::string>& log;
    std::string tag;
};

// Stands in for the audio and input services.
class Listener : public ZELM::Service {
public:
    void Bind() override {
        DynamicBinder::Bind("PlayPhaseSnd", this, &Listener::PlayPhaseSnd);
        DynamicBinder::Bind("PlayBGM", this, &Listener::PlayBGM);
        DynamicBinder::Bind("PlayJump", this, &Listener::PlayJump);
        DynamicBinder::Bind("KeyDown", this, &Listener::KeyDown);
        DynamicBinder::Bind("KeyTriggered", this, &Listener::KeyTriggered);
        DynamicBinder::Bind("GetTileID", this, &Listener::GetTileID);
    }
    void Init() override {}
    void Update(float) override {}
    void PlayPhaseSnd() { sounds.push_back("phase"); }
    void PlayBGM(int track) { sounds.push_back("bgm" + std::to_string(track)); }
    void PlayJump() { sounds.push_back("jump"); }
    bool KeyDown(std::string key) { return held.count(key) != 0; }
    bool KeyTriggered(std::string key) { return triggered.count(key) != 0; }
    unsigned char GetTileID(unsigned x, unsigned) { return x == 5 ? 3 : 0; }

    std::vector<std::string> sounds;
    std::set<std::string> held;
    std::set<std::string> triggered;
};

class GraphicsFrame : public ::testing::Test {
protected:
    void SetUp() override {
        listener.Bind();
        graphics.Bind();
        graphics.Init();
        caller.SetName("Engine");
    }
    void TearDown() override { entities.DestroyAllEntities(); }

    ProbeGraphic* Add(const std::string& tag, const std::string& type) {
        ZELM::EntityHandle entity = entities.Create(tag);
        auto* probe = new ProbeGraphic(log, tag);
        probe->SetTypeName(type);
        probe->SetParentService(&graphics);
        entity.Resolve()->AddComponent(probe);
        probe->Bind();
        probe->AddToService();
        return probe;
    }

    Listener listener;
    Graphics::GraphicsService graphics{true};
    ZELM::EntityController entities;
    ZELM::DynamicCaller caller;
    std::vector<std::string> log;
};

TEST_F(GraphicsFrame, ComponentsUpdateThriceATickAndThePlayerIsDrawnLastInTheFrame) {
    Add("G", "GravityGuyGraphic");
    Add("C", "Cube");
    Add("P", "Powerup");
    Add("L", "Light");
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    const std::vector<std::string> expected = {
        // The tick: two updates with its time, a third with none (the glow's, as it always was).
        "G.U16", "C.U16", "P.U16", "L.U16", "G.U16", "C.U16", "P.U16", "L.U16", "G.U0", "C.U0", "P.U0", "L.U0",
        // The frame, before the level: cubes and power-ups are not drawn.
        "G.D", "L.D",
        // After the level: everyone but the player, then the player.
        "C.D", "P.D", "L.D", "G.D",
        // The glow pass: "PostDraw" is on.
        "G.D*", "C.D*", "P.D*", "L.D*"};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(graphics.GetSlowestComponent().empty());

    // A frame without a tick draws again and updates nothing.
    log.clear();
    graphics.UpdateFrame(1.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"G.D", "L.D", "C.D", "P.D", "L.D", "G.D", "G.D*", "C.D*", "P.D*",
                                             "L.D*"}));
}

TEST_F(GraphicsFrame, EveryPlayerGraphicIsDrawnLastAfterTheLevel) {
    Add("G", "GravityGuyGraphic");
    Add("C", "Cube");
    Add("H", "GravityGuyGraphic");
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    const std::vector<std::string> afterLevel(log.begin() + 9 + 2, log.begin() + 9 + 5);
    EXPECT_EQ(afterLevel, (std::vector<std::string>{"C.D", "G.D", "H.D"}));
}

TEST_F(GraphicsFrame, TheCameraFollowsThePlayerGraphicWithinTheFrame) {
    ProbeGraphic* player = Add("G", "GravityGuyGraphic");
    ProbeGraphic* crate = Add("C", "Cube");
    player->followX = 7.0f;
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    ASSERT_GE(player->camX.size(), 2u);
    EXPECT_FLOAT_EQ(player->camX[0], 7.0f) << "rebuilt right after the player's update";
    ASSERT_FALSE(crate->camX.empty());
    EXPECT_FLOAT_EQ(crate->camX[0], 7.0f);
    // The device's view follows too: it is what the components draw with.
    const glm::mat4 view = graphics.GetDevice()->GetTransform(Graphics::Device::Transform::View);
    EXPECT_EQ(view, graphics.GetCamera().GetView());
    EXPECT_NEAR(-Graphics::At(view, 4, 1), 7.0f, 1e-4f) << "the eye stands before the player";
}

TEST_F(GraphicsFrame, ADestroyedComponentLeavesTheFrame) {
    Add("G", "GravityGuyGraphic");
    entities.DestroyAllEntities();
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_TRUE(log.empty());
}

TEST_F(GraphicsFrame, TheFirstFrameStartsTheTitleMusicAndPhaseCrossingsSplashWithSound) {
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_EQ(listener.sounds, std::vector<std::string>{"bgm0"}) << "once, on the first frame";

    listener.sounds.clear();
    caller.Call("SetP1Light", glm::vec3(5.5f, 2.0f, 0.0f));  // into the phase column x = 5
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    caller.Call("SetP1Light", glm::vec3(5.9f, 2.0f, 0.0f));  // still inside: no splash
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    caller.Call("SetP1Light", glm::vec3(6.1f, 2.0f, 0.0f));  // out again
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_EQ(listener.sounds, (std::vector<std::string>{"phase", "phase"}));

    listener.sounds.clear();
    for (const char* red : {"SplashUpRed", "SplashDownGreen", "SplashLeftRed", "SplashRightGreen"}) {
        caller.Call(red);
    }
    EXPECT_TRUE(listener.sounds.empty()) << "red and green splashes are silent";
    caller.Call("SplashYellow");
    EXPECT_EQ(listener.sounds, std::vector<std::string>{"phase"});
}

TEST_F(GraphicsFrame, NothingALevelDidToTheFrameReachesTheNextLevel) {
    // The level ends winning (as bright as a whole win makes it), its player in a phase column
    // far to the right.
    caller.Call("SetP1Light", glm::vec3(5.5f, 2.0f, 0.0f));
    listener.held = {"Space"};
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    listener.held.clear();
    caller.Call("SetIntensity", 7.0f);
    caller.Call("SetCamTargetX", 40.0f);
    listener.sounds = {"bgm0"};
    caller.CallAll("LevelExit");
    EXPECT_FLOAT_EQ(caller.Call<float>("GetIntensity"), 1.0f);
    EXPECT_FLOAT_EQ(caller.Call<float>("GetCamTargetX"), 0.0f);
    const Graphics::CubeList& cubes = graphics.GetLevelRenderer().GetCubes();
    EXPECT_EQ(cubes.GetLevelTimer(), 0.0f) << "the background's wave starts again with the level";
    EXPECT_EQ(cubes.GetPhaseFade(), 0.0f);
    // The next level's player stands on open ground: nothing was crossed, no splash.
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    caller.Call("SetP1Light", glm::vec3(1.5f, 2.0f, 0.0f));
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_EQ(listener.sounds, std::vector<std::string>{"bgm0"});
}

TEST_F(GraphicsFrame, DisplayKeysWithoutADeviceChangeNothing) {
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    listener.triggered = {"F11"};
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_FALSE(graphics.IsFullscreen()) << "no display mode to switch to headless";
    EXPECT_EQ(listener.sounds.back(), "jump") << "the key still answers";
    listener.triggered.clear();
    listener.held = {"LALT", "TAB"};
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_FALSE(graphics.IsFullscreen());
    EXPECT_EQ(caller.Call<int>("GetScreenWidth"), 800);
}

}  // namespace
