// The screens: menus that wrap or clamp, their actions, the splash, the pause menu and its how-to page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/ArchetypeTable.h"
#include "engine/LevelMap.h"
#include "engine/XmlReader.h"
#include "logic/NotificationComponent.h"
#include "logic/PlayerMovement.h"
#include "logic/VariableGravityZone.h"
#include "logic/screens/CourseMenu.h"
#include "logic/screens/Level.h"
#include "logic/screens/LevelSelect.h"
#include "logic/screens/Options.h"
#include "logic/screens/PauseMenuLayout.h"
#include "logic/screens/SplashScreen.h"
#include "support/GameplayWorld.h"
#include "support/ProblemCapture.h"

namespace {

// A menu button as the screens see it: it is selected or not, and it has a label.
class ButtonStandIn : public ZELM::Component {
public:
    void Bind() override {
        ZELM::DynamicBinder::Bind("Select", this, &ButtonStandIn::Select);
        ZELM::DynamicBinder::Bind("SetText", this, &ButtonStandIn::SetText);
        ZELM::DynamicBinder::Bind("ContainsPoint", this, &ButtonStandIn::ContainsPoint);
    }
    void Init() override {}
    void Update(float) override {}
    void Select(bool value) { selected = value; }
    void SetText(std::string value) { text = value; }
    // Each stand-in covers a band 50 pixels high, from `top` down.
    bool ContainsPoint(int, int y) { return y >= top && y < top + 50; }
    bool selected = false;
    int top = -1000;
    std::string text;
};

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ZELM::ComponentRegistry::Instance().Register<ButtonStandIn>("Logic", "ButtonStandIn");
    }

    ButtonStandIn* AddButton(const std::string& name) {
        auto* button = world.AddComponentEntity<ButtonStandIn>(name, "ButtonStandIn");
        buttons.push_back(button);
        return button;
    }

    // One update of the screen with these keys pressed this frame, then the frame's delayed calls.
    void Press(ZELM::Component& screen, std::set<std::string> keys) {
        world.engine.triggeredKeys = std::move(keys);
        screen.Update(16.0f);
        world.engine.triggeredKeys.clear();
        ZELM::DelayedCallQueue::Instance().Advance(16.0f);
    }

    // The game makes the buttons it adds from the "button" archetype.
    static void UseButtonArchetype() {
        // One file per process: the tests of this suite run side by side.
        const std::string path =
            (std::filesystem::temp_directory_path() / ("fallward-button-" + std::to_string(::getpid()) + ".xml"))
                .string();
        std::ofstream(path) << "<?xml version=\"1.0\" ?>\n<Archetype>\n<Component><string>Logic</string>"
                               "<string>Physical</string></Component>\n<Component><string>Logic</string>"
                               "<string>ButtonStandIn</string></Component>\n</Archetype>\n";
        ZELM::ArchetypeTable::Instance().Replace("button", std::make_unique<ZELM::XmlReader>(path));
        std::filesystem::remove(path);
    }

    ButtonStandIn* MadeButton(const std::string& name) {
        ZELM::EntityHandle entity = world.entities.Get(name);
        return entity.IsAlive() ? static_cast<ButtonStandIn*>(entity.Resolve()->GetComponent("ButtonStandIn")) : nullptr;
    }

    int Selected() const {
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->selected) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    ZELMTest::GameplayWorld world;
    std::vector<ButtonStandIn*> buttons;
};

