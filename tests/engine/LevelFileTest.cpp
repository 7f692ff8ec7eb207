// Tests of level and archetype files: what loading builds, what saving writes, and bad files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/ArchetypeTable.h"
#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/PathTable.h"
#include "engine/Physical.h"
#include "engine/PlayerLevels.h"
#include "graphics/GraphicsService.h"
#include "logic/LogicService.h"
#include "physics/PhysicsService.h"
#include "support/EngineFixture.h"
#include "support/ProblemCapture.h"

namespace {

namespace fs = std::filesystem;
using ZELM::EntityHandle;
using ZELMTest::ProblemCapture;
using Log = std::vector<std::string>;

// Components are made by the registry without arguments, so they write to this log.
Log& Events() {
    static Log events;
    return events;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A component that binds properties A then B and takes the position Physical broadcasts.
class Probe : public ZELM::Component {
public:
    ~Probe() override { Events().push_back("~Probe " + GetBinderName()); }
    void Bind() override {
        BindBroadcast("SetX", this, &Probe::SetX);
        BindProperty(&a, "A", this, &Probe::OnA);
        BindProperty(&b, "B", true, false);
    }
    void Init() override {
        Events().push_back("Init " + GetOwner().Resolve()->GetName() + " a=" + std::to_string(a) +
                           " entities=" + std::to_string(ZELM::Engine::Instance().GetEntities().Size()));
    }
    void Update(float) override {}
    void SetX(const float& value) { receivedX.push_back(value); }
    void OnA(const int& value) { Events().push_back("A " + std::to_string(value)); }

    int a = -1;
    std::string b = "unset";
    std::vector<float> receivedX;
};

// Stands in for the game-flow service under its short name, logging the tile-map calls levels make.
class StubLogic : public ZELM::Service {
public:
    void Bind() override {
        DynamicBinder::Bind("LoadLevel", this, &StubLogic::LoadLevel);
        DynamicBinder::Bind("NoTileInfo", this, &StubLogic::NoTileInfo);
        DynamicBinder::Bind("HasTileInfo", this, &StubLogic::HasTileInfo);
        DynamicBinder::Bind("SaveLevel", this, &StubLogic::SaveLevel);
        BindBroadcast("SetLevelScripts", this, &StubLogic::SetLevelScripts);
    }
    void Init() override {
        ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
        registry.Register<ZELM::Physical>("Logic", "Physical");
        registry.Register<Probe>("Logic", "Probe");
        // A type whose service never runs.
        registry.Register<Probe>("Ghosts", "Probe");
    }
    void Update(float dt) override { UpdateComponents(dt); }

    void LoadLevel(const std::string& name) { Events().push_back("LoadLevel " + name); }
    void NoTileInfo() { Events().push_back("NoTileInfo"); }
    bool HasTileInfo() {
        Events().push_back("HasTileInfo");
        return tileInfo;
    }
    void SaveLevel(const std::string& name) { Events().push_back("SaveLevel " + name); }
    void SetLevelScripts(const std::string& first, const std::string& second, const std::string& third) {
        Events().push_back("SetLevelScripts " + first + "," + second + "," + third);
    }

    bool tileInfo = false;
};

std::string Value(const std::string& type, const std::string& text) {
    return "<" + type + ">" + text + "</" + type + ">";
}
std::string Str(const std::string& text) {
    return Value("string", text);
}
std::string Prop(const std::string& name, const std::string& type, const std::string& text) {
    return "<" + name + ">" + Value(type, text) + "</" + name + ">";
}
std::string ComponentXml(const std::string& service, const std::string& type, const std::string& properties) {
    return "<Component>" + Str(service) + Str(type) + properties + "</Component>";
}
std::string ProbeXml(int a, const std::string& b) {
    return ComponentXml("Logic", "Probe", Prop("A", "int", std::to_string(a)) + Prop("B", "string", b));
}
std::string PhysicalXml(const std::string& x) {
    return ComponentXml("Logic", "Physical", Prop("x", "float", x));
}
std::string EntityXml(const std::string& name, const std::string& archetype, const std::string& components) {
    return "<Entity>" + Str(name) + Str(archetype) + components + "</Entity>";
}
std::string Document(const std::string& root, const std::string& body) {
    return "<?xml version=\"1.0\" ?>\n<" + root + ">" + body + "</" + root + ">\n";
}

class LevelFileTest : public ZELMTest::EngineFixture {
protected:
    void SetUp() override { Events().clear(); }

    // An engine with the stub service as "Logic" and an archetypes directory, not yet started.
    void MakeGame() {
        MakeEngine({"start"});
        fs::create_directories(ResourcePath("Archetypes"));
        ZELM::PathTable::Instance().Set("Archetypes", "../Resources/Archetypes/");
        logic = new StubLogic();
        engine->AddService("Logic", logic);
    }
    void StartGame() {
        if (engine == nullptr) {
            MakeGame();
        }
        engine->Start();
        Events().clear();
    }

    std::string WriteLevel(const std::string& name, const std::string& body) {
        const fs::path path = ResourcePath("Levels/" + name + ".xml");
        std::ofstream(path, std::ios::binary) << Document("Level", body);
        return path.string();
    }
    void WriteArchetype(const std::string& file, const std::string& text) {
        std::ofstream(ResourcePath("Archetypes/" + file), std::ios::binary) << text;
    }
    void Load(const std::string& path) { engine->GetContentPipeline().Load(path); }

    template <typename C>
    C* Find(const std::string& entity, const std::string& type) {
        const EntityHandle handle = engine->GetEntity(entity);
        return handle.IsNull() ? nullptr : dynamic_cast<C*>(handle.Resolve()->GetComponent(type));
    }
    Log Only(const std::string& prefix) const {
        Log kept;
        std::copy_if(Events().begin(), Events().end(), std::back_inserter(kept),
                     [&](const std::string& entry) { return entry.rfind(prefix, 0) == 0; });
        return kept;
    }

    StubLogic* logic = nullptr;
};

TEST_F(LevelFileTest, LoadingReadsTilesScriptsAndEntitiesThenInitsEveryComponent) {
    StartGame();
    ProblemCapture capture;
    Load(WriteLevel("full", Prop("Tiles", "string", "Cave") + "<Scripts>" + Str("a.lua") + Str("b.lua") +
                                Str("c.lua") + "</Scripts>" +
                                EntityXml("Crate", "Box", PhysicalXml("3") + ProbeXml(5, "hi")) +
                                EntityXml("Door", "Not Set", ProbeXml(6, "door"))));
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_EQ(Only("LoadLevel"), (Log{"LoadLevel Cave"}));
    EXPECT_TRUE(Only("NoTileInfo").empty());
    EXPECT_EQ(Only("SetLevelScripts"), (Log{"SetLevelScripts a.lua,b.lua,c.lua"}));
    EXPECT_EQ(engine->GetLevelScripts(), (std::array<std::string, 3>{"a.lua", "b.lua", "c.lua"}));

    ASSERT_FALSE(engine->GetEntity("Crate").IsNull());
    EXPECT_EQ(engine->GetEntity("Crate").Resolve()->GetArchetypeName(), "Box");
    EXPECT_EQ(engine->GetEntity("Door").Resolve()->GetArchetypeName(), "Not Set");
    EXPECT_EQ(engine->GetEntity("Crate").Resolve()->Call<float>("GetX"), 3.0f);
    ASSERT_NE(Find<Probe>("Crate", "Probe"), nullptr);
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->a, 5);
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->b, "hi");
    EXPECT_EQ(Find<Probe>("Door", "Probe")->b, "door");
    EXPECT_EQ(logic->GetComponents().size(), 3u);
    // Every entity existed before the first Init.
    Log inits = Only("Init");
    std::sort(inits.begin(), inits.end());
    EXPECT_EQ(inits, (Log{"Init Crate a=5 entities=2", "Init Door a=6 entities=2"}));

