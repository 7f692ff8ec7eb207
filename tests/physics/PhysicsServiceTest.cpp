// The service's frame: sub-steps, the sorted endpoint lists, pairs, and how pairs are pushed apart.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "support/PhysicsWorld.h"
#include "support/ProblemCapture.h"

namespace {

using Kestrin::PhysicsComponent;
using Kestrin::PhysicsService;

// Records the length of every step the bodies take, through the tile query each step makes.
class StepRecorder : public ZELM::Service {
public:
    void Bind() override { ZELM::DynamicBinder::Bind("GenerateWorldCollisions", this, &StepRecorder::Record); }
    void Init() override {}
    void Update(float) override {}
    void Record(PhysicsComponent* body) { stepsMs.push_back(body->GetStepSeconds() * 1000.0f); }
    std::vector<float> stepsMs;
};

// A power-up stand-in: counts the bodies a ghost reports overlapping.
class PowerUpProbe : public ZELM::Component {
public:
    void Bind() override {
        ZELM::DynamicBinder::Bind("PhysicsComponentCollidedWithPowerUp", this, &PowerUpProbe::Touched);
    }
    void Init() override {}
    void Update(float) override {}
    void Touched(PhysicsComponent*) { ++touches; }
    int touches = 0;
};

class PhysicsServiceTest : public ::testing::Test {
protected:
    static bool Sorted(const std::vector<Kestrin::AxisEntry>& list) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Kestrin::Endpoint& endpoint = *list[i].endpoint;
            if (endpoint.index != i || endpoint.value != list[i].value ||
                (i > 0 && list[i - 1].MustFollow(list[i]))) {
                return false;
            }
        }
        return true;
    }

    ZELMTest::ProblemCapture problems;
    ZELMTest::PhysicsWorld world;
};

TEST_F(PhysicsServiceTest, AFrameIsSimulatedInFiveMillisecondStepsAndARemainder) {
    StepRecorder recorder;
    recorder.Bind();  // answers the tile query in place of the game-flow service
    world.AddBox("Body", 5.0f, 5.0f);
    const std::vector<std::pair<float, std::vector<float>>> cases = {
        {23.0f, {5, 5, 5, 5, 3}}, {10.0f, {5, 5}}, {250.0f, std::vector<float>(20, 5.0f)}, {0.0f, {0}}};
    for (const auto& [frameMs, expected] : cases) {
        recorder.stepsMs.clear();
        world.physics->Update(frameMs);
        ASSERT_EQ(recorder.stepsMs.size(), expected.size()) << frameMs << " ms";
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(recorder.stepsMs[i], expected[i], 1e-4) << frameMs << " ms, step " << i;
        }
    }
}

TEST_F(PhysicsServiceTest, FreezePhysicsKeepsEveryBodyAndZeroesTheStatistics) {
    PhysicsComponent* body = world.AddBox("Body", 5.0f, 5.0f);
    body->SetXVelocity(2.0f);
    world.physics->SetFrozen(true);
    world.physics->Update(16.0f);
    EXPECT_EQ(body->GetX(), 5.0f);
    EXPECT_EQ(body->GetY(), 5.0f);
    EXPECT_EQ(body->GetXVelocity(), 2.0f);
    for (int phase = 0; phase < PhysicsService::kPhaseCount; ++phase) {
        EXPECT_EQ(world.physics->GetStepTime(static_cast<PhysicsService::Phase>(phase)), 0.0f);
    }
}

TEST_F(PhysicsServiceTest, EndpointListsStaySortedAsBodiesMoveComeAndGo) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> place(0.0f, 20.0f);
    std::vector<PhysicsComponent*> bodies;
    for (int i = 0; i < 30; ++i) {
        bodies.push_back(world.AddBox("Box" + std::to_string(i), place(random), place(random)));
    }
    for (int round = 0; round < 200; ++round) {
        PhysicsComponent* body = bodies[random() % bodies.size()];
        body->CallAll("SetX", place(random));
        body->CallAll("SetY", place(random));
        body->CallAll("SetWidth", 0.5f + place(random) / 10.0f);
    }
    EXPECT_TRUE(Sorted(world.physics->GetEndpoints(true)));
    EXPECT_TRUE(Sorted(world.physics->GetEndpoints(false)));

    world.entities.Get("Box3").Destroy();
    world.entities.Get("Box17").Destroy();
    EXPECT_EQ(world.physics->GetEndpoints(true).size(), 56u);
    EXPECT_TRUE(Sorted(world.physics->GetEndpoints(true)));
    EXPECT_TRUE(Sorted(world.physics->GetEndpoints(false)));
}

