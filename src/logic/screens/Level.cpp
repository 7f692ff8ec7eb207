// A playable level's screen: its name at the start, the pause menu, and ESC before a race begins.
#include "logic/screens/Level.h"

#include "graphics/TextMeasure.h"
#include "logic/AdventureRun.h"
#include "logic/ControlWords.h"
#include "logic/Courses.h"
#include "logic/screens/MenuButtons.h"
#include "logic/screens/PauseMenuLayout.h"

namespace Logic {
namespace {

// The pause menu's items, in the order of its buttons.
enum PauseItem : int {
    kHowTo,
    kToggleFullscreen,
    kToggleResolution,
    kRestartLevel,
    kReturnToMainMenu,
    kReturnToGame,
    kQuit
};

}  // namespace

// The notice sits one button's step below "[quit]".
Level::Level()
    : menu(MenuButtons::kPauseMenu, false),
      notice(engine, PauseMenuLayout::ItemY(PauseMenuLayout::kItems)) {}

void Level::Init() {
    engine.Call("DrawLevelMap");
    if (engine.IsBound("StartPlaySpeed")) {
        engine.Call("StartPlaySpeed");
    }
    menu.SetSelection(0);
    paused = false;
    showingHowTo = false;
    askingToQuit = false;
    windowLeft = false;
    ShowName();
}

void Level::ShowName() {
    shownMs = 0.0f;
    const std::string level = LevelName();
    if (level.empty()) {
        return;
    }
    const std::string name = AdventureRun::DisplayName(level);
    const float r = ScreenText::ScreenHeight(engine) / 600.0f;
    const float scale = 3.0f * r;
    // Centred below the player, clear of the instructions at the top and the clock at the bottom.
    const float width = ScreenText::ScreenWidth(engine);
    const int left = Graphics::TextMeasure::CentredLeft(width, name, scale);
    nameLine = std::make_unique<ScreenText>(engine, left, static_cast<int>(400.0f * r), static_cast<int>(width),
                                            scale, name);
    (*nameLine)->panel = kTitlePanel;
}

void Level::StepName(float dtMs) {
    if (!nameLine) {
        return;
    }
    shownMs += dtMs;
    if (shownMs >= kNameShownMs) {
        nameLine.reset();  // the line leaves the text layer with it
    }
}

void Level::TogglePause() {
    paused = !paused;
    nameLine.reset();  // the name would stand under the menu: the player has seen the level by now
    notice.Clear();  // a notice belongs to the menu it answered
    askingToQuit = false;
    if (paused) {
        // Never on an item left selected last time: ENTER pressed out of habit must not quit.
        menu.SetSelection(kReturnToGame);
    }
    engine.CallLater("Pause", 0.0f, paused);
}

void Level::WindowFocusChanged(bool focused) { windowLeft = !focused; }

// In the level's own update, as ESC is: a focus lost and found again before it (a display mode
// changing under the window) pauses nothing.
bool Level::PauseForLeftWindow() {
    const bool left = windowLeft;
    windowLeft = false;
    if (!left || paused || Courses::IsRace(LevelName())) {
        return false;
    }
    if (engine.IsBound("EditorBlockingInput") && engine.Call<bool>("EditorBlockingInput")) {
        return false;
    }
    TogglePause();
    return true;
}

// A pad pulled out mid-level leaves its player without hands: the level waits in the pause menu.
bool Level::PauseForLostPad() {
    const bool connected = engine.IsBound("IsPadConnected") && engine.Call<bool>("IsPadConnected");
    const bool lost = padWasConnected && !connected;
    padWasConnected = connected;
    if (!lost || paused || Courses::IsRace(LevelName())) {
        return false;
    }
    TogglePause();
    notice.Show("The pad was disconnected.");
    return true;
}

std::string Level::LevelName() {
    return engine.IsBound("GetLevelName") ? engine.Call<std::string>("GetLevelName") : "";
}

bool Level::IsOfferingRetry() {
    return engine.IsBound("IsOfferingRetry") && engine.Call<bool>("IsOfferingRetry");
}

bool Level::IsWaitingForPeer() {
    return engine.IsBound("IsLookingForPeer") && engine.Call<bool>("IsLookingForPeer");
}

void Level::Update(float dt) {
    StepName(dt);
    if (PauseForLeftWindow()) {
        return;
    }
    if (PauseForLostPad()) {
        return;
    }
    if (!paused && BackTriggered() && IsWaitingForPeer()) {
        // Nothing to pause before the race begins: ESC leaves for the menu, as the notice says.
        engine.Call("EraseLevelMap");
        PostLoadLevel("Menu");
        return;
    }
    if (!paused && IsOfferingRetry()) {
        return;  // ESC after a time attack's result goes back to the courses, as the notice says
    }
    if (paused && askingToQuit) {
        AnswerQuitQuestion();
        return;
    }
    // ESC always pauses and goes back; the player's pause control (P or Start) does the same.
    const bool pauseAsked = ActionTriggered("pause");
    if (!showingHowTo && (KeyTriggered("esc") || pauseAsked || (paused && PadTriggered(Input::kButtonB)))) {
        TogglePause();
        return;
    }
    if (showingHowTo && (BackTriggered() || pauseAsked)) {
        engine.Call("PlayButtonHowTo");
        engine.CallLater("DisplayHowTo", 0.0f, false);
        showingHowTo = false;
        return;
    }
    if (!paused && ActionTriggered("restart") && !Courses::IsRace(LevelName())) {
        RestartLevel();
        return;
    }
    if (paused && !showingHowTo) {
        notice.LayOut();  // the window may have changed size (F11, ALT+ENTER)
        RunPauseMenu();
    }
}

void Level::AnswerQuitQuestion() {
    notice.LayOut();
    if (ConfirmTriggered()) {
        PostQuit();
    } else if (BackTriggered()) {
        askingToQuit = false;
        notice.Clear();
    }
}

void Level::LeaveFor(const std::string& level) {
    engine.Call("EraseLevelMap");
    // Leave the pause first: the engine would stay paused, and the music silent, in the next level.
    engine.CallLater("Pause", 0.0f, false);
    PostLoadLevel(level);
}

void Level::RestartLevel() {
    const std::string level = LevelName();
    if (Courses::IsRace(level)) {
        // The other player races on: starting over alone would leave the two games apart.
        notice.Show("A race cannot be restarted.");
        return;
    }
    if (!level.empty()) {
        // A fresh start of the same level: a box pushed where it cannot come back is back in place.
        LeaveFor(level);
    }
}

void Level::RunPauseMenu() {
    // The buttons come and go with the pause menu, so they are looked up every time.
    menu.FindButtons(false);
    if (!menu.Step(engine)) {
        return;
    }
    switch (menu.GetSelection()) {
        case kHowTo:
            engine.CallLater("DisplayHowTo", 0.0f, true);
            showingHowTo = true;
            notice.Clear();
            break;
        case kToggleFullscreen:
            engine.Call("ToggleFullscreen");
            engine.Call("SaveSettings");
            notice.Show(MenuNotice::DisplayState(engine));
            break;
        case kToggleResolution:
            engine.Call("ToggleResolution");
            engine.Call("SaveSettings");
            notice.Show(MenuNotice::Resolution(engine));
            break;
        case kRestartLevel: RestartLevel(); break;
        case kReturnToMainMenu: LeaveFor("Menu"); break;
        case kReturnToGame: TogglePause(); break;
        case kQuit:
            // A slip of the keys must not end the game and lose the run: it asks once.
            askingToQuit = true;
            notice.Show(ControlWords::Named(engine, kQuitQuestion));
            break;
        default: break;
    }
}

}  // namespace Logic