TEST_F(ScreenTest, MenusWrapAndEveryActionRunsInOrder) {
    const struct {
        const char* type;
        std::vector<std::string> buttons;
        std::vector<std::vector<std::string>> actions;  // per item: the calls and level changes, in order
    } menus[] = {
        {"MainMenu",
         {"play", "options", "credits", "quit"},
         {{"PlayButtonSelect", "GameMenu"}, {"PlayButtonSelect", "Options"}, {"PlayButtonSelect", "Credits"},
          {"PlayButtonSelect", "quit"}}},
        {"PlayGameMenu",
         {"adventure", "tattack", "race", "levels", "mylevels", "exitoptions"},
         {{"PlayButtonSelect", "PlayBGM 1", "next"},
          {"PlayButtonSelect", "Courses"},
          {"PlayButtonSelect", "Courses"},
          {"PlayButtonSelect", "LevelSelect"},
          {"PlayButtonSelect", "MyLevels"},
          {"PlayButtonSelect", "Menu"}}},
        {"Options",
         {"fstoggle", "restoggle", "vsynctoggle", "framelimit", "musicvolume", "effectsvolume", "ghosttoggle",
          "flashingtoggle", "gamespeed", "textsize", "controls", "exitoptions"},
         {{"PlayButtonSelect", "ToggleFullscreen"},
          {"PlayButtonSelect", "ToggleResolution"},
          {"PlayButtonSelect", "SetVsync off"},
          {"PlayButtonSelect"},
          {"PlayButtonSelect"},
          {"PlayButtonSelect"},
          {"PlayButtonSelect"},
          {"PlayButtonSelect"},
          {"PlayButtonSelect"},
          {"PlayButtonSelect"},
          {"PlayButtonSelect", "Controls"},
          {"PlayButtonSelect", "Menu"}}},
    };
    for (const auto& menu : menus) {
        for (std::size_t item = 0; item < menu.buttons.size(); ++item) {
            world.entities.DestroyAllEntities();
            buttons.clear();
            for (const std::string& name : menu.buttons) {
                AddButton(name);
            }
            auto* screen = world.AddComponentEntity<ZELM::Component>("Screen", menu.type);
            world.engine.calls.clear();
            world.engine.levelsAsked.clear();
            Press(*screen, {});
            EXPECT_EQ(Selected(), 0) << menu.type;
            Press(*screen, {"UP"});
            EXPECT_EQ(Selected(), static_cast<int>(menu.buttons.size()) - 1) << menu.type << ": wraps";
            Press(*screen, {"DOWN"});
            Press(*screen, {"UP", "DOWN"});
            EXPECT_EQ(Selected(), 0) << menu.type << ": up and down in one frame";
            for (std::size_t step = 0; step < item; ++step) {
                Press(*screen, {"DOWN"});
            }
            world.engine.calls.clear();
            Press(*screen, {"ENTER"});
            std::vector<std::string> happened = world.engine.calls;
            happened.insert(happened.end(), world.engine.levelsAsked.begin(), world.engine.levelsAsked.end());
            EXPECT_EQ(happened, menu.actions[item]) << menu.type << " item " << item;
        }
    }
    EXPECT_EQ(world.logic->GetWinType(), Logic::kRace) << "the race was picked last";
}

TEST_F(ScreenTest, EscGoesBackFromEverySubMenuAndDoesNothingInTheMainMenu) {
    const struct {
        const char* type;
        std::vector<std::string> levelsAsked;
    } menus[] = {{"MainMenu", {}},          {"PlayGameMenu", {"Menu"}},      {"Options", {"Menu"}},
                 {"CourseMenu", {"GameMenu"}}, {"MyLevelsMenu", {"GameMenu"}}, {"ImportMenu", {"MyLevels"}}};
    ZELMTest::ProblemCapture capture;  // no buttons: ESC needs none
    for (const auto& menu : menus) {
        auto* screen =
            world.AddComponentEntity<ZELM::Component>(std::string("Screen") + menu.type, menu.type);
        world.engine.levelsAsked.clear();
        world.engine.calls.clear();
        Press(*screen, {"DOWN"});
        Press(*screen, {"ESC"});
        EXPECT_EQ(world.engine.levelsAsked, menu.levelsAsked) << menu.type;
        EXPECT_EQ(world.engine.calls, std::vector<std::string>{}) << menu.type << ": nothing is confirmed";
    }
}

TEST_F(ScreenTest, EveryMenuStartsWithNoLevelsMapBehindIt) {
    ZELMTest::ProblemCapture capture;  // no buttons: only the start matters
    ZELM::LevelMap played;
    for (const char* type :
         {"MainMenu", "PlayGameMenu", "Options", "LevelSelect", "CourseMenu", "MyLevelsMenu", "ImportMenu"}) {
        world.engine.drawnMap = &played;  // a level's map still handed to the renderer
        world.AddComponentEntity<ZELM::Component>(std::string("Screen") + type, type);
        EXPECT_EQ(world.engine.drawnMap, nullptr) << type;
    }
}