// A level's bodies arrive and leave by the hundred between two uses of the lists; they must end up
// where listing and unlisting them one at a time puts them: by value, a minimum before a maximum
// at equal values, and otherwise the body listed earlier first.
TEST_F(PhysicsServiceTest, BodiesListedAndUnlistedTogetherTakeTheOrderOfOneAtATime) {
    struct Listed {
        float value;
        bool isMin;
        std::string name;
    };
    std::vector<Listed> expected;
    const auto add = [&](const std::string& name, float x) {
        world.AddBox(name, x, 0.0f);  // a unit box: ends at x - 0.5 and x + 0.5
        expected.push_back({x - 0.5f, true, name});
        expected.push_back({x + 0.5f, false, name});
    };
    // Whole and half places, so many ends coincide: with the first group's and with each other.
    for (int i = 0; i < 20; ++i) {
        add("First" + std::to_string(i), static_cast<float>((i * 7) % 5) * 0.5f);
    }
    ASSERT_TRUE(Sorted(world.physics->GetEndpoints(true)));
    for (int i = 0; i < 40; ++i) {
        add("Second" + std::to_string(i), static_cast<float>((i * 3) % 7) * 0.5f);
    }
    for (const char* gone : {"First2", "First11", "Second5", "Second39"}) {
        world.entities.Get(gone).Destroy();
        expected.erase(std::remove_if(expected.begin(), expected.end(),
                                      [gone](const Listed& entry) { return entry.name == gone; }),
                       expected.end());
    }
    std::stable_sort(expected.begin(), expected.end(), [](const Listed& a, const Listed& b) {
        return a.value < b.value || (a.value == b.value && a.isMin && !b.isMin);
    });
    const std::vector<Kestrin::AxisEntry>& list = world.physics->GetEndpoints(true);
    ASSERT_EQ(list.size(), expected.size());
    EXPECT_TRUE(Sorted(list));
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].owner->GetOwner().Resolve()->GetName(), expected[i].name) << "entry " << i;
        EXPECT_EQ(list[i].isMin, expected[i].isMin) << "entry " << i;
    }
    EXPECT_TRUE(Sorted(world.physics->GetEndpoints(false)));
}

// A box set where it already is skips re-sorting, except once a NaN was listed: a NaN orders
// nothing, so boxes moved past one can be left out of order, and setting them again mends it.
TEST_F(PhysicsServiceTest, BoxesSetWhereTheyAlreadyAreMendTheOrderANaNLeft) {
    PhysicsComponent* boxes[] = {world.AddBox("A", 0.0f, 0.0f), world.AddBox("B", 10.0f, 0.0f),
                                 world.AddBox("C", 20.0f, 0.0f)};
    // C never moves; A and B pass it while B's ends are NaN, then all three are set where they are.
    const std::vector<std::pair<int, float>> moves = {
        {1, std::nanf("")}, {0, 30.0f}, {1, 40.0f}, {0, 30.0f}, {1, 40.0f}, {2, 20.0f}};
    for (const auto& [box, x] : moves) {
        boxes[box]->CallAll("SetX", x);
    }
    EXPECT_TRUE(Sorted(world.physics->GetEndpoints(true)));
}

TEST_F(PhysicsServiceTest, BoxesThatOnlyTouchFormAPairButImmovablePairsDoNot) {
    world.AddBox("Left", 0.0f, 0.0f);
    world.AddBox("Right", 1.0f, 0.0f);  // edges coincide at x = 0.5
    world.AddBox("Far", 10.0f, 0.0f);
    world.AddBox("WallA", 20.0f, 0.0f, 1.0f, 1.0f, 0.0f);
    world.AddBox("WallB", 20.5f, 0.0f, 1.0f, 1.0f, 0.0f);
    world.physics->FindPairs();
    const auto& pairs = world.physics->GetPairs();
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_TRUE(pairs[0].confirmed);
}

