// A body's own step: gravity, damping, terminal velocity, contacts, and gravity sources.
#include <cmath>

#include <gtest/gtest.h>

#include "support/PhysicsWorld.h"
#include "support/ProblemCapture.h"

namespace {

using Kestrin::PhysicsComponent;

// Marks an entity as the player's gravity character, which always takes a source's full magnitude.
class GravityGuyStandIn : public ZELM::Component {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float) override {}
};

class PhysicsBodyTest : public ::testing::Test {
protected:
    ZELMTest::ProblemCapture problems;
    ZELMTest::PhysicsWorld world;
};

TEST_F(PhysicsBodyTest, AFallingBodyAcceleratesAtFiveThenEight) {
    PhysicsComponent* body = world.AddBox("Faller", 5.0f, 50.0f);
    const float dt = 0.005f;
    const float damping = std::pow(0.2f, dt);

    body->Update(5.0f);
    float expectedY = 50.0f + 0.5f * -5.0f * dt * dt;
    float expectedVy = -5.0f * dt;
    EXPECT_FLOAT_EQ(body->GetY(), expectedY);
    EXPECT_FLOAT_EQ(body->GetYVelocity(), expectedVy);

    body->Update(5.0f);
    expectedY = expectedY + expectedVy * dt + 0.5f * -8.0f * dt * dt;
    expectedVy = expectedVy * damping + -8.0f * dt;
    EXPECT_FLOAT_EQ(body->GetY(), expectedY);
    EXPECT_FLOAT_EQ(body->GetYVelocity(), expectedVy);
    EXPECT_FLOAT_EQ(body->GetX(), 5.0f);
    EXPECT_EQ(problems.Count(), 0u) << problems.Last().text;
}

TEST_F(PhysicsBodyTest, ImmovableAndFrozenBodiesDoNotMove) {
    PhysicsComponent* wall = world.AddBox("Wall", 1.0f, 1.0f, 1.0f, 1.0f, 0.0f);
    wall->SetXVelocity(3.0f);
    wall->Update(5.0f);
    EXPECT_EQ(wall->GetX(), 1.0f);
    EXPECT_EQ(wall->GetY(), 1.0f);

    PhysicsComponent* parked = world.AddBox("Parked", 3.0f, 3.0f);
    parked->SetFreeze(true);
    parked->Update(5.0f);
    EXPECT_EQ(parked->GetY(), 3.0f);
    parked->SetFreeze(false);
    parked->Update(5.0f);
    EXPECT_LT(parked->GetY(), 3.0f);
}

TEST_F(PhysicsBodyTest, VelocityIsClampedToTheTerminalVelocity) {
    PhysicsComponent* body = world.AddBox("Fast", 5.0f, 50.0f);
    body->SetGravityGeneral(0.0f, -1.0f, ZELM::GravityParameters{0, 0, 1, 1, 0});  // no gravity
    body->SetYVelocity(150.0f);
    body->SetXVelocity(-150.0f);
    body->Update(5.0f);
    EXPECT_EQ(body->GetYVelocity(), 100.0f);
    EXPECT_EQ(body->GetXVelocity(), -100.0f);
}

TEST_F(PhysicsBodyTest, ContactListsHoldFourIdsPerSideAndRememberTheLastStep) {
    PhysicsComponent* body = world.AddBox("Touchy", 5.0f, 5.0f);
    for (unsigned id = 1; id <= 5; ++id) {
        body->AddContact(Kestrin::kContactDown, id);
    }
    body->AddContact(Kestrin::kContactDown, 0);
    EXPECT_EQ(body->GetContactCount(Kestrin::kContactDown), 4u);
    EXPECT_TRUE(body->CheckDownCollision(4));
    EXPECT_FALSE(body->CheckDownCollision(5)) << "a fifth contact on one side is dropped";
    EXPECT_FALSE(body->CheckUpCollision(1));

    body->ClearContacts();
    EXPECT_TRUE(body->CheckDownCollision(1)) << "last step's contacts still count for one step";
    body->ClearContacts();
    EXPECT_FALSE(body->CheckDownCollision(1));

    body->AddContact(Kestrin::kContactLeft, 7);
    body->ClearContacts();
    body->SetFreeze(true);
    EXPECT_FALSE(body->CheckLeftCollision(7)) << "freezing empties both steps' lists at once";
}