TEST_F(ScreenTest, TheVsyncAndFrameLimitOptionsShowWhatTheyAreAndSayWhatTheySwitchedTo) {
    for (const char* name : {"fstoggle", "restoggle", "vsynctoggle", "framelimit", "musicvolume", "effectsvolume",
                             "ghosttoggle", "flashingtoggle", "gamespeed", "textsize", "controls", "exitoptions"}) {
        AddButton(name);
    }
    ButtonStandIn* vsync = buttons[2];
    ButtonStandIn* limit = buttons[3];
    auto* options = world.AddComponentEntity<Logic::Options>("Screen", "Options");
    EXPECT_EQ(vsync->text, "[vsync: on]");
    EXPECT_EQ(limit->text, "[frame limit: off]");
    for (int i = 0; i < 2; ++i) {
        Press(*options, {"DOWN"});  // from the first item to vsync
    }
    const struct {
        const char* key;
        const char* vsync;
        const char* limit;
        const char* notice;
    } kSteps[] = {
        {"ENTER", "[vsync: off]", "[frame limit: off]", "vsync off"},
        {"ENTER", "[vsync: on]", "[frame limit: off]", "vsync on"},
        {"DOWN", "[vsync: on]", "[frame limit: off]", "vsync on"},
        {"RIGHT", "[vsync: on]", "[frame limit: 60]", "at most 60 frames a second"},
        {"ENTER", "[vsync: on]", "[frame limit: 120]", "at most 120 frames a second"},
        {"UP", "[vsync: on]", "[frame limit: 120]", "at most 120 frames a second"},
        {"ENTER", "[vsync: off]", "[frame limit: 120]", "vsync off"},
        {"DOWN", "[vsync: off]", "[frame limit: 120]", "vsync off"},
        {"LEFT", "[vsync: off]", "[frame limit: 60]", "at most 60 frames a second"},
        {"LEFT", "[vsync: off]", "[frame limit: off]", "no frame limit"},
        {"LEFT", "[vsync: off]", "[frame limit: 240]", "at most 240 frames a second"},
        {"RIGHT", "[vsync: off]", "[frame limit: off]", "no frame limit"},
        {"ENTER", "[vsync: off]", "[frame limit: 60]", "at most 60 frames a second"},
    };
    for (const auto& step : kSteps) {
        Press(*options, {step.key});
        EXPECT_EQ(vsync->text, step.vsync) << step.key << " then " << step.notice;
        EXPECT_EQ(limit->text, step.limit) << step.key << " then " << step.notice;
        EXPECT_EQ(options->GetNotice(), step.notice) << step.key;
    }
    EXPECT_EQ(world.logic->GetFrameRateLimit(), 60);
    EXPECT_EQ(world.engine.Count("SetVsync off"), 2);
    EXPECT_EQ(world.engine.Count("SetVsync on"), 1);

    world.engine.displayWaits = false;
    Press(*options, {"UP"});
    Press(*options, {"ENTER"});
    EXPECT_EQ(vsync->text, "[vsync: on]") << "the player's choice stands";
    EXPECT_EQ(options->GetNotice(), "no vsync on this display");
}

TEST_F(ScreenTest, TheFlashingAndGameSpeedOptionsShowWhatTheyAreAndStepWithinHalfToFullSpeed) {
    for (const char* name : {"fstoggle", "restoggle", "vsynctoggle", "framelimit", "musicvolume", "effectsvolume",
                             "ghosttoggle", "flashingtoggle", "gamespeed", "textsize", "controls", "exitoptions"}) {
        AddButton(name);
    }
    ButtonStandIn* flashing = buttons[7];
    ButtonStandIn* speed = buttons[8];
    auto* options = world.AddComponentEntity<Logic::Options>("Screen", "Options");
    EXPECT_EQ(flashing->text, "[flashing: full]");
    EXPECT_EQ(speed->text, "[game speed: 100%]");
    const struct {
        const char* key;
        const char* flashing;
        const char* speed;
    } kSteps[] = {
        {"UP", "[flashing: full]", "[game speed: 100%]"},  // round from the first item to the last
        {"UP", "[flashing: full]", "[game speed: 100%]"},
        {"UP", "[flashing: full]", "[game speed: 100%]"},
        {"UP", "[flashing: full]", "[game speed: 100%]"},
        {"UP", "[flashing: full]", "[game speed: 100%]"},
        {"ENTER", "[flashing: reduced]", "[game speed: 100%]"},
        {"DOWN", "[flashing: reduced]", "[game speed: 100%]"},
        {"ENTER", "[flashing: reduced]", "[game speed: 90%]"},
        {"RIGHT", "[flashing: reduced]", "[game speed: 100%]"},
        {"RIGHT", "[flashing: reduced]", "[game speed: 100%]"},
        {"LEFT", "[flashing: reduced]", "[game speed: 90%]"},
        {"LEFT", "[flashing: reduced]", "[game speed: 80%]"},
        {"LEFT", "[flashing: reduced]", "[game speed: 70%]"},
        {"LEFT", "[flashing: reduced]", "[game speed: 60%]"},
        {"LEFT", "[flashing: reduced]", "[game speed: 50%]"},
        {"LEFT", "[flashing: reduced]", "[game speed: 50%]"},
        {"ENTER", "[flashing: reduced]", "[game speed: 100%]"},
        {"LEFT", "[flashing: reduced]", "[game speed: 90%]"},
    };
    for (const auto& step : kSteps) {
        Press(*options, {step.key});
        EXPECT_EQ(flashing->text, step.flashing) << step.key;
        EXPECT_EQ(speed->text, step.speed) << step.key;
    }
    EXPECT_TRUE(world.logic->IsFlashingReduced());
    EXPECT_EQ(world.logic->GetGameSpeedPercent(), 90);
}

class CourseMenuTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        UseButtonArchetype();
    }
    void TearDown() override { ZELM::ArchetypeTable::DestroyInstance(); }
};

TEST_F(CourseMenuTest, EachModeOffersItsCoursesAndStartsTheChosenOneInThatMode) {
    const struct {
        int mode;
        std::vector<std::string> texts;
        std::vector<std::vector<std::string>> actions;  // per item, "[back]" last
    } modes[] = {
        {Logic::kTimeAttack,
         {"[short: no time yet]", "[medium: no time yet]", "[long: no time yet]"},
         {{"PlayButtonSelect", "PlayBGM 2", "TimeAttack"},
          {"PlayButtonSelect", "PlayBGM 2", "TimeAttack2"},
          {"PlayButtonSelect", "PlayBGM 2", "TimeAttack3"},
          {"PlayButtonSelect", "GameMenu"}}},
        {Logic::kRace,
         {"[course 1: no time yet]", "[course 2: no time yet]"},
         {{"PlayButtonSelect", "SetRaceCourse multiplayer", "SetAllowCommunication", "PlayBGM 3", "multiplayer"},
          {"PlayButtonSelect", "SetRaceCourse multiplayer2", "SetAllowCommunication", "PlayBGM 3", "multiplayer2"},
          {"PlayButtonSelect", "GameMenu"}}},
    };
    for (const auto& mode : modes) {
        for (std::size_t item = 0; item < mode.actions.size(); ++item) {
            world.entities.DestroyAllEntities();
            world.entities.FlushDying();
            buttons.clear();
            AddButton("exitoptions");
            world.logic->SetWinType(mode.mode);
            auto* screen = world.AddComponentEntity<Logic::CourseMenu>("Screen", "CourseMenu");
            for (std::size_t i = 0; i < mode.texts.size(); ++i) {
                ButtonStandIn* button = MadeButton("course" + std::to_string(i));
                ASSERT_NE(button, nullptr) << mode.mode << " " << i;
                EXPECT_EQ(button->text, mode.texts[i]);
            }
            EXPECT_EQ(MadeButton("course" + std::to_string(mode.texts.size())), nullptr) << "no more courses";
            for (std::size_t step = 0; step < item; ++step) {
                Press(*screen, {"DOWN"});
            }
            const std::string notice = static_cast<Logic::CourseMenu*>(screen)->GetNotice();
            EXPECT_EQ(notice.rfind("target ", 0) == 0, item < mode.texts.size()) << notice;
            world.engine.calls.clear();
            world.engine.levelsAsked.clear();
            Press(*screen, {"ENTER"});
            std::vector<std::string> happened = world.engine.calls;
            happened.insert(happened.end(), world.engine.levelsAsked.begin(), world.engine.levelsAsked.end());
            EXPECT_EQ(happened, mode.actions[item]) << mode.mode << " item " << item;
            EXPECT_EQ(world.logic->GetWinType(), mode.mode);
        }
    }
}

TEST_F(ScreenTest, TheMouseSelectsTheButtonItMovesOntoAndAClickConfirmsIt) {
    int top = 100;
    for (const char* name : {"play", "options", "credits", "quit"}) {
        AddButton(name)->top = top;
        top += 100;
    }
    auto* screen = world.AddComponentEntity<ZELM::Component>("Screen", "MainMenu");
    world.engine.mouseX = 400;
    world.engine.mouseY = 220;  // over "options" from the start
    Press(*screen, {});
    EXPECT_EQ(Selected(), 0) << "a mouse that has not moved leaves the selection to the keys";
    world.engine.mouseY = 320;
    Press(*screen, {});
    EXPECT_EQ(Selected(), 2) << "moved onto credits";
    Press(*screen, {"UP"});
    EXPECT_EQ(Selected(), 1) << "the keys still move the selection while the mouse rests";
    world.engine.mouseY = 360;  // moved off every button
    world.engine.leftClicked = true;
    Press(*screen, {});
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(world.engine.levelsAsked.empty()) << "a click beside the buttons confirms nothing";
    world.engine.mouseY = 420;
    Press(*screen, {});
    world.engine.leftClicked = false;
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"quit"}) << "a click on quit confirms it";
}

TEST_F(ScreenTest, AMissingButtonIsReportedOnceAndNotFollowed) {
    ZELMTest::ProblemCapture capture;
    AddButton("play");
    auto* screen = world.AddComponentEntity<ZELM::Component>("Screen", "MainMenu");
    EXPECT_EQ(capture.Count(), 3u) << "options, credits and quit";
    Press(*screen, {"DOWN"});
    Press(*screen, {"ENTER"});
    EXPECT_EQ(capture.Count(), 3u);
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"Options"});
}