    // A level without tiles or scripts says so, and leaves the scripts alone.
    Events().clear();
    Load(WriteLevel("bare", EntityXml("Lamp", "Not Set", "")));
    EXPECT_EQ(Only("NoTileInfo"), (Log{"NoTileInfo"}));
    EXPECT_TRUE(Only("LoadLevel").empty());
    EXPECT_TRUE(Only("SetLevelScripts").empty());
    EXPECT_EQ(engine->GetLevelScripts(), (std::array<std::string, 3>{"a.lua", "b.lua", "c.lua"}));
    EXPECT_FALSE(engine->GetEntity("Lamp").IsNull());
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(LevelFileTest, SavingWritesTilesAndScriptsOnlyWhenTheLevelHasThem) {
    StartGame();
    Load(WriteLevel("source", EntityXml("Crate", "Box", ProbeXml(5, "hi"))));
    ProblemCapture capture;
    const fs::path saved = ResourcePath("Levels/Saved.xml");

    logic->tileInfo = true;
    ZELM::DynamicCaller caller;
    caller.SetName("Engine");
    caller.CallAll("SetLevelScripts", "a.lua", "", "");
    Events().clear();
    ASSERT_TRUE(engine->SaveLevel(saved.string()));
    EXPECT_EQ(Events(), (Log{"HasTileInfo", "SaveLevel Saved"}));
    const std::string entity =
        "    <Entity>\n        <string>Crate</string>\n        <string>Box</string>\n"
        "        <Component>\n            <string>Logic</string>\n            <string>Probe</string>\n"
        "            <A>\n                <int>5</int>\n            </A>\n"
        "            <B>\n                <string>hi</string>\n            </B>\n"
        "        </Component>\n    </Entity>\n";
    EXPECT_EQ(ReadFile(saved),
              "<?xml version=\"1.0\" ?>\n<Level>\n"
              "    <Tiles>\n        <string>Saved</string>\n    </Tiles>\n"
              "    <Scripts>\n        <string>a.lua</string>\n        <string></string>\n"
              "        <string></string>\n    </Scripts>\n" +
                  entity + "</Level>\n");

    logic->tileInfo = false;
    caller.CallAll("SetLevelScripts", "", "b.lua", "c.lua");
    Events().clear();
    ASSERT_TRUE(engine->SaveLevel(saved.string()));
    EXPECT_EQ(Events(), (Log{"HasTileInfo"}));
    EXPECT_EQ(ReadFile(saved), "<?xml version=\"1.0\" ?>\n<Level>\n" + entity + "</Level>\n");
    EXPECT_EQ(capture.Count(), 0u);

    EXPECT_FALSE(engine->SaveLevel(ResourcePath("Missing/level.xml").string()));
    EXPECT_EQ(capture.Count(), 1u);
}

TEST_F(LevelFileTest, SavedLevelReadsBackToTheSameBytes) {
    StartGame();
    std::string entities;
    for (const std::string name : {"Crate", "Door", "Lamp", "Barrel", "Wall", "Key", "Chest", "Gate"}) {
        entities +=
            EntityXml(name, name + "Type", PhysicalXml(std::to_string(name.size())) + ProbeXml(7, name));
    }
    Load(WriteLevel("source", entities));
    logic->tileInfo = true;
    ZELM::DynamicCaller caller;
    caller.SetName("Engine");
    caller.CallAll("SetLevelScripts", "a & b.lua", "<loop>.lua", "");
    const std::string path = ResourcePath("Levels/first.xml").string();
    ASSERT_TRUE(engine->SaveLevel(path));
    const std::string written = ReadFile(path);

    engine->GetEntities().DestroyAllEntities();
    Load(path);
    EXPECT_EQ(engine->GetEntities().Size(), 8u);
    EXPECT_EQ(engine->GetLevelScripts(), (std::array<std::string, 3>{"a & b.lua", "<loop>.lua", ""}));
    ASSERT_TRUE(engine->SaveLevel(path));
    EXPECT_EQ(ReadFile(path), written);
}

TEST_F(LevelFileTest, MisplacedPropertiesAreReportedWithTheirLineAndNothingAfterThemIsLost) {
    MakeGame();
    // B before A, then a name the type does not have, then A again: one element a line from line 3.
    const std::string misplaced = ComponentXml(
        "Logic", "Probe",
        "\n" + Prop("B", "string", "read") + "\n" + Prop("A", "int", "9") + "\n" + Prop("Colour", "int", "2") +
            "\n" + Prop("A", "int", "5") + "\n");
    WriteArchetype("Crate.xml", Document("Archetype", misplaced + PhysicalXml("6")));
    StartGame();
    ProblemCapture capture;
    const std::string level = WriteLevel("misplaced", EntityXml("First", "Not Set", misplaced + PhysicalXml("4")) +
                                                          EntityXml("Second", "Not Set", ProbeXml(1, "x")));
    Load(level);
    engine->GetEntities().CreateFromArchetype("Made", "Crate");

    for (const auto& [entity, file, x] : {std::tuple<std::string, std::string, float>{"First", level, 4.0f},
                                          {"Made", ZELM::PathTable::Instance().Get("Archetypes") + "Crate.xml", 6.0f}}) {
        Probe* probe = Find<Probe>(entity, "Probe");
        ASSERT_NE(probe, nullptr) << entity;
        EXPECT_EQ(probe->a, 9) << entity;
        EXPECT_EQ(probe->b, "read") << entity;
        ASSERT_NE(Find<ZELM::Physical>(entity, "Physical"), nullptr) << entity;
        EXPECT_EQ(engine->GetEntity(entity).Resolve()->Call<float>("GetX"), x) << entity;
        const std::vector<std::string> expected = {
            file + ":4: the property \"A\" of \"Probe\" is out of order: it belongs before \"B\"; it is read anyway",
            file + ":5: \"Colour\" is not a stored property of \"Probe\"; it is skipped",
            file + ":6: the property \"A\" of \"Probe\" is written twice; the second is skipped"};
        std::vector<std::string> reported;
        for (const ZELM::Problem& problem : capture.problems) {
            if (problem.message.rfind(file, 0) == 0) {
                reported.push_back(problem.message);
            }
        }
        EXPECT_EQ(reported, expected) << entity;
    }
    EXPECT_EQ(capture.Count(), 6u);
    ASSERT_FALSE(engine->GetEntity("Second").IsNull());
    EXPECT_EQ(Find<Probe>("Second", "Probe")->a, 1);
    EXPECT_EQ(Only("A "), (Log{"A 9", "A 1", "A 9"})) << "each change callback once, with the value read";
}

TEST_F(LevelFileTest, CommentsAreSkippedAndStrayElementsAreReportedWithoutLosingTheRest) {
    MakeGame();
    WriteArchetype("Crate.xml", "<?xml version=\"1.0\" ?>\n<Archetype><!-- a crate -->" + ProbeXml(2, "crate") +
                                    "\n<Componnet/>" + PhysicalXml("6") + "</Archetype>\n");
    StartGame();
    ProblemCapture capture;
    const std::string level = WriteLevel(
        "stray", "<!-- the map -->" + Prop("Tiles", "string", "Cave") + "\n<Entity><!-- names -->" + Str("First") +
                     Str("Not Set") + ProbeXml(1, "a") + "<!-- a note -->\n<Componnet/>" + PhysicalXml("4") +
                     "</Entity>\n<Entty/><!-- more -->" + EntityXml("Second", "Not Set", ProbeXml(3, "b")));
    Load(level);
    engine->GetEntities().CreateFromArchetype("Made", "Crate");

    EXPECT_EQ(Only("LoadLevel"), (Log{"LoadLevel Cave"}));
    for (const auto& [entity, a, x] : {std::tuple<std::string, int, float>{"First", 1, 4.0f}, {"Made", 2, 6.0f}}) {
        ASSERT_NE(Find<Probe>(entity, "Probe"), nullptr) << entity;
        EXPECT_EQ(Find<Probe>(entity, "Probe")->a, a) << entity;
        ASSERT_NE(Find<ZELM::Physical>(entity, "Physical"), nullptr) << entity;
        EXPECT_EQ(engine->GetEntity(entity).Resolve()->Call<float>("GetX"), x) << entity;
    }
    ASSERT_FALSE(engine->GetEntity("Second").IsNull());
    EXPECT_EQ(Find<Probe>("Second", "Probe")->a, 3);
    std::vector<std::string> reported;
    for (const ZELM::Problem& problem : capture.problems) {
        reported.push_back(problem.message);
    }
    EXPECT_EQ(reported, (std::vector<std::string>{
                            level + ":4: \"Componnet\" is not a Component; it is skipped",
                            level + ":5: \"Entty\" is out of order: a level has Tiles, then Scripts, then Entity "
                                    "elements; it is skipped",
                            ZELM::PathTable::Instance().Get("Archetypes") +
                                "Crate.xml:3: \"Componnet\" is not a Component; it is skipped"}));
}

TEST_F(LevelFileTest, UnknownComponentTypesAndServicesAreReportedAndSkipped) {
    StartGame();
    ProblemCapture capture;
    Load(WriteLevel("unknown",
                    EntityXml("Crate", "Not Set",
                              ComponentXml("Logic", "Ghost", Prop("A", "int", "1")) + ProbeXml(2, "kept") +
                                  ComponentXml("Ghosts", "Probe", Prop("A", "int", "3")) + PhysicalXml("5")) +
                        EntityXml("Door", "Not Set", ProbeXml(4, "door"))));
    ASSERT_EQ(capture.Count(), 2u);
    EXPECT_EQ(capture.problems[0].message,
              "No component type \"Ghost\" is registered for service \"Logic\"!");
    EXPECT_EQ(capture.problems[1].function, "ZELM::ComponentRegistry::Create");
    EXPECT_NE(capture.problems[1].message.find("\"Ghosts\""), std::string::npos);
    ASSERT_NE(Find<Probe>("Crate", "Probe"), nullptr);
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->a, 2);
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->GetParentService(), logic);
    EXPECT_EQ(engine->GetEntity("Crate").Resolve()->Call<float>("GetX"), 5.0f);
    EXPECT_EQ(Find<Probe>("Door", "Probe")->a, 4);
    EXPECT_EQ(logic->GetComponents().size(), 3u);
}

