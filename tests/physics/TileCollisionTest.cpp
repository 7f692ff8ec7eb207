// Bodies against the level's tiles: flush contacts, run merging, the corner rule and the special tiles.
#include <gtest/gtest.h>

#include "support/PhysicsWorld.h"
#include "support/ProblemCapture.h"

namespace {

using Kestrin::PhysicsComponent;

// Stands in for the player's movement component and the calls game flow makes on a player.
class PlayerStandIn : public ZELM::Component {
public:
    void Bind() override {
        ZELM::DynamicBinder::Bind("SetStartingPoint", this, &PlayerStandIn::SetStartingPoint);
    }
    void Init() override {}
    void Update(float) override {}
    void SetStartingPoint(float x, float y, unsigned side) {
        ++startingPoints;
        lastX = x;
        lastY = y;
        lastSide = side;
    }
    int startingPoints = 0;
    float lastX = 0.0f, lastY = 0.0f;
    unsigned lastSide = 99;
};

// Counts the effects game flow asks for when the player touches special tiles.
class EffectCounter : public ZELM::Service {
public:
    void Bind() override {
        ZELM::DynamicBinder::Bind("HitCheckPoint", this, &EffectCounter::Checkpoint);
        for (const char* name : {"SplashUpGreen", "SplashDownGreen", "SplashLeftGreen", "SplashRightGreen"}) {
            ZELM::DynamicBinder::Bind(name, this, &EffectCounter::Green);
        }
        for (const char* name : {"SplashUpRed", "SplashDownRed", "SplashLeftRed", "SplashRightRed"}) {
            ZELM::DynamicBinder::Bind(name, this, &EffectCounter::Red);
        }
    }
    void Init() override {}
    void Update(float) override {}
    void Checkpoint() { ++checkpoints; }
    void Green() { ++greens; }
    void Red() { ++reds; }
    int checkpoints = 0, greens = 0, reds = 0;
};

class TileCollisionTest : public ::testing::Test {
protected:
    // A body at rest in mid-air with no gravity: only what the tiles do moves it.
    PhysicsComponent* Still(const std::string& name, float x, float y, float width = 1.0f, float height = 1.0f) {
        PhysicsComponent* body = world.AddBox(name, x, y, width, height);
        body->SetGravityGeneral(0.0f, -1.0f, ZELM::GravityParameters{0, 0, 1, 1, 0});
        return body;
    }

    void Floor(Logic::WorldMap& map, unsigned from, unsigned to, unsigned char id, unsigned row = 0) {
        for (unsigned x = from; x <= to; ++x) {
            map.SetTileID(x, row, id);
        }
    }

    unsigned Contacts(PhysicsComponent& body) {
        unsigned total = 0;
        for (int side = 0; side < 4; ++side) {
            total += body.GetContactCount(side);
        }
        return total;
    }

