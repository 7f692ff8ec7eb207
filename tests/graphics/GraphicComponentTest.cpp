// The graphic components in a headless frame: places, passes, the player's turn, its gravity
// sphere and camera, picking with the mouse, and the meshes they draw.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/InitVisitor.h"
#include "engine/PathTable.h"
#include "engine/Physical.h"
#include "engine/XmlReader.h"
#include "graphics/D3DMath.h"
#include "graphics/GraphicsService.h"
#include "graphics/GravityGuyGraphic.h"
#include "graphics/Light.h"
#include "graphics/MeshGraphic.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Mesh.h"
#include "support/GraphicsFrame.h"
#include "support/ProblemCapture.h"
#include "support/TestPaths.h"

namespace {

constexpr float kPi = 3.14159265f;

class LogicStandIn : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {
        ZELM::ComponentRegistry::Instance().Register<ZELM::Physical>("Logic", "Physical");
    }
    void Update(float) override {}
};

// The player's body as the graphics read it: its gravity and the pull of the zone it is in.
class BodyStandIn : public ZELM::Component {
public:
    void Bind() override {
        DynamicBinder::Bind("GetXGravity", this, &BodyStandIn::GetXGravity);
        DynamicBinder::Bind("GetYGravity", this, &BodyStandIn::GetYGravity);
        DynamicBinder::Bind("GetXGravityEffect", this, &BodyStandIn::GetXGravityEffect);
        DynamicBinder::Bind("GetYGravityEffect", this, &BodyStandIn::GetYGravityEffect);
    }
    void Init() override {}
    void Update(float) override {}
    float GetXGravity() { return gravity.x; }
    float GetYGravity() { return gravity.y; }
    float GetXGravityEffect() { return effect.x; }
    float GetYGravityEffect() { return effect.y; }
    glm::vec2 gravity{0.0f};
    glm::vec2 effect{0.0f};
};

// The mouse of the input service, and the editor listening for picked entities.
class MouseAndEditor : public ZELM::DynamicBinder {
public:
    MouseAndEditor() {
        SetName("Engine");
        Bind("xMouse", this, &MouseAndEditor::XMouse);
        Bind("yMouse", this, &MouseAndEditor::YMouse);
        BindBroadcast("ObjectPicked", this, &MouseAndEditor::ObjectPicked);
    }
    ~MouseAndEditor() override { UnbindAll(); }
    int XMouse() { return x; }
    int YMouse() { return y; }
    void ObjectPicked(ZELM::EntityHandle entity) { picked.push_back(entity); }
    int x = 0;
    int y = 0;
    std::vector<ZELM::EntityHandle> picked;
};

std::string Place(float x, float y, float size) {
    auto value = [](const char* name, float v) {
        return std::string("<") + name + "><float>" + std::to_string(v) + "</float></" + name + ">";
    };
    return "<Component><string>Logic</string><string>Physical</string>" + value("x", x) + value("y", y) +
           value("width", size) + value("height", size) + value("length", size) + "</Component>";
}

std::string Graphic(const std::string& type) {
    return "<Component><string>Graphics</string><string>" + type + "</string></Component>";
}

void ExpectMatrixNear(const glm::mat4& actual, const glm::mat4& expected, const std::string& what) {
    for (int r = 1; r <= 4; ++r) {
        for (int c = 1; c <= 4; ++c) {
            EXPECT_NEAR(Graphics::At(actual, r, c), Graphics::At(expected, r, c), 1e-4f)
                << what << " _" << r << c;
        }
    }
}

class GraphicComponents : public ::testing::Test {
protected:
    void SetUp() override {
        ZELM::PathTable::Instance().Set("Resources", std::string(FALLWARD_RESOURCES) + "/");
        services.push_back(std::make_unique<LogicStandIn>());
        services.push_back(std::make_unique<Graphics::GraphicsService>(true));
        services[0]->SetServiceName("Logic");
        services[1]->SetServiceName("Graphics");
        graphics = static_cast<Graphics::GraphicsService*>(services[1].get());
        for (auto& each : services) {
            each->Bind();
            each->Init();
        }
        ZELM::ComponentRegistry::Instance().SetServices(&services);
        engine.SetName("Engine");
        Graphics::GravityGuyGraphic::Spring() = {};
    }
    void TearDown() override {
        entities.DestroyAllEntities();
        ZELM::ComponentRegistry::Instance().SetServices(nullptr);
        ZELM::PathTable::DestroyInstance();
    }