TEST_F(LevelFileTest, SecondEntityOfANameIsSkippedWithItsComponents) {
    StartGame();
    ProblemCapture capture;
    const std::string path =
        WriteLevel("twins", EntityXml("Crate", "First", ProbeXml(1, "first")) +
                                EntityXml("Crate", "Second", ProbeXml(2, "second") + PhysicalXml("8")) +
                                EntityXml("Door", "Not Set", ProbeXml(3, "door")));
    Load(path);
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().function, "ZELM::ContentPipeline::Load");
    EXPECT_NE(capture.Last().message.find(path), std::string::npos);
    EXPECT_NE(capture.Last().message.find("\"Crate\""), std::string::npos);
    EXPECT_EQ(engine->GetEntity("Crate").Resolve()->GetArchetypeName(), "First");
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->a, 1);
    EXPECT_EQ(Find<ZELM::Physical>("Crate", "Physical"), nullptr);
    EXPECT_EQ(Find<Probe>("Door", "Probe")->a, 3);
    EXPECT_EQ(logic->GetComponents().size(), 2u);
    Log inits = Only("Init");
    std::sort(inits.begin(), inits.end());
    EXPECT_EQ(inits, (Log{"Init Crate a=1 entities=2", "Init Door a=3 entities=2"}));
}

