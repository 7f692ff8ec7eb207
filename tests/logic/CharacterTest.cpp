// The two characters: gravity turned by keys and controller, power levels, and phasing.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/Physical.h"
#include "logic/GravityGuy.h"
#include "support/GameplayWorld.h"
#include "support/ProblemCapture.h"

namespace {

using Kestrin::PhysicsComponent;

class CharacterTest : public ::testing::Test {
protected:
    void SetUp() override {
        world.Map(40, 20);
        player = world.AddPlayer(10.0f, 10.0f);
        box = world.AddBox("Box", 11.5f, 10.0f);
    }

    ZELMTest::GameplayWorld world;
    PhysicsComponent* player = nullptr;
    PhysicsComponent* box = nullptr;
};

TEST_F(CharacterTest, ArrowKeysTurnGravityForThePlayerAndTheBodiesInReach) {
    ZELMTest::ProblemCapture capture;
    const struct {
        std::set<std::string> keys;
        float x, y;
    } cases[] = {
        {{}, 0.0f, 0.0f},
        {{"RIGHT"}, 1.0f, 0.0f},
        {{"LEFT"}, -1.0f, 0.0f},
        {{"UP"}, 0.0f, 1.0f},
        {{"DOWN"}, 0.0f, -1.0f},
        {{"RIGHT", "UP"}, 0.7071f, 0.7071f},
        {{"RIGHT", "DOWN"}, 0.7071f, -0.7071f},
        {{"LEFT", "UP"}, -0.7071f, 0.7071f},
        {{"LEFT", "DOWN"}, -0.7071f, -0.7071f},
        {{"RIGHT", "LEFT"}, 1.0f, 0.0f},
        {{"UP", "DOWN"}, 0.0f, 1.0f},
    };
    for (const auto& c : cases) {
        world.engine.held = c.keys;
        world.engine.calls.clear();
        world.logic->Update(16.0f);
        for (PhysicsComponent* body : {player, box}) {
            EXPECT_FLOAT_EQ(body->GetXGravity(), c.x) << body->GetOwner().Resolve()->GetName() << " " << c.keys.size();
            EXPECT_FLOAT_EQ(body->GetYGravity(), c.y) << body->GetOwner().Resolve()->GetName() << " " << c.keys.size();
        }
        const long sounds = world.engine.Count("PlayChangeGrav") + world.engine.Count("PlayChangeGrav2");
        EXPECT_EQ(sounds, c.keys.empty() ? 0 : 1) << "one change sound a frame while a key is held";
    }
    EXPECT_EQ(world.engine.gravRadius, 3.0f);
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(CharacterTest, ThePlayerAlwaysGetsFullMagnitudeAndFarBodiesNone) {
    PhysicsComponent* far = world.AddBox("Far", 30.0f, 10.0f);
    world.engine.held = {"LEFT"};
    world.logic->Update(16.0f);
    EXPECT_EQ(player->GetGravityMagnitude(), 5.0f);
    EXPECT_GT(box->GetGravityMagnitude(), 0.0f);
    EXPECT_LT(box->GetGravityMagnitude(), 5.0f) << "falls off with distance";
    EXPECT_EQ(far->GetGravityMagnitude(), 0.0f);
    EXPECT_FLOAT_EQ(far->GetXGravity(), -1.0f) << "the direction reaches every body";
}

TEST_F(CharacterTest, TheControllerTurnsGravityByItsProfiles) {
    // The right stick pushed up and left: its vertical levels are profiles 6 and 7, its horizontal 8 and 9.
    world.engine.profiles = {{6, 5}, {7, 0}, {8, -2}, {9, -3}};
    world.logic->Update(16.0f);
    EXPECT_FLOAT_EQ(player->GetXGravity(), -1.0f);
    EXPECT_FLOAT_EQ(player->GetYGravity(), 1.0f);
}

TEST_F(CharacterTest, ARemotePlayerListensToTheNetworkKeys) {
    auto* remote = new ZELM::Physical();  // any component will do: its type name is what counts
    remote->SetTypeName("NetworkInput");
    ZELMTest::PhysicsWorld::Attach(player->GetOwner(), remote);
    world.engine.held = {"RIGHT", "SPACE"};
    world.engine.netHeld = {"UP"};
    world.logic->Update(16.0f);
    EXPECT_FLOAT_EQ(player->GetYGravity(), 1.0f);
    EXPECT_TRUE(player->GetPhysical()->IsSolid()) << "this machine's SPACE is not the remote player's";
}

TEST_F(CharacterTest, ADisabledPlayerIgnoresInputButStillSendsItsRadius) {
    player->CallAll("SetDisablePlayer", true);
    world.engine.held = {"UP", "SPACE"};
    world.logic->Update(16.0f);
    EXPECT_FLOAT_EQ(player->GetYGravity(), -1.0f) << "untouched since the body was made";
    EXPECT_TRUE(player->GetPhysical()->IsSolid());
    EXPECT_EQ(world.engine.gravRadius, 3.0f);
}

TEST_F(CharacterTest, PowerLevelsOnlyGoUp) {
    player->Call("SetPowerLevels", 2.0f, 0.5f, 10.0f);
    const auto source = player->Call<ZELM::GravityParameters>("GetGravitySource");
    EXPECT_EQ(source.radius, 3.0f);
    EXPECT_EQ(source.power, 1.0f);
    EXPECT_EQ(source.magnitude, 10.0f);
    EXPECT_EQ(player->Call<float>("GetGravRadius"), 3.0f);
    EXPECT_EQ(source.x, 10.0f);
}

TEST_F(CharacterTest, SpacePhasesThroughBlueUntilThePlayerIsOutOfIt) {
    for (unsigned y = 0; y < 20; ++y) {
        world.logic->GetWorldMap().SetTileID(12, y, 3);
    }
    world.entities.Get("Box").Resolve()->SetDying();
    world.entities.DestroyAllEntities();
    player = world.AddPlayer(10.5f, 10.0f);
    ZELM::Physical& physical = *player->GetPhysical();

    world.engine.held = {"RIGHT", "SPACE"};
    while (player->GetX() < 12.5f) {
        world.Frame();
    }
    EXPECT_FALSE(physical.IsSolid()) << "inside the blue wall";
    world.engine.held = {"RIGHT"};
    world.Frame();
    EXPECT_FALSE(physical.IsSolid()) << "SPACE released inside the wall";
    while (player->GetX() < 14.0f) {
        world.Frame();
    }
    EXPECT_TRUE(physical.IsSolid()) << "solid again once out of it";

    // Without SPACE the wall stops the player on the way back.
    world.engine.held = {"LEFT"};
    world.Frames(120);
    EXPECT_NEAR(player->GetX(), 13.4f, 0.01f);
}

}  // namespace
