// Gravity zones and sectors as the physics meets them, and power-ups.
#include <gtest/gtest.h>

#include <cmath>

#include "logic/GravitySectorComponent.h"
#include "logic/PowerUp.h"
#include "logic/VariableGravityZone.h"
#include "support/GameplayWorld.h"
#include "support/ProblemCapture.h"

namespace {

using Kestrin::PhysicsComponent;
using ZELMTest::SetProperty;

class ZoneAndPickupTest : public ::testing::Test {
protected:
    // A ghost body of the size with a component of the type, as a level file makes a zone.
    template <typename T = ZELM::Component>
    T* AddGhost(const std::string& name, const std::string& type, float x, float y, float w, float h) {
        PhysicsComponent* body = world.AddBox(name, x, y, w, h, 0.0f);
        SetProperty(*body, "Ghost", true);
        auto* component = world.Create(type);
        ZELMTest::PhysicsWorld::Attach(body->GetOwner(), component);
        return static_cast<T*>(component);
    }

    static void SetEffect(ZELM::Component& zone, float x, float y, float magnitude, float total) {
        SetProperty(zone, "X Gravity Effect", x);
        SetProperty(zone, "Y Gravity Effect", y);
        SetProperty(zone, "Gravity Effect Magnitude", magnitude);
        SetProperty(zone, "Gravity Magnitude Total", total);
    }

    ZELMTest::GameplayWorld world;
};

TEST_F(ZoneAndPickupTest, AZoneBendsGravityForOneMoreStepAfterTheBodyLeaves) {
    PhysicsComponent* body = world.AddBox("Body", 5.0f, 5.0f);
    body->SetXGravity(0.0f);
    body->SetYGravity(-1.0f);
    const struct {
        float x, y, magnitude, total;
        float ax, ay;  // the body's acceleration in its next step, units/s^2
    } cases[] = {
        {0, 0, 0, 8, 0, -8},   // leaves gravity unchanged
        {1, 0, 1, 8, 8, -8},   // adds 8 to the right
        {0, -1, 2, 3, 0, -9},  // (-1 x 1 + 2 x -1) x 3
    };
    for (const auto& c : cases) {
        ZELM::Component* zone = AddGhost("Zone", "GravityEffectZone", 5.0f, 5.0f, 4.0f, 4.0f);
        SetEffect(*zone, c.x, c.y, c.magnitude, c.total);
        body->CallAll("SetX", 5.0f);
        body->CallAll("SetY", 5.0f);
        world.physics->Step(5.0f);  // the solve writes the effect
        body->SetXVelocity(0.0f);
        body->SetYVelocity(0.0f);
        world.entities.RequestDestroy(world.entities.Get("Zone"));
        world.entities.FlushDying();
        world.physics->Step(1000.0f);  // one step of a second: velocity = a x 1 s, undamped part aside
        EXPECT_NEAR(body->GetXVelocity(), c.ax, 1e-4f) << c.x << " " << c.y;
        EXPECT_NEAR(body->GetYVelocity(), c.ay, 1e-4f) << c.x << " " << c.y;
        // Out of every zone, the next step falls back to the plain gravity.
        body->SetYVelocity(0.0f);
        body->SetXVelocity(0.0f);
        world.physics->Step(1000.0f);
        EXPECT_NEAR(body->GetYVelocity(), -8.0f, 1e-4f);
    }
}

TEST_F(ZoneAndPickupTest, TheTriggerSwitchesVariableZonesOnceUntilThePlayerLands) {
    ZELMTest::ProblemCapture capture;
    auto* zone = AddGhost<Logic::VariableGravityZone>("Zone", "VariableGravityZone", 5.0f, 5.0f, 4.0f, 4.0f);
    SetEffect(*zone, 0.0f, -14.0f, 1.0f, 2.0f);
    PhysicsComponent* player = world.AddPlayer(5.0f, 5.0f);

    // The controller switches the zones: the stick gives the direction, the trigger the switch.
    world.engine.profiles = {{9, 5}};
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().y, -14.0f) << "no trigger, no switch";