TEST_F(LevelFileTest, ValuesWithoutTextLoadEmptyAndTheLevelGoesOn) {
    StartGame();
    ProblemCapture capture;
    Load(WriteLevel(
        "blank", "<Tiles><string/></Tiles>" +
                     EntityXml("Crate", "", ComponentXml("Logic", "Probe", "<A><int/></A><B><string/></B>")) +
                     EntityXml("Door", "Not Set", ProbeXml(3, "door"))));
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_EQ(Only("LoadLevel"), (Log{"LoadLevel "}));
    EXPECT_EQ(engine->GetEntity("Crate").Resolve()->GetArchetypeName(), "");
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->a, 0);
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->b, "");
    ASSERT_NE(Find<Probe>("Door", "Probe"), nullptr);
    EXPECT_EQ(Find<Probe>("Door", "Probe")->a, 3);
}

TEST_F(LevelFileTest, UnreadableLevelIsReportedAndChangesNothing) {
    StartGame();
    Load(WriteLevel("good", EntityXml("Crate", "Not Set", ProbeXml(1, "x"))));
    Events().clear();
    ProblemCapture capture;
    const std::string broken = ResourcePath("Levels/broken.xml").string();
    std::ofstream(broken) << "<?xml version=\"1.0\" ?>\n<Level>" +
                                 EntityXml("Door", "Not Set", ProbeXml(2, "y"));
    const std::string missing = ResourcePath("Levels/missing.xml").string();
    for (const std::string& path : {broken, missing}) {
        capture.Clear();
        Load(path);
        ASSERT_EQ(capture.Count(), 1u);
        EXPECT_EQ(capture.Last().message, "Could not load level \"" + path + "\"!");
        EXPECT_EQ(capture.Last().function, "ZELM::ContentPipeline::Load");
    }
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(engine->GetEntities().Size(), 1u);
    EXPECT_EQ(Find<Probe>("Crate", "Probe")->a, 1);
}