    // An entity loaded and initialised from component elements, as a level file gives them, with
    // a stand-in body when `body` is set.
    ZELM::EntityHandle Load(const std::string& name, const std::string& components,
                            BodyStandIn** body = nullptr) {
        // The test processes run side by side and name their entities alike: each writes its own file.
        const std::string path = testing::TempDir() + "graphic-components-" + std::to_string(::getpid()) + "-" + name + ".xml";
        std::ofstream(path) << "<?xml version=\"1.0\" ?>\n<Entity>" << components << "</Entity>\n";
        ZELM::XmlReader reader(path);
        ZELM::EntityHandle entity = entities.Create(name);
        if (body != nullptr) {
            *body = new BodyStandIn();
            (*body)->SetTypeName("PhysicsComponent");
            entity.Resolve()->AddComponent(*body);
            (*body)->Bind();
        }
        entity.Resolve()->LoadComponents(reader, *reader.GetRoot());
        ZELM::InitVisitor init;
        entity.Resolve()->VisitComponents(init);
        std::filesystem::remove(path);
        return entity;
    }

    template <typename T = Graphics::MeshGraphic>
    T* Get(const ZELM::EntityHandle& entity, const std::string& type) {
        return dynamic_cast<T*>(entity.Resolve()->GetComponent(type));
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            ZELMTest::RunGraphicsFrame(*graphics, 16.0f);
        }
    }

    // The window pixel a world point is drawn at.
    void Project(const glm::vec3& point, int& x, int& y) {
        const glm::vec4 clip = Graphics::TransformPoint(point, graphics->GetViewProj());
        x = static_cast<int>((clip.x / clip.w + 1.0f) * 0.5f * 800.0f);
        y = static_cast<int>((1.0f - clip.y / clip.w) * 0.5f * 600.0f);
    }

    std::vector<std::unique_ptr<ZELM::Service>> services;
    Graphics::GraphicsService* graphics = nullptr;
    ZELM::EntityController entities;
    ZELM::DynamicCaller engine;
};

TEST_F(GraphicComponents, AGraphicWithoutAPlaceGetsOneAndStandsAtTheOriginWithSizeOne) {
    ZELMTest::ProblemCapture problems;
    for (const char* type :
         {"Cube", "Teapot", "Model", "OtherPlayer", "PhazerGraphic", "Powerup", "GravityZone"}) {
        ZELM::EntityHandle entity = Load(std::string("Bare") + type, Graphic(type));
        EXPECT_NE(entity.Resolve()->GetComponent("Physical"), nullptr) << type;
        Frames(1);
        ExpectMatrixNear(Get(entity, type)->GetWorld(), Graphics::Translation(0.0f, 0.0f, 0.5f), type);
    }
    ZELM::EntityHandle light = Load("Lamp", Graphic("Light"));
    const Graphics::LightInst at = light.Resolve()->Call<Graphics::LightInst>("GetLightInst");
    EXPECT_EQ(glm::vec3(at.x, at.y, at.z), glm::vec3(0.0f, 0.0f, 0.5f));
    EXPECT_EQ(problems.Count(), 0u) << problems.Last().message;
}

// A frame between two ticks draws a crate between the places its body had at them.
TEST_F(GraphicComponents, AFrameBetweenTicksDrawsTheEntityBetweenItsTwoPlaces) {
    ZELM::EntityHandle crate = Load("Between", Place(2.0f, 4.0f, 1.0f) + Graphic("Cube"));
    auto* place = dynamic_cast<ZELM::Physical*>(crate.Resolve()->GetComponent("Physical"));
    ASSERT_NE(place, nullptr);
    place->KeepTickStart();
    crate.Resolve()->CallAll("SetX", 3.0f);
    crate.Resolve()->CallAll("SetY", 3.0f);
    const Graphics::MeshGraphic* cube = Get(crate, "Cube");
    EXPECT_EQ(Graphics::GraphicsService::DrawShiftOf(*cube, 0.5f), glm::vec3(-0.5f, 0.5f, 0.0f));
    EXPECT_EQ(Graphics::GraphicsService::DrawShiftOf(*cube, 1.0f), glm::vec3(0.0f));
}

