// The screen of every playable level: ESC opens and closes the pause menu (on "return to game"
// each time) and its how-to page; in a race still waiting for its peer, ESC goes back to the menu.
// The pause menu can start the level over, outside a race, and asks before it quits the game.
// Leaving the game's window pauses too.
#pragma once

#include <memory>
#include <string>

#include "logic/ScreenText.h"
#include "logic/screens/Menu.h"
#include "logic/screens/MenuNotice.h"
#include "logic/screens/Screen.h"

namespace Logic {

class Level : public Screen {
public:
    Level();

    // Hands the level's tile map to the renderer and shows the level's name for a moment.
    void Init() override;
    void Update(float dt) override;
    // The window lost or regained the focus (or was minimised or restored). A loss opens the pause
    // menu at the next update as ESC would, unless it is open already; a race never stops for one
    // player's window, and a level in the editor has the editor's keys, not the pause menu.
    void WindowFocusChanged(bool focused);

    bool IsPaused() const { return paused; }
    bool IsShowingHowTo() const { return showingHowTo; }
    bool IsAskingToQuit() const { return askingToQuit; }
    int GetSelection() const { return menu.GetSelection(); }
    const std::string& GetNotice() const { return notice.GetShown(); }

    // How long the level's name stays at the level's start.
    static constexpr float kNameShownMs = 2000.0f;
    static constexpr const char* kQuitQuestion = "Quit the game? {confirm}: yes   {back}: no";

private:
    void TogglePause();
    // True when the window was left since the last update and that paused the level.
    bool PauseForLeftWindow();
    bool PauseForLostPad();
    void ShowName();
    void StepName(float dtMs);
    std::string LevelName();
    // A race level still looking for the other player.
    bool IsWaitingForPeer();
    // A time attack's result waits for ENTER (again) or ESC (the courses).
    bool IsOfferingRetry();
    void RunPauseMenu();
    // "[quit]" was chosen: ENTER quits, ESC goes back to the menu; nothing else is read meanwhile.
    void AnswerQuitQuestion();
    void RestartLevel();
    // Closes the pause and asks for `level`, this level's map off the screen first.
    void LeaveFor(const std::string& level);

    Menu menu;  // the seven pause buttons the game flow makes
    MenuNotice notice;  // what a display toggle switched to, or why an item did nothing, under the buttons
    bool paused = false;
    bool showingHowTo = false;
    bool askingToQuit = false;
    bool windowLeft = false;  // the focus went since the last update
    bool padWasConnected = false;
    std::unique_ptr<ScreenText> nameLine;
    float shownMs = 0.0f;
};

}  // namespace Logic
