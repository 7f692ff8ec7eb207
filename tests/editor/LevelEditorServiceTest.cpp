// The editor driven by scripted input, as a designer's keys and clicks reach it: modes, selection
// keys, painting, saving the tile map and the console.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

extern "C" {
#include <lua.h>
}

#include "editor/EntityMenu.h"
#include "editor/EntityPicker.h"
#include "editor/LevelEditorService.h"
#include "editor/tweakbar/Bar.h"
#include "editor/tweakbar/TweakBar.h"
#include "engine/ArchetypeTable.h"
#include "engine/ComponentRegistry.h"
#include "engine/ContentPipeline.h"
#include "engine/DelayedCallQueue.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/LevelMap.h"
#include "engine/Physical.h"
#include "engine/XmlWriter.h"
#include "input/InputService.h"
#include "support/EngineFixture.h"
#include "support/ProblemCapture.h"
#include "utilities/LuaState.h"
#include "windows/WindowsMessage.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using LevelEditor::LevelEditorService;

// Plays the game flow's tile map (a real map, kept and painted) and the mouse's place in the world.
class MapStandIn : public ZELM::Service {
public:
    void Bind() override {
        DynamicBinder::Bind("SetLevelID", this, &MapStandIn::SetLevelID);
        DynamicBinder::Bind("GetTileID", this, &MapStandIn::GetTileID);
        DynamicBinder::Bind("GetLevelMap", this, &MapStandIn::GetLevelMap);
        DynamicBinder::Bind("HasTileInfo", this, &MapStandIn::HasTileInfo);
        DynamicBinder::Bind("SetTileInfo", this, &MapStandIn::SetTileInfo);
        DynamicBinder::Bind("NewTileMap", this, &MapStandIn::NewTileMap);
        DynamicBinder::Bind("DestroyAllEntities", this, &MapStandIn::DestroyAllEntities);
        DynamicBinder::Bind("SaveLevels", this, &MapStandIn::SaveLevels);
        DynamicBinder::Bind("xMouseProjected", this, &MapStandIn::X);
        DynamicBinder::Bind("yMouseProjected", this, &MapStandIn::Y);
        DynamicBinder::Bind("MiddleClick", this, &MapStandIn::Middle);
        DynamicBinder::Bind("HoldView", this, &MapStandIn::HoldView);
    }
    void Init() override {}
    void Update(float) override {}
    void SetLevelID(unsigned x, unsigned y, unsigned char id) {
        painted.emplace_back(x, y, id);
        level.SetTileID(x, y, id);
    }
    unsigned char GetTileID(unsigned x, unsigned y) { return level.GetTileID(x, y); }
    ZELM::LevelMap* GetLevelMap() { return &level; }
    bool HasTileInfo() { return tileInfo; }
    void SetTileInfo(bool hasInfo) { tileInfo = hasInfo; }
    void NewTileMap(unsigned width, unsigned height) { level.Create(width, height); }
    void DestroyAllEntities() {
        if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
            entities->DestroyAllEntities();
        }
    }
    void SaveLevels() { ++saves; }
    float X(float) { return mouseX; }
    float Y(float) { return mouseY; }
    bool Middle() { return middle; }
    void HoldView(float x, float y, float distance) { held = {x, y, distance}; }

    std::vector<std::tuple<unsigned, unsigned, unsigned char>> painted;
    int saves = 0;
    ZELM::LevelMap level;
    bool tileInfo = true;
    float mouseX = 0.0f;
    float mouseY = 0.0f;
    bool middle = false;
    std::tuple<float, float, float> held{};
};

class LevelEditorServiceTest : public ::testing::Test {
protected:
    LevelEditorServiceTest() { caller.SetName("Engine"); }
    ~LevelEditorServiceTest() override {
        fs::remove(scriptFile);
        ZELM::ComponentRegistry::DestroyInstance();
        ZELM::LuaState::Close();
        TwTerminate();
    }

    // The editor and an input service over the script; the map stands in after the input service,
    // so its mouse replaces the input service's.
    void Start(const std::string& script) {
        std::ofstream(scriptFile) << script;
        editor.Bind();
        editor.Init();
        input = std::make_unique<Input::InputService>(true, scriptFile.string());
        input->Bind();
        map.Bind();
        input->Init();
        input->BeginTick();
        editor.Update(16.0f);
    }
    // One frame: the next frame is sampled and handed to its tick, in which the editor runs on it.
    void Frame() {
        input->UpdateFrame(16.0f);
        input->BeginTick();
        editor.Update(16.0f);
    }