TEST_F(ScreenTest, AButtonDestroyedAfterTheMenuFoundItIsSkipped) {
    AddButton("play");
    AddButton("options");
    ButtonStandIn* credits = AddButton("credits");
    AddButton("quit");
    auto* screen = world.AddComponentEntity<ZELM::Component>("Screen", "MainMenu");
    world.entities.RequestDestroy(world.entities.Get("options"));
    world.entities.FlushDying();
    buttons.clear();  // one of them is freed now

    ZELMTest::ProblemCapture capture;
    Press(*screen, {"DOWN"});
    Press(*screen, {"DOWN"});
    EXPECT_TRUE(credits->selected) << "the live buttons still follow the selection";
}

TEST_F(ScreenTest, TheSplashSaysAnyPressSkipsItAndEachKindDoes) {
    const struct {
        const char* what;
        std::set<std::string> keys;
        bool click;
        bool padButton;
        std::vector<std::string> asked;
    } kPresses[] = {
        {"nothing", {}, false, false, {}},           {"SPACE", {"SPACE"}, false, false, {"Menu"}},
        {"ESC", {"ESC"}, false, false, {"Menu"}},    {"a click", {}, true, false, {"Menu"}},
        {"a pad button", {}, false, true, {"Menu"}},
    };
    for (const auto& press : kPresses) {
        world.engine.levelsAsked.clear();
        auto* splash = world.AddComponentEntity<Logic::SplashScreen>(std::string("Splash ") + press.what,
                                                                     "SplashScreen");
        splash->Init();
        world.engine.leftClicked = press.click;
        world.engine.padButtonPressed = press.padButton;
        Press(*splash, press.keys);
        world.engine.leftClicked = false;
        world.engine.padButtonPressed = false;
        EXPECT_EQ(world.engine.levelsAsked, press.asked) << press.what;
        EXPECT_EQ(splash->GetPrompt(), "Press any key");
    }
}

TEST_F(ScreenTest, TheSplashWaitsSixSecondsOrEnter) {
    auto* splash = world.AddComponentEntity<ZELM::Component>("Screen", "SplashScreen");
    splash->Update(6000.0f);
    ZELM::DelayedCallQueue::Instance().Advance(0.0f);
    EXPECT_TRUE(world.engine.levelsAsked.empty());
    splash->Update(1.0f);
    ZELM::DelayedCallQueue::Instance().Advance(0.0f);
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"next"});

    world.engine.levelsAsked.clear();
    auto* second = world.AddComponentEntity<ZELM::Component>("Second", "SplashScreen");
    Press(*second, {"ENTER"});
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"Menu"});

    world.engine.levelsAsked.clear();
    auto* result = world.AddComponentEntity<ZELM::Component>("Result", "WinScreen");
    Press(*result, {});
    Press(*result, {"ESC"});
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"Menu"});
}

class PauseMenuTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        UseButtonArchetype();
        world.Map(10, 10);
        world.AddPlayer(3.0f, 3.0f);
        world.Movement()->SetInstructions("Find the goal!");
        level = world.AddComponentEntity<Logic::Level>("Screen", "Level");
    }
    void TearDown() override { ZELM::ArchetypeTable::DestroyInstance(); }

    // The screen's update and the frame's end: the delayed calls, then the entities asked to go.
    void Frame(std::set<std::string> keys) {
        Press(*level, std::move(keys));
        world.entities.FlushDying();
    }

    ButtonStandIn* PauseButton(const std::string& name) { return MadeButton(name); }

    const std::string& Instructions() { return world.Movement()->GetInstructions()->text; }

    Logic::Level* level = nullptr;
};

TEST_F(PauseMenuTest, TheDisplayTogglesSayWhatTheySwitchedToUntilThePauseCloses) {
    ZELMTest::ProblemCapture capture;
    Frame({"ESC"});
    EXPECT_EQ(level->GetNotice(), " ");
    for (int i = 0; i < 4; ++i) {
        Frame({"UP"});  // from "return to game" to "toggle fullscreen"
    }
    Frame({"ENTER"});
    EXPECT_EQ(level->GetNotice(), "windowed") << "no graphics service: nothing to switch to";
    Frame({"DOWN"});
    Frame({"ENTER"});
    EXPECT_EQ(level->GetNotice(), "800 x 600");
    Frame({"ESC"});
    EXPECT_EQ(level->GetNotice(), " ");
}