TEST_F(GraphicComponents, EachTypeDrawsInItsPassesOfTheFrame) {
    struct Case {
        const char* type;
        int drawsPerFrame;
    };
    // Crates and power-ups wait for the level, then glow; the zone's see-through field is drawn
    // once, over the level; players and the emblem draw before the level, after it and in the glow.
    const Case cases[] = {{"Cube", 2}, {"Powerup", 2}, {"GravityZone", 1}, {"OtherPlayer", 3}, {"Teapot", 3}};
    for (const Case& c : cases) {
        ZELM::EntityHandle entity =
            Load(std::string("Drawn") + c.type, Place(1.0f, 1.0f, 1.0f) + Graphic(c.type));
        Graphics::MeshGraphic* graphic = Get(entity, c.type);
        const int before = graphic->GetDrawCount();
        Frames(2);
        EXPECT_EQ(graphic->GetDrawCount() - before, 2 * c.drawsPerFrame) << c.type;
        entities.DestroyAllEntities();
    }
}

TEST_F(GraphicComponents, AHiddenPowerUpDrawsInNeitherPass) {
    ZELM::EntityHandle gem = Load("Gem", Place(3.0f, 4.0f, 0.6f) + Graphic("Powerup"));
    Graphics::MeshGraphic* graphic = Get(gem, "Powerup");
    gem.Resolve()->Call("SetVisibility", false);
    Frames(2);
    EXPECT_EQ(graphic->GetDrawCount(), 0);
    gem.Resolve()->Call("SetVisibility", true);
    Frames(1);
    EXPECT_EQ(graphic->GetDrawCount(), 2) << "after the level and in the glow";
}

TEST_F(GraphicComponents, APlayerTurnsItsFeetTowardThePullEasingOnlyAsTimePasses) {
    struct Case {
        const char* type;
        glm::vec2 gravity;
        glm::vec2 zoneEffect;
        float firstAngle;  // after one update from upright, a quarter of the way
        glm::vec2 feet;    // where the feet point in the end
    };
    const Case cases[] = {
        // The local player follows the zone it stands in, not its own gravity.
        {"GravityGuyGraphic", {0.0f, 0.0f}, {1.0f, 0.0f}, kPi / 8.0f, {1.0f, 0.0f}},
        {"GravityGuyGraphic", {0.0f, 0.0f}, {0.0f, 1.0f}, kPi / 4.0f, {0.0f, 1.0f}},
        {"GravityGuyGraphic", {0.0f, 0.0f}, {-1.0f, 0.0f}, -kPi / 8.0f, {-1.0f, 0.0f}},
        {"GravityGuyGraphic", {1.0f, 0.0f}, {0.0f, 0.0f}, 0.0f, {0.0f, -1.0f}},
        // The other players follow their gravity.
        {"OtherPlayer", {-1.0f, 0.0f}, {1.0f, 0.0f}, -kPi / 8.0f, {-1.0f, 0.0f}},
        {"PhazerGraphic", {0.3f, 0.7f}, {0.0f, 0.0f}, kPi / 8.0f, {1.0f, 0.0f}},
    };
    int n = 0;
    for (const Case& c : cases) {
        BodyStandIn* body = nullptr;
        ZELM::EntityHandle player =
            Load("Player" + std::to_string(n++), Place(1.0f, 2.0f, 0.8f) + Graphic(c.type), &body);
        auto* graphic = Get<Graphics::PlayerGraphic>(player, c.type);
        ASSERT_NE(graphic, nullptr) << c.type;
        body->gravity = c.gravity;
        body->effect = c.zoneEffect;
        graphic->Update(16.0f);
        const std::string what = std::string(c.type) + " pulled " + std::to_string(c.gravity.x) + "," +
                                 std::to_string(c.gravity.y) + " / " + std::to_string(c.zoneEffect.x) + "," +
                                 std::to_string(c.zoneEffect.y);
        EXPECT_NEAR(std::cos(graphic->GetAngle()), std::cos(c.firstAngle), 1e-4f) << what;
        EXPECT_NEAR(std::sin(graphic->GetAngle()), std::sin(c.firstAngle), 1e-4f) << what;
        const glm::mat4 eased = graphic->GetWorld();
        for (int i = 0; i < 3; ++i) {
            graphic->Update(0.0f);
        }
        ExpectMatrixNear(graphic->GetWorld(), eased, what + ": no time, no turn");

        for (int i = 0; i < 60; ++i) {
            graphic->Update(16.0f);
        }
        const glm::vec4 feet = Graphics::TransformPoint({0.0f, -0.5f, 0.0f}, graphic->GetWorld());
        EXPECT_NEAR((feet.x - 1.0f) / 0.4f, c.feet.x, 1e-3f) << what;
        EXPECT_NEAR((feet.y - 2.0f) / 0.4f, c.feet.y, 1e-3f) << what;
        // The device draws the mesh with it.
        ExpectMatrixNear(graphics->GetDevice()->GetTransform(Graphics::Device::Transform::World),
                         graphic->GetWorld(), what);
    }
}

