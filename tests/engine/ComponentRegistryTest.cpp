// Tests of creating components by service and type name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Component.h"
#include "engine/ComponentRegistry.h"
#include "engine/Service.h"
#include "support/ProblemCapture.h"
#include "utilities/LuaState.h"

namespace {

using ZELM::ComponentRegistry;
using ZELMTest::ProblemCapture;

class PlainService : public ZELM::Service {
public:
    explicit PlainService(const std::string& name) { SetServiceName(name); }
    void Bind() override {}
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }
};

class BodyComponent : public ZELM::Component {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float) override {}
};

class SpriteComponent : public BodyComponent {};

class NameCollector : public ZELM::IVisitor<ZELM::RegistryItem> {
public:
    void Visit(ZELM::RegistryItem& item) override { names.push_back(item.serviceName + "/" + item.typeName); }
    std::vector<std::string> names;
};

class ComponentRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        services.push_back(std::make_unique<PlainService>("Physics"));
        services.push_back(std::make_unique<PlainService>("Graphics"));
        ComponentRegistry::Instance().SetServices(&services);
    }
    void TearDown() override {
        ComponentRegistry::DestroyInstance();
        services.clear();
        ZELM::DynamicBase::RemoveTablesOf("Engine");
        ZELM::LuaState::Close();
    }

    ZELM::Service* Physics() { return services[0].get(); }
    ZELM::Service* Graphics() { return services[1].get(); }

    std::vector<std::unique_ptr<ZELM::Service>> services;
};

TEST_F(ComponentRegistryTest, CreateSetsTypeNameAndParentServiceByShortName) {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register<BodyComponent>("Physics", "Body");
    registry.Register<SpriteComponent>("Graphics", "Sprite");

    ProblemCapture capture;
    std::unique_ptr<ZELM::Component> body(registry.Create("Physics", "Body"));
    std::unique_ptr<ZELM::Component> sprite(registry.Create("Graphics", "Sprite"));
    ASSERT_NE(body, nullptr);
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_NE(dynamic_cast<SpriteComponent*>(sprite.get()), nullptr);
    EXPECT_EQ(body->GetTypeName(), "Body");
    EXPECT_EQ(sprite->GetTypeName(), "Sprite");
    EXPECT_EQ(body->GetParentService(), Physics());
    EXPECT_EQ(sprite->GetParentService(), Graphics());
    // Created, not yet joined: joining is the level loader's step.
    EXPECT_FALSE(body->IsInService());

    body->AddToService();
    EXPECT_EQ(Physics()->GetComponents(), (std::vector<ZELM::Component*>{body.get()}));
    EXPECT_TRUE(Graphics()->GetComponents().empty());
}

TEST_F(ComponentRegistryTest, UnknownServiceAndTypePairIsReported) {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register<BodyComponent>("Physics", "Body");
    ProblemCapture capture;

    EXPECT_EQ(registry.Create("Physics", "Sprite"), nullptr);
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "No component type \"Sprite\" is registered for service \"Physics\"!");
    EXPECT_EQ(capture.Last().function, "ZELM::ComponentRegistry::Create");

    // The type exists, but under another service.
    EXPECT_EQ(registry.Create("Graphics", "Body"), nullptr);
    EXPECT_EQ(capture.Count(), 2u);
}

TEST_F(ComponentRegistryTest, TypeOfAMissingServiceJoinsNoService) {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register<BodyComponent>("Audio", "Emitter");
    ProblemCapture capture;

    std::unique_ptr<ZELM::Component> emitter(registry.Create("Audio", "Emitter"));
    ASSERT_NE(emitter, nullptr);
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().function, "ZELM::ComponentRegistry::Create");
    EXPECT_EQ(emitter->GetTypeName(), "Emitter");
    EXPECT_EQ(emitter->GetParentService(), nullptr);

    emitter->AddToService();
    EXPECT_FALSE(emitter->IsInService());
    EXPECT_TRUE(Physics()->GetComponents().empty());
    EXPECT_TRUE(Graphics()->GetComponents().empty());
}

TEST_F(ComponentRegistryTest, ItemsAreVisitedInRegistrationOrder) {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register<SpriteComponent>("Graphics", "Sprite");
    registry.Register<BodyComponent>("Physics", "Body");
    registry.Register<BodyComponent>("Graphics", "Animation");
    // Entering a pair again replaces its creator but keeps its place.
    registry.Register<SpriteComponent>("Physics", "Body");

    NameCollector collector;
    registry.VisitItems(collector);
    EXPECT_EQ(collector.names,
              (std::vector<std::string>{"Graphics/Sprite", "Physics/Body", "Graphics/Animation"}));

    std::unique_ptr<ZELM::Component> body(registry.Create("Physics", "Body"));
    EXPECT_NE(dynamic_cast<SpriteComponent*>(body.get()), nullptr);
}

}  // namespace