TEST_F(PauseMenuTest, EscPausesAndTheHowToPageComesAndGoes) {
    ZELMTest::ProblemCapture capture;
    Frame({"ESC"});
    EXPECT_TRUE(level->IsPaused());
    EXPECT_EQ(world.engine.Count("ToggleBGM on"), 1);
    EXPECT_EQ(world.logic->GetStatusText()->text, "[paused]");
    EXPECT_EQ(Instructions(), " ");
    const struct {
        const char* name;
        const char* text;
    } expected[] = {{"pauseHT", "[how to]"},           {"pauseFS", "[toggle fullscreen]"},
                    {"pauseR", "[toggle resolution]"}, {"pauseRL", "[restart level]"},
                    {"pauseRTMM", "[return to main menu]"}, {"pauseRTG", "[return to game]"},
                    {"pauseQ", "[quit]"}};
    for (int i = 0; i < Logic::PauseMenuLayout::kItems; ++i) {
        const auto& button = expected[i];
        ASSERT_NE(PauseButton(button.name), nullptr) << button.name;
        EXPECT_EQ(PauseButton(button.name)->text, button.text);
        EXPECT_EQ(world.entities.Get(button.name).Resolve()->Call<float>("GetY"), Logic::PauseMenuLayout::ItemY(i));
    }

    for (int i = 0; i < 5; ++i) {
        Frame({"UP"});
    }
    EXPECT_EQ(level->GetSelection(), 0) << "the pause menu clamps";
    Frame({"ENTER"});
    EXPECT_TRUE(level->IsShowingHowTo());
    EXPECT_EQ(world.engine.Count("SetAllowCommunication"), 0) << "only the race level talks to the network";
    EXPECT_EQ(Instructions(), " ") << "the page stands in its own lines";
    std::string page;
    for (const std::string& line : world.logic->GetHowToPage().GetLines()) {
        page += line + "\n";
    }
    // Every kind of block and thing a level holds is on the page.
    for (const char* topic :
         {"arrow keys", "SPACE", "BLUE", "MAGENTA", "GREEN", "RED", "LIGHT BLUE", "YELLOW", "GRAVITY ZONES",
          "A and D", "W and S", "jumps", "POWER-UPS", "BOXES"}) {
        EXPECT_NE(page.find(topic), std::string::npos) << topic << " is missing from\n" << page;
    }
    EXPECT_EQ(world.logic->GetStatusText()->text, " ");
    EXPECT_EQ(PauseButton("pauseHT"), nullptr);

    Frame({"ESC"});
    EXPECT_FALSE(level->IsShowingHowTo());
    EXPECT_TRUE(level->IsPaused()) << "ESC on the how-to page goes back to the pause menu";
    EXPECT_EQ(world.engine.Count("PlayButtonHowTo"), 1);
    EXPECT_FALSE(world.logic->GetHowToPage().IsShown());
    EXPECT_EQ(world.logic->GetStatusText()->text, "[paused]");
    EXPECT_EQ(Instructions(), " ");
    ASSERT_NE(PauseButton("pauseQ"), nullptr);

    for (int i = 0; i < 7; ++i) {
        Frame({"DOWN"});
    }
    EXPECT_TRUE(PauseButton("pauseQ")->selected) << "down on the last item keeps [quit]";
    Frame({"UP"});
    Frame({"ENTER"});  // [return to game]
    EXPECT_FALSE(level->IsPaused());
    EXPECT_EQ(world.engine.Count("ToggleBGM off"), 1);
    EXPECT_EQ(Instructions(), "Find the goal!");
    EXPECT_EQ(world.logic->GetStatusText()->text, " ");
    EXPECT_EQ(PauseButton("pauseRTG"), nullptr);
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(PauseMenuTest, ReturningToTheMenuLeavesThePauseFirst) {
    Frame({"ESC"});
    Frame({"UP"});
    Frame({"ENTER"});
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"Menu"});
    EXPECT_EQ(world.engine.Count("ToggleBGM off"), 1) << "the music plays again";
    EXPECT_EQ(world.logic->GetStatusText()->text, " ");
}

TEST_F(PauseMenuTest, RestartStartsTheLevelOverExceptInARace) {
    const struct {
        const char* level;
        std::vector<std::string> asked;
        const char* notice;
    } cases[] = {{"Level19", {"Level19"}, " "}, {"TimeAttack2", {"TimeAttack2"}, " "},
                 {"multiplayer", {}, "A race cannot be restarted."}};
    for (const auto& c : cases) {
        world.engine.levelName = c.level;
        world.engine.levelsAsked.clear();
        world.engine.calls.clear();
        Frame({"ESC"});
        Frame({"UP"});
        Frame({"UP"});  // [restart level]
        Frame({"ENTER"});
        EXPECT_EQ(world.engine.levelsAsked, c.asked) << c.level;
        EXPECT_EQ(level->GetNotice(), c.notice) << c.level;
        EXPECT_EQ(world.engine.Count("ToggleBGM off"), c.asked.empty() ? 0 : 1) << c.level << ": the pause ends";
        if (level->IsPaused()) {
            Frame({"ESC"});
        }
        level->Init();  // the level the game would load next
    }
}