TEST_F(GraphicComponents, TheGravitySphereSwellsWhileGravityPullsAndShrinksAfter) {
    BodyStandIn* body = nullptr;
    ZELM::EntityHandle player = Load("Player", Place(4.0f, 3.0f, 0.8f) + Graphic("GravityGuyGraphic"), &body);
    auto* graphic = Get<Graphics::GravityGuyGraphic>(player, "GravityGuyGraphic");
    engine.Call("SetGravRadius", 2.0f);  // the sphere's full size: 4
    struct Step {
        glm::vec2 pull;
        int updates;
        float u, v, size;
    };
    const Step steps[] = {
        {{0.0f, -1.0f}, 1, -0.03f, 0.0f, 4.0f * 0.8f * 0.03f},
        {{0.0f, -1.0f}, 41, -1.26f, 0.0f, 4.0f},          // full size from |u| = 1.25
        {{0.0f, -1.0f}, 20, -1.5f, 0.0f, 4.0f},           // u held at its limit
        {{0.0f, 0.0f}, 50, -0.546255f, 0.0f, 1.748014f},  // released: 0.98 an update
        {{1.0f, 0.0f}, 1, -0.535329f, 0.03f, 1.715742f},
    };
    const Graphics::GravitySphereSpring& spring = Graphics::GravityGuyGraphic::Spring();
    for (const Step& step : steps) {
        body->gravity = step.pull;
        for (int i = 0; i < step.updates; ++i) {
            graphic->Update(16.0f);
        }
        EXPECT_NEAR(spring.u, step.u, 1e-4f) << step.updates << " updates";
        EXPECT_NEAR(spring.v, step.v, 1e-4f);
        const glm::mat4& sphere = graphic->GetSphereWorld();
        EXPECT_NEAR(Graphics::At(sphere, 1, 1), step.size, 1e-3f) << step.updates << " updates";
        EXPECT_NEAR(Graphics::At(sphere, 3, 3), step.size, 1e-3f);
        EXPECT_EQ(
            glm::vec3(Graphics::At(sphere, 4, 1), Graphics::At(sphere, 4, 2), Graphics::At(sphere, 4, 3)),
            glm::vec3(4.0f, 3.0f, 0.5f));
    }
    EXPECT_NEAR(spring.sv, -0.03f, 1e-6f) << "the skin drifts against the sideways velocity";
}

TEST_F(GraphicComponents, TheCameraFollowsThePlayerUnlessDebugDrawingLeavesItFree) {
    Load("Player", Place(12.0f, 5.0f, 0.8f) + Graphic("GravityGuyGraphic"));
    for (const bool debug : {true, false}) {
        engine.CallAll("SetDebug Draw", debug);
        Frames(2);
        const glm::vec2 target(graphics->GetCamTargetX(), graphics->GetCamTargetY());
        EXPECT_EQ(target, debug ? glm::vec2(0.0f, 0.0f) : glm::vec2(12.0f, 5.0f)) << "debug " << debug;
        EXPECT_EQ(graphics->GetP1Light(), glm::vec3(12.0f, 5.0f, 0.5f)) << "the light follows either way";
    }
}