    ZELMTest::ProblemCapture problems;
    ZELMTest::PhysicsWorld world;
};

TEST_F(TileCollisionTest, ABodyOnAFloorIsPushedUpFlushAndRecordsTheFloor) {
    Logic::WorldMap& map = world.Map(20, 10);
    Floor(map, 0, 19, 2);
    PhysicsComponent* body = world.AddBox("Crate", 5.3f, 1.45f);
    ZELMTest::SetProperty(*body, "Bounciness", 0.0f);  // a bouncy crate would never come to rest
    body->SetYVelocity(-0.5f);
    body->Update(5.0f);
    EXPECT_FLOAT_EQ(body->GetX(), 5.3f) << "a floor under two tiles never pushes sideways";
    EXPECT_GE(body->GetY(), 1.0f + 0.5f - 0.01f);
    EXPECT_TRUE(body->CheckDownCollision(2));

    // Resting: every frame brings it back to touch the floor exactly.
    for (int frame = 0; frame < 60; ++frame) {
        world.physics->Update(16.0f);
    }
    EXPECT_NEAR(body->GetY(), 1.5f, 0.002f);
    EXPECT_TRUE(body->CheckDownCollision(2));
    EXPECT_FLOAT_EQ(body->GetX(), 5.3f);
    EXPECT_EQ(problems.Count(), 0u) << problems.Last().text;
}

TEST_F(TileCollisionTest, AWallStopsABodyFlushAndBouncesIt) {
    Logic::WorldMap& map = world.Map(20, 10);
    map.SetTileID(8, 3, 1);
    PhysicsComponent* body = Still("Runner", 7.55f, 3.5f);
    body->SetXVelocity(2.0f);
    world.logic->GenerateWorldCollisions(body);
    EXPECT_FLOAT_EQ(body->GetX(), 7.5f) << "flush, with no overlap left";
    EXPECT_FLOAT_EQ(body->GetXVelocity(), -2.0f);
    EXPECT_TRUE(body->CheckRightCollision(1));
}

TEST_F(TileCollisionTest, ARowRunStopsOneShortOfTheRightColumn) {
    Logic::WorldMap& map = world.Map(20, 10);
    Floor(map, 0, 19, 1);
    // Left edge in column 2, right edge in column 4: a run over 2 and 3, then 4 on its own.
    PhysicsComponent* body = Still("Wide", 3.5f, 1.4f, 2.2f, 1.0f);
    body->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(body);
    // The record of a type describes the last box resolved with it: the single tile at the right.
    const Kestrin::TilePhysicsObject& last = world.logic->GetTileObjects()[1];
    EXPECT_FLOAT_EQ(last.x, 4.5f);
    EXPECT_FLOAT_EQ(last.width, 1.0f);
    EXPECT_FLOAT_EQ(body->GetY(), 1.5f);
    EXPECT_TRUE(body->CheckDownCollision(1));
}

TEST_F(TileCollisionTest, ACornerTileOfABottomRunIsNotResolvedAgainByTheColumn) {
    // Moving down-left over columns 2 to 4; the record of type 1 tells which box was resolved last.
    const Kestrin::TilePhysicsObject& last = world.logic->GetTileObjects()[1];
    Logic::WorldMap& map = world.Map(20, 10);
    Floor(map, 2, 6, 1);  // the bottom row starts with a run at the left column
    PhysicsComponent* withRun = Still("WithRun", 3.9f, 1.45f, 2.0f, 1.0f);
    withRun->SetXVelocity(-1.0f);
    withRun->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(withRun);
    EXPECT_FLOAT_EQ(last.x, 4.5f) << "the left column's corner tile was not resolved again";

    Logic::WorldMap& single = world.Map(20, 10);
    single.SetTileID(2, 0, 1);  // a single tile starts the row: the column resolves it
    single.SetTileID(4, 0, 1);
    PhysicsComponent* withoutRun = Still("WithoutRun", 3.9f, 1.45f, 2.0f, 1.0f);
    withoutRun->SetXVelocity(-1.0f);
    withoutRun->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(withoutRun);
    EXPECT_FLOAT_EQ(last.x, 2.5f);
    EXPECT_FLOAT_EQ(last.y, 0.5f);
}

TEST_F(TileCollisionTest, PhasingBodiesPassBlueBlocksAndGhostTilesNeverPush) {
    Logic::WorldMap& map = world.Map(20, 10);
    map.SetTileID(5, 0, 3);
    PhysicsComponent* phaser = Still("Phaser", 5.5f, 1.3f);
    phaser->GetPhysical()->SetSolid(false, 1.0f);
    phaser->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(phaser);
    EXPECT_FLOAT_EQ(phaser->GetY(), 1.3f);
    EXPECT_TRUE(phaser->CheckDownCollision(3)) << "recorded, so the player knows it is inside";

    // A solid body is stopped by the same blue block.
    PhysicsComponent* solid = Still("Solid", 5.5f, 1.3f);
    solid->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(solid);
    EXPECT_FLOAT_EQ(solid->GetY(), 1.5f);

    for (const unsigned char ghost : {8, 11, 14, 19}) {
        Logic::WorldMap& ghosts = world.Map(20, 10);
        ghosts.SetTileID(10, 0, ghost);
        PhysicsComponent* body = Still("Over" + std::to_string(ghost), 10.5f, 1.3f);
        body->SetYVelocity(-1.0f);
        world.logic->GenerateWorldCollisions(body);
        EXPECT_FLOAT_EQ(body->GetY(), 1.3f) << int(ghost);
        EXPECT_TRUE(body->CheckDownCollision(ghost)) << int(ghost);
    }
}

TEST_F(TileCollisionTest, BodiesPastTheTileRangeGetNoTileCollisions) {
    Logic::WorldMap& map = world.Map(10010, 3);
    Floor(map, 9990, 10009, 1);
    Floor(map, 0, 5, 1);
    PhysicsComponent* far = Still("Far", 10001.0f, 1.3f);
    far->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(far);
    EXPECT_FLOAT_EQ(far->GetY(), 1.3f);

    PhysicsComponent* near = Still("Near", 9999.0f, 1.3f);
    near->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(near);
    EXPECT_FLOAT_EQ(near->GetY(), 1.5f);

    PhysicsComponent* negative = Still("Negative", -1.0f, 1.3f);
    negative->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(negative);
    EXPECT_FLOAT_EQ(negative->GetY(), 1.3f);
}

TEST_F(TileCollisionTest, CheckpointsSplashOnceButMoveTheRespawnEveryTouch) {
    EffectCounter effects;
    effects.Bind();
    Logic::WorldMap& map = world.Map(20, 10);
    map.SetTileID(5, 0, 5);
    map.SetTileID(9, 0, 6);
    PhysicsComponent* player = Still("Player", 5.5f, 1.4f);
    auto* movement = new PlayerStandIn();
    movement->SetTypeName("PlayerMovement");
    ZELMTest::PhysicsWorld::Attach(player->GetOwner(), movement);
    world.logic->SetPlayer(player->GetOwner());

    for (int frame = 0; frame < 3; ++frame) {
        world.logic->Update(16.0f);  // cools the effects down once a frame
        player->CallAll("SetY", 1.4f);
        player->SetYVelocity(-1.0f);
        world.logic->GenerateWorldCollisions(player);
    }
    EXPECT_EQ(effects.checkpoints, 1);
    EXPECT_EQ(effects.greens, 1);
    EXPECT_EQ(movement->startingPoints, 3);
    EXPECT_FLOAT_EQ(movement->lastX, 5.5f);
    EXPECT_FLOAT_EQ(movement->lastY, 0.5f);
    EXPECT_EQ(movement->lastSide, 0u) << "the tile is below";

    // A shallow touch of a red block (under its 0.05 threshold) is no contact at all.
    player->CallAll("SetX", 9.5f);
    player->CallAll("SetY", 1.47f);
    player->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(player);
    EXPECT_EQ(effects.reds, 0);
    player->CallAll("SetY", 1.4f);
    player->SetYVelocity(-1.0f);
    world.logic->GenerateWorldCollisions(player);
    EXPECT_EQ(effects.reds, 1);
    EXPECT_EQ(problems.Count(), 0u) << problems.Last().text;
}

TEST_F(TileCollisionTest, ACheckpointPressedAgainstOrWalkedIntoSlowlyIsTaken) {
    EffectCounter effects;
    effects.Bind();
    Logic::WorldMap& map = world.Map(20, 10);
    map.SetTileID(5, 1, 5);
    PhysicsComponent* player = Still("Player", 0.0f, 1.5f);
    auto* movement = new PlayerStandIn();
    movement->SetTypeName("PlayerMovement");
    ZELMTest::PhysicsWorld::Attach(player->GetOwner(), movement);
    world.logic->SetPlayer(player->GetOwner());
    const struct {
        const char* how;
        float x;
        float xVelocity;
    } kTouches[] = {{"pressed against its side", 4.501f, 0.3f}, {"walked into at a slow walk", 4.51f, 0.5f}};
    for (const auto& touch : kTouches) {
        movement->startingPoints = 0;
        player->CallAll("SetX", touch.x);
        player->CallAll("SetY", 1.5f);
        player->SetXVelocity(touch.xVelocity);
        world.logic->GenerateWorldCollisions(player);
        EXPECT_EQ(movement->startingPoints, 1) << touch.how;
        EXPECT_EQ(movement->lastSide, 3u) << touch.how << ": the tile is to the right";
        EXPECT_EQ(Contacts(*player), 0u) << touch.how << ": no impact, so no contact for the body";
    }
    EXPECT_EQ(problems.Count(), 0u) << problems.Last().text;
}

}  // namespace
