// The particle systems without a device: bursts into dead particles only, lifetimes, and the dust's
// cloud, drift and wrap around the player.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "graphics/Dust.h"
#include "graphics/GraphicsService.h"
#include "graphics/PhaseSplash.h"
#include "input/Action.h"
#include "utilities/Dynamic.h"
#include "support/GraphicsFrame.h"

namespace {

using Colour = Graphics::GraphicsService::SplashColour;

// Stands in for the keyboard and the controller.
class Controls : public ZELM::Service {
public:
    void Bind() override {
        DynamicBinder::Bind("ActionTriggered", this, &Controls::ActionTriggered);
        DynamicBinder::Bind("IsPressed", this, &Controls::IsPressed);
    }
    void Init() override {}
    void Update(float) override {}
    bool ActionTriggered(std::string action) { return triggered.count(action) != 0; }
    char IsPressed(Input::Action action) { return pressed.count(action) != 0 ? 5 : 0; }

    std::set<std::string> triggered;
    std::set<int> pressed;
};

class Particles : public ::testing::Test {
protected:
    void SetUp() override {
        controls.Bind();
        graphics.Bind();
        graphics.Init();
        caller.SetName("Engine");
    }
    std::size_t Live(Colour colour) const {
        const Graphics::PhaseSplash* system = graphics.GetSplashSystem(colour);
        return system == nullptr ? 0 : system->GetLive().size();
    }
    const Graphics::Dust& Dust() const { return *graphics.GetDust(); }