TEST_F(GraphicComponents, WithASecondPlayerTheCameraAndTheLightStayOnTheFirst) {
    Load("Player", Place(12.0f, 5.0f, 0.8f) + Graphic("GravityGuyGraphic"));
    Load("Cube", Place(20.0f, 2.0f, 1.0f) + Graphic("Cube"));
    Load("Placed", Place(30.0f, 9.0f, 0.8f) + Graphic("GravityGuyGraphic"));
    engine.CallAll("SetDebug Draw", false);
    Frames(2);
    EXPECT_EQ(glm::vec2(graphics->GetCamTargetX(), graphics->GetCamTargetY()), glm::vec2(12.0f, 5.0f));
    EXPECT_EQ(graphics->GetP1Light(), glm::vec3(12.0f, 5.0f, 0.5f));
}

TEST_F(GraphicComponents, PickingHitsTheMeshUnderTheMouseAndTellsTheEditor) {
    MouseAndEditor mouse;
    ZELM::EntityHandle player = Load("Phazer", Place(0.0f, 0.0f, 1.0f) + Graphic("PhazerGraphic"));
    auto* graphic = Get(player, "PhazerGraphic");
    Frames(1);
    struct Case {
        glm::vec2 at;  // on the mesh's front plane
        bool hit;
    };
    const Case cases[] = {
        {{0.0f, 0.0f}, true},    {{0.4f, -0.3f}, true}, {{0.7f, 0.0f}, false},
        {{0.49f, 0.49f}, false},  // inside the square around it, but past its rounded corner
        {{-0.44f, 0.44f}, true},
    };
    for (const Case& c : cases) {
        Project({c.at.x, c.at.y, 0.0f}, mouse.x, mouse.y);
        mouse.picked.clear();
        graphic->Update(16.0f);
        EXPECT_EQ(player.Resolve()->Call<bool>("IsPicked"), c.hit) << c.at.x << "," << c.at.y;
        ASSERT_EQ(mouse.picked.size(), c.hit ? 1u : 0u) << c.at.x << "," << c.at.y;
        if (c.hit) {
            EXPECT_EQ(mouse.picked[0], player);
        }
    }
}

TEST_F(GraphicComponents, TheMeshesLoadWithTheirSubsetsAndThePlayersFaceLooksAtTheCamera) {
    struct Case {
        const char* file;
        std::vector<std::string> textures;  // by subset
    };
    const Case cases[] = {{"player.X", {"playertex.png", "playertex.png"}},
                          {"gsphere.x", {"gravspheretex.png"}},
                          {"powerup.x", {"boxtex.png"}},
                          {"logo.x", {"tile1.png"}},
                          {"Dwarf.x", {"dwarftex.png"}}};
    for (const Case& c : cases) {
        std::vector<Graphics::MeshVertex> vertices;
        std::vector<std::uint32_t> indices;
        std::vector<Graphics::MeshSubset> subsets;
        std::string error;
        ASSERT_TRUE(Graphics::Mesh::ReadX(std::string(FALLWARD_RESOURCES) + "/Meshes/" + c.file, vertices,
                                          indices, error, &subsets))
            << error;
        ASSERT_EQ(subsets.size(), c.textures.size()) << c.file;
        for (std::size_t i = 0; i < subsets.size(); ++i) {
            EXPECT_EQ(subsets[i].material, static_cast<int>(i)) << c.file;
            EXPECT_EQ(subsets[i].texture, c.textures[i]) << c.file;
        }
        for (const Graphics::MeshVertex& vertex : vertices) {
            for (const float p : vertex.position) {
                EXPECT_LE(std::fabs(p), 0.52f) << c.file << " fits its unit box";
            }
        }
        if (std::string(c.file) == "player.X") {
            // The face (toward -z) is what the camera, in front of the level, sees.
            const Graphics::MeshSubset& face = subsets[1];
            for (std::uint32_t i = face.firstIndex; i < face.firstIndex + face.indexCount; ++i) {
                EXPECT_LT(vertices[indices[i]].position[2], -0.5f);
                EXPECT_FLOAT_EQ(vertices[indices[i]].normal[2], -1.0f);
            }
        }
    }
}

}  // namespace
