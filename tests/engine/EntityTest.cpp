// Tests of entities, their components and the controller that names and destroys them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Component.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/Service.h"
#include "support/ProblemCapture.h"
#include "utilities/LuaState.h"

namespace {

using ZELM::EntityController;
using ZELM::EntityHandle;
using ZELMTest::ProblemCapture;

class PlainService : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }
};

// A component that binds one immediate and one broadcast method and counts its own deletion.
class LampComponent : public ZELM::Component {
public:
    LampComponent(std::vector<std::string>* log, int* deaths) : log(log), deaths(deaths) {
        SetTypeName("Lamp");
    }
    ~LampComponent() override { ++*deaths; }
    void Bind() override {
        DynamicBinder::Bind("Switch", this, &LampComponent::Switch);
        BindBroadcast("Tick", this, &LampComponent::Tick);
    }
    void Init() override {}
    void Update(float) override {}

    int Switch() { return ++switches; }
    void Tick(int step) { log->push_back("Lamp.Tick " + std::to_string(step)); }

    int switches = 0;

private:
    std::vector<std::string>* log;
    int* deaths;
};

class BellComponent : public ZELM::Component {
public:
    explicit BellComponent(std::vector<std::string>* log) : log(log) { SetTypeName("Bell"); }
    void Bind() override { BindBroadcast("Tick", this, &BellComponent::Tick); }
    void Init() override {}
    void Update(float) override {}
    void Tick(int step) { log->push_back("Bell.Tick " + std::to_string(step)); }

private:
    std::vector<std::string>* log;
};

class EntityTest : public ::testing::Test {
protected:
    void TearDown() override {
        // The services here bind under "Engine"; leave no table behind for the engine tests.
        ZELM::DynamicBase::RemoveTablesOf("Engine");
        ZELM::LuaState::Close();
    }

    // Gives the component to the entity, binds it there and lets it join the service.
    template <typename C>
    C* Attach(const EntityHandle& entity, C* component, ZELM::Service* service = nullptr) {
        entity.Resolve()->AddComponent(component);
        component->Bind();
        if (service != nullptr) {
            component->SetParentService(service);
            component->AddToService();
        }
        return component;
    }

    std::vector<std::string> log;
    int deaths = 0;
};

TEST_F(EntityTest, DeadAndNullHandlesStayDeadAndReportOnUse) {
    EntityController entities;
    EntityHandle crate = entities.Create("Crate");
    EntityHandle copy = crate;
    EntityHandle barrel = entities.Create("Barrel");
    EntityHandle target = barrel;

    crate.Destroy();
    EXPECT_FALSE(crate.IsAlive());
    EXPECT_FALSE(copy.IsAlive());

    target = copy;
    ASSERT_TRUE(target.IsAlive());
    EXPECT_TRUE(target == barrel);
    EXPECT_EQ(target.Resolve()->GetName(), "Barrel");

    ProblemCapture capture;
    EXPECT_EQ(copy.Resolve(), nullptr);
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Cannot dereference data! Handle is referencing dead data!");
    EXPECT_EQ(capture.Last().function, "ZELM::Handle<class ZELM::Entity>::operator ->");

    EntityHandle nothing;
    EXPECT_EQ(nothing.Resolve(), nullptr);
    ASSERT_EQ(capture.Count(), 2u);
    EXPECT_EQ(capture.Last().message, "Cannot dereference data! Handle is referencing dead data!");

    EXPECT_TRUE(entities.Get("Nobody").IsNull());
}

TEST_F(EntityTest, CreateKeepsTheFirstEntityOfAName) {
    EntityController entities;
    EntityHandle first = entities.Create("Twin");
    EntityHandle second = entities.Create("Twin");
    EXPECT_TRUE(entities.Get("Twin") == first);
    EXPECT_FALSE(second == first);
    EXPECT_EQ(entities.Size(), 1u);
    second.Destroy();  // the controller never took it
}

TEST_F(EntityTest, RenameRefusesATakenNameAndAcceptsItsOwn) {
    EntityController entities;
    EntityHandle a = entities.Create("A");
    EntityHandle b = entities.Create("B");
    ProblemCapture capture;

    entities.RenameEntity(a, "B");
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Entity named \"B\" already exists!");
    EXPECT_EQ(capture.Last().function, "ZELM::EntityController::RenameEntity");
    EXPECT_EQ(a.Resolve()->GetName(), "A");
    EXPECT_EQ(a.Resolve()->GetBinderName(), "A");
    EXPECT_TRUE(entities.Get("A") == a);
    EXPECT_TRUE(entities.Get("B") == b);

    entities.RenameEntity(a, "A");
    EXPECT_EQ(capture.Count(), 1u);
    EXPECT_TRUE(entities.Get("A") == a);
    EXPECT_EQ(entities.Size(), 2u);

    entities.RenameEntity(a, "C");
    EXPECT_EQ(capture.Count(), 1u);
    EXPECT_TRUE(entities.Get("C") == a);
    EXPECT_TRUE(entities.Get("A").IsNull());
    EXPECT_EQ(a.Resolve()->GetName(), "C");
    EXPECT_EQ(a.Resolve()->GetBinderName(), "C");
}