    Controls controls;
    Graphics::GraphicsService graphics{true};
    ZELM::DynamicCaller caller;
};

TEST_F(Particles, EachSplashBurstsAHundredParticlesOutOfADiscAroundThePlayerAlongItsDirection) {
    const glm::vec3 player(12.0f, 7.0f, -1.0f);
    caller.Call("SetP1Light", player);
    const struct {
        const char* method;
        Colour colour;
        int direction;
        int axis;  // 0 x, 1 y
        float sign;
    } splashes[] = {
        {"SplashUp", Colour::Blue, 0, 1, 1.0f},         {"SplashDown", Colour::Blue, 1, 1, -1.0f},
        {"SplashLeft", Colour::Blue, 2, 0, 1.0f},       {"SplashRight", Colour::Blue, 3, 0, -1.0f},
        {"SplashUpRed", Colour::Red, 0, 1, 1.0f},       {"SplashDownRed", Colour::Red, 1, 1, -1.0f},
        {"SplashLeftRed", Colour::Red, 2, 0, 1.0f},     {"SplashRightRed", Colour::Red, 3, 0, -1.0f},
        {"SplashUpGreen", Colour::Green, 0, 1, 1.0f},   {"SplashDownGreen", Colour::Green, 1, 1, -1.0f},
        {"SplashLeftGreen", Colour::Green, 2, 0, 1.0f}, {"SplashRightGreen", Colour::Green, 3, 0, -1.0f},
        {"SplashYellow", Colour::Yellow, 0, 1, 1.0f}};
    for (const auto& splash : splashes) {
        // Before the first frame too: the systems are made for the first splash.
        caller.Call(splash.method);
        const Graphics::PhaseSplash& system = *graphics.GetSplashSystem(splash.colour);
        ASSERT_EQ(system.GetLive().size(), 100u) << splash.method;
        EXPECT_EQ(system.GetDirection(), splash.direction) << splash.method;
        for (const Graphics::Particle* particle : system.GetLive()) {
            const glm::vec3 offset = particle->initialPos - player;
            EXPECT_FLOAT_EQ(offset[splash.axis], 0.0f) << splash.method;
            EXPECT_LE(glm::length(offset), 0.2001f) << splash.method;
            const float along = particle->initialVelocity[splash.axis] * splash.sign;
            EXPECT_TRUE(along >= 1.0f && along <= 10.0f) << splash.method << " flies at " << along;
        }
        ZELMTest::RunGraphicsFrame(graphics, 501.0f);  // every splash particle has died
        EXPECT_EQ(system.GetLive().size(), 0u) << splash.method;
    }
}

TEST_F(Particles, ABurstOnlyTakesDeadParticles) {
    const struct {
        const char* method;
        Colour colour;
        std::size_t capacity;
    } systems[] = {{"SplashDownRed", Colour::Red, 300},
                   {"SplashUpGreen", Colour::Green, 300},
                   {"SplashYellow", Colour::Yellow, 300},
                   {"SplashLeft", Colour::Blue, 3000}};
    for (const auto& system : systems) {
        for (std::size_t burst = 1; burst <= system.capacity / 100 + 1; ++burst) {
            caller.Call(system.method);
            EXPECT_EQ(Live(system.colour), std::min(burst * 100, system.capacity))
                << system.method << " burst " << burst;
        }
        ZELMTest::RunGraphicsFrame(graphics, 501.0f);
        caller.Call(system.method);
        EXPECT_EQ(Live(system.colour), 100u) << system.method << " once its particles have died";
    }
}

TEST_F(Particles, SplashParticlesLiveAtMostHalfASecondAndDustAsLongAsTheLevel) {
    caller.Call("SplashRightGreen");
    ZELMTest::RunGraphicsFrame(graphics, 250.0f);
    EXPECT_GT(Live(Colour::Green), 0u);
    EXPECT_LT(Live(Colour::Green), 100u) << "life times spread over half a second";
    ZELMTest::RunGraphicsFrame(graphics, 251.0f);
    EXPECT_EQ(Live(Colour::Green), 0u);

    EXPECT_EQ(Dust().GetLive().size(), 1000u) << "the first frame made the cloud";
    // Frames of a minute each: a level left running for ten hours.
    for (int minute = 1; minute <= 600; ++minute) {
        ZELMTest::RunGraphicsFrame(graphics, 60000.0f);
        ASSERT_EQ(Dust().GetLive().size(), 1000u) << "after " << minute << " minutes";
    }
}

TEST_F(Particles, TheFirstFrameFillsA60By60SquareAroundThePlayerWithDust) {
    const glm::vec3 player(100.0f, 50.0f, 2.0f);
    caller.Call("SetP1Light", player);
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    ASSERT_EQ(Dust().GetLive().size(), 1000u);
    for (const Graphics::Particle* mote : Dust().GetLive()) {
        const glm::vec3 offset = mote->initialPos - player;
        ASSERT_TRUE(std::fabs(offset.x) <= 30.0f && std::fabs(offset.y) <= 30.0f)
            << offset.x << "," << offset.y;
        ASSERT_TRUE(offset.z >= -5.0f && offset.z <= 0.0f) << "nearer the camera: " << offset.z;
    }
}

TEST_F(Particles, DustPastThirtyUnitsFromThePlayerWrapsToTheOtherSide) {
    const glm::vec3 player(10.0f, -5.0f, 0.0f);
    caller.Call("SetP1Light", player);
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    Graphics::Particle& mote = *Dust().GetLive().front();
    // The drift points down, so y moves by a hair in a frame; x not at all.
    const struct {
        float x, y, wrappedX, wrappedY;
    } cases[] = {{31.0f, 0.0f, -29.0f, 0.0f},  {30.0f, 0.0f, 30.0f, 0.0f},  {-31.0f, 0.0f, 29.0f, 0.0f},
                 {-30.0f, 0.0f, -30.0f, 0.0f}, {0.0f, 31.0f, 0.0f, -29.0f}, {0.0f, -31.0f, 0.0f, 29.0f}};
    for (const auto& c : cases) {
        mote.initialPos = player + glm::vec3(c.x, c.y, 0.0f);
        mote.initialVelocity = glm::vec3(0.0f);
        ZELMTest::RunGraphicsFrame(graphics, 16.0f);
        EXPECT_FLOAT_EQ(mote.initialPos.x - player.x, c.wrappedX) << "from " << c.x << "," << c.y;
        EXPECT_NEAR(mote.initialPos.y - player.y, c.wrappedY, 1e-3f) << "from " << c.x << "," << c.y;
    }
}

TEST_F(Particles, DustDriftsWithTheGravityKeysUpToItsTopSpeed) {
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_EQ(Dust().GetDrift(), glm::vec3(0.0f, -1.0f, 0.0f)) << "down at the start";
    const struct {
        const char* key;
        int action;
        glm::vec3 drift;
    } turns[] = {{"gravityleft", 0, {-1, 0, 0}},
                 {"gravityup", 0, {0, 1, 0}},
                 {"gravityright", 0, {1, 0, 0}},
                 {"gravitydown", 0, {0, -1, 0}},
                 // The right stick pushed right (its "Right Left" action) turns gravity right.
                 {"", Input::kRightLeft, {1, 0, 0}}};
    for (const auto& turn : turns) {
        controls.triggered = {turn.key};
        controls.pressed = {turn.action};
        ZELMTest::RunGraphicsFrame(graphics, 16.0f);
        EXPECT_EQ(Dust().GetDrift(), turn.drift) << turn.key << turn.action;
    }
    controls.triggered.clear();
    controls.pressed.clear();
    ZELMTest::RunGraphicsFrame(graphics, 5000.0f);
    for (const Graphics::Particle* mote : Dust().GetLive()) {
        ASSERT_NEAR(glm::length(mote->initialVelocity), 0.8f, 1e-4f);
        ASSERT_GT(mote->initialVelocity.x, 0.75f) << "mostly along the drift";
    }
}

}  // namespace