TEST_F(LevelFileTest, StartLoadsTheArchetypeFilesOfItsDirectory) {
    MakeGame();
    WriteArchetype("Barrel.xml", Document("Archetype", ProbeXml(7, "barrel")));
    WriteArchetype("Broken.xml", "<?xml version=\"1.0\" ?>\n<Archetype><Component>");
    WriteArchetype("notes.txt", Document("Archetype", ProbeXml(1, "notes")));
    fs::create_directories(ResourcePath("Archetypes/Nested.xml"));
    std::ofstream(ResourcePath("Archetypes/Nested.xml/Hidden.xml"))
        << Document("Archetype", ProbeXml(1, "hidden"));
    ProblemCapture capture;
    StartGame();

    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_NE(capture.Last().message.find("Broken.xml"), std::string::npos);
    ZELM::ArchetypeTable& archetypes = ZELM::ArchetypeTable::Instance();
    EXPECT_EQ(archetypes.Size(), 1u);
    EXPECT_NE(archetypes.Find("Barrel"), nullptr);
    EXPECT_EQ(archetypes.Find("Broken"), nullptr);
    EXPECT_EQ(archetypes.Find("Hidden"), nullptr);
    EXPECT_EQ(archetypes.Find("notes"), nullptr);

    EntityHandle barrel = engine->GetEntities().CreateFromArchetype("Keg", "Barrel");
    EXPECT_EQ(barrel.Resolve()->GetArchetypeName(), "Barrel");
    ASSERT_NE(Find<Probe>("Keg", "Probe"), nullptr);
    EXPECT_EQ(Find<Probe>("Keg", "Probe")->b, "barrel");
    EXPECT_EQ(Only("Init"), (Log{"Init Keg a=7 entities=1"}));
}