    static Tweak::Entry* EntryOf(const std::string& bar, const std::string& entry) {
        auto* found = reinterpret_cast<Tweak::Bar*>(TwGetBarByName(bar.c_str()));
        return found != nullptr ? found->Entries().Find(entry) : nullptr;
    }

    ZELMTest::ProblemCapture problems;
    ZELM::DynamicCaller caller;
    LevelEditorService editor;
    MapStandIn map;
    std::unique_ptr<Input::InputService> input;
    fs::path scriptFile =
        fs::temp_directory_path() / ("fallward-editor-" + std::to_string(::getpid()) + ".txt");
};

TEST_F(LevelEditorServiceTest, TheBackquoteGoesThroughEditorTileAndPlayWithTheirStatus) {
    Start("2 text `\n3 text `\n4 text `\n");
    EXPECT_EQ(editor.GetMode(), LevelEditorService::kPlay);
    const struct {
        int mode;
        const char* status;
        bool editorMode;
        bool keysToTheGame;  // in tile mode the arrows and W/A/S/D pan the view, not the player
    } steps[] = {{LevelEditorService::kEditor, "[EDITOR MODE]", true, false},
                 {LevelEditorService::kTile, "[TILE MODE]", false, false},
                 {LevelEditorService::kPlay, " ", false, true}};
    for (const auto& step : steps) {
        Frame();
        EXPECT_EQ(editor.GetMode(), step.mode);
        EXPECT_EQ(editor.GetStatus(), step.status);
        EXPECT_EQ(caller.Call<bool>("GetEditorMode"), step.editorMode);
        EXPECT_EQ(caller.Call<bool>("EditorBlockingInput"), !step.keysToTheGame) << step.status;
    }
    EXPECT_EQ(problems.Count(), 0u);
}

TEST_F(LevelEditorServiceTest, TileKeysNameTheTileTheyPaintOnTheStatusLineAndInTheConsole) {
    const struct {
        const char* key;
        int id;
        const char* name;
    } keys[] = {{"1", 1, "block"},          {"3", 3, "blue"},
                {"5", 5, "checkpoint"},     {"6", 6, "red"},
                {"7", 7, "slippery"},       {"F1", 11, "gravity left"},
                {"F4", 14, "gravity down"}, {"F6", 16, "tutorial: checkpoints"},
                {"F10", 20, "goal"}};
    std::string script = "2 text `\n3 text `\n";
    int frame = 4;
    for (const auto& key : keys) {
        script += std::to_string(frame++) + " down " + key.key + "\n";
    }
    Start(script);
    Frame();
    Frame();
    for (const auto& key : keys) {
        Frame();
        EXPECT_EQ(editor.GetSelection(), key.id) << key.key;
        EXPECT_EQ(editor.GetStatus(), "[TILE MODE] " + std::to_string(key.id) + ": " + key.name);
        EXPECT_EQ(editor.GetConsole().GetLines()[6], std::string(key.name) + " selected!");
    }
}

TEST_F(LevelEditorServiceTest, SelectionKeysPickTilesAndCharactersAndSayWhat) {
    // Tile mode: a number key and a function key in one frame, the function key wins; then editor mode.
    // F5 alone starts a play-test: tile 15 is Shift+F5.
    Start("2 text `\n3 text `\n4 down 3\n4 down LSHIFT\n4 down F5\n6 text `\n7 text `\n8 down 1\n");
    Frame();
    Frame();
    Frame();
    EXPECT_EQ(editor.GetSelection(), 15);
    Frame();
    Frame();
    Frame();
    EXPECT_EQ(editor.GetMode(), LevelEditorService::kEditor);
    Frame();
    EXPECT_EQ(editor.GetSelection(), 1) << "every mode starts at nothing, then 1 is picked";
    EXPECT_EQ(editor.GetConsole().GetLines()[6], "Gravity/Phaser character selected!");
}

TEST_F(LevelEditorServiceTest, ClicksPaintAndEraseTheCellUnderTheMouseTruncatedTowardZero) {
    Start("2 text `\n3 text `\n4 down 2\n5 click left\n6 click right\n7 down LCTRL\n8 down S\n");
    Frame();
    Frame();
    map.mouseX = -0.5f;
    map.mouseY = 3.75f;
    Frame();
    Frame();
    ASSERT_EQ(map.painted.size(), 1u);
    EXPECT_EQ(map.painted[0], std::make_tuple(0u, 3u, static_cast<unsigned char>(2)));
    Frame();
    ASSERT_EQ(map.painted.size(), 2u);
    EXPECT_EQ(map.painted[1], std::make_tuple(0u, 3u, static_cast<unsigned char>(0)));
    Frame();
    EXPECT_EQ(map.saves, 0);
    Frame();
    EXPECT_EQ(map.saves, 1) << "Ctrl+S saves the tile map";
}