TEST_F(PauseMenuTest, QuitAsksOnceAndEscGoesBackToTheMenu) {
    Frame({"ESC"});
    Frame({"DOWN"});  // [quit]
    Frame({"ENTER"});
    EXPECT_EQ(level->GetNotice(), "Quit the game? ENTER: yes   ESC: no");
    EXPECT_TRUE(level->IsAskingToQuit());
    EXPECT_TRUE(world.engine.levelsAsked.empty()) << "[quit] alone does not quit";
    Frame({"UP"});
    EXPECT_TRUE(PauseButton("pauseQ")->selected) << "the question holds the keys";

    Frame({"ESC"});
    EXPECT_TRUE(level->IsPaused()) << "no: back to the pause menu, not to the game";
    EXPECT_FALSE(level->IsAskingToQuit());
    EXPECT_EQ(level->GetNotice(), " ");
    EXPECT_TRUE(world.engine.levelsAsked.empty());

    Frame({"ENTER"});  // [quit] is still selected: it asks again
    EXPECT_TRUE(world.engine.levelsAsked.empty());
    Frame({"ENTER"});
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"quit"});
}

TEST_F(PauseMenuTest, AfterATimeAttacksResultEscGoesToTheCoursesNotThePause) {
    auto* notice = world.AddComponentEntity<Logic::NotificationComponent>("Notice", "NotificationComponent");
    notice->OfferRetry("TimeAttack");
    world.engine.triggeredKeys = {"ESC"};
    notice->Update(16.0f);
    Frame({"ESC"});
    EXPECT_FALSE(level->IsPaused());
    EXPECT_EQ(world.engine.levelsAsked, std::vector<std::string>{"Courses"});
}

TEST_F(PauseMenuTest, EveryOpeningStartsOnReturnToGame) {
    for (int opening = 0; opening < 2; ++opening) {
        Frame({"ESC"});
        Frame({});
        ASSERT_NE(PauseButton("pauseRTG"), nullptr);
        EXPECT_TRUE(PauseButton("pauseRTG")->selected) << "opening " << opening;
        Frame({"DOWN"});
        EXPECT_TRUE(PauseButton("pauseQ")->selected);
        Frame({"ESC"});
    }
    Frame({"ESC"});
    Frame({"ENTER"});
    EXPECT_FALSE(level->IsPaused()) << "ENTER out of habit goes back to the game";
    EXPECT_TRUE(world.engine.levelsAsked.empty());
}

TEST_F(PauseMenuTest, LeavingTheWindowOpensThePauseMenuAsEscDoesOutsideARaceAndTheEditor) {
    ZELM::DynamicCaller window;  // what the window service broadcasts on
    window.SetName("Engine");
    const struct {
        const char* level;
        bool editing;
        bool pauses;
    } kCases[] = {{"Level19", false, true},
                  {"TimeAttack2", false, true},
                  {"multiplayer", false, false},
                  {"multiplayer2", false, false},
                  {"Level19", true, false}};
    for (const auto& c : kCases) {
        world.engine.levelName = c.level;
        world.engine.editorHasKeys = c.editing;
        world.engine.calls.clear();
        window.CallAll("WindowFocusChanged", false);
        Frame({});
        EXPECT_EQ(level->IsPaused(), c.pauses) << c.level;
        EXPECT_EQ(world.engine.Count("ToggleBGM on"), c.pauses ? 1 : 0) << c.level;
        window.CallAll("WindowFocusChanged", true);
        window.CallAll("WindowFocusChanged", false);
        Frame({});
        EXPECT_EQ(level->IsPaused(), c.pauses) << c.level << ": leaving again leaves the menu open";
        if (c.pauses) {
            EXPECT_EQ(world.logic->GetStatusText()->text, "[paused]") << c.level;
            ASSERT_NE(PauseButton("pauseRTG"), nullptr) << c.level;
            EXPECT_TRUE(PauseButton("pauseRTG")->selected) << c.level << ": opened on [return to game]";
            Frame({"ESC"});
            Frame({});
            EXPECT_FALSE(level->IsPaused()) << c.level << ": a loss answered once";
        }
    }

    world.engine.levelName = "Level19";
    world.engine.editorHasKeys = false;
    window.CallAll("WindowFocusChanged", false);
    window.CallAll("WindowFocusChanged", true);
    Frame({});
    EXPECT_FALSE(level->IsPaused()) << "the focus was back before the level saw it go";
}

