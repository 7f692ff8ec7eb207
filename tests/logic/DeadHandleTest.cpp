// Callers that reach an entity through a handle whose entity is gone: each skips its use instead of
// following the stale pointer (run under the sanitizers, a followed pointer fails the test).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/TraceWriter.h"
#include "engine/RegistryItem.h"
#include "support/GameplayWorld.h"
#include "support/ProblemCapture.h"

namespace {

// Every component type the game-flow and physics services enter, in the registry's order.
std::vector<ZELM::RegistryItem> RegisteredTypes() {
    struct Collector : ZELM::IVisitor<ZELM::RegistryItem> {
        void Visit(ZELM::RegistryItem& item) override { items.push_back(item); }
        std::vector<ZELM::RegistryItem> items;
    } collector;
    ZELM::ComponentRegistry::Instance().VisitItems(collector);
    return collector.items;
}

TEST(DeadHandleCallers, ComponentsWithoutALiveOwnerSkipWhatTheyWouldAskOfIt) {
    ZELMTest::GameplayWorld world;
    ZELMTest::ProblemCapture capture;
    const std::vector<ZELM::RegistryItem> types = RegisteredTypes();
    ASSERT_GT(types.size(), 10u);
    for (const ZELM::RegistryItem& item : types) {
        // One never given an owner, and one whose owner has been destroyed under it.
        std::unique_ptr<ZELM::Component> ownerless(
            ZELM::ComponentRegistry::Instance().Create(item.serviceName, item.typeName));
        ASSERT_NE(ownerless, nullptr) << item.typeName;
        ownerless->Bind();
        ownerless->Init();
        ownerless->Update(16.0f);

        ZELM::EntityHandle doomed = world.entities.Create("Doomed");
        std::unique_ptr<ZELM::Component> orphan(
            ZELM::ComponentRegistry::Instance().Create(item.serviceName, item.typeName));
        orphan->SetOwner(doomed);
        world.entities.RequestDestroy(doomed);
        world.entities.FlushDying();
        orphan->Bind();
        orphan->Init();
        orphan->Update(16.0f);
    }
}

TEST(DeadHandleCallers, TheGameFlowSkipsAPlayerThatIsGone) {
    ZELMTest::GameplayWorld world;
    ZELMTest::ProblemCapture capture;
    world.Map(10, 10);
    world.AddPlayer(3.0f, 3.0f);
    ASSERT_TRUE(world.logic->GetPlayer().IsAlive());
    world.entities.RequestDestroy(world.entities.Get("Player"));
    world.entities.FlushDying();

    world.logic->Pause(true);
    world.logic->DisplayHowTo(true);
    world.logic->Pause(false);
    world.logic->TimeToWin();
    world.Frames(3);

    Fallward::TraceWriter trace;
    ASSERT_TRUE(trace.Open("/dev/null"));
    trace.WriteFrame(1, 1, 16.0f, "Level1", *world.logic, {}, nullptr);
    EXPECT_FALSE(world.logic->GetPlayer().IsAlive());
}

TEST(DeadHandleCallers, EntityControllerCallsThroughADeadHandleReportAndDoNothing) {
    ZELM::EntityController entities;
    ZELMTest::ProblemCapture capture;
    ZELM::EntityHandle gone = entities.Create("Gone");
    entities.RequestDestroy(gone);
    entities.FlushDying();

    const std::vector<std::pair<const char*, void (*)(ZELM::EntityController&, const ZELM::EntityHandle&)>> calls = {
        {"Add", [](ZELM::EntityController& c, const ZELM::EntityHandle& h) { c.Add(h); }},
        {"RenameEntity", [](ZELM::EntityController& c, const ZELM::EntityHandle& h) { c.RenameEntity(h, "Back"); }},
        {"ApplyArchetype", [](ZELM::EntityController& c, const ZELM::EntityHandle& h) { c.ApplyArchetype(h, "Any"); }},
        {"RequestDestroy", [](ZELM::EntityController& c, const ZELM::EntityHandle& h) { c.RequestDestroy(h); }},
    };
    for (const auto& [name, call] : calls) {
        capture.Clear();
        call(entities, gone);
        entities.FlushDying();
        EXPECT_LE(capture.Count(), 1u) << name;
        EXPECT_EQ(entities.Size(), 0u) << name;
        EXPECT_TRUE(entities.Get("Gone").IsNull()) << name;
        EXPECT_TRUE(entities.Get("Back").IsNull()) << name;
    }
}

}  // namespace