TEST_F(LevelEditorServiceTest, TheConsoleRunsLuaClearsAndRecallsItsHistory) {
    Start("");
    LevelEditor::EditorConsole& console = editor.GetConsole();
    console.RunCommand("editorTestValue = 6 * 7");
    console.RunCommand("this is not lua");
    lua_State* L = ZELM::LuaState::Get();
    lua_getglobal(L, "editorTestValue");
    EXPECT_EQ(lua_tonumber(L, -1), 42.0);
    lua_pop(L, 1);
    EXPECT_EQ(lua_gettop(L), 0) << "no results are left behind";
    const auto& lines = console.GetLines();
    EXPECT_EQ(lines[4], "> editorTestValue = 6 * 7");
    EXPECT_EQ(lines[5], "> this is not lua") << "a command that does not compile is still echoed";
    EXPECT_NE(lines[6].find("console"), std::string::npos) << "followed by why: " << lines[6];

    EXPECT_EQ(console.Recall(-1), "this is not lua");
    EXPECT_EQ(console.Recall(-1), "editorTestValue = 6 * 7");
    EXPECT_EQ(console.Recall(-1), "editorTestValue = 6 * 7");
    EXPECT_EQ(console.Recall(1), "this is not lua");
    EXPECT_EQ(console.Recall(1), "");

    console.RunCommand("clear");
    for (const std::string& line : lines) {
        EXPECT_EQ(line, " ");
    }
    lua_getglobal(L, "clear");
    EXPECT_TRUE(lua_isnil(L, -1)) << "clear is not sent to Lua";
    lua_pop(L, 1);
}

TEST_F(LevelEditorServiceTest, TheArrowsPutTheRecalledCommandInTheConsolesField) {
    Start("2 text ~\n3 down UP\n");
    Frame();
    editor.GetConsole().RunCommand("editorTestValue = 1");
    Tweak::Entry* field = EntryOf("Console", "InputVar");
    ASSERT_NE(field, nullptr);
    field->TakeFocusRequest();  // the field had the keyboard already
    Frame();
    EXPECT_EQ(editor.GetConsole().GetInput(), "editorTestValue = 1");
    EXPECT_TRUE(field->TakeFocusRequest()) << "the field starts again from the recalled command";
}

TEST_F(LevelEditorServiceTest, TheTildeShowsTheConsoleAndWhileItsFieldHasTheKeysTheGameHasNone) {
    Start("2 text ~\n2 down RIGHT\n3 down ESC\n4 text ~\n5 text ~\n");
    const auto rightReachesTheGame = [this] { return caller.Call<bool>("KeyDown", std::string("RIGHT")); };
    Frame();
    EXPECT_TRUE(editor.GetConsole().IsShown());
    EXPECT_TRUE(caller.Call<bool>("EditorBlockingInput"));
    EXPECT_FALSE(rightReachesTheGame()) << "typed into the console";
    Frame();
    EXPECT_TRUE(editor.GetConsole().IsEscaped());
    EXPECT_FALSE(caller.Call<bool>("EditorBlockingInput")) << "the game has the keys again";
    EXPECT_TRUE(rightReachesTheGame());
    Frame();
    EXPECT_TRUE(editor.GetConsole().IsShown()) << "'~' after Esc goes back to typing";
    EXPECT_FALSE(editor.GetConsole().IsEscaped());
    EXPECT_FALSE(rightReachesTheGame());
    Frame();
    EXPECT_FALSE(editor.GetConsole().IsShown());
    EXPECT_TRUE(rightReachesTheGame());
}

TEST_F(LevelEditorServiceTest, AClickOnThePaletteSelectsItsTileAndMarksIt) {
    Start("2 text `\n3 text `\n");
    Frame();
    Frame();
    Tweak::Entry* goal = EntryOf("TilePalette", "Tile20");
    ASSERT_NE(goal, nullptr) << "tile mode shows the palette";
    EXPECT_TRUE(goal->Press());
    EXPECT_EQ(editor.GetSelection(), 20);
    EXPECT_EQ(editor.GetStatus(), "[TILE MODE] 20: goal");
    EXPECT_EQ(goal->GetSettings().label.rfind("> ", 0), 0u) << goal->GetSettings().label;
    EXPECT_NE(EntryOf("TilePalette", "Tile5")->GetSettings().label.rfind("> ", 0), 0u)
        << "one tile is marked";
}