TEST_F(EntityTest, RequestedDestroyWaitsForTheFlushAndFollowsARename) {
    EntityController entities;
    EntityHandle doomed = entities.Create("Doomed");

    entities.RequestDestroy(doomed);
    ASSERT_TRUE(doomed.IsAlive());
    EXPECT_TRUE(doomed.Resolve()->IsDying());
    EXPECT_TRUE(entities.Get("Doomed") == doomed);
    entities.RequestDestroy(doomed);

    entities.RenameEntity(doomed, "Renamed");
    // A newcomer under the old name must survive the flush of the renamed entity.
    EntityHandle newcomer = entities.Create("Doomed");
    entities.FlushDying();

    EXPECT_FALSE(doomed.IsAlive());
    EXPECT_TRUE(entities.Get("Renamed").IsNull());
    EXPECT_TRUE(newcomer.IsAlive());
    EXPECT_TRUE(entities.Get("Doomed") == newcomer);
    EXPECT_EQ(entities.Size(), 1u);

    entities.FlushDying();
    EXPECT_TRUE(newcomer.IsAlive());
}

TEST_F(EntityTest, DestroyAllEntitiesDeletesComponentsAndTheyLeaveTheirService) {
    PlainService service;
    EntityController entities;
    EntityHandle walker = entities.Create("Walker");
    EntityHandle sleeper = entities.Create("Sleeper");
    Attach(walker, new LampComponent(&log, &deaths), &service);
    Attach(sleeper, new LampComponent(&log, &deaths), &service);
    ASSERT_EQ(service.GetComponents().size(), 2u);

    entities.DestroyAllEntities();
    EXPECT_EQ(deaths, 2);
    EXPECT_TRUE(service.GetComponents().empty());
    EXPECT_FALSE(walker.IsAlive());
    EXPECT_FALSE(sleeper.IsAlive());
    EXPECT_EQ(entities.Size(), 0u);
    service.Update(16.0f);
}

TEST_F(EntityTest, RemovedComponentIsNoLongerReachable) {
    PlainService service;
    EntityController entities;
    EntityHandle lampPost = entities.Create("LampPost");
    LampComponent* lamp = Attach(lampPost, new LampComponent(&log, &deaths), &service);
    Attach(lampPost, new BellComponent(&log));

    EXPECT_EQ(lampPost.Resolve()->Call<int>("Switch"), 1);
    lampPost.Resolve()->CallAll("Tick", 1);
    EXPECT_EQ(log, (std::vector<std::string>{"Lamp.Tick 1", "Bell.Tick 1"}));

    lampPost.Resolve()->RemoveComponent(lamp);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(lampPost.Resolve()->GetComponent("Lamp"), nullptr);
    EXPECT_NE(lampPost.Resolve()->GetComponent("Bell"), nullptr);
    EXPECT_TRUE(service.GetComponents().empty());

    ProblemCapture capture;
    EXPECT_EQ(lampPost.Resolve()->Call<int>("Switch"), 0);
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Could not find any bound method(s) named \"Switch\"!");

    log.clear();
    lampPost.Resolve()->CallAll("Tick", 2);
    EXPECT_EQ(log, (std::vector<std::string>{"Bell.Tick 2"}));
}

TEST_F(EntityTest, SecondComponentOfATypeReplacesTheFirst) {
    PlainService service;
    EntityController entities;
    EntityHandle lampPost = entities.Create("LampPost");
    Attach(lampPost, new LampComponent(&log, &deaths), &service);

    auto* second = new LampComponent(&log, &deaths);
    lampPost.Resolve()->AddComponent(second);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(lampPost.Resolve()->GetComponent("Lamp"), second);
    EXPECT_TRUE(service.GetComponents().empty());

    second->Bind();
    EXPECT_EQ(lampPost.Resolve()->Call<int>("Switch"), 1);
    EXPECT_EQ(second->switches, 1);

    lampPost.Resolve()->AddComponent(second);  // the same component again is kept, not deleted
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(lampPost.Resolve()->GetComponent("Lamp"), second);
}

TEST_F(EntityTest, DestroyedEntityTakesItsMethodTableAlong) {
    EntityController entities;
    EntityHandle ghost = entities.Create("Ghost");
    Attach(ghost, new LampComponent(&log, &deaths));
    EXPECT_TRUE(ZELM::DynamicBase::IsNameInUse("Ghost"));

    entities.RequestDestroy(ghost);
    entities.FlushDying();
    EXPECT_EQ(deaths, 1);
    EXPECT_FALSE(ZELM::DynamicBase::IsNameInUse("Ghost"));
}

}  // namespace
