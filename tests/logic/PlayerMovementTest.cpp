// The player's movement in zones, the special tiles it reacts to, and dying and winning.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/Physical.h"
#include "support/GameplayWorld.h"
#include "support/ProblemCapture.h"

namespace {

using Kestrin::PhysicsComponent;

class PlayerMovementTest : public ::testing::Test {
protected:
    void SetUp() override {
        world.Map(40, 20);
        player = world.AddPlayer(10.0f, 10.0f);
        movement = world.Movement();
    }

    // What the game flow and physics leave behind before the movement's update: a zone's pull and
    // the contacts of the last steps.
    void Touch(int side, unsigned id) {
        player->ClearContacts();
        player->ClearContacts();
        player->AddContact(side, id);
    }

    ZELMTest::GameplayWorld world;
    PhysicsComponent* player = nullptr;
    Logic::PlayerMovement* movement = nullptr;
};

TEST_F(PlayerMovementTest, MovementKeysWalkAndJumpOnlyInsideZones) {
    const float dt = 0.016f;
    const struct {
        float effectX, effectY;
        int side;      // contact side the player stands on (-1: none)
        unsigned id;   // what it stands on
        const char* key;
        float vx, vy;  // the velocity after the update, from rest
        bool jumped;
    } cases[] = {
        {0, 0, Kestrin::kContactDown, 1, "D", 0, 0, false},                 // no zone: nothing
        {0, -1, Kestrin::kContactDown, 1, "D", 20 * dt, 0, false},          // ground movement
        {0, -1, -1, 0, "D", 10 * dt, 0, false},                             // air movement
        {0, -1, Kestrin::kContactDown, 7, "A", -10 * dt, 0, false},         // light blue is not ground
        {0, -1, Kestrin::kContactDown, 1, "W", 0, std::sqrt(5.0f), true},   // jump away from the ground
        {0, -1, Kestrin::kContactDown, 7, "W", 0, 0, false},                // no jump off light blue
        {0, -1, Kestrin::kContactDown, 6, "W", 0, 0, false},                // nor off red
        {0, 1, Kestrin::kContactUp, 5, "S", 0, -std::sqrt(5.0f), true},     // zone pulling up, checkpoint ceiling
        {-1, 0, Kestrin::kContactLeft, 3, "W", 0, 20 * dt, false},          // pulled left: W walks up the wall
        {1, 0, Kestrin::kContactRight, 2, "A", -std::sqrt(5.0f), 0, true},  // pulled right: A jumps off
    };
    for (const auto& c : cases) {
        Touch(c.side < 0 ? Kestrin::kContactDown : c.side, c.side < 0 ? 0 : c.id);
        player->SetXVelocity(0.0f);
        player->SetYVelocity(0.0f);
        player->SetGravityEffect(c.effectX, c.effectY, 1.0f, 4.0f);
        world.engine.held = {c.key};
        world.engine.calls.clear();
        movement->Update(16.0f);
        EXPECT_NEAR(player->GetXVelocity(), c.vx, 1e-5f) << c.key << " on " << c.id;
        EXPECT_NEAR(player->GetYVelocity(), c.vy, 1e-5f) << c.key << " on " << c.id;
        EXPECT_EQ(world.engine.Count("PlayJump"), c.jumped ? 1 : 0) << c.key << " on " << c.id;
    }
}

TEST_F(PlayerMovementTest, OppositeKeysCancelAndTheControllerMovesToo) {
    player->SetGravityEffect(0.0f, -1.0f, 1.0f, 4.0f);
    Touch(Kestrin::kContactDown, 1);
    world.engine.held = {"D", "A"};
    movement->Update(16.0f);
    EXPECT_NEAR(player->GetXVelocity(), 0.0f, 1e-6f);

    world.engine.held.clear();
    world.engine.buttons = {12};  // read from the D-pad's right button
    movement->Update(16.0f);
    EXPECT_NEAR(player->GetXVelocity(), 20.0f * 0.016f, 1e-5f);
}

TEST_F(PlayerMovementTest, CheckpointsSetTheRespawnPointBesideTheSideTouched) {
    const struct {
        unsigned side;
        float x, y;
    } cases[] = {{0, 5.5f, 7.4f}, {1, 5.5f, 5.6f}, {2, 6.4f, 6.5f}, {3, 4.6f, 6.5f}};
    for (const auto& c : cases) {
        movement->SetStartingPoint(5.5f, 6.5f, c.side);
        EXPECT_FLOAT_EQ(movement->GetStartX(), c.x) << c.side;
        EXPECT_FLOAT_EQ(movement->GetStartY(), c.y) << c.side;
    }
}

TEST_F(PlayerMovementTest, ARedBlockSendsThePlayerBackToTheCheckpointFacingIt) {
    ZELMTest::ProblemCapture capture;
    Kestrin::TilePhysicsObject checkpoint;
    checkpoint.type = 5;
    checkpoint.x = 20.5f;
    checkpoint.y = 3.5f;
    world.logic->CollidedWithPlayer(&checkpoint, 3);
    EXPECT_EQ(world.engine.Count("HitCheckPoint"), 1);
    EXPECT_EQ(world.engine.Count("SplashRightGreen"), 1);

    world.engine.held = {"LEFT"};
    world.logic->Update(16.0f);  // gravity points left with the full magnitude
    Touch(Kestrin::kContactLeft, 6);
    world.logic->Update(16.0f);
    EXPECT_TRUE(movement->IsRespawning());
    EXPECT_TRUE(player->IsFrozen());
    EXPECT_EQ(player->GetPhysical()->GetZ(), 20.0f);

    world.engine.held.clear();
    world.engine.calls.clear();
    for (int frame = 0; frame < 59; ++frame) {
        world.logic->Update(16.6667f);
    }
    EXPECT_TRUE(movement->IsRespawning()) << "still fading after 983 ms";
    EXPECT_LT(world.engine.intensity, 1.0f);
    world.engine.held = {"LEFT"};
    world.logic->Update(16.6667f);
    EXPECT_FALSE(movement->IsRespawning());
    EXPECT_FALSE(player->IsFrozen());
    EXPECT_EQ(world.engine.Count("PlaySpawn"), 1);
    EXPECT_EQ(world.engine.intensity, 1.0f);
    EXPECT_FLOAT_EQ(player->GetX(), 19.6f);
    EXPECT_FLOAT_EQ(player->GetY(), 3.5f);
    EXPECT_EQ(player->GetPhysical()->GetZ(), 0.5f);
    EXPECT_FLOAT_EQ(player->GetXGravity(), 1.0f) << "gravity points at the checkpoint";
    EXPECT_EQ(player->GetYGravity(), 0.0f);
    EXPECT_EQ(player->GetXVelocity(), 0.0f);
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(PlayerMovementTest, TutorialTilesSetTheInstructionsAndTileEightBlanksThem) {
    EXPECT_EQ(movement->GetInstructions()->text, " ") << "a level's own script says what it teaches";
    const struct {
        unsigned id;
        const char* text;
    } cases[] = {
        {15, "Press SPACE to phase through BLUE walls!"},
        {16, "GREEN blocks are checkpoints. Don't forget to bump into them!"},
        {17, "Watch out! RED blocks make you restart at the last checkpoint."},
        {18, "Explore your environment to discover the best path through obstacles."},
        {19, "LIGHT BLUE blocks are slippery!  Try sliding on them to help you through puzzles."},
        {8, " "},
    };
    for (const auto& c : cases) {
        Touch(Kestrin::kContactUp, c.id);
        movement->Update(16.0f);
        EXPECT_EQ(movement->GetInstructions()->text, c.text);
    }
    // A red block and a tutorial tile in one frame: both react.
    Touch(Kestrin::kContactDown, 6);
    player->AddContact(Kestrin::kContactLeft, 16);
    movement->Update(16.0f);
    EXPECT_TRUE(movement->IsRespawning());
    EXPECT_EQ(movement->GetInstructions()->text, cases[1].text);
}

TEST_F(PlayerMovementTest, GravityTilesTurnGravityAsAnArrowKeyWould) {
    PhysicsComponent* box = world.AddBox("Box", 11.0f, 10.0f);
    const struct {
        unsigned id;
        float x, y;
    } cases[] = {{11, -1, 0}, {12, 1, 0}, {13, 0, 1}, {14, 0, -1}};
    for (const auto& c : cases) {
        Touch(Kestrin::kContactDown, c.id);
        movement->Update(16.0f);
        for (PhysicsComponent* body : {player, box}) {
            EXPECT_EQ(body->GetXGravity(), c.x) << c.id;
            EXPECT_EQ(body->GetYGravity(), c.y) << c.id;
        }
        EXPECT_EQ(player->GetGravityMagnitude(), 5.0f);
    }
}

TEST_F(PlayerMovementTest, TheGoalWinsAndTheAdventureGoesOnToTheNextLevel) {
    ZELMTest::ProblemCapture capture;
    Touch(Kestrin::kContactRight, 20);
    world.Frame();
    EXPECT_TRUE(movement->IsWinning());
    EXPECT_TRUE(player->IsFrozen());
    EXPECT_EQ(world.engine.Count("PlayWin"), 1);
    world.engine.held = {"UP"};
    world.Frame();
    EXPECT_EQ(player->GetYGravity(), 0.0f) << "a winning player turns no gravity";
    world.Frames(88);
    EXPECT_TRUE(world.engine.levelsAsked.empty()) << "1500 ms of winning first";
    world.Frame();
    EXPECT_FALSE(movement->IsWinning());
    EXPECT_FALSE(player->IsFrozen());
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"next"});
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(PlayerMovementTest, WithDontWinTheGoalLoadsNothing) {
    world.logic->SetWinType(Logic::kTimeAttack);
    Touch(Kestrin::kContactRight, 20);
    world.Frames(100);
    EXPECT_EQ(world.engine.Count("PlayWin"), 1);
    EXPECT_FALSE(movement->IsWinning());
    EXPECT_TRUE(player->IsFrozen());
    EXPECT_TRUE(world.engine.levelsAsked.empty());
}

}  // namespace