TEST_F(LevelEditorServiceTest, TheWheelZoomsWithinBoundsAndAMiddleDragCarriesTheView) {
    using LevelEditor::EditorView;
    Start("2 text `\n3 wheel 30\n4 wheel -60\n");
    const LevelEditor::EditorView& view = editor.GetView();
    Frame();
    Frame();
    EXPECT_FLOAT_EQ(view.GetDistance(), EditorView::kNearest);
    Frame();
    EXPECT_FLOAT_EQ(view.GetDistance(), EditorView::kFarthest);

    // The middle button takes hold of the level at x 5 and the mouse moves to x 3: the view moves
    // 2 right, so x 5 is under the mouse again.
    const float before = view.GetX();
    map.middle = true;
    map.mouseX = 5.0f;
    Frame();
    map.mouseX = 3.0f;
    Frame();
    EXPECT_FLOAT_EQ(view.GetX(), before + 2.0f);
    EXPECT_EQ(map.held, std::make_tuple(view.GetX(), view.GetY(), EditorView::kFarthest))
        << "the camera is told";
}

}  // namespace

// The menus, over a real entity table and the game's archetypes.
class EntityMenuTest : public LevelEditorServiceTest {
protected:
    EntityMenuTest() {
        // A running "Logic" service, so the archetypes' bodies can join it.
        services.push_back(std::make_unique<MapStandIn>());
        services.back()->SetServiceName("Logic");
        ZELM::ComponentRegistry::Instance().SetServices(&services);
        ZELM::ComponentRegistry::Instance().SetEntities(&entities);
        ZELM::ComponentRegistry::Instance().Register<ZELM::Physical>("Logic", "Physical");
        ZELM::ArchetypeTable::Instance().LoadDirectory(FALLWARD_ARCHETYPES);
    }
    ~EntityMenuTest() override {
        entities.DestroyAllEntities();
        ZELM::DelayedCallQueue::DestroyInstance();
        ZELM::ArchetypeTable::DestroyInstance();
    }
    // The ends of frames: queued calls run, and so do the calls they queue.
    static void RunQueued() {
        for (int frame = 0; frame < 4 && ZELM::DelayedCallQueue::Instance().Size() > 0; ++frame) {
            ZELM::DelayedCallQueue::Instance().Advance(0.0f);
        }
    }

    std::vector<std::unique_ptr<ZELM::Service>> services;
    ZELM::EntityController entities;
};