TEST_F(LevelFileTest, ApplyingAnArchetypeReplacesTheComponentsEveryTime) {
    MakeGame();
    WriteArchetype("Barrel.xml", Document("Archetype", ProbeXml(7, "barrel") + PhysicalXml("2")));
    StartGame();
    Load(WriteLevel("cart", EntityXml("Cart", "Not Set", ProbeXml(1, "old"))));
    EntityHandle cart = engine->GetEntity("Cart");
    ProblemCapture capture;

    for (int round = 0; round < 2; ++round) {
        Events().clear();
        engine->GetEntities().ApplyArchetype(cart, "Barrel");
        EXPECT_EQ(Only("~Probe"), (Log{"~Probe Cart"})) << round;
        EXPECT_EQ(Only("Init"), (Log{"Init Cart a=7 entities=1"})) << round;
        EXPECT_EQ(cart.Resolve()->GetArchetypeName(), "Barrel");
        ASSERT_NE(Find<Probe>("Cart", "Probe"), nullptr);
        EXPECT_EQ(Find<Probe>("Cart", "Probe")->b, "barrel");
        EXPECT_EQ(cart.Resolve()->Call<float>("GetX"), 2.0f);
        EXPECT_EQ(logic->GetComponents().size(), 2u);
    }
    EXPECT_EQ(capture.Count(), 0u);

    Events().clear();
    engine->GetEntities().ApplyArchetype(cart, "Nothing");
    ASSERT_EQ(capture.Count(), 1u);
    EXPECT_EQ(capture.Last().message, "Could not find entity archetype \"Nothing\"!");
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(cart.Resolve()->GetArchetypeName(), "Barrel");
    EXPECT_NE(Find<Probe>("Cart", "Probe"), nullptr);
    EXPECT_EQ(logic->GetComponents().size(), 2u);
}

