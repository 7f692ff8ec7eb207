// The window service's message pump and default handling, and the window itself on a display.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <SDL.h>

#include "support/EngineFixture.h"
#include "support/ProblemCapture.h"
#include "windows/EventTranslation.h"
#include "windows/WindowHandles.h"
#include "windows/WindowsService.h"

namespace {

using Windows::WindowsMessage;
namespace Message = Windows::Message;

// Stands in for the renderer, the editor and the game flow: presents nothing, watches the window's
// messages and focus, and takes the messages it is told to.
class ProbeService : public ZELM::Service {
public:
    void Bind() override {
        DynamicBinder::Bind("Present", this, &ProbeService::Present);
        DynamicBinder::Bind("NoTileInfo", this, &ProbeService::NoTileInfo);
        BindBroadcast("WindowsMessageHandler", this, &ProbeService::WindowsMessageHandler);
        BindBroadcast("LevelExit", this, &ProbeService::LevelExit);
        BindBroadcast("WindowFocusChanged", this, &ProbeService::WindowFocusChanged);
        DynamicBinder::Bind("ImportLevelFile", this, &ProbeService::ImportLevelFile);
    }
    void Init() override {}
    void Update(float) override {}

    void Present() {}
    void NoTileInfo() {}
    void WindowsMessageHandler(WindowsMessage message) {
        seen.push_back(message.message);
        if (message.message == take) {
            *message.handled = true;
        }
    }
    void LevelExit() { seen.push_back(kLevelExit); }
    void WindowFocusChanged(bool inFront) { focus.push_back(inFront); }
    std::string ImportLevelFile(std::string file) {
        imported.push_back(file);
        return importRefusal;
    }

    static constexpr std::uint32_t kLevelExit = 0xFFFF;
    std::vector<std::uint32_t> seen;
    std::vector<bool> focus;
    std::uint32_t take = 0xFFFFFFFF;
    std::vector<std::string> imported;
    std::string importRefusal;  // what the import says, "" for installed
};

void PushWindowEvent(Uint8 which, int data1 = 0, int data2 = 0) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = which;
    event.window.data1 = data1;
    event.window.data2 = data2;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

class WindowPumpTest : public ZELMTest::EngineFixture {
protected:
    void StartHeadless() {
        MakeEngine({"Start"});
        probe = new ProbeService();
        engine->AddService("Windows", new Windows::WindowsService(true));
        engine->AddService("Probe", probe);
        engine->Start();
    }