TEST_F(EntityMenuTest, AClickMakesOneEmptyEntityAndCtrlClickPlacesABoxWithTheNextNumber) {
    entities.Create("Untitled1");  // a name already in use is skipped
    Start("2 text `\n3 mouse 120 80\n3 click left\n4 down LCTRL\n5 click left\n");
    Frame();
    Frame();
    ASSERT_TRUE(entities.Get("Untitled0").IsAlive());
    EXPECT_EQ(entities.Size(), 2u) << "the click made exactly one entity";
    auto* menu = dynamic_cast<LevelEditor::EntityMenu*>(
        entities.Get("Untitled0").Resolve()->GetComponent("EntityMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetX(), 120);
    EXPECT_EQ(menu->GetY(), 80);
    map.mouseX = 4.5f;
    map.mouseY = 2.5f;
    Frame();
    Frame();
    ZELM::EntityHandle box = entities.Get("Untitled2");
    ASSERT_TRUE(box.IsAlive()) << "Ctrl+click placed the next number only";
    EXPECT_EQ(entities.Size(), 3u);
    EXPECT_EQ(box.Resolve()->GetArchetypeName(), "block");
    EXPECT_FLOAT_EQ(box.Resolve()->Call<float>("GetX"), 4.5f);
    EXPECT_NE(box.Resolve()->GetComponent("EntityMenu"), nullptr);
}

TEST_F(EntityMenuTest, TheMenuAddsActivatesRemovesAndKeepsItsPlace) {
    Start("");
    ZELM::EntityHandle entity = entities.Create("Crate");
    auto* menu = LevelEditor::EntityMenu::Attach(entity);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(EntryOf("Crate", "ACEntityMenu"), nullptr) << "the editor's own components are not offered";

    // Created, the component shows its properties but does not run until activated.
    ASSERT_NE(EntryOf("Crate", "ACPhysical"), nullptr);
    EntryOf("Crate", "ACPhysical")->Press();
    RunQueued();
    ZELM::Component* physical = entity.Resolve()->GetComponent("Physical");
    ASSERT_NE(physical, nullptr);
    EXPECT_FALSE(physical->IsInService());
    ASSERT_NE(EntryOf("Crate", "PhysicalActivate"), nullptr);
    EntryOf("Crate", "PhysicalPropx")->ApplyEdit(Tweak::TweakValue(3.5f));
    EXPECT_FLOAT_EQ(entity.Resolve()->Call<float>("GetX"), 3.5f)
        << "a property edited in the bar is the component's";
    EntryOf("Crate", "PhysicalActivate")->Press();
    RunQueued();
    EXPECT_TRUE(physical->IsInService());
    EXPECT_EQ(EntryOf("Crate", "PhysicalActivate"), nullptr) << "the rebuilt menu has no Activate any more";

    // The designer moves the bar; the rebuild keeps the place.
    TwDefine(" Crate position='300 40' ");
    entity.Resolve()->Call("UpdateEntityMenu");
    EXPECT_EQ(menu->GetX(), 300);
    EXPECT_EQ(menu->GetY(), 40);

    entity.Resolve()->SetArchetypeName("block");
    EntryOf("Crate", "PhysicalRemove")->Press();
    RunQueued();
    EXPECT_EQ(entity.Resolve()->GetComponent("Physical"), nullptr);
    EXPECT_EQ(entity.Resolve()->GetArchetypeName(), "Not Set");
}

TEST_F(EntityMenuTest, AnArchetypeNameThatWouldLeaveItsDirectoryIsRefused) {
    Start("");
    ZELM::EntityHandle entity = entities.Create("../escape");
    LevelEditor::EntityMenu::Attach(entity);
    EntryOf("../escape", "SaveArchetype")->Press();
    EXPECT_NE(editor.GetConsole().GetLines()[6].find("cannot be named"), std::string::npos);
}

TEST_F(LevelEditorServiceTest, ThePickerListsLevelsKeepsNamesInTheirDirectoryAndNeverReplacesUnasked) {
    const fs::path levels = fs::temp_directory_path() / ("fallward-picker-" + std::to_string(::getpid()));
    fs::create_directories(levels);
    std::ofstream(levels / "Beta.xml") << "<Level/>";
    std::ofstream(levels / "Alpha.xml") << "<Level/>";
    std::ofstream(levels / "notes.txt") << "";
    bool answer = false;
    int asked = 0;
    std::vector<std::string> said;
    LevelEditor::LevelFilePicker picker(
        levels.string() + "/", {levels.string() + "/"},
        [&](const std::string&, const std::string&) { return ++asked, answer; },
        [&](const std::string& text) { said.push_back(text); });
    EXPECT_EQ(picker.ListLevels(), (std::vector<std::string>{"Alpha", "Beta"}));

    std::string chosen;
    auto choose = [&](LevelEditor::LevelFilePicker::Purpose purpose, const std::string& name) {
        chosen.clear();
        picker.Show(
            purpose, [&](const std::string& path) { chosen = path; }, nullptr);
        picker.Choose(name);
        return chosen;
    };
    using Purpose = LevelEditor::LevelFilePicker::Purpose;
    EXPECT_EQ(choose(Purpose::Save, "Gamma"), levels.string() + "/Gamma.xml") << "\".xml\" is added";
    EXPECT_EQ(choose(Purpose::Save, "odd.xml.bak"), levels.string() + "/odd.xml.bak") << "kept as typed";
    EXPECT_EQ(choose(Purpose::Save, "../Gamma"), "");
    EXPECT_EQ(choose(Purpose::Save, "sub/Gamma"), "");
    EXPECT_EQ(said.size(), 2u) << "both refusals say why";
    EXPECT_EQ(choose(Purpose::Save, "Alpha"), "") << "replacing needs a yes";
    EXPECT_EQ(asked, 1);
    answer = true;
    EXPECT_EQ(choose(Purpose::Save, "Alpha"), levels.string() + "/Alpha.xml");
    EXPECT_EQ(choose(Purpose::Open, "Beta"), levels.string() + "/Beta.xml");
    EXPECT_EQ(choose(Purpose::Open, "Missing"), "") << "only a level that is there opens";
    picker.Cancel();
    fs::remove_all(levels);
}

TEST_F(EntityMenuTest, MenusAreNotSavedWithTheLevel) {
    Start("");
    ZELM::EntityHandle entity = entities.Create("Crate");
    entity.Resolve()->AddComponent(ZELM::ComponentRegistry::Instance().Create("Logic", "Physical"));
    LevelEditor::EntityMenu::Attach(entity);
    ZELM::XmlWriter writer("", "Level");
    entity.Resolve()->Save(writer);
    TiXmlPrinter printer;
    writer.GetDocument().Accept(&printer);
    const std::string saved = printer.Str();
    EXPECT_NE(saved.find("Physical"), std::string::npos);
    EXPECT_EQ(saved.find("EntityMenu"), std::string::npos) << saved;
}

// What a model stands for in the editor: something drawn.
class ModelStandIn : public ZELM::Component {
public:
    void Bind() override { DynamicBinder::Bind("Draw", this, &ModelStandIn::Draw); }
    void Init() override {}
    void Update(float) override {}
    void Draw() {}
};

TEST_F(EntityMenuTest, ARightClickOnADrawnEntityOpensItsMenuBesideItInsideTheWindow) {
    // The mouse near the right edge: the menu goes to the left of the pointer.
    Start("2 text `\n3 mouse 780 300\n4 click right\n");
    ZELM::EntityHandle player = entities.Create("Player");
    player.Resolve()->AddComponent(ZELM::ComponentRegistry::Instance().Create("Logic", "Physical"));
    player.Resolve()->GetComponent("Physical")->Bind();
    auto* model = new ModelStandIn();
    player.Resolve()->AddComponent(model);
    model->Bind();
    player.Resolve()->CallAll("SetX", 2.0f);
    player.Resolve()->CallAll("SetY", 1.0f);
    LevelEditor::EntityMenu::Attach(player)->MenuVisible(false);
    map.mouseX = 2.3f;  // within the player's box, half a unit each way
    map.mouseY = 1.2f;
    Frame();
    Frame();
    Frame();
    TwBar* bar = TwGetBarByName("Player");
    ASSERT_NE(bar, nullptr);
    char visible[8] = {};
    char iconified[8] = {};
    TwGetParam(bar, nullptr, "visible", TW_PARAM_CSTRING, sizeof visible, visible);
    TwGetParam(bar, nullptr, "iconified", TW_PARAM_CSTRING, sizeof iconified, iconified);
    EXPECT_STREQ(visible, "true");
    EXPECT_STREQ(iconified, "false") << "the menu is open";
    int position[2] = {};
    int size[2] = {};
    TwGetParam(bar, nullptr, "position", TW_PARAM_INT32, 2, position);
    TwGetParam(bar, nullptr, "size", TW_PARAM_INT32, 2, size);
    EXPECT_LE(position[0] + size[0], 780) << "beside the pointer, not over it";
    EXPECT_GE(position[0], 0);
    EXPECT_GE(position[1], 0);
    EXPECT_LE(position[1] + size[1], 600) << "inside the window";
}

TEST_F(EntityMenuTest, ClosedMenusWaitInTheEntitiesListWhichOpensThem) {
    Start("2 text `\n");
    ZELM::EntityHandle crate = entities.Create("Crate");
    LevelEditor::EntityMenu* menu = LevelEditor::EntityMenu::Attach(crate);
    menu->MenuVisible(false);
    Frame();
    Frame();
    char visible[8] = {};
    TwGetParam(TwGetBarByName("Crate"), nullptr, "visible", TW_PARAM_CSTRING, sizeof visible, visible);
    EXPECT_STREQ(visible, "false") << "a closed menu leaves no folded title behind";
    Tweak::Entry* listed = EntryOf("Entities", "Open0");
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->GetSettings().label, "Crate");
    listed->Press();
    TwGetParam(TwGetBarByName("Crate"), nullptr, "visible", TW_PARAM_CSTRING, sizeof visible, visible);
    EXPECT_STREQ(visible, "true");
}

TEST_F(EntityMenuTest, APickedEntityThatHasGoneIsNeverFollowed) {
    Start("2 text `\n3 click right\n");
    Frame();
    ZELM::EntityHandle picked = entities.Create("Gone");
    LevelEditor::EntityMenu::Attach(picked);
    entities.RequestDestroy(picked);
    entities.FlushDying();
    Frame();
    caller.CallAll("ObjectPicked", picked);  // a pick announced after the entity went
    EXPECT_EQ(TwGetBarByName("Gone"), nullptr) << "the menu went with its entity";
}

namespace {

// The editor's file dialogs over a running engine, which they pause.
class FileDialogTest : public ZELMTest::EngineFixture {};

TEST_F(FileDialogTest, OpenAndSaveEachPauseTheGameUntilTheirPickerCloses) {
    MakeEngine({"a"});
    engine->Start();
    LevelEditorService editor;
    editor.Bind();
    editor.Init();
    const struct {
        void (LevelEditorService::*show)();
        const char* chosen;  // empty: cancelled
    } cases[] = {{&LevelEditorService::OpenLevel, ""},
                 {&LevelEditorService::SaveLevel, ""},
                 {&LevelEditorService::SaveLevel, "Saved"}};
    for (const auto& dialog : cases) {
        (editor.*dialog.show)();
        EXPECT_TRUE(engine->IsPaused()) << dialog.chosen;
        if (*dialog.chosen != '\0') {
            EXPECT_TRUE(editor.GetFilePicker()->Choose(dialog.chosen));
        } else {
            editor.GetFilePicker()->Cancel();
        }
        EXPECT_FALSE(engine->IsPaused()) << dialog.chosen;
    }
    EXPECT_TRUE(std::filesystem::exists(root / "MyLevels" / "Saved.xml")) << "saved among the player's own levels";
    TwTerminate();
}

}  // namespace

namespace {

// The level as a save would write it (its entities' XML and its tile map's file) and which
// components wait to be activated, which a save does not write.
struct SavedLevel {
    std::string entities;
    std::string tiles;
    std::string inactive;
    bool operator==(const SavedLevel& other) const {
        return entities == other.entities && tiles == other.tiles && inactive == other.inactive;
    }
};

class EditHistoryTest : public EntityMenuTest {
protected:
    SavedLevel Now() {
        SavedLevel level{ZELM::ContentPipeline::EntitiesText(), map.level.Serialize(), ""};
        struct Inactive : ZELM::IVisitor<ZELM::EntityHandle> {
            void Visit(ZELM::EntityHandle& handle) override {
                ZELM::Entity* entity = handle.Resolve();
                for (const char* type : {"Physical"}) {
                    ZELM::Component* component = entity->GetComponent(type);
                    if (component != nullptr && !component->IsInService()) {
                        names += entity->GetName() + "/" + type + " ";
                    }
                }
            }
            std::string names;
        } inactive;
        entities.VisitEntities(inactive);
        level.inactive = inactive.names;
        return level;
    }
    // The end of the frame the edit was made in, and the frames the history waits for more of it.
    void EndOfEdit() {
        RunQueued();
        entities.FlushDying();
        editor.GetHistory().FinishEdit();
    }
    void Press(const std::string& bar, const std::string& entry) {
        Tweak::Entry* found = EntryOf(bar, entry);
        ASSERT_NE(found, nullptr) << bar << "/" << entry;
        found->Press();
    }
    void Edit(const std::string& bar, const std::string& entry, const Tweak::TweakValue& value) {
        Tweak::Entry* found = EntryOf(bar, entry);
        ASSERT_NE(found, nullptr) << bar << "/" << entry;
        found->ApplyEdit(value);
    }
    void ClickOnNothing() {
        Windows::WindowsMessage click;
        click.message = Windows::Message::kLeftButtonDown;
        click.lParam = (80 << 16) | 120;
        editor.WindowsMessageHandler(click);
    }
};

TEST_F(EditHistoryTest, EveryEditIsUndoneAndRedoneToTheSameBytes) {
    map.level.Create(16, 8);
    Start("2 text `\n");
    Frame();
    ASSERT_EQ(editor.GetMode(), LevelEditorService::kEditor);
    LevelEditor::EntityMenu::Attach(entities.Create("Crate"));
    LevelEditor::EditHistory& history = editor.GetHistory();
    const struct {
        const char* said;
        std::function<void()> edit;
    } edits[] = {
        {"create Physical on Crate", [&] { Press("Crate", "ACPhysical"); }},
        {"activate Physical on Crate", [&] { Press("Crate", "PhysicalActivate"); }},
        {"set x of Crate", [&] { Edit("Crate", "PhysicalPropx", Tweak::TweakValue(3.5f)); }},
        {"rename Crate to Box", [&] { Edit("Crate", "EName", Tweak::TweakValue(std::string("Box"))); }},
        {"remove Physical from Box", [&] { Press("Box", "PhysicalRemove"); }},
        {"paint 3 tiles",
         [&] {
             for (unsigned x : {1u, 2u, 3u, 2u}) {
                 history.Paint(x, 1, 5);
             }
             history.EndStroke();
         }},
        {"create Untitled0", [&] { ClickOnNothing(); }},
        {"destroy Box", [&] { Press("Box", "DestroyEntity"); }},
        {"new 20 x 10 level", [&] { editor.MakeNewLevel(20, 10); }},
    };
    for (const auto& edit : edits) {
        const SavedLevel before = Now();
        const std::size_t steps = history.UndoCount();
        edit.edit();
        EndOfEdit();
        const SavedLevel after = Now();
        ASSERT_FALSE(after == before) << edit.said << " changed nothing";
        ASSERT_EQ(history.UndoCount(), steps + 1) << edit.said << " is one step";
        EXPECT_EQ(history.Undo(), std::string("undo: ") + edit.said);
        EXPECT_TRUE(Now() == before) << edit.said;
        EXPECT_EQ(history.Redo(), std::string("redo: ") + edit.said);
        EXPECT_TRUE(Now() == after) << edit.said;
    }
}

TEST_F(EditHistoryTest, ANewLevelHoldsOnlyItsScreenAndNoneOfTheOldLevelsScripts) {
    map.level.Create(16, 8);
    Start("");
    LevelEditor::EntityMenu::Attach(entities.Create("Crate"));
    caller.CallAll("SetLevelScripts", std::string("Level1"), std::string("Tutorial"), std::string());
    editor.MakeNewLevel(20, 10);
    EndOfEdit();
    const std::string level = ZELM::ContentPipeline::EntitiesText();
    EXPECT_EQ(level.find("Crate"), std::string::npos) << level;
    EXPECT_NE(level.find("<string>Screen</string>"), std::string::npos) << level;
    EXPECT_EQ(ZELM::Engine::Instance().GetLevelScripts()[0], "");
}

TEST_F(EditHistoryTest, TheHistoryKeepsTheNewestTwoHundredSteps) {
    map.level.Create(16, 8);
    Start("");
    LevelEditor::EditHistory& history = editor.GetHistory();
    for (unsigned step = 0; step < 250; ++step) {
        history.Paint(1, 1, static_cast<unsigned char>(1 + step % 2));
        history.EndStroke();
    }
    EXPECT_EQ(history.UndoCount(), 200u);
    for (int step = 0; step < 200; ++step) {
        ASSERT_EQ(history.Undo(), "undo: paint 1 tile");
    }
    EXPECT_EQ(history.Undo(), "");
    EXPECT_EQ(map.level.GetTileID(1, 1), 2) << "the 51st stroke's before: the 50th stroke's id";
}

TEST_F(LevelEditorServiceTest, TheNewLevelDialogTakesWholeSizesFromEightTo4096) {
    Start("");
    std::vector<std::pair<unsigned, unsigned>> made;
    LevelEditor::NewLevelDialog& dialog = *editor.GetNewLevelDialog();
    const struct {
        const char* width;
        const char* height;
        bool accepted;
    } sizes[] = {{"64", "32", true}, {"8", "4096", true},  {"7", "32", false},  {"64", "4097", false},
                 {"", "32", false},  {"6x4", "32", false}, {"-8", "32", false}, {"99999999999", "32", false}};
    for (const auto& size : sizes) {
        dialog.Show([&](unsigned width, unsigned height) { made.emplace_back(width, height); });
        EXPECT_EQ(dialog.Choose(size.width, size.height), size.accepted)
            << size.width << " x " << size.height;
        EXPECT_EQ(dialog.IsShown(), !size.accepted) << "a refused size keeps the dialog open";
        if (!size.accepted) {
            EXPECT_NE(editor.GetConsole().GetLines()[6].find("refused"), std::string::npos);
        }
    }
    EXPECT_EQ(made, (std::vector<std::pair<unsigned, unsigned>>{{64, 32}, {8, 4096}}));
    dialog.Cancel();
}

TEST(EntityPickerTest, TheRayPicksTheNearestBoxItEnters) {
    using Picker = LevelEditor::EntityPicker;
    const std::vector<Picker::Box> boxes = {
        {ZELM::EntityHandle(), {0.0f, 0.0f, -1.0f}, {1.0f, 1.0f, 0.0f}},  // in front of the level plane
        {ZELM::EntityHandle(), {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}},   // behind it
        {ZELM::EntityHandle(), {5.0f, 0.0f, 0.0f}, {6.0f, 1.0f, 1.0f}},
    };
    const struct {
        Picker::Ray ray;
        int expected;  // index into boxes, -1 for none
    } cases[] = {
        {{{0.5f, 0.5f, -10.0f}, {0.0f, 0.0f, 1.0f}}, 0},  {{{0.5f, 0.5f, 10.0f}, {0.0f, 0.0f, -1.0f}}, 1},
        {{{3.0f, 0.5f, -10.0f}, {0.0f, 0.0f, 1.0f}}, -1}, {{{5.5f, 0.5f, -10.0f}, {0.0f, 0.0f, 1.0f}}, 2},
        {{{-10.0f, 0.5f, 0.5f}, {1.0f, 0.0f, 0.0f}}, 1},  // along the plane: the first it reaches
    };
    for (const auto& test : cases) {
        const Picker::Box* hit = Picker::Nearest(test.ray, boxes);
        EXPECT_EQ(hit == nullptr ? -1 : static_cast<int>(hit - boxes.data()), test.expected)
            << test.ray.origin[0] << " " << test.ray.origin[2];
    }
}

}  // namespace