TEST_F(LevelFileTest, SavedArchetypeIsWhatTheNextApplyUses) {
    MakeGame();
    WriteArchetype("Keg.xml", Document("Archetype", ProbeXml(1, "stale")));
    StartGame();
    Load(WriteLevel("kegs", EntityXml("Keg", "Not Set", ProbeXml(42, "fresh")) +
                                EntityXml("Cart", "Not Set", ProbeXml(1, "cart"))));
    ProblemCapture capture;
    ASSERT_TRUE(engine->SaveArchetype(engine->GetEntity("Keg")));
    EXPECT_EQ(
        ReadFile(ResourcePath("Archetypes/Keg.xml")),
        "<?xml version=\"1.0\" ?>\n<Archetype>\n    <Component>\n        <string>Logic</string>\n"
        "        <string>Probe</string>\n        <A>\n            <int>42</int>\n        </A>\n"
        "        <B>\n            <string>fresh</string>\n        </B>\n    </Component>\n</Archetype>\n");

    engine->GetEntities().ApplyArchetype(engine->GetEntity("Cart"), "Keg");
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_EQ(Find<Probe>("Cart", "Probe")->a, 42);
    EXPECT_EQ(Find<Probe>("Cart", "Probe")->b, "fresh");
}

TEST_F(LevelFileTest, WithAUserRootArchetypesAreSavedThereAndReplaceTheBundledOnes) {
    MakeGame();
    const fs::path user = root / "user";
    ZELM::PathTable::Instance().SetUserRoot(user.string());
    WriteArchetype("Keg.xml", Document("Archetype", ProbeXml(1, "bundled")));
    fs::create_directories(user / "Archetypes");
    std::ofstream(user / "Archetypes" / "Keg.xml") << Document("Archetype", ProbeXml(5, "players"));
    std::ofstream(root / "Resources" / "Archetypes" / "Keg.xml.tmp999999999") << "left by a killed save";
    StartGame();
    EXPECT_FALSE(fs::exists(root / "Resources" / "Archetypes" / "Keg.xml.tmp999999999")) << "cleared at the start";
    Load(WriteLevel("kegs", EntityXml("Cart", "Not Set", ProbeXml(1, "cart"))));
    ProblemCapture capture;

    engine->GetEntities().ApplyArchetype(engine->GetEntity("Cart"), "Keg");
    EXPECT_EQ(Find<Probe>("Cart", "Probe")->b, "players") << "the player's archetype is found first";
    Find<Probe>("Cart", "Probe")->b = "edited";
    engine->GetEntities().RenameEntity(engine->GetEntity("Cart"), "Keg");
    ASSERT_TRUE(engine->SaveArchetype(engine->GetEntity("Keg")));
    EXPECT_NE(ReadFile(user / "Archetypes" / "Keg.xml").find("edited"), std::string::npos);
    EXPECT_NE(ReadFile(ResourcePath("Archetypes/Keg.xml")).find("bundled"), std::string::npos);
    EXPECT_EQ(capture.Count(), 0u);
    ZELM::PathTable::Instance().SetUserRoot("");
}