TEST_F(PauseMenuTest, NoKeyReachesThePlayerOrTheZonesWhileTheMenuIsOpen) {
    auto* zone =
        static_cast<Logic::VariableGravityZone*>(ZELMTest::GameplayWorld::Create("VariableGravityZone"));
    Kestrin::PhysicsComponent* zoneBody = world.AddBox("Zone", 3.0f, 3.0f, 4.0f, 4.0f, 0.0f);
    ZELMTest::SetProperty(*zoneBody, "Ghost", true);
    ZELMTest::PhysicsWorld::Attach(zoneBody->GetOwner(), zone);
    ZELMTest::SetProperty(*zone, "Y Gravity Effect", -14.0f);
    ZELM::Entity& player = *world.entities.Get("Player").Resolve();

    float gravityX = 0.0f;
    float gravityY = 0.0f;
    // A frame as the engine runs it: every service, with dt 0 while paused; the keys are pressed
    // anew. While the menu is open, the player's gravity and solidity stay as they were.
    auto play = [&](std::set<std::string> keys) {
        const bool paused = level->IsPaused();
        world.engine.held = keys;
        world.engine.triggeredKeys = keys;
        world.Frame(paused ? 0.0f : 16.0f);
        world.entities.FlushDying();
        world.engine.held.clear();
        world.engine.triggeredKeys.clear();
        if (paused) {
            EXPECT_EQ(player.Call<float>("GetXGravity"), gravityX);
            EXPECT_EQ(player.Call<float>("GetYGravity"), gravityY);
            EXPECT_TRUE(player.Call<bool>("IsSolid")) << "SPACE does not phase";
        }
    };
    play({"ESC"});
    world.engine.calls.clear();
    gravityX = player.Call<float>("GetXGravity");
    gravityY = player.Call<float>("GetYGravity");
    const std::set<std::string> gameKeys[] = {
        {"UP", "W", "SPACE"}, {"DOWN", "S"}, {"LEFT", "A"}, {"RIGHT", "D"}};
    for (const auto& keys : gameKeys) {
        play(keys);  // the pause menu
    }
    for (int i = 0; i < 5; ++i) {
        play({"UP"});
    }
    play({"ENTER"});
    ASSERT_TRUE(level->IsShowingHowTo());
    for (const auto& keys : gameKeys) {
        play(keys);  // the how-to page
    }
    play({"ESC"});
    play({"ESC"});
    ASSERT_FALSE(level->IsPaused());
    EXPECT_EQ(zone->GetEffect().x, 0.0f);
    EXPECT_EQ(zone->GetEffect().y, -14.0f);
    for (const char* sound : {"PlayChangeGrav", "PlayChangeGrav2", "PlayJump"}) {
        EXPECT_EQ(world.engine.Count(sound), 0) << sound;
    }

    play({"UP"});
    EXPECT_GT(player.Call<float>("GetYGravity"), 0.0f) << "back in the game, the keys turn gravity again";
    EXPECT_GT(zone->GetEffect().y, 0.0f);
}

}  // namespace

namespace {

// Every level reached stays on a page a screen can hold: the page of six that holds the selection.
TEST(LevelSelectPage, TheLineUnderTheButtonsNamesThePagesWorld) {
    const struct {
        std::size_t selection;
        std::size_t count;
        const char* label;
    } kCases[] = {
        {0, 3, "World 1: turning gravity"},
        {2, 6, "World 1: turning gravity"},
        {6, 12, "World 2: phase walls (UP and DOWN turn the pages)"},
        {24, 24, "World 4: boxes and arrows (UP and DOWN turn the pages)"},  // "[back]" shows the last page
        {30, 36, "World 6 (UP and DOWN turn the pages)"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Logic::LevelSelect::WorldLabel(c.selection, c.count), c.label) << c.selection << " of " << c.count;
    }
}

TEST(LevelSelectPage, ThePageHoldsTheSelectionAndBackShowsTheLastPage) {
    struct Case {
        std::size_t selection, count, start;
    };
    for (const Case& c : {Case{0, 3, 0}, Case{2, 3, 0}, Case{3, 3, 0}, Case{5, 24, 0}, Case{6, 24, 6},
                          Case{23, 24, 18}, Case{24, 24, 18}, Case{12, 13, 12}, Case{0, 0, 0}}) {
        EXPECT_EQ(Logic::LevelSelect::PageStart(c.selection, c.count), c.start)
            << "selection " << c.selection << " of " << c.count;
    }
}

}  // namespace