TEST_F(PhysicsServiceTest, BoxesMadeImmovableInTheEditorPairAsImmovableFromTheNextStep) {
    for (const int count : {2, 40}) {  // few boxes open at once, and a column of them
        ZELMTest::PhysicsWorld local;
        std::vector<PhysicsComponent*> boxes;
        for (int i = 0; i < count; ++i) {
            boxes.push_back(local.AddBox("Box" + std::to_string(i), 0.0f, 0.5f * static_cast<float>(i)));
        }
        local.physics->Step(5.0f);
        ASSERT_FALSE(local.physics->GetPairs().empty()) << count;
        for (PhysicsComponent* box : boxes) {
            ZELMTest::SetProperty(*box, "Inverse Mass", 0.0f);  // as the property panel writes it
        }
        local.physics->Step(5.0f);
        EXPECT_TRUE(local.physics->GetPairs().empty()) << count;
    }
}

TEST_F(PhysicsServiceTest, EqualMassesExchangeVelocitiesOrShareThem) {
    for (const float bounciness : {1.0f, 0.0f}) {
        ZELMTest::PhysicsWorld local;
        PhysicsComponent* a = local.AddBox("A", 0.0f, 0.0f);
        PhysicsComponent* b = local.AddBox("B", 0.9f, 0.0f);
        for (PhysicsComponent* body : {a, b}) {
            body->SetGravityGeneral(0.0f, -1.0f, ZELM::GravityParameters{0, 0, 1, 1, 0});
        }
        a->SetXVelocity(1.0f);
        b->SetXVelocity(-1.0f);
        // The restitution is the product of both bodies' values.
        ZELMTest::SetProperty(*a, "Bounciness", bounciness);
        ZELMTest::SetProperty(*b, "Bounciness", bounciness);
        local.physics->Step(0.0f);
        if (bounciness == 1.0f) {
            EXPECT_FLOAT_EQ(a->GetXVelocity(), -1.0f);
            EXPECT_FLOAT_EQ(b->GetXVelocity(), 1.0f);
        } else {
            EXPECT_FLOAT_EQ(a->GetXVelocity(), 0.0f);
            EXPECT_FLOAT_EQ(b->GetXVelocity(), 0.0f);
        }
        EXPECT_FLOAT_EQ(b->GetX() - a->GetX(), 1.0f) << "each pushed back by half the overlap";
        EXPECT_FLOAT_EQ(a->GetX(), -0.05f);
    }
}

TEST_F(PhysicsServiceTest, AStackIsPushedUpOffTheGroundNotIntoIt) {
    world.AddBox("Ground", 0.0f, 0.0f, 10.0f, 1.0f, 0.0f, 9);
    PhysicsComponent* bottom = world.AddBox("Bottom", 0.0f, 0.95f, 1.0f, 1.0f, 1.0f, 1);
    PhysicsComponent* middle = world.AddBox("Middle", 0.0f, 1.9f, 1.0f, 1.0f, 1.0f, 2);
    PhysicsComponent* top = world.AddBox("Top", 0.0f, 2.85f, 1.0f, 1.0f, 1.0f, 3);
    world.physics->Step(0.0f);
    EXPECT_FLOAT_EQ(world.entities.Get("Ground").Resolve()->Call<float>("GetY"), 0.0f);
    // Each left 0.001 inside the one below, so the contacts stay found while resting.
    EXPECT_NEAR(bottom->GetY(), 0.999f, 1e-5);
    EXPECT_NEAR(middle->GetY(), 1.998f, 1e-5);
    EXPECT_NEAR(top->GetY(), 2.997f, 1e-5);
    EXPECT_TRUE(bottom->CheckDownCollision(9));
    EXPECT_TRUE(middle->CheckDownCollision(1));
    EXPECT_TRUE(top->CheckDownCollision(2));
    EXPECT_TRUE(bottom->CheckUpCollision(2));
}

TEST_F(PhysicsServiceTest, ARestingBodyKeepsItsContactEveryFrame) {
    world.AddBox("Ground", 0.0f, 0.0f, 10.0f, 1.0f, 0.0f, 9);
    PhysicsComponent* box = world.AddBox("Box", 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1);
    for (int frame = 0; frame < 120; ++frame) {
        world.physics->Update(16.0f);
        ASSERT_GE(box->GetContactCount(Kestrin::kContactDown), 1u) << "frame " << frame;
        ASSERT_TRUE(box->CheckDownCollision(9)) << "frame " << frame;
    }
    EXPECT_NEAR(box->GetY(), 1.0f, 0.01f);

    // Lifted away: the contact is still seen for one more frame, then gone.
    box->CallAll("SetY", 5.0f);
    world.physics->Update(0.0f);
    EXPECT_TRUE(box->CheckDownCollision(9));
    world.physics->Update(0.0f);
    EXPECT_FALSE(box->CheckDownCollision(9));
}