TEST_F(LevelFileTest, ArchetypesOfSharedPlayerLevelsLoadButNeverReplaceTheGamesOwn) {
    MakeGame();
    WriteArchetype("Keg.xml", Document("Archetype", ProbeXml(1, "bundled")));
    const fs::path shared = ZELM::PlayerLevels::ArchetypesDirectory();
    fs::create_directories(shared);
    std::ofstream(shared / "Keg.xml") << Document("Archetype", ProbeXml(5, "shared"));
    std::ofstream(shared / "Cask.xml") << Document("Archetype", ProbeXml(6, "cask"));
    StartGame();
    Load(WriteLevel("kegs", EntityXml("Cart", "Not Set", ProbeXml(1, "cart"))));
    ProblemCapture capture;

    engine->GetEntities().ApplyArchetype(engine->GetEntity("Cart"), "Keg");
    EXPECT_EQ(Find<Probe>("Cart", "Probe")->b, "bundled");
    engine->GetEntities().ApplyArchetype(engine->GetEntity("Cart"), "Cask");
    EXPECT_EQ(Find<Probe>("Cart", "Probe")->b, "cask");
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(LevelFileTest, LoadedPositionReachesEveryComponentOfTheEntity) {
    StartGame();
    Load(WriteLevel("ball", EntityXml("Ball", "Not Set", ProbeXml(1, "ball") + PhysicalXml("3")) +
                                EntityXml("Other", "Not Set", ProbeXml(2, "other"))));
    ASSERT_NE(Find<Probe>("Ball", "Probe"), nullptr);
    // Once while loading and once more at Init, when every component of the entity has bound.
    EXPECT_EQ(Find<Probe>("Ball", "Probe")->receivedX, (std::vector<float>{3.0f, 3.0f}));
    EXPECT_EQ(engine->GetEntity("Ball").Resolve()->Call<float>("GetX"), 3.0f);
    EXPECT_TRUE(Find<Probe>("Other", "Probe")->receivedX.empty());
}

TEST_F(LevelFileTest, LoadedPositionReachesComponentsListedAfterThePhysical) {
    StartGame();
    Load(WriteLevel("ball", EntityXml("Ball", "Not Set", PhysicalXml("3") + ProbeXml(1, "ball"))));
    ASSERT_NE(Find<Probe>("Ball", "Probe"), nullptr);
    EXPECT_EQ(Find<Probe>("Ball", "Probe")->receivedX, (std::vector<float>{3.0f}));
}

// The source tree: file names in this build are relative to it, so it is found from the test binary,
// which lives in a build directory below it or one whose cache names it.
fs::path SourceRoot() {
    std::error_code error;
    for (fs::path dir = fs::read_symlink("/proc/self/exe", error).parent_path(); !dir.empty();
         dir = dir.parent_path()) {
        if (fs::exists(dir / __FILE__)) {
            // __FILE__ may be relative to the build directory (a compiler cache rewrites paths so),
            // so the root is found from the file itself: tests/engine/ lies two folders below it.
            return fs::canonical(dir / __FILE__, error).parent_path().parent_path().parent_path();
        }
        std::ifstream cache(dir / "CMakeCache.txt");
        const std::string key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
        for (std::string line; std::getline(cache, line);) {
            if (line.rfind(key, 0) == 0) {
                return line.substr(key.size());
            }
        }
        if (dir == dir.root_path()) {
            break;
        }
    }
    return fs::current_path();
}

// The bundled first level, loaded by the real game-flow service, saves to exactly its own bytes.
class BundledLevelTest : public ZELMTest::EngineFixture {};

TEST_F(BundledLevelTest, LevelOneSavesToItsOwnBytes) {
    const fs::path game = SourceRoot() / "game" / "Resources";
    const std::string level = ReadFile(game / "Levels" / "Level1.xml");
    const std::string tiles = ReadFile(game / "Levels" / "Tiles" / "Level1");
    ASSERT_FALSE(level.empty());
    ASSERT_FALSE(tiles.empty());

    MakeEngine({"Level1"});
    std::ofstream(ResourcePath("Levels/Level1.xml"), std::ios::binary) << level;
    fs::create_directories(ResourcePath("Levels/Tiles"));
    std::ofstream(ResourcePath("Levels/Tiles/Level1"), std::ios::binary) << tiles;
    // The level's graphic components read their meshes, and its scripts show its tutorial texts.
    fs::copy(game / "Meshes", ResourcePath("Meshes"), fs::copy_options::recursive);
    fs::copy(game / "Scripts", ResourcePath("Scripts"), fs::copy_options::recursive);
    auto* logic = new Logic::LogicService();
    engine->AddService("Logic", logic);
    engine->AddService("Physics", new Kestrin::PhysicsService());
    engine->AddService("Graphics", new Graphics::GraphicsService(true));
    ProblemCapture capture;
    engine->Start();
    ASSERT_EQ(capture.Count(), 0u) << capture.Last().message;
    ASSERT_FALSE(engine->GetEntity("Player").IsNull());
    EXPECT_TRUE(logic->HasTileInfo());

    fs::remove(ResourcePath("Levels/Level1.xml"));
    fs::remove(ResourcePath("Levels/Tiles/Level1"));
    ASSERT_TRUE(engine->SaveLevel(ResourcePath("Levels/Level1.xml").string()));
    EXPECT_EQ(ReadFile(ResourcePath("Levels/Level1.xml")), level);
    EXPECT_EQ(ReadFile(ResourcePath("Levels/Tiles/Level1")), tiles);
    EXPECT_EQ(capture.Count(), 0u);
}

}  // namespace