TEST_F(PhysicsBodyTest, GravitySourcesFallOffWithDistanceAndStepWithPower) {
    PhysicsComponent* body = world.AddBox("Floater", 0.0f, 0.0f);
    // ex = (3 - 1)^2 = 4, ey = (0 - 1)^2 = 1, falloff = 1 - 4 / 16 = 0.75.
    body->SetGravityGeneral(1.0f, 0.0f, ZELM::GravityParameters{3.0f, 0.0f, 2.0f, 4.0f, 2.0f});
    EXPECT_FLOAT_EQ(body->GetGravityMagnitude(), 2.0f * 2.0f * 0.75f);
    EXPECT_EQ(body->GetXGravity(), 1.0f);
    EXPECT_EQ(body->GetYGravity(), 0.0f);

    body->SetGravityGeneral(0.0f, 1.0f, ZELM::GravityParameters{3.0f, 0.0f, 9.0f, 4.0f, 2.0f});
    EXPECT_FLOAT_EQ(body->GetGravityMagnitude(), 2.0f * 8.0f * 0.75f) << "power beyond 3 steps counts as 3";
    body->SetGravityGeneral(0.0f, 1.0f, ZELM::GravityParameters{3.0f, 0.0f, -3.0f, 4.0f, 2.0f});
    EXPECT_EQ(body->GetGravityMagnitude(), 0.0f) << "4 steps weaker than the body's influenceability";
    body->SetGravityGeneral(0.0f, 1.0f, ZELM::GravityParameters{3.0f, 0.0f, -2.0f, 4.0f, 2.0f});
    EXPECT_EQ(body->GetGravityMagnitude(), 0.0f) << "0.125 x 0.75 is below 0.1";
    body->SetGravityGeneral(0.0f, 1.0f, ZELM::GravityParameters{30.0f, 0.0f, 2.0f, 4.0f, 2.0f});
    EXPECT_EQ(body->GetGravityMagnitude(), 0.0f) << "out of reach";

    ZELMTest::PhysicsWorld::Attach(body->GetOwner(), [] {
        auto* guy = new GravityGuyStandIn();
        guy->SetTypeName("GravityGuy");
        return guy;
    }());
    body->SetGravityGeneral(0.0f, 1.0f, ZELM::GravityParameters{30.0f, 0.0f, -9.0f, 4.0f, 2.5f});
    EXPECT_EQ(body->GetGravityMagnitude(), 2.5f);
}

TEST_F(PhysicsBodyTest, ResizingAndMovingKeepTheEndpointsOnTheBox) {
    PhysicsComponent* body = world.AddBox("Sized", 2.0f, 3.0f, 2.0f, 4.0f);
    body->CallAll("SetWidth", 6.0f);
    body->CallAll("SetX", 10.0f);
    body->CallAll("SetHeight", 1.0f);
    body->CallAll("SetY", -2.0f);
    EXPECT_FLOAT_EQ(body->GetEndpoint(Kestrin::kXMin)->value, 7.0f);
    EXPECT_FLOAT_EQ(body->GetEndpoint(Kestrin::kXMax)->value, 13.0f);
    EXPECT_FLOAT_EQ(body->GetEndpoint(Kestrin::kYMin)->value, -2.5f);
    EXPECT_FLOAT_EQ(body->GetEndpoint(Kestrin::kYMax)->value, -1.5f);
    EXPECT_FLOAT_EQ(body->GetX(), 10.0f) << "the entity's Physical moved with the body";
}

TEST_F(PhysicsBodyTest, InitGivesAnEntityWithoutAPhysicalOne) {
    ZELM::EntityHandle entity = world.entities.Create("Bare");
    auto* body = static_cast<PhysicsComponent*>(
        ZELM::ComponentRegistry::Instance().Create("Physics", "PhysicsComponent"));
    ZELMTest::PhysicsWorld::Attach(entity, body);
    ASSERT_NE(entity.Resolve()->GetComponent("Physical"), nullptr);
    EXPECT_EQ(body->GetPhysical(), entity.Resolve()->GetComponent("Physical"));
    EXPECT_EQ(world.physics->GetEndpoints(true).size(), 2u);
}

}  // namespace