TEST_F(PhysicsServiceTest, GhostsNeverPushAndReportEveryOverlappingStep) {
    PhysicsComponent* ghost = world.AddBox("Pickup", 0.0f, 0.0f, 1.0f, 1.0f, 0.0f);
    ZELMTest::SetProperty(*ghost, "Ghost", true);
    auto* probe = new PowerUpProbe();
    probe->SetTypeName("PowerUp");
    ZELMTest::PhysicsWorld::Attach(ghost->GetOwner(), probe);
    PhysicsComponent* box = world.AddBox("Box", 0.2f, 0.2f);
    box->SetGravityGeneral(0.0f, -1.0f, ZELM::GravityParameters{0, 0, 1, 1, 0});

    world.physics->Update(23.0f);
    EXPECT_EQ(probe->touches, 5) << "once per sub-step";
    EXPECT_FLOAT_EQ(box->GetX(), 0.2f);
    EXPECT_FLOAT_EQ(box->GetY(), 0.2f);
    EXPECT_EQ(box->GetContactCount(Kestrin::kContactDown), 0u);
}

TEST_F(PhysicsServiceTest, GlobalGravityReachesEveryBody) {
    PhysicsComponent* near = world.AddBox("Near", 1.0f, 0.0f);
    PhysicsComponent* far = world.AddBox("Far", 100.0f, 0.0f);
    world.physics->ChangeGlobalGravity(0.0f, 1.0f, ZELM::GravityParameters{0.0f, 0.0f, 1.0f, 5.0f, 1.0f});
    EXPECT_EQ(near->GetYGravity(), 1.0f);
    EXPECT_EQ(far->GetYGravity(), 1.0f);
    EXPECT_GT(near->GetGravityMagnitude(), 0.0f);
    EXPECT_EQ(far->GetGravityMagnitude(), 0.0f);
}



struct PileOutcome {
    float deepestOverlap = 0.0f;
    float fastest = 0.0f;
    std::vector<std::pair<float, float>> places;
};

// Boxes created at one point (a designer's clicks, a spawning script) in a walled arena, after the
// given number of frames.
PileOutcome SettlePileAtOnePoint(int count, int frames) {
    ZELMTest::PhysicsWorld world;
    Logic::WorldMap& map = world.Map(120, 120);
    for (unsigned i = 0; i < 120; ++i) {
        map.SetTileID(i, 0, 1);
        map.SetTileID(0, i, 1);
        map.SetTileID(119, i, 1);
    }
    std::vector<PhysicsComponent*> bodies;
    for (int i = 0; i < count; ++i) {
        bodies.push_back(world.AddBox("Pile" + std::to_string(i), 60.0f, 3.0f, 1.0f, 1.0f, 1.0f,
                                      static_cast<unsigned>(i + 1)));
        ZELMTest::SetProperty(*bodies.back(), "Bounciness", 0.0f);
    }
    for (int frame = 0; frame < frames; ++frame) {
        world.physics->Update(16.6667f);
    }
    PileOutcome outcome;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        PhysicsComponent& a = *bodies[i];
        outcome.fastest = std::max({outcome.fastest, std::fabs(a.GetXVelocity()), std::fabs(a.GetYVelocity())});
        for (std::size_t j = i + 1; j < bodies.size(); ++j) {
            PhysicsComponent& b = *bodies[j];
            const float overlapX = 1.0f - std::fabs(a.GetX() - b.GetX());
            const float overlapY = 1.0f - std::fabs(a.GetY() - b.GetY());
            outcome.deepestOverlap = std::max(outcome.deepestOverlap, std::min(overlapX, overlapY));
        }
        outcome.places.emplace_back(a.GetX(), a.GetY());
    }
    return outcome;
}

TEST(PhysicsPile, TwoHundredBoxesAtOnePointSeparateAndComeToRestTheSameWayTwice) {
    const PileOutcome first = SettlePileAtOnePoint(200, 1200);
    // Resting boxes are left 0.001 inside each other on purpose; nothing deeper remains.
    EXPECT_LT(first.deepestOverlap, 0.002f);
    EXPECT_LT(first.fastest, 0.1f);
    const PileOutcome second = SettlePileAtOnePoint(200, 1200);
    EXPECT_EQ(first.places, second.places);
}

}  // namespace