    world.engine.triggered = {5};
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().x, 14.0f);
    EXPECT_EQ(zone->GetEffect().y, 0.0f);
    EXPECT_EQ(zone->GetEffect().magnitude, 1.0f);
    EXPECT_EQ(player->GetXGravity(), 1.0f)
        << "the bodies turn as the stick says, with no kick from the switch";

    world.engine.profiles = {{6, 5}};
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().x, 14.0f) << "once, until the player lands";

    // Landing on the side the zone pulls towards gives the switch back, with no key held; another
    // side does not. The pull and the contacts stand for what the last physics step left.
    player->SetGravityEffect(14.0f, 0.0f, 1.0f, 2.0f);
    player->AddContact(Kestrin::kContactLeft, 1);
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().x, 14.0f) << "not landed on the side the zone pulls to";
    player->ClearContacts();
    player->AddContact(Kestrin::kContactRight, 1);
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().x, 0.0f);
    EXPECT_EQ(zone->GetEffect().y, 14.0f);

    // Switched while standing: the step after it pulls up while the player still touches the right
    // side, and the landing from before the switch does not give it back.
    player->SetGravityEffect(0.0f, 14.0f, 1.0f, 2.0f);
    world.engine.profiles = {{8, 5}};
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().y, 14.0f) << "once, until the player lands again";
    EXPECT_EQ(capture.Count(), 0u);

    zone->UpdateVariableGravityZone(14.0f, 0.0f, 3.0f);
    EXPECT_EQ(zone->GetEffect().x, 14.0f);
    EXPECT_EQ(zone->GetEffect().total, 2.0f);
}

TEST_F(ZoneAndPickupTest, AnArrowKeyPressedAnewSwitchesEveryVariableZoneLikeTheStick) {
    auto* zone = AddGhost<Logic::VariableGravityZone>("Zone", "VariableGravityZone", 5.0f, 5.0f, 4.0f, 4.0f);
    SetEffect(*zone, 0.0f, -14.0f, 1.0f, 2.0f);
    auto* other =
        AddGhost<Logic::VariableGravityZone>("Other", "VariableGravityZone", 15.0f, 5.0f, 4.0f, 4.0f);
    SetEffect(*other, 0.0f, -14.0f, 1.0f, 2.0f);
    world.AddPlayer(5.0f, 5.0f);

    world.engine.held = {"LEFT"};
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().y, -14.0f) << "a key held on from before does not switch";

    world.engine.triggeredKeys = {"LEFT"};
    world.logic->Update(16.0f);
    EXPECT_EQ(zone->GetEffect().x, -14.0f);
    EXPECT_EQ(zone->GetEffect().y, 0.0f) << "the stick at rest in the same frame did not switch it to nothing";
    EXPECT_EQ(other->GetEffect().x, -14.0f) << "the same switch turns every zone";
}

TEST_F(ZoneAndPickupTest, ASectorCollectsPlayersAndBodiesForAFrame) {
    auto* sector = AddGhost<Logic::GravitySectorComponent>("Sector", "GravitySectorComponent", 5, 5, 4, 4);
    PhysicsComponent* player = world.AddPlayer(5.0f, 5.0f);
    player->SetGravityAssociation(2);
    PhysicsComponent* box = world.AddBox("Box", 6.0f, 5.0f);
    sector->GetOwner().Resolve()->Call("AddPhysicsComponentToGravitySector", player);
    sector->GetOwner().Resolve()->Call("AddPhysicsComponentToGravitySector", box);
    EXPECT_EQ(sector->GetPlayers(), 2u);
    ASSERT_EQ(sector->GetBodies().size(), 1u);
    EXPECT_EQ(sector->GetBodies()[0], box);
    sector->Update(16.0f);
    EXPECT_EQ(sector->GetPlayers(), 0u);
    EXPECT_TRUE(sector->GetBodies().empty());
}

TEST_F(ZoneAndPickupTest, APowerUpIsTakenOnceAndOnlyByThePlayer) {
    auto* pickup = AddGhost<Logic::PowerUp>("Pickup", "PowerUp", 5.0f, 5.0f, 0.6f, 0.6f);
    SetProperty(*pickup, "New Radius", 6.0f);
    SetProperty(*pickup, "New Influence", 2.0f);
    SetProperty(*pickup, "New Magnitude", 4.0f);
    PhysicsComponent* box = world.AddBox("Box", 5.0f, 5.0f);
    world.physics->Step(5.0f);
    EXPECT_FALSE(pickup->IsTaken()) << "a box pushed through it does not take it";

    PhysicsComponent* player = world.AddPlayer(5.0f, 5.0f);
    world.physics->Step(5.0f);
    world.physics->Step(5.0f);
    EXPECT_TRUE(pickup->IsTaken());
    EXPECT_EQ(world.engine.Count("SplashYellow"), 1) << "taken once";
    const auto source = player->Call<ZELM::GravityParameters>("GetGravitySource");
    EXPECT_EQ(source.radius, 6.0f);
    EXPECT_EQ(source.power, 2.0f);
    EXPECT_EQ(source.magnitude, 5.0f) << "levels never go down";
    (void)box;
}

}  // namespace