    ZELMTest::ProblemCapture problems;
    ProbeService* probe = nullptr;
};

TEST_F(WindowPumpTest, ClosingTheWindowEndsTheProgramAtTheEndOfTheFrameAfterLevelExit) {
    StartHeadless();
    engine->RunFrame();
    ASSERT_TRUE(engine->IsRunning());
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    engine->RunFrame();
    EXPECT_FALSE(engine->IsRunning());
    // The close, then the window's destruction, then the level's end from "Quit".
    const std::vector<std::uint32_t> expected = {Message::kClose, Message::kDestroy, ProbeService::kLevelExit};
    EXPECT_EQ(probe->seen, expected);
    EXPECT_EQ(problems.Count(), 0u);
}

TEST_F(WindowPumpTest, AMessageAHandlerTakesNeverReachesTheDefaultHandling) {
    StartHeadless();
    probe->take = Message::kClose;
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    engine->RunFrame();
    EXPECT_TRUE(engine->IsRunning());
    EXPECT_EQ(probe->seen, std::vector<std::uint32_t>{Message::kClose});

    // Untaken, the same close ends the program.
    probe->take = 0xFFFFFFFF;
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    engine->RunFrame();
    EXPECT_FALSE(engine->IsRunning());
    EXPECT_EQ(problems.Count(), 0u);
}

TEST_F(WindowPumpTest, AQuitRequestFromTheSystemEndsTheProgramAndAHeadlessRunHasNoWindow) {
    StartHeadless();
    EXPECT_EQ(Windows::windowHandle, nullptr);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    engine->RunFrame();
    EXPECT_FALSE(engine->IsRunning());
}

TEST_F(WindowPumpTest, AWindowOutOfSightIdlesAndTheGameIsToldOnceEachWay) {
    StartHeadless();
    const struct {
        const char* name;
        Uint8 event;
        bool idle;
        std::vector<bool> told;  // every "WindowFocusChanged" so far
    } kSteps[] = {
        {"the focus lost", SDL_WINDOWEVENT_FOCUS_LOST, true, {false}},
        {"minimised as well", SDL_WINDOWEVENT_MINIMIZED, true, {false}},
        {"the focus back while minimised", SDL_WINDOWEVENT_FOCUS_GAINED, true, {false}},
        {"restored", SDL_WINDOWEVENT_RESTORED, false, {false, true}},
        {"moved", SDL_WINDOWEVENT_MOVED, false, {false, true}},
        {"minimised", SDL_WINDOWEVENT_MINIMIZED, true, {false, true, false}},
        {"maximised", SDL_WINDOWEVENT_MAXIMIZED, false, {false, true, false, true}},
    };
    for (const auto& step : kSteps) {
        PushWindowEvent(step.event);
        engine->RunFrame();
        EXPECT_EQ(engine->GetPacer().IsIdle(), step.idle) << step.name;
        EXPECT_EQ(probe->focus, step.told) << step.name;
    }
    EXPECT_EQ(problems.Count(), 0u);
}

TEST_F(WindowPumpTest, ALevelFileDroppedOnTheWindowIsImportedAndTheListOfTheirLevelsShown) {
    StartHeadless();
    std::ofstream(ResourcePath("Levels/MyLevels.xml")) << "<?xml version=\"1.0\" ?>\n<Level />\n";
    const auto drop = [](const char* file) {
        SDL_Event event{};
        event.type = SDL_DROPFILE;
        event.drop.file = SDL_strdup(file);
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    };
    probe->importRefusal = "it holds 300 files; a level file holds at most 256";
    drop("/tmp/big.fwlevel");
    engine->RunFrame();
    EXPECT_EQ(engine->GetLevelName(), "Start") << "a refused file leaves the game where it was";
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_NE(problems.Last().text.find("/tmp/big.fwlevel"), std::string::npos) << problems.Last().text;
    EXPECT_NE(problems.Last().text.find("at most 256"), std::string::npos) << problems.Last().text;

    probe->importRefusal.clear();
    drop("/tmp/castle.fwlevel");
    engine->RunFrame();
    EXPECT_EQ(probe->imported, (std::vector<std::string>{"/tmp/big.fwlevel", "/tmp/castle.fwlevel"}));
    EXPECT_EQ(engine->GetLevelName(), "MyLevels");
    EXPECT_EQ(problems.Count(), 1u);
}

TEST(EventTranslation, KeysTextAndMouseBecomeTheMessagesTheHandlersRead) {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_ESCAPE;
    std::vector<WindowsMessage> messages = Windows::TranslateEvent(key, nullptr);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, Message::kKeyDown);
    EXPECT_EQ(messages[0].wParam, 0x1Bu);
    EXPECT_EQ(messages[1].message, Message::kChar);
    EXPECT_EQ(messages[1].wParam, 27u);
    EXPECT_EQ(messages[0].event, &key);

    key.key.keysym.sym = SDLK_UP;
    messages = Windows::TranslateEvent(key, nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, 0x26u);

    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    SDL_strlcpy(text.text.text, "`~\xE2\x82\xAC\xC3", sizeof(text.text.text));  // ends in a cut-off character
    messages = Windows::TranslateEvent(text, nullptr);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].wParam, 0x60u);
    EXPECT_EQ(messages[1].wParam, 0x7Eu);
    EXPECT_EQ(messages[2].wParam, 0x20ACu);

    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.x = 30;
    click.button.y = 40;
    messages = Windows::TranslateEvent(click, nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, Message::kLeftButtonDown);
    EXPECT_EQ(messages[0].lParam & 0xFFFF, 30);
    EXPECT_EQ((messages[0].lParam >> 16) & 0xFFFF, 40);
}

// Needs a display (the test runs under a virtual one when it is installed).
TEST(WindowOnDisplay, TheWindowHasAFixed800By600ClientAreaAndCanCarryOpenGL) {
    Windows::WindowsService service(false);
    service.Bind();
    if (service.GetWindow() == nullptr) {
        GTEST_SKIP() << "no display could be opened: " << SDL_GetError();
    }
    service.Init();
    service.HandleOSMessages();
    SDL_Window* window = service.GetWindow();
    EXPECT_EQ(Windows::windowHandle, window);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    const Uint32 flags = SDL_GetWindowFlags(window);
    EXPECT_EQ(flags & SDL_WINDOW_RESIZABLE, 0u);
    EXPECT_NE(flags & SDL_WINDOW_OPENGL, 0u);
    EXPECT_NE(flags & SDL_WINDOW_SHOWN, 0u);
}

}  // namespace
